#pragma once

#include <memory>
#include <vector>

#include "model/drum_tables.h"
#include "model/stream_blocks.h"

// The drum-head table and the drum map as stored in the score header.

void WriteDrumHeads(ByteStream& stream, const std::vector<std::unique_ptr<TECDrumHead>>& heads);
std::vector<std::unique_ptr<TECDrumHead>> ReadDrumHeads(ByteStream& stream, const ScoreStreamContext& context);

void WriteDrumMap(ByteStream& stream, const std::vector<TECDrumMapEntry>& map);
// An entry whose pitch is no MIDI key is left out; a later entry for a pitch
// replaces an earlier one, so that each key has one entry at most.
std::vector<TECDrumMapEntry> ReadDrumMap(ByteStream& stream);
