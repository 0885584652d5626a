#pragma once

#include <array>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/stream_blocks.h"

// The measure block (marker 253) of a row: clef, key and time records, the
// beam setting, the notes with their attributes and play notes, the rests
// and the measure items.

// A link that a note of a later measure holds on a note read in undo mode:
// the note read, where the note that holds the link lies, and the link's
// stored record.
struct IncomingLink {
  TECNote* Earlier = nullptr;
  TECNotePath Later;
  std::uint8_t Kind = 0;
  std::array<std::uint8_t, 8> Bytes{};
};

// Where a note lies in its instrument; false for a note outside a row.
bool PathOf(const TECNote* note, TECNotePath& path);
// The note at a path, or none.
TECNote* NoteAt(const TECInstrument* instrument, const TECNotePath& path);

// Returns measure i of the row, appending empty measures up to it; with
// `clear` it first frees what the measure holds.
TECMeasure* PrepareMeasure(TECRow& row, int index, bool clear);

// `undoMode` adds, for every link that a note of a later measure holds on a
// note of this one, an entry that lets the reader restore it (undo and
// clipboard payloads). Raises EWriteError for a block that cannot be stored.
void SaveMeasure(ByteStream& stream, const TECMeasure& measure, bool undoMode);

// Reads a measure block into measure `index` of the row, which is created or
// emptied first. A block with another marker is passed over after its
// marker byte; a damaged block leaves the measure empty and the stream at
// the block's end. Unless the context defers them, the measure's links are
// resolved and its beam groups rebuilt.
void LoadMeasure(ByteStream& stream, TECRow& row, int index, const ScoreStreamContext& context);

// The bytes SaveMeasure writes for the measure outside undo mode, counting
// also the links that lead nowhere (which it leaves out): at most the block
// it writes. Reading checks with it that a measure can be stored again.
std::size_t StoredMeasureSize(const TECMeasure& measure);

// Reads a measure block into `measure`, a fresh record meant for place
// `measure.Index` of the row, so that a caller can swap it in only when the
// read succeeds (undo). False when the block has another marker or is
// damaged. Links and beam groups are left to the caller.
bool ReadMeasureBlock(ByteStream& stream, TECRow& row, TECMeasure& measure, const ScoreStreamContext& context);

// Connects the links of one measure that still hold only their partner's
// path; a path that leads nowhere drops the link.
void ResolveMeasureLinks(TECInstrument* instrument, TECMeasure& measure);

// Connects every link of the instrument that still holds only the path of
// its partner; a path that leads nowhere drops the link.
void ResolveLinks(TECInstrument& instrument);
