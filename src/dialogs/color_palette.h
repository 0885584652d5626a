#pragma once

#include <QColor>

#include <functional>
#include <optional>

#include "dialogs/choice_palette.h"

class QPushButton;

namespace nv::dialogs {

// Asks the user for any colour, pre-set to `initial`; nothing on Cancel.
// The main window's colour dialog stands behind it; tests pass a fake.
using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;
// The chooser on QColorDialog.
ColorChooser SystemColorChooser();

// Sixteen basic colours in four rows and "Other colors", which asks the
// colour chooser. The current colour starts as black, its button down.
class ColorPalette : public ChoicePalette {
  Q_OBJECT
 public:
  using ColorHandler = std::function<void(ColorPalette& palette, const QColor& color)>;

  explicit ColorPalette(ColorChooser chooser = SystemColorChooser(), QWidget* parent = nullptr);

  // Nothing when the colour is the current one; else stores it and presses
  // the first button of that colour (none when no button has it).
  void SetColor(const QColor& color);
  QColor Color() const { return current_; }
  void SetOnSelectColor(ColorHandler handler) { onColor_ = std::move(handler); }

  QPushButton* OtherColors() const { return other_; }

 private:
  void ChooseOther();

  ColorChooser chooser_;
  ColorHandler onColor_;
  QColor current_ = Qt::black;
  QPushButton* other_;
};

}  // namespace nv::dialogs
