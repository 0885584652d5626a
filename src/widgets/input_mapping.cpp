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

struct KeyPair {
  int Qt;
  std::uint16_t Code;
};

// Keys with a code of their own; where two Qt keys share a code, the first
// is the one a shortcut shows.
constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, vk::Backspace}, {Qt::Key_Tab, vk::Tab},       {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Return, vk::Return},       {Qt::Key_Enter, vk::Return},  {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},         {Qt::Key_PageUp, vk::PageUp}, {Qt::Key_PageDown, vk::PageDown},
    {Qt::Key_End, vk::End},             {Qt::Key_Home, vk::Home},     {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},               {Qt::Key_Right, vk::Right},   {Qt::Key_Down, vk::Down},
    {Qt::Key_Insert, vk::Insert},       {Qt::Key_Delete, vk::Delete},
};

// The numeric pad's operators, under Qt's keypad modifier.
constexpr KeyPair kPadKeys[] = {
    {Qt::Key_Asterisk, vk::PadMultiply}, {Qt::Key_Plus, vk::PadPlus},     {Qt::Key_Minus, vk::PadMinus},
    {Qt::Key_Period, vk::PadDecimal},    {Qt::Key_Comma, vk::PadDecimal}, {Qt::Key_Slash, vk::PadDivide},
};

template <std::size_t N>
std::optional<std::uint16_t> CodeOf(const KeyPair (&pairs)[N], int key) {
  for (const KeyPair& pair : pairs)
    if (pair.Qt == key) return pair.Code;
  return std::nullopt;
}

template <std::size_t N>
std::optional<int> QtKeyOf(const KeyPair (&pairs)[N], std::uint16_t code) {
  for (const KeyPair& pair : pairs)
    if (pair.Code == code) return pair.Qt;
  return std::nullopt;
}

std::optional<std::uint16_t> KeypadKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(vk::Pad0 + key - Qt::Key_0);
  return CodeOf(kPadKeys, key);
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
  return CodeOf(kNamedKeys, key);
}

QKeySequence KeySequenceOf(std::uint16_t code, TECShiftState shift) {
  Qt::KeyboardModifiers modifiers;
  if (shift & ssShift) modifiers |= Qt::ShiftModifier;
  if (shift & ssAlt) modifiers |= Qt::AltModifier;
  if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
  std::optional<int> key;
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    key = code;
  } else if (code >= vk::F1 && code < vk::F1 + 12) {
    key = Qt::Key_F1 + (code - vk::F1);
  } else if (code >= vk::Pad0 && code < vk::Pad0 + 10) {
    key = Qt::Key_0 + (code - vk::Pad0);
    modifiers |= Qt::KeypadModifier;
  } else if ((key = QtKeyOf(kPadKeys, code))) {
    modifiers |= Qt::KeypadModifier;
  } else {
    key = QtKeyOf(kNamedKeys, code);
  }
  if (!key) return {};
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(*key)));
}

bool IsToolCursorCode(int code) {
  return code != crDefault && code != crSizeNESW && code != crSizeNS && code != crSizeNWSE && code != crSizeWE &&
         code != crHandPoint;
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
