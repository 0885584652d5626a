#include "editor/music_keyboard.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "editor/keyboard_paint.h"

namespace nv::editor {

namespace {

// The piano's reading of a key event; false for keys it does not answer.
bool ToPianoKey(const QKeyEvent& event, PianoKey& key) {
  key.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  key.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  switch (event.key()) {
    case Qt::Key_Left: key.kind = PianoKey::Left; return true;
    case Qt::Key_Right: key.kind = PianoKey::Right; return true;
    case Qt::Key_Up: key.kind = PianoKey::Up; return true;
    case Qt::Key_Down: key.kind = PianoKey::Down; return true;
    case Qt::Key_Home: key.kind = PianoKey::Home; return true;
    case Qt::Key_End: key.kind = PianoKey::End; return true;
    default: break;
  }
  // Letters by their key, so Shift does not change which letter it is.
  if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
    key.character = static_cast<char>('A' + event.key() - Qt::Key_A);
    return true;
  }
  if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9) {
    key.character = static_cast<char>('0' + event.key() - Qt::Key_0);
    return true;
  }
  return false;
}

}  // namespace

TECMusicKeyboard::TECMusicKeyboard(QWidget* parent) : BufferedControl(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  model_.OnChanged = [this] { update(); };
}

void TECMusicKeyboard::PaintBuffer(platform::Canvas& canvas) { PaintKeyboard(canvas, model_, Color); }

void TECMusicKeyboard::resizeEvent(QResizeEvent*) { model_.SetClientSize(width(), height()); }

void TECMusicKeyboard::mousePressEvent(QMouseEvent* event) {
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  model_.MouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void TECMusicKeyboard::mouseReleaseEvent(QMouseEvent*) { model_.MouseUp(); }

void TECMusicKeyboard::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!model_.MouseMove(p.x(), p.y())) unsetCursor();
}

void TECMusicKeyboard::keyPressEvent(QKeyEvent* event) {
  PianoKey key;
  if (!event->isAutoRepeat() && ToPianoKey(*event, key)) model_.KeyDown(key);
  QWidget::keyPressEvent(event);
}

void TECMusicKeyboard::keyReleaseEvent(QKeyEvent* event) {
  PianoKey key;
  if (!event->isAutoRepeat() && ToPianoKey(*event, key)) model_.KeyUp(key);
  QWidget::keyReleaseEvent(event);
}

void TECMusicKeyboard::focusInEvent(QFocusEvent*) {
  model_.Focused = true;
  update();
}

void TECMusicKeyboard::focusOutEvent(QFocusEvent*) {
  model_.Focused = false;
  update();
}

}  // namespace nv::editor
