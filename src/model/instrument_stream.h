#pragma once

#include "model/instrument.h"
#include "model/stream_blocks.h"

// The instrument block (marker 251): the instrument's settings, system and
// measure layout tables, its rows, its symbols row and its texts row.

void SaveInstrumentToStream(ByteStream& stream, const TECInstrument& instrument, bool undoMode);

// Replaces the instrument's contents with the block's. A wrong marker raises
// EFileDamage("Not instrument") before anything is read; damage inside the
// block leaves what was read and the stream at the block's end. Links are
// resolved and beam groups rebuilt once the rows are read.
void LoadInstrumentFromStream(ByteStream& stream, TECInstrument& instrument, const ScoreStreamContext& context);

// The symbols-row item list of measure i: a u16 count, then per item a u16
// size and its bytes. Reading creates or empties the entry first.
void SaveMeasureItems(ByteStream& stream, const TECSymbolEntry& entry);
void LoadMeasureItems(ByteStream& stream, TECInstrument& instrument, int i);

// Which system records the writer keeps: those up to the last one that holds
// a layout setting (indents, own settings, row offsets); the page index is
// the layout pass's and does not count.
std::size_t StoredSystemCount(const std::vector<TECRowInfo>& systems);
