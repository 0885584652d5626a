#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

#include <cstdint>
#include <functional>

#include "platform/colors.h"
#include "widgets/logic/char_button_state.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {

enum class GlyphLayout { Left, Right, Top, Bottom };

// The speed button of the palettes and tool bars: one character of its
// font drawn at a fixed point (the palettes show music-font characters),
// an optional glyph and caption, groups of mutually exclusive buttons on
// one parent, flat and black-bordered looks with hot tracking, and a drop
// part at the right edge with its own arrow and signal.
//
// The down state and the group are the button's own (a grouped button that
// is down stays down unless AllowAllUp, which QButtonGroup does not know);
// QAbstractButton's checkable and down machinery is not used.
class TECCharButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit TECCharButton(QWidget* parent = nullptr);
  ~TECCharButton() override;

  // --- toggling -----------------------------------------------------------
  bool Down() const { return state_.IsDown(); }
  void SetDown(bool value);
  int GroupIndex() const { return state_.GroupIndex(); }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return state_.AllowAllUp(); }
  void SetAllowAllUp(bool value);

  // --- look ---------------------------------------------------------------
  bool Flat() const { return state_.Flat(); }
  void SetFlat(bool value);
  bool BlackBorder() const { return blackBorder_; }
  void SetBlackBorder(bool value);
  nv::platform::Color BorderColor() const { return borderColor_; }
  void SetBorderColor(nv::platform::Color value);
  const QPixmap& Glyph() const { return glyph_; }
  void SetGlyph(const QPixmap& glyph);
  int NumGlyphs() const { return state_.NumGlyphs(); }
  void SetNumGlyphs(int value);
  GlyphLayout Layout() const { return layout_; }
  void SetLayout(GlyphLayout value);
  int Margin() const { return state_.Margin(); }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  std::uint8_t Char() const { return char_; }
  void SetChar(std::uint8_t value);
  int PosX() const { return posX_; }
  int PosY() const { return posY_; }
  void SetPos(int x, int y);
  bool CustomDraw() const { return customDraw_; }
  void SetCustomDraw(bool value);
  int DropWidth() const { return state_.DropWidth(); }
  void SetDropWidth(int value);
  ArrowDirection ArrowStyle() const { return arrowStyle_; }
  void SetArrowStyle(ArrowDirection value);
  bool Antialiased() const { return antialiased_; }
  void SetAntialiased(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  QColor Color() const { return color_; }
  void SetColor(const QColor& value);
  // The command the button runs, for whoever connects its click.
  const QString& CommandId() const { return commandId_; }
  void SetCommandId(const QString& id) { commandId_ = id; }

  // Draws the face instead of glyph, caption and character while CustomDraw.
  using DrawHandler = std::function<void(QPainter&, const QRect&)>;
  void SetOnDrawCharButton(DrawHandler handler) { onDraw_ = std::move(handler); }

  // The current state's glyph image as a grey silhouette at (x, y).
  void DrawGlyphShadow(QPainter& painter, int x, int y) const;

  ButtonFace Face() const { return state_.Face(); }
  bool Hot() const { return state_.Hot(); }
  bool DropPressed() const { return state_.DropPressed(); }

  // Live buttons in the program.
  static int LiveCount();

  QSize sizeHint() const override { return {22, 23}; }

 Q_SIGNALS:
  // The drop part was clicked.
  void ButtonClick();
  // A double click on a button that is down.
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  bool hitButton(const QPoint&) const override { return true; }

 private:
  void Apply(const CharButtonEffects& effects);
  void Announce();
  // The glyph image for the face (up, disabled, down, exclusive).
  QPixmap GlyphImage() const;
  void PaintContent(QPainter& painter, const QRect& area);

  CharButtonState state_;
  bool blackBorder_ = false;
  nv::platform::Color borderColor_ = 0;
  QPixmap glyph_;
  GlyphLayout layout_ = GlyphLayout::Left;
  int spacing_ = 4;
  std::uint8_t char_ = 0;
  int posX_ = 0;
  int posY_ = 0;
  bool customDraw_ = false;
  ArrowDirection arrowStyle_ = ArrowDirection::Down;
  bool antialiased_ = false;
  bool transparent_ = true;
  QColor color_;
  QString commandId_;
  DrawHandler onDraw_;
};

}  // namespace nv::widgets
