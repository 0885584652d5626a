#pragma once

#include "model/row.h"
#include "model/stream_blocks.h"

// The row block (marker 252): the row's settings and its measure blocks.

void SaveRowToStream(ByteStream& stream, const TECRow& row, bool undoMode);

// Replaces the row's measures and settings with the block's. A wrong marker
// raises EFileDamage("No row") before anything is read; damage inside the
// block leaves what was read and the stream at the block's end.
void LoadRowFromStream(ByteStream& stream, TECRow& row, const ScoreStreamContext& context);

// A MIDI channel as stored, made valid: channels count from 1; files that
// counted from 0 store 0, which becomes 1, and anything else outside 1..16
// falls back to 1.
int RepairedChannel(std::int32_t stored);
