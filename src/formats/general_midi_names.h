#pragma once

#include <string_view>

// The General MIDI name of program 0..127 ("Acoustic Grand Piano" ...);
// empty for any other number.
std::string_view GeneralMidiName(int program);
