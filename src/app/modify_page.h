#pragma once

#include <QWidget>

#include <memory>
#include <string_view>
#include <vector>

#include "app/palette_opener.h"
#include "document/notice.h"
#include "widgets/logic/click_repeater.h"

namespace nv::document {
class CommandRegistry;
struct ModifyButton;
class OneShotTimer;
struct ProgramSettings;
}  // namespace nv::document

namespace nv::widgets {
class TECCharButton;
class TECScrollPanel;
}  // namespace nv::widgets

namespace nv::app {

// The modify page of the tool notebook: its buttons in two rows in the
// scroll panel SPModify, each running its command through the registry. The
// spacing and row buttons repeat while held; the custom transposes, the
// join-notes style and the row alignment keep their values in the settings
// and open their drop-downs from their arrow parts. The page adds the score
// menu's "bar.union" and "row.alignment", which ask the join-notes style and
// the row alignment in dialogs.
class ModifyPage : public QWidget {
  Q_OBJECT
 public:
  // Everything given by reference outlives the page; `timer` drives the auto-repeat.
  ModifyPage(nv::document::CommandRegistry& registry, nv::document::ProgramSettings& settings,
             ArrangementOpener& opener, std::unique_ptr<nv::document::OneShotTimer> timer, QWidget* parent = nullptr);
  ~ModifyPage() override;

  // The button of a name; null when the page has none.
  nv::widgets::TECCharButton* Button(std::string_view name) const;
  nv::widgets::TECScrollPanel& Panel() const { return *panel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  nv::widgets::TECCharButton* MakeButton(const nv::document::ModifyButton& entry, int left, int top, int width);
  void Run(const nv::document::ModifyButton& entry);
  // The pane buttons are down while their pane shows.
  void ShowChecked();
  void PaintFace(const nv::document::ModifyButton& entry, nv::widgets::TECCharButton& button, QPainter& painter) const;
  void OpenDropDown(const nv::document::ModifyButton& entry, nv::widgets::TECCharButton& button);
  // The join-notes style and row alignment of the settings; taking new ones
  // stores them, repaints their button and applies them to the score.
  JoinStyleValue JoinStyle() const;
  RowAlignmentValue RowAlignment() const;
  void TakeJoinStyle(const JoinStyleValue& value);
  void TakeRowAlignment(const RowAlignmentValue& value);
  void AddDialogCommands();

  nv::document::CommandRegistry& registry_;
  nv::document::ProgramSettings& settings_;
  ArrangementOpener& opener_;
  std::unique_ptr<nv::document::OneShotTimer> timer_;
  nv::widgets::ClickRepeater repeater_;
  nv::widgets::TECScrollPanel* panel_ = nullptr;
  std::vector<std::pair<const nv::document::ModifyButton*, nv::widgets::TECCharButton*>> buttons_;
  nv::document::Subscription states_;
};

}  // namespace nv::app
