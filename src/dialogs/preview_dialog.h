#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "dialogs/dialog_frame.h"
#include "document/notice.h"

class QAction;
class QComboBox;

namespace nv::document {
class PreviewCopy;
class ScoreDocument;
}
namespace nv::widgets {
class ScoreControl;
}

namespace nv::dialogs {

// "Preview": a copy of a score in its own score control, paged and zoomed;
// "Print" hands the copy to the program's print routine.
class TFDCPreview : public DialogFrame {
  Q_OBJECT
 public:
  // Prints the copy; the main window's print routine.
  using PrintRoutine = std::function<void(nv::document::ScoreDocument& copy)>;

  // `canPrint`: whether the main window's Print is enabled.
  TFDCPreview(const nv::document::ScoreDocument& source, nv::platform::IniFile* settings, bool canPrint,
              PrintRoutine print, QWidget* parent = nullptr);
  ~TFDCPreview() override;

  nv::document::PreviewCopy& Copy() const { return *copy_; }
  QAction& Action(const char* name) const;
  QComboBox& ZoomList() const { return *zoom_; }
  // Enables the page actions for the active page.
  void UpdatePageActions();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ZoomChosen(int index);

  std::unique_ptr<nv::document::PreviewCopy> copy_;
  nv::widgets::ScoreControl* view_ = nullptr;
  QComboBox* zoom_ = nullptr;
  std::vector<QAction*> actions_;
  std::vector<nv::document::Subscription> subscriptions_;
};

}  // namespace nv::dialogs
