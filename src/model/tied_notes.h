#pragma once

#include "model/measure.h"

// The earlier note that `note` continues across the bar line: a link partner
// of the same pitch in another measure, reached by a note that starts its
// measure; none otherwise.
const TECNote* TiedFromBefore(const TECNote& note);

// The earlier note that `note` continues as a tie: a link partner of the same
// step and octave, without a tremolo, that ends where `note` starts, in its
// measure or at the end of the row's previous measure (`previousLength`
// ticks long) while `note` opens its own; none otherwise.
const TECNote* TiedFrom(const TECNote& note, int previousLength);
