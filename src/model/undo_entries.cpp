#include "model/undo_entries.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/instrument_stream.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/stream_strings.h"

void WriteUndoEntry(TECUndoStep& step, std::initializer_list<std::uint32_t> path,
                    const std::function<void(ByteStream&)>& payload) {
  MemoryStream& stream = step.Stream;
  const std::int64_t start = stream.Size();
  try {
    stream.Seek(0, SeekOrigin::soEnd);
    stream.WriteU32(static_cast<std::uint32_t>(start));
    for (std::uint32_t index : path) stream.WriteU32(index);
    if (payload) payload(stream);
    const std::int64_t end = stream.Position();
    stream.SetPosition(start);
    stream.WriteU32(static_cast<std::uint32_t>(end));
    stream.Seek(0, SeekOrigin::soEnd);
    ++step.EntryCount;
  } catch (const EStreamError&) {
    stream.SetSize(start);
    stream.SetPosition(start);
  }
}

void WriteUndoRowHeader(ByteStream& stream, const TECRow& row) {
  stream.WriteU32(static_cast<std::uint32_t>(row.VoiceMode()));
  stream.WriteU8(row.FiveLineStaff() ? 1 : 0);
  WriteStreamString(stream, row.Name());
  stream.WriteI32(row.MidiInstrument());
  stream.WriteI32(row.Channel());
  stream.WriteI32(row.Volume());
  stream.WriteI32(row.Pan());
  stream.WriteU8(row.Mute() ? 1 : 0);
  stream.WriteU8(row.United() ? 1 : 0);
}

std::vector<TECMeasure*> MeasuresHoldingLinksOn(const TECRow& row) {
  std::vector<TECMeasure*> holders;
  for (const auto& measure : row.Measures())
    for (const auto& note : measure->Notes)
      for (TECNote* later : note->LinkedNotes()) {
        TECMeasure* holder = later->Owner;
        if (holder && holder->Owner != &row && std::find(holders.begin(), holders.end(), holder) == holders.end())
          holders.push_back(holder);
      }
  return holders;
}

UndoRowHeader ReadUndoRowHeader(ByteStream& stream) {
  UndoRowHeader header;
  header.VoiceMode = static_cast<std::int32_t>(stream.ReadU32());
  header.FiveLine = stream.ReadU8();
  header.Name = ReadStreamString(stream);
  header.Program = stream.ReadI32();
  header.Channel = stream.ReadI32();
  header.Volume = stream.ReadI32();
  header.Pan = stream.ReadI32();
  header.Mute = stream.ReadU8();
  header.United = stream.ReadU8();
  return header;
}

void ApplyUndoRowHeader(TECRow& row, const UndoRowHeader& header) {
  row.SetVoiceMode(header.VoiceMode);
  row.SetFiveLineStaff(header.FiveLine != 0);
  row.SetName(header.Name);
  row.SetMidiInstrument(header.Program);
  row.SetChannel(header.Channel);
  row.SetVolume(header.Volume);
  row.SetPan(header.Pan);
  row.SetMute(header.Mute != 0);
  row.SetUnited(header.United != 0);
}

void WriteUndoInstrumentHeader(ByteStream& stream, const TECInstrument& instrument) {
  stream.WriteU32(static_cast<std::uint32_t>(instrument.GetIndex()));
  SaveInstrumentToStream(stream, instrument, true);
}

int ReadUndoInstrumentIndex(ByteStream& stream) { return static_cast<int>(stream.ReadU32()); }

void ReadUndoInstrumentHeader(ByteStream& stream, TECInstrument& instrument) {
  ScoreStreamContext context;
  context.UndoMode = true;
  if (const TECMusicScore* score = instrument.Score()) context.DefaultMeasureLength = score->DefaultMeasureLength();
  LoadInstrumentFromStream(stream, instrument, context);
}
