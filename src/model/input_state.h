#pragma once

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

// Mouse cursor shapes the score asks its window for (IECScoreHost::
// SetMouseCursor); the tool cursor of the main window is any other value.
constexpr int crDefault = 0;
constexpr int crSizeNESW = -6;
constexpr int crSizeNS = -7;
constexpr int crSizeNWSE = -8;
constexpr int crSizeWE = -9;
constexpr int crHandPoint = -21;
