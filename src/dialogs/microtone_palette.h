#pragma once

#include <functional>
#include <vector>

#include "dialogs/palette_frame.h"

class QTabWidget;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::dialogs {

// The microtone palette: page "1" with the quarter tones (1..4), page "2"
// with the eighth tones (33..37, 48). A click reports the code and closes.
class MicrotonePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(MicrotonePalette& palette, int code)>;

  explicit MicrotonePalette(QWidget* parent = nullptr);

  // Presses the code's button, releasing the others, and shows its page
  // ("2" for codes above 32); a code without a button leaves all up.
  void SetMicrotone(int code);
  // The code of the button down on the page shown, 0 when none is.
  int Microtone() const;
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  QTabWidget* Pages() const { return pages_; }
  nv::widgets::TECCharButton* ButtonOf(int code) const;

 private:
  QTabWidget* pages_;
  std::vector<std::vector<nv::widgets::TECCharButton*>> buttons_;  // by page
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
