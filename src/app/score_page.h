#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "app/document_page.h"

namespace nv::widgets {
class ScoreControl;
}

namespace nv::app {

// Asks for the file a score named by no file is saved to; "" when the user
// cancels. The program asks with the file dialog, tests answer themselves.
using SavePathChooser = std::function<std::string()>;

// The document page that shows its score in a score control and nothing
// else: the main window's page until the full document window hosts scores.
class ScorePage : public QWidget, public DocumentPage {
  Q_OBJECT
 public:
  explicit ScorePage(SavePathChooser chooseSavePath, QWidget* parent = nullptr);
  ~ScorePage() override;

  QWidget& Widget() override { return *this; }
  nv::document::ScoreDocument& Document() override { return *document_; }
  nv::widgets::ScoreControl& Score() const { return *score_; }

  std::string LoadFile(const std::string& path) override;
  bool Save() override;
  bool QuerySave() override;

 private:
  // The file name without folder and extension, "Untitled" without a file.
  void ShowCaption();

  std::unique_ptr<nv::document::ScoreDocument> document_;
  nv::widgets::ScoreControl* score_;
  SavePathChooser chooseSavePath_;
};

// The file dialog's choice of a score file to save to.
std::string AskSavePath(QWidget* parent);

}  // namespace nv::app
