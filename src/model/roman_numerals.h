#pragma once

#include <string>

// Roman numerals as the score numbers things: one "X" per ten, then the
// ones digit ("I" to "IX"); so 14 is "XIV", 40 is "XXXX", 0 is empty.
// Numbers below 1 give the empty string.
std::string IntToRoman(int n);
