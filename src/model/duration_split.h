#pragma once

#include <cstdint>
#include <vector>

// How a duration in ticks is written as note values: plain powers of two,
// dots when the remainder allows them, and the member lengths of tuplets.
namespace duration_split {

// The largest power of two not above `remainder`, at most a whole note
// (128): longer remainders go on as dots and further pieces, never as a
// value no note head stands for.
int PieceValue(int remainder);

// Ticks that dots add to a piece of value `value` when `remaining` ticks
// (the piece included) are still to be written: value/2 for one dot,
// value/2 + value/4 for two, 0 when the remainder does not reach a dot.
int DotAllowance(int value, int remaining);

// The dot attribute code (101 or 102) of an allowance, 0 for none.
std::uint8_t DotCode(int value, int allowance);

// Ticks spanned by a tuplet of `count` notes of `unit` ticks: three for two
// or four, two for three, four for five or six, eight for seven, nine or
// ten, six for eight.
int TupletSpan(int count, int unit);

// Member lengths of a tuplet: the span divided as evenly as whole ticks
// allow, the shorter members first.
std::vector<std::uint8_t> TupletLengths(int span, int count);

// The sounding accidental that an attribute code stands for (-2..2), or no
// value for a code that is no accidental.
bool AccidentalShift(std::uint8_t code, int& shift);

}  // namespace duration_split
