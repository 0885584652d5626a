#pragma once

#include <functional>
#include <optional>
#include <string>

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

// The join-notes style of the modify page: whether bars are joined by
// their own style, and the count (0 none, 1 full, -1 by note value, other a
// custom count).
struct JoinStyleValue {
  bool Active = false;
  int Count = 0;
  friend bool operator==(const JoinStyleValue&, const JoinStyleValue&) = default;
};

// The row alignment of the modify page: own alignment, style (0 evenly,
// 1 proportional, 2 positional), note density, bars per row, horizontal alignment.
struct RowAlignmentValue {
  bool Active = false;
  int Style = 0;
  bool Density = false;
  int MeasureCount = 3;
  bool HorzAlign = false;
  friend bool operator==(const RowAlignmentValue&, const RowAlignmentValue&) = default;
};

// Opens the modify page's drop-downs under their buttons. Each change the
// user makes in one is handed on at once; the drop-down stays open.
class ArrangementOpener {
 public:
  virtual ~ArrangementOpener() = default;
  // The semitones of a custom transpose, upwards (1..127) or downwards (-127..-1).
  virtual void OpenTranspose(QWidget& button, int pitch, bool up, std::function<void(int pitch)> changed) = 0;
  virtual void OpenJoinStyle(QWidget& button, const JoinStyleValue& current,
                             std::function<void(const JoinStyleValue&)> changed) = 0;
  virtual void OpenRowAlignment(QWidget& button, const RowAlignmentValue& current,
                                std::function<void(const RowAlignmentValue&)> changed) = 0;
  // The effects and dynamics palettes, which keep their own values.
  virtual void OpenEffects(QWidget& button) = 0;
  virtual void OpenDynamics(QWidget& button) = 0;
  // The join-notes style and the row alignment as modal dialogs over
  // `owner`, preset with `current`: the values after OK, none after Cancel.
  virtual std::optional<JoinStyleValue> AskJoinStyle(QWidget& owner, const JoinStyleValue& current) = 0;
  virtual std::optional<RowAlignmentValue> AskRowAlignment(QWidget& owner, const RowAlignmentValue& current) = 0;
};

// The drawing-style palettes of the design page's look buttons.
enum class LookPalette { Color, FontStyle, BrushStyle, LineStyle, LineWidth, PointStyle, TextRotate };

// Opens the design page's palettes under their buttons. `chosen` runs with
// every value the user picks (colours as the score stores them); a palette
// closed without a choice never calls it.
class LookOpener {
 public:
  virtual ~LookOpener() = default;
  virtual void OpenLook(LookPalette palette, QWidget& button, int current, std::function<void(int value)> chosen) = 0;
  virtual void OpenFontName(QWidget& button, const std::string& current,
                            std::function<void(const std::string& name)> chosen) = 0;
};

}  // namespace nv::app
