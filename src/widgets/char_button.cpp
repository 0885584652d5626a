#include "widgets/char_button.h"

#include <QBitmap>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "platform/font_faces.h"
#include "platform/qt/qt_color.h"

namespace nv::widgets {

namespace {

int liveButtons = 0;

// The fixed looks of the black-bordered style, 0x00BBGGRR.
constexpr nv::platform::Color kHotPen = 0xC56743;
constexpr nv::platform::Color kHotBrush = 0xD6BEB5;
constexpr nv::platform::Color kDownBrush = 0xB59284;
constexpr nv::platform::Color kShadowGrey = 0x808080;

QString DisplayText(const QString& caption) {
  QString text = caption;
  return text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

}  // namespace

TECCharButton::TECCharButton(QWidget* parent) : QAbstractButton(parent) {
  ++liveButtons;
  resize(22, 23);
  color_ = palette().color(QPalette::Button);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

TECCharButton::~TECCharButton() { --liveButtons; }

int TECCharButton::LiveCount() { return liveButtons; }

void TECCharButton::Apply(const CharButtonEffects& effects) {
  if (effects.repaint) update();
  if (effects.announce) Announce();
  if (effects.click) Q_EMIT clicked(state_.IsDown());
  if (effects.dropClick) Q_EMIT ButtonClick();
}

void TECCharButton::Announce() {
  if (state_.GroupIndex() == 0 || parentWidget() == nullptr) return;
  for (TECCharButton* other : parentWidget()->findChildren<TECCharButton*>(Qt::FindDirectChildrenOnly)) {
    if (other != this) other->Apply(other->state_.GroupPressed(state_.GroupIndex(), state_.AllowAllUp()));
  }
}

void TECCharButton::SetDown(bool value) { Apply(state_.SetDown(value)); }
void TECCharButton::SetGroupIndex(int value) { Apply(state_.SetGroupIndex(value)); }
void TECCharButton::SetAllowAllUp(bool value) { Apply(state_.SetAllowAllUp(value)); }

void TECCharButton::SetFlat(bool value) {
  if (state_.SetFlat(value)) update();
}

#define NV_SETTER(Name, member)                  \
  void TECCharButton::Set##Name(decltype(member) value) { \
    if (member == value) return;                 \
    member = value;                              \
    update();                                    \
  }
NV_SETTER(BlackBorder, blackBorder_)
NV_SETTER(BorderColor, borderColor_)
NV_SETTER(Layout, layout_)
NV_SETTER(Spacing, spacing_)
NV_SETTER(Char, char_)
NV_SETTER(CustomDraw, customDraw_)
NV_SETTER(ArrowStyle, arrowStyle_)
NV_SETTER(Antialiased, antialiased_)
NV_SETTER(Transparent, transparent_)
#undef NV_SETTER

void TECCharButton::SetColor(const QColor& value) {
  if (color_ == value) return;
  color_ = value;
  update();
}

void TECCharButton::SetGlyph(const QPixmap& glyph) {
  glyph_ = glyph;
  update();
}

void TECCharButton::SetNumGlyphs(int value) {
  if (state_.SetNumGlyphs(value)) update();
}

void TECCharButton::SetMargin(int value) {
  if (state_.SetMargin(value)) update();
}

void TECCharButton::SetDropWidth(int value) {
  if (state_.SetDropWidth(value)) update();
}

void TECCharButton::SetPos(int x, int y) {
  if (x == posX_ && y == posY_) return;
  posX_ = x;
  posY_ = y;
  update();
}

QPixmap TECCharButton::GlyphImage() const {
  if (glyph_.isNull()) return {};
  const int count = state_.NumGlyphs();
  const int width = glyph_.width() / count;
  int index = 0;
  switch (state_.Face()) {
    case ButtonFace::Up: index = 0; break;
    case ButtonFace::Disabled: index = 1; break;
    case ButtonFace::Down: index = 2; break;
    case ButtonFace::Exclusive: index = 3; break;
  }
  if (index >= count) index = 0;
  return TransparentPiece(glyph_.copy(index * width, 0, width, glyph_.height()).toImage());
}

void TECCharButton::DrawGlyphShadow(QPainter& painter, int x, int y) const {
  const QPixmap image = GlyphImage();
  if (image.isNull()) return;
  QPixmap shadow(image.size());
  shadow.fill(nv::platform::toQColor(kShadowGrey));
  shadow.setMask(image.mask());
  painter.drawPixmap(x, y, shadow);
}

void TECCharButton::PaintContent(QPainter& painter, const QRect& area) {
  const ButtonFace face = state_.Face();
  const bool pushed = face == ButtonFace::Down || face == ButtonFace::Exclusive;
  const bool hot = state_.Hot() && !pushed;
  const QColor grey = nv::platform::toQColor(kShadowGrey);
  const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);

