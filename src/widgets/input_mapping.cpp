#include "widgets/input_mapping.h"

#include <QKeyEvent>

namespace nv::widgets {

TECShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TECShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

std::optional<TECMouseButton> MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return TECMouseButton::mbLeft;
    case Qt::RightButton: return TECMouseButton::mbRight;
    case Qt::MiddleButton: return TECMouseButton::mbMiddle;
    default: return std::nullopt;
  }
}

namespace {

std::optional<std::uint16_t> KeypadKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(vk::Pad0 + key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk: return vk::PadMultiply;
    case Qt::Key_Plus: return vk::PadPlus;
    case Qt::Key_Minus: return vk::PadMinus;
    case Qt::Key_Period:
    case Qt::Key_Comma: return vk::PadDecimal;
    case Qt::Key_Slash: return vk::PadDivide;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<std::uint16_t> VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (const auto code = KeypadKey(key)) return code;
  }
  // Letters and digits share their codes with upper-case ASCII.
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return static_cast<std::uint16_t>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<std::uint16_t>(vk::F1 + key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return vk::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::PageUp;
    case Qt::Key_PageDown: return vk::PageDown;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    default: return std::nullopt;
  }
}

Qt::CursorShape CursorShapeOf(int code) {
  switch (code) {
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace nv::widgets
