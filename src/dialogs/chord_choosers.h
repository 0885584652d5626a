#pragma once

#include <array>
#include <functional>
#include <vector>

#include "dialogs/choice_palette.h"

namespace nv::dialogs {

// A chooser of the chord builder: one caption button per value in a row
// ("FChooseChordNote", "FChooseChordBase", "FChooseChordMinor",
// "FChooseChordMajor", "FChooseChordSus", "FChooseChordOmit").
class CaptionChooser : public ChoicePalette {
  Q_OBJECT
 public:
  CaptionChooser(const QString& formName, const std::vector<std::pair<int, QString>>& choices,
                 QWidget* parent = nullptr);
};

// "FChooseChordAdd" for one degree: the plain degree, raised and lowered
// (values 0, 1, 2), and four style tabs that recaption the raised and
// lowered buttons and are reported at once without closing.
class ChordAddChooser : public ChoicePalette {
  Q_OBJECT
 public:
  // captions[style] = {raised, lowered}.
  using StyleCaptions = std::array<std::array<QString, 2>, 4>;

  ChordAddChooser(const QString& degree, const StyleCaptions& captions, QWidget* parent = nullptr);
  // Styles outside 0..3 show as the nearest end.
  void SetStyle(int style);
  int Style() const { return style_; }
  std::function<void(int style)> OnStyle;

 private:
  StyleCaptions captions_;
  std::vector<nv::widgets::TECCharButton*> tabs_;
  int style_ = 0;
};

// "FDuration": seven note values from the whole (128) to the 64th (2), one
// above the other; a click reports the value of the button down, 2 when
// none is.
class DurationPalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit DurationPalette(QWidget* parent = nullptr);
  void SetOnDuration(std::function<void(int)> handler);
};

}  // namespace nv::dialogs