  // Glyph and caption placed by the layout, margin and spacing.
  const QPixmap glyph = GlyphImage();
  const QString caption = DisplayText(text());
  const QFontMetrics metrics(font());
  const QSize glyphSize = glyph.isNull() ? QSize() : glyph.size();
  const QSize textSize = caption.isEmpty() ? QSize() : QSize(metrics.horizontalAdvance(caption), metrics.height());
  const bool horizontal = layout_ == GlyphLayout::Left || layout_ == GlyphLayout::Right;
  const int avail = horizontal ? area.width() : area.height();
  const int glyphLen = horizontal ? glyphSize.width() : glyphSize.height();
  const int textLen = horizontal ? textSize.width() : textSize.height();
  int margin = state_.Margin();
  int spacing = (glyphLen == 0 || textLen == 0) ? 0 : spacing_;
  if (margin == -1) {
    if (spacing == -1) {
      spacing = (avail - glyphLen - textLen) / 3;
      margin = spacing;
    } else {
      margin = (avail - glyphLen - textLen - spacing) / 2;
    }
  } else if (spacing == -1) {
    spacing = (avail - margin - glyphLen - textLen) / 2;
  }
  QPoint glyphAt;
  QPoint textAt;
  const int glyphAcross = horizontal ? area.top() + (area.height() - glyphSize.height()) / 2
                                     : area.left() + (area.width() - glyphSize.width()) / 2;
  const int textAcross = horizontal ? area.top() + (area.height() - textSize.height()) / 2
                                    : area.left() + (area.width() - textSize.width()) / 2;
  const int start = horizontal ? area.left() : area.top();
  const int end = horizontal ? area.right() + 1 : area.bottom() + 1;
  const bool glyphFirst = layout_ == GlyphLayout::Left || layout_ == GlyphLayout::Top;
  const int glyphPos = glyphFirst ? start + margin : end - margin - glyphLen;
  const int textPos = glyphFirst ? glyphPos + glyphLen + spacing : glyphPos - spacing - textLen;
  glyphAt = horizontal ? QPoint(glyphPos, glyphAcross) : QPoint(glyphAcross, glyphPos);
  textAt = horizontal ? QPoint(textPos, textAcross) : QPoint(textAcross, textPos);

  // One line is drawn on its baseline: the same place as in its box, without
  // a text layout per paint (a library's drop-down paints a thousand).
  const bool oneLine = !caption.contains(QLatin1Char('\n')) && !caption.contains(QLatin1Char('\t'));
  auto drawCaption = [&](QPoint offset, const QColor& colour) {
    if (caption.isEmpty()) return;
    painter.setPen(colour);
    if (oneLine)
      painter.drawText(textAt + offset + QPoint(0, metrics.ascent()), caption);
    else
      painter.drawText(QRect(textAt + offset, textSize), Qt::AlignLeft | Qt::AlignTop, caption);
  };
  if (hot) {
    if (!glyph.isNull()) {
      DrawGlyphShadow(painter, glyphAt.x(), glyphAt.y());
      painter.drawPixmap(glyphAt - QPoint(1, 1), glyph);
      drawCaption({-1, -1}, ink);
    } else {
      drawCaption({1, 1}, grey);
      drawCaption({-1, -1}, ink);
    }
  } else {
    if (!glyph.isNull()) painter.drawPixmap(glyphAt, glyph);
    drawCaption({}, ink);
  }

