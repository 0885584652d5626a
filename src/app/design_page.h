#pragma once

#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

#include "app/palette_opener.h"
#include "document/command_registry.h"
#include "document/notice.h"

class QLineEdit;
class QSpinBox;

namespace nv::document {
class CommandRegistry;
struct DesignButton;
class ToolState;
}  // namespace nv::document

namespace nv::widgets {
class TECCharButton;
class TECScrollPanel;
}  // namespace nv::widgets

namespace nv::app {

// The design page of the tool notebook: the reset button on the page, and
// in the scroll panel SPDesign the drawing tools (buttons of the tool
// state), the look buttons that show the current values of the settings
// and apply them to the selection through the registry, the font name and
// size boxes, and the alignment, page and order buttons. A palette choice
// stores the value, repaints its button and applies it at once.
class DesignPage : public QWidget {
  Q_OBJECT
 public:
  // Everything given by reference outlives the page.
  DesignPage(nv::document::CommandRegistry& registry, nv::document::ToolState& tools, LookOpener& opener,
             QWidget* parent = nullptr);
  ~DesignPage() override;

  // The button of a name; null when the page has none.
  nv::widgets::TECCharButton* Button(std::string_view name) const;
  QLineEdit& FontNameBox() const { return *nameBox_; }
  QLineEdit& FontSizeBox() const { return *sizeBox_; }
  QSpinBox& FontSizeUpDown() const { return *sizeUpDown_; }
  nv::widgets::TECScrollPanel& Panel() const { return *panel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  nv::widgets::TECCharButton* MakeButton(const nv::document::DesignButton& entry, QWidget* parent, int left, int top);
  void MakeTextBoxes(int left, int width);
  void PaintFace(const nv::document::DesignButton& entry, nv::widgets::TECCharButton& button, QPainter& painter) const;
  void OpenPalette(const nv::document::DesignButton& entry, nv::widgets::TECCharButton& button);
  void Run(std::string_view command, const nv::document::CommandArgs& args = {});
  // The boxes' values: a name or size that cannot be used puts the box back.
  void TakeFontName();
  void TakeFontSize();
  void ShowFont();
  void ShowDownStates();

  nv::document::CommandRegistry& registry_;
  nv::document::ToolState& tools_;
  LookOpener& opener_;
  nv::widgets::TECScrollPanel* panel_ = nullptr;
  int panelLeft_ = 0;
  QLineEdit* nameBox_ = nullptr;
  QLineEdit* sizeBox_ = nullptr;
  QSpinBox* sizeUpDown_ = nullptr;
  std::vector<std::pair<const nv::document::DesignButton*, nv::widgets::TECCharButton*>> buttons_;
  nv::widgets::TECCharButton* reset_ = nullptr;
  nv::document::Subscription changed_;
};

}  // namespace nv::app
