#pragma once

#include <QWidget>

#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "app/palette_opener.h"
#include "document/notice.h"
#include "document/palette_pages.h"
#include "document/symbol_strip_layout.h"
#include "document/tool_state.h"

class QSpinBox;

namespace nv::library {
class LibraryStore;
}

namespace nv::widgets {
class TECCharButton;
class TECScrollPanel;
}  // namespace nv::widgets

namespace nv::app {

// The notes or the symbols page of the tool notebook, built from its table:
// the pointer and reset buttons (and the eraser) at the left, the tools in
// two rows in the scroll panel SPNotes or SPSymbols. A click runs the tool
// state's handler; the state's down states set the buttons, which keep no
// tool state of their own. The drop parts open their choosers through the
// opener, and the symbols page's expanders fold and unfold their groups.
class NotationPalettePage : public QWidget {
  Q_OBJECT
 public:
  // `tools`, `opener` and `library` (the drum styles the drum-note button
  // shows; may be null) outlive the page. At creation the settings' folded
  // groups are folded.
  NotationPalettePage(nv::document::ToolState& tools, nv::document::ToolPage page, PaletteOpener& opener,
                      nv::library::LibraryStore* library = nullptr, QWidget* parent = nullptr);
  ~NotationPalettePage() override;

  // The button of a name (tools, expanders, choosers); null when the page has none.
  nv::widgets::TECCharButton* Button(std::string_view name) const;
  const std::vector<nv::widgets::TECCharButton*>& Buttons() const { return buttons_; }
  // The up-down of a name ("UDTreole" ...); null when the page has none.
  QSpinBox* UpDown(std::string_view name) const;
  nv::widgets::TECScrollPanel& Panel() const { return *panel_; }

  // Folds or unfolds a group of the symbols page, as its expander's click does.
  void ToggleGroup(nv::document::SymbolGroup group);
  // The strip's logical layout; none on the notes page.
  const std::optional<nv::document::SymbolStripLayout>& StripLayout() const { return strip_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  nv::widgets::TECCharButton* MakeButton(const nv::document::PlacedCell& placed, QWidget* parent);
  void MakeUpDown(const nv::document::PlacedCell& placed);
  void ApplyFace(nv::widgets::TECCharButton& button, const nv::document::PaletteCell& cell);
  void PaintFace(nv::widgets::TECCharButton& button, QPainter& painter, nv::document::PaintedFace face);
  void OpenChooser(std::string_view name);
  void ShowValues();
  void ShowDownStates();
  void ApplyStripLayout();

  nv::document::ToolState& tools_;
  PaletteOpener& opener_;
  nv::library::LibraryStore* library_;
  nv::widgets::TECScrollPanel* panel_ = nullptr;
  int stripLeft_ = 0;
  std::vector<nv::widgets::TECCharButton*> buttons_;
  std::vector<std::pair<nv::document::UpDownId, QSpinBox*>> upDowns_;
  std::optional<nv::document::SymbolStripLayout> strip_;
  nv::document::Subscription changed_;
};

}  // namespace nv::app
