#pragma once

#include "dialogs/choice_palette.h"

namespace nv::dialogs {

// The key-signature palette: C major and one to seven sharps in the left
// column, one to seven flats in the right one from the second row. Shift
// with a digit chooses that many sharps, Alt with a digit that many flats.
class KeySignaturePalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit KeySignaturePalette(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The clef palette: fifteen clefs on staves, each with its label.
class ClefPalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit ClefPalette(QWidget* parent = nullptr);
};

// The bracket palette: "(  )" 0, "[  ]" 1, "{  }" 2.
class BracketPalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit BracketPalette(QWidget* parent = nullptr);
  // The style of the button down, 0 when none is.
  int BracketStyle() const { return Current().value_or(0); }
};

}  // namespace nv::dialogs
