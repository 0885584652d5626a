#pragma once

#include <functional>

class QWidget;

namespace nv::app {

// The choosers the drop parts of the notes and symbols pages open.
enum class Chooser { Tone, Key, Size, Microtone, Bracket, Drum, RehearsalMark };

// What a chooser is pre-set with and hands back: `Value` for all (the
// packed time signature for Size), `Style` the time signature's symbol, and
// the four values of a rehearsal mark.
struct ChooserValue {
  int Value = 0;
  int Style = 0;
  int Numeration = 0;
  int Kind = 0;
  int Border = 0;
  int BorderWidth = 1;
  friend bool operator==(const ChooserValue&, const ChooserValue&) = default;
};

// Opens a chooser under a button of the pages. `chosen` runs once with the
// user's choice; a chooser closed without one never calls it.
class PaletteOpener {
 public:
  using Chosen = std::function<void(const ChooserValue& value)>;
  virtual ~PaletteOpener() = default;
  virtual void Open(Chooser chooser, QWidget& button, const ChooserValue& current, Chosen chosen) = 0;
};

}  // namespace nv::app
