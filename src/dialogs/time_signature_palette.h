#pragma once

#include <functional>

#include "dialogs/palette_frame.h"

class QComboBox;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::dialogs {

// The time-signature palette: numerator and denominator lists and the
// common-time and cut-time symbols, which only the signatures they stand
// for enable. Each change reports the signature (numerator × 256 +
// denominator) and the symbol (0 none, 1 common, 2 cut); it stays open.
class TimeSignaturePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(TimeSignaturePalette& palette, int signature, int symbol)>;

  explicit TimeSignaturePalette(QWidget* parent = nullptr);

  void SetTimeSignature(int code);
  void SetSymbol(int symbol);
  int TimeSignature() const;
  int Symbol() const;
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  QComboBox* Numerator() const { return numerator_; }
  QComboBox* Denominator() const { return denominator_; }
  nv::widgets::TECCharButton* SymbolButton(int symbol) const { return symbol == 1 ? common_ : cut_; }

 private:
  void Enable(bool first, bool second);
  void Changed();

  QComboBox* numerator_;
  QComboBox* denominator_;
  nv::widgets::TECCharButton* common_;
  nv::widgets::TECCharButton* cut_;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
