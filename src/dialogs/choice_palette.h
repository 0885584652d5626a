#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "dialogs/palette_frame.h"

class QPainter;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::dialogs {

// Draws a choice's face inside the button's content rectangle.
using FacePainter = std::function<void(QPainter& painter, const QRect& area)>;

// One button of a choice palette: the value it gives, its component name,
// its hint, and its face: a character of the music font (at a size and a
// point of the button), a caption, or a painter.
struct Choice {
  int value = 0;
  QString name;
  QString hint;
  std::uint8_t glyph = 0;
  int glyphSize = 0;
  QPoint glyphAt;
  QString caption;
  FacePainter paint;
  // The button's cell (column, row); by default the next cell in order.
  std::optional<QPoint> cell;
};

// Where the buttons stand: `columns` per row from `origin`, each `button` big.
struct ChoiceGrid {
  int columns = 1;
  QSize button;
  QPoint origin;
};

// A palette of buttons of which at most one is down: pre-set with
// SetCurrent, a click reports the button's value and closes the palette.
class ChoicePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(ChoicePalette& palette, int value)>;

  ChoicePalette(const QString& formName, const QString& caption, QSize clientSize, const std::vector<Choice>& choices,
                const ChoiceGrid& grid, QWidget* parent = nullptr);

  // Presses the button of the value, or leaves every button up when none has it.
  void SetCurrent(int value);
  // The value of the button that is down.
  std::optional<int> Current() const;

  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  nv::widgets::TECCharButton* ButtonOf(int value) const;
  const std::vector<nv::widgets::TECCharButton*>& Buttons() const { return buttons_; }

 protected:
  // A click on a choice: reports it and closes.
  void Choose(int value);

 private:
  std::vector<int> values_;
  std::vector<nv::widgets::TECCharButton*> buttons_;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
