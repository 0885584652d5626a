#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/stream.h"
#include "model/undo_step.h"

class TECInstrument;
class TECMeasure;
class TECRow;

// The entries of an undo step: an end position, an index path, then the
// stored block. The third field of the path tells them apart.
namespace undo_entry {
// In place of a row index: the settings entry of the staff itself.
inline constexpr std::uint32_t StaffSettings = 253;
inline constexpr std::uint32_t Attachment = 254;
inline constexpr std::uint32_t PageObject = 255;
}  // namespace undo_entry

// Appends one entry to the step's stream: the end position, the index
// path, then what `payload` writes; the end position is patched and the
// entry counted. When writing fails the stream is cut back to where the
// entry began and the failure goes no further, so a step never holds half
// an entry.
void WriteUndoEntry(TECUndoStep& step, std::initializer_list<std::uint32_t> path,
                    const std::function<void(ByteStream&)>& payload = {});

// The settings of a row that a step re-creates, written before its first
// entry: voice mode (u32) and five-line flag (u8), then name, MIDI program,
// channel, volume, pan, mute and united flag, so that a row comes back
// whole.
struct UndoRowHeader {
  std::int32_t VoiceMode = 0;
  std::uint8_t FiveLine = 1;
  std::string Name;
  std::int32_t Program = -1;
  std::int32_t Channel = 1;
  std::int32_t Volume = -1;
  std::int32_t Pan = -1;
  std::uint8_t Mute = 0;
  std::uint8_t United = 0;
};

void WriteUndoRowHeader(ByteStream& stream, const TECRow& row);
UndoRowHeader ReadUndoRowHeader(ByteStream& stream);
void ApplyUndoRowHeader(TECRow& row, const UndoRowHeader& header);

// The measures of other rows whose notes hold links on notes of `row`:
// freeing the row takes those links off them, so a step that removes the row
// saves them after its own measures.
std::vector<TECMeasure*> MeasuresHoldingLinksOn(const TECRow& row);

// The instrument that a step re-creates, written in front of the step: its
// index and its whole instrument block, so that it comes back with every
// setting, row, measure, symbol and page object. The step of a deleted
// instrument needs nothing else.
void WriteUndoInstrumentHeader(ByteStream& stream, const TECInstrument& instrument);
// Reads the index of the instrument the header describes.
int ReadUndoInstrumentIndex(ByteStream& stream);
// Reads the instrument block into a new instrument.
void ReadUndoInstrumentHeader(ByteStream& stream, TECInstrument& instrument);
