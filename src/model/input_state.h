#pragma once

#include <cstdint>

// What the window hands the score with each mouse or key call: the button
// and the modifier keys and buttons held, as flags.

enum class TECMouseButton { mbLeft, mbRight, mbMiddle };

using TECShiftState = unsigned;
constexpr TECShiftState ssShift = 1u << 0;
constexpr TECShiftState ssAlt = 1u << 1;
constexpr TECShiftState ssCtrl = 1u << 2;
constexpr TECShiftState ssLeft = 1u << 3;
constexpr TECShiftState ssRight = 1u << 4;
constexpr TECShiftState ssMiddle = 1u << 5;
// The press is the second of a double click.
constexpr TECShiftState ssDouble = 1u << 6;

// Key codes the window hands the score. Letters and digits are their
// upper-case ASCII codes; F1 to F12 run on from F1.
namespace vk {
constexpr std::uint16_t Backspace = 8;
constexpr std::uint16_t Tab = 9;
constexpr std::uint16_t Return = 13;
constexpr std::uint16_t Escape = 27;
constexpr std::uint16_t Space = 32;
constexpr std::uint16_t PageUp = 33;
constexpr std::uint16_t PageDown = 34;
constexpr std::uint16_t End = 35;
constexpr std::uint16_t Home = 36;
constexpr std::uint16_t Left = 37;
constexpr std::uint16_t Up = 38;
constexpr std::uint16_t Right = 39;
constexpr std::uint16_t Down = 40;
constexpr std::uint16_t Insert = 45;
constexpr std::uint16_t Delete = 46;
constexpr std::uint16_t Pad0 = 96;  // to Pad9 = 105
constexpr std::uint16_t PadMultiply = 106;
constexpr std::uint16_t PadPlus = 107;
constexpr std::uint16_t PadMinus = 109;
constexpr std::uint16_t PadDecimal = 110;
constexpr std::uint16_t PadDivide = 111;
constexpr std::uint16_t F1 = 112;
}  // namespace vk

// Mouse cursor shapes the score asks its window for (IECScoreHost::
// SetMouseCursor); the tool cursor of the main window is any other value.
constexpr int crDefault = 0;
constexpr int crSizeNESW = -6;
constexpr int crSizeNS = -7;
constexpr int crSizeNWSE = -8;
constexpr int crSizeWE = -9;
constexpr int crHandPoint = -21;
// The slot of the main window's tool cursor.
constexpr int kToolCursor = 5;
