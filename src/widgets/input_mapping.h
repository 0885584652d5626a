#pragma once

#include <QKeySequence>
#include <Qt>

#include <cstdint>
#include <optional>

#include "model/input_state.h"

class QKeyEvent;

namespace nv::widgets {

// Qt's modifier keys and held mouse buttons as the score's shift flags.
TECShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// The score's button for a Qt button; none for the extra buttons.
std::optional<TECMouseButton> MouseButtonOf(Qt::MouseButton button);

// The virtual-key code the score's key table reads for a Qt key press; none
// for a key that has no such code. The numeric pad's digits and operators
// (Qt's keypad modifier) have codes of their own.
std::optional<std::uint16_t> VirtualKeyOf(const QKeyEvent& event);

// The key sequence of a virtual-key code with the score's shift flags, as
// a shortcut shows it; empty for a code no Qt key gives.
QKeySequence KeySequenceOf(std::uint16_t code, TECShiftState shift);

// Whether a score cursor code asks for the main window's tool cursor (any
// code that is no shape of its own).
bool IsToolCursorCode(int code);

// The Qt shape of a score cursor code (crDefault, the four resize shapes
// and crHandPoint); the arrow for any other code.
Qt::CursorShape CursorShapeOf(int code);

}  // namespace nv::widgets
