#pragma once

#include <cstdint>

// A number no record has had before. Every measure, row and symbols-row
// entry takes one when it is made and another at each change of what it
// holds, so that the layout pass finds the measures an edit left alone by
// comparing numbers instead of contents. Never 0.
std::uint64_t NewContentRevision();
