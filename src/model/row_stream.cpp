#include "model/row_stream.h"

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure_stream.h"
#include "model/music_score.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace {

constexpr std::uint16_t kRowFieldCount = 9;
constexpr int kLowestProgram = -1;
constexpr int kHighestProgram = 128;

void ReadRowBody(ByteStream& stream, TECRow& row, const ScoreStreamContext& context) {
  const std::uint16_t fields = stream.ReadU16();
  if (fields >= 1) row.SetVoiceMode(stream.ReadU16());
  if (fields >= 2) row.SetFiveLineStaff(stream.ReadU8() != 0);
  if (fields >= 3) {
    const std::int32_t program = stream.ReadI32();
    if (program >= kLowestProgram && program <= kHighestProgram) row.SetMidiInstrument(program);
  }
  if (fields >= 4) row.SetName(ReadStoredText(stream));
  if (fields >= 5) row.SetChannel(RepairedChannel(stream.ReadI32()));
  if (fields >= 6) row.SetMute(stream.ReadU8() != 0);
  if (fields >= 7) row.SetUnited(stream.ReadU8() != 0);
  if (fields >= 8) row.SetVolume(stream.ReadI32());
  if (fields >= 9) row.SetPan(stream.ReadI32());
  const std::uint16_t measures = stream.ReadU16();
  if (context.Budget) context.Budget->TakeMeasures(measures, "measures in a row");
  // Each measure block takes at least its marker and length.
  stream.CheckAvailable(measures, 3);
  for (int i = 0; i < measures; ++i) LoadMeasure(stream, row, i, context);
}

}  // namespace

int RepairedChannel(std::int32_t stored) { return stored >= 1 && stored <= 16 ? stored : 1; }

void SaveRowToStream(ByteStream& stream, const TECRow& row, bool undoMode) {
  BlockWriter block(stream, ek::RowBlock, 4);
  stream.WriteU16(kRowFieldCount);
  stream.WriteU16(static_cast<std::uint16_t>(row.VoiceMode()));
  stream.WriteU8(row.FiveLineStaff() ? 1 : 0);
  stream.WriteI32(row.MidiInstrument());
  WriteStreamString(stream, row.Name());
  stream.WriteI32(row.Channel());
  stream.WriteU8(row.Mute() ? 1 : 0);
  stream.WriteU8(row.United() ? 1 : 0);
  stream.WriteI32(row.Volume());
  stream.WriteI32(row.Pan());
  WriteCount(stream, row.Measures().size());
  for (const auto& measure : row.Measures()) SaveMeasure(stream, *measure, undoMode);
  block.Finish();
}

void LoadRowFromStream(ByteStream& stream, TECRow& row, const ScoreStreamContext& context) {
  const std::int64_t start = stream.Position();
  if (stream.ReadU8() != ek::RowBlock) throw EFileDamage("No row");
  row.ClearMeasures();
  ReadBlockBody(stream, start, 4, [&] { ReadRowBody(stream, row, context); });
  if (TECMusicScore* score = row.Score()) score->FireStaveChanged(&row, TECStaveOperation::soChanged, &row);
}
