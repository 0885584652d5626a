#pragma once

#include "model/measure.h"

// The earlier note that `note` continues across the bar line: a link partner
// of the same pitch in another measure, reached by a note that starts its
// measure; none otherwise.
const TECNote* TiedFromBefore(const TECNote& note);