  // The character, its cell's top-left corner at (PosX, PosY).
  if (char_ != 0) {
    QFont charFont = font();
    charFont.setStyleStrategy(antialiased_ ? QFont::PreferAntialias : QFont::NoAntialias);
    painter.setFont(charFont);
    const bool music = nv::platform::isMusicFace(charFont.family().toStdString());
    const QString ch(QChar(music ? 0xF000 + char_ : char_));
    const int ascent = QFontMetrics(charFont).ascent();
    auto drawChar = [&](int x, int y, const QColor& colour) {
      painter.setPen(colour);
      painter.drawText(QPoint(x, y + ascent), ch);
    };
    if (hot) {
      drawChar(posX_ + 1, posY_ + 1, grey);
      drawChar(posX_ - 1, posY_ - 1, ink);
    } else {
      drawChar(posX_, posY_, ink);
    }
    painter.setFont(font());
  }
}

void TECCharButton::paintEvent(QPaintEvent*) {
  state_.SetEnabled(isEnabled());
  const ButtonFace face = state_.PaintFace();
  const bool pushed = face == ButtonFace::Down || face == ButtonFace::Exclusive;
  QPainter painter(this);
  painter.setFont(font());
  QRect area(0, 0, width() - state_.DropWidth(), height());

  if (face == ButtonFace::Exclusive && (!state_.Flat() || !state_.Hot())) FillExclusiveFace(painter, area, this);

  if (!state_.Flat()) {
    const QBrush* fill = face == ButtonFace::Exclusive ? nullptr : &palette().button();
    qDrawWinButton(&painter, area, palette(), pushed, fill);
    if (color_ != palette().color(QPalette::Button) && face != ButtonFace::Exclusive)
      painter.fillRect(QRect(1, 1, width() - 3, height() - 3), color_);
    area.adjust(2, 2, -2, -2);
  } else {
    if (!transparent_) painter.fillRect(area, color_);
    if (blackBorder_) {
      QColor pen = nv::platform::toQColor(borderColor_);
      QBrush brush = Qt::NoBrush;
      if (state_.Hot() && !pushed) {
        pen = nv::platform::toQColor(kHotPen);
        brush = nv::platform::toQColor(kHotBrush);
      } else if (pushed) {
        pen = nv::platform::toQColor(kHotPen);
        brush = nv::platform::toQColor(kDownBrush);
      }
      painter.setPen(pen);
      painter.setBrush(brush);
      painter.drawRect(area.adjusted(0, 0, -1, -1));
      painter.setBrush(Qt::NoBrush);
    } else if (pushed || (state_.Hot() && face != ButtonFace::Disabled)) {
      qDrawShadeRect(&painter, area, palette(), pushed, 1, 0, nullptr);
    }
    area.adjust(1, 1, -1, -1);
  }

  if (customDraw_ && onDraw_) onDraw_(painter, area);
  else PaintContent(painter, area);

  if (state_.DropWidth() > 0) {
    const int dw = state_.DropWidth();
    if (state_.DropPressed()) DrawScrollArrow(painter, QRect(width() - dw, 0, dw, height()), arrowStyle_, true, this);
    else DrawScrollArrow(painter, QRect(width() - dw, -1, dw, height() + 1), arrowStyle_, false, this);
  }
}

void TECCharButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Apply(state_.Press(p.x(), p.y()));
}

void TECCharButton::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Apply(state_.Move(p.x(), p.y()));
}

void TECCharButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Apply(state_.Release(p.x(), p.y()));
}

void TECCharButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click presses the button again.
  mousePressEvent(event);
  if (event->button() == Qt::LeftButton && state_.TakesDoubleClick()) Q_EMIT DoubleClicked();
}

void TECCharButton::enterEvent(QEnterEvent*) {
  QWidget* grabber = QWidget::mouseGrabber();
  Apply(state_.Enter(grabber != nullptr && grabber != this));
}

void TECCharButton::leaveEvent(QEvent*) { Apply(state_.Leave()); }

void TECCharButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) state_.SetEnabled(isEnabled());
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
      event->type() == QEvent::PaletteChange)
    update();
  QAbstractButton::changeEvent(event);
}

void TECCharButton::resizeEvent(QResizeEvent* event) {
  state_.SetSize(width(), height());
  QAbstractButton::resizeEvent(event);
}

bool TECCharButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    // A caption accelerator clicks an enabled button on a showing window.
    if (isEnabled() && isVisible()) Q_EMIT clicked(state_.IsDown());
    return true;
  }
  return QAbstractButton::event(event);
}

}  // namespace nv::widgets
