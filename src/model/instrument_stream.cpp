#include "model/instrument_stream.h"

#include <algorithm>
#include <span>

#include "model/element_kinds.h"
#include "model/measure_stream.h"
#include "model/music_score.h"
#include "model/page_object_stream.h"
#include "model/row.h"
#include "model/row_stream.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

using namespace recbytes;

namespace {

constexpr std::uint16_t kInstrumentFieldCount = 12;
constexpr std::size_t kSystemEntrySize = 17;
constexpr std::size_t kOldSystemEntrySize = 12;
constexpr std::size_t kOldestSystemEntrySize = 24;
constexpr int kMaxSpaceAfterBar = 999;
// More pages than any score can fill; a larger stored count is damage.
constexpr int kMaxPageCount = 9999;

// Indents and row offsets in base pixels: ten metres of page either way. The
// layout adds them to page positions and scales them by the zoom; a stored
// value past the bound is damage and reads as 0 (no indent, no offset).
constexpr std::int32_t kMaxSystemShift = 100000;

constexpr std::uint16_t kLastOldestSystems = 639;
constexpr std::uint16_t kLastUnsizedSystems = 852;
constexpr std::uint16_t kLastWithoutPageBreak = 640;
constexpr std::uint16_t kFirstFullTimes = 848;

bool IsSymbolKind(std::uint8_t kind) {
  return (kind >= 71 && kind <= 76) || (kind >= 80 && kind <= 82) || (kind >= 85 && kind <= 88) ||
         kind == ek::TempoMark;
}

bool HoldsSetting(const TECRowInfo& system) {
  return system.LeftIndent != 0 || system.RightIndent != 0 || system.OwnSettings != 0 || system.Density != 0 ||
         system.SpacingMode != 0 || system.MeasureCount != 0 || system.HorzAlign != 0 || !system.RowOffsets.empty();
}

// --- writing ---------------------------------------------------------------------------

void SaveSystems(ByteStream& stream, const std::vector<TECRowInfo>& systems) {
  const std::size_t count = StoredSystemCount(systems);
  WriteCount(stream, count);
  stream.WriteU8(kSystemEntrySize);
  for (std::size_t s = 0; s < count; ++s) {
    const TECRowInfo& system = systems[s];
    std::array<std::uint8_t, kSystemEntrySize> bytes{};
    PutI32(bytes, 0, system.LeftIndent);
    PutI32(bytes, 4, system.RightIndent);
    PutU32(bytes, 8, system.Page);
    bytes[12] = system.OwnSettings;
    bytes[13] = system.Density;
    bytes[14] = system.SpacingMode;
    bytes[15] = system.MeasureCount;
    bytes[16] = system.HorzAlign;
    stream.WriteBuffer(bytes.data(), bytes.size());
    WriteCount(stream, system.RowOffsets.size());
    for (std::int32_t offset : system.RowOffsets) stream.WriteI32(offset);
  }
}

// True when a record holds a setting of its own, which the layout pass does
// not compute.
bool HoldsSetting(const TECMeasureLayout& layout) {
  if (layout.SpaceAfterBar != 0 || layout.PageBreak != 0) return true;
  return std::any_of(layout.Extents.begin(), layout.Extents.end(),
                     [](const TECExtentPair& pair) { return pair.Before != 0 || pair.After != 0; });
}

// The records up to the last one that holds a setting: those after it hold
// only what the layout pass computes, and the pass fills whole pages with
// them, so how far the last pass reached must not change the stored bytes.
void SaveLayouts(ByteStream& stream, const std::vector<std::unique_ptr<TECMeasureLayout>>& all) {
  std::size_t count = all.size();
  while (count > 0 && !HoldsSetting(*all[count - 1])) --count;
  const std::span<const std::unique_ptr<TECMeasureLayout>> layouts(all.data(), count);
  WriteCount(stream, layouts.size());
  for (const auto& layout : layouts) {
    stream.WriteU16(layout->SpaceAfterBar);
    stream.WriteU8(layout->PageBreak);
    WriteCount(stream, layout->Extents.size());
    for (const TECExtentPair& pair : layout->Extents) {
      stream.WriteU8(pair.Before);
      stream.WriteU8(pair.After);
    }
  }
}

// The row-group table: one 16-bit entry per group, its row count in the low
// byte and its bracket flags in the high byte.
void SaveRowGroups(ByteStream& stream, const std::vector<std::array<std::int32_t, 2>>& groups) {
  WriteCount(stream, groups.size());
  for (const auto& group : groups) {
    if (group[0] < 0 || group[0] > 255 || group[1] < 0 || group[1] > 255)
      throw EWriteError("A row group does not fit its stored form");
    stream.WriteU16(static_cast<std::uint16_t>(group[0] | group[1] << 8));
  }
}

// --- reading ---------------------------------------------------------------------------

std::int32_t SystemShift(std::int32_t stored) {
  return stored >= -kMaxSystemShift && stored <= kMaxSystemShift ? stored : 0;
}

TECRowInfo ReadSystem(ByteStream& stream, std::uint16_t version, std::size_t entrySize) {
  std::array<std::uint8_t, 255> bytes{};
  stream.ReadBuffer(bytes.data(), entrySize);
  TECRowInfo system;
  system.LeftIndent = SystemShift(GetI32(bytes, 0));
  system.RightIndent = SystemShift(GetI32(bytes, 4));
  system.Page = GetU32(bytes, 8);
  if (version <= kLastOldestSystems) {
    for (std::size_t at = 12; at < kOldestSystemEntrySize; at += 4)
      system.RowOffsets.push_back(SystemShift(GetI32(bytes, at)));
    return system;
  }
  system.OwnSettings = bytes[12];
  system.Density = bytes[13];
  system.SpacingMode = bytes[14];
  system.MeasureCount = bytes[15];
  system.HorzAlign = bytes[16];
  const std::uint16_t offsets = stream.ReadU16();
  stream.CheckAvailable(offsets, 4);
  system.RowOffsets.reserve(offsets);
  for (std::uint16_t i = 0; i < offsets; ++i) system.RowOffsets.push_back(SystemShift(stream.ReadI32()));
  return system;
}

std::vector<TECRowInfo> ReadSystems(ByteStream& stream, const ScoreStreamContext& context) {
  const std::uint16_t version = context.Version;
  const std::uint16_t count = stream.ReadU16();
  if (context.Budget) context.Budget->TakeMeasures(count, "systems in an instrument");
  std::size_t entrySize = kOldestSystemEntrySize;
  if (version > kLastUnsizedSystems)
    entrySize = stream.ReadU8();
  else if (version > kLastOldestSystems)
    entrySize = kOldSystemEntrySize;
  stream.CheckAvailable(count, entrySize);
  std::vector<TECRowInfo> systems;
  systems.reserve(count);
  for (std::uint16_t s = 0; s < count; ++s) systems.push_back(ReadSystem(stream, version, entrySize));
  return systems;
}

void ReadLayouts(ByteStream& stream, TECInstrument& instrument, const ScoreStreamContext& context) {
  const std::uint16_t count = stream.ReadU16();
  if (context.Budget) context.Budget->TakeMeasures(count, "measure layout records in an instrument");
  stream.CheckAvailable(count, 2);
  const std::uint16_t version = context.Version;
  for (int i = 0; i < count; ++i) {
    TECMeasureLayout& layout = *instrument.EnsureLayout(i);
    const std::uint16_t space = stream.ReadU16();
    layout.SpaceAfterBar = space <= kMaxSpaceAfterBar ? space : 0;
    if (version > kLastWithoutPageBreak) layout.PageBreak = stream.ReadU8() != 0 ? 1 : 0;
    const std::size_t pairs =
        version <= kLastOldestSystems ? static_cast<std::size_t>(std::max(0, context.DefaultMeasureLength))
                                      : stream.ReadU16();
    stream.CheckAvailable(pairs, 2);
    // Files with halved times hold one pair per two ticks.
    const bool strided = version > kLastOldestSystems && version < kFirstFullTimes;
    layout.Extents.assign(strided ? pairs * 2 : pairs, TECExtentPair{});
    for (std::size_t p = 0; p < pairs; ++p) {
      TECExtentPair& pair = layout.Extents[strided ? p * 2 : p];
      pair.Before = stream.ReadU8();
      pair.After = stream.ReadU8();
    }
  }
}

std::vector<std::array<std::int32_t, 2>> ReadRowGroups(ByteStream& stream) {
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, 2);
  std::vector<std::array<std::int32_t, 2>> groups;
  groups.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint16_t value = stream.ReadU16();
    groups.push_back({value & 0xFF, value >> 8});
  }
  return groups;
}

void ClearInstrument(TECInstrument& instrument) {
  while (instrument.GetRowCount() > 0) instrument.RemoveRow(instrument.GetRowCount() - 1);
  instrument.SymbolsRow().Entries.clear();
  instrument.TextsRow().Objects.clear();
  instrument.Layouts().clear();
  instrument.Systems.clear();
  instrument.Pairs.clear();
  instrument.LayoutValid = false;
}

void ReadInstrumentBody(ByteStream& stream, TECInstrument& instrument, const ScoreStreamContext& context) {
  const std::uint16_t fields = stream.ReadU16();
  if (fields >= 1) {
    const std::int32_t program = stream.ReadI32();
    if (program >= 0 && program <= 128) instrument.SetMidiInstrument(program);
  }
  if (fields >= 2) instrument.SetName(ReadStoredText(stream));
  if (fields >= 3) instrument.SetChannel(RepairedChannel(stream.ReadI32()));
  if (fields >= 4) instrument.SetMute(stream.ReadU8() != 0);
  if (fields >= 5) {
    const std::int32_t pages = stream.ReadI32();
    if (pages > kMaxPageCount) throw EFileDamage();
    instrument.SetPageCount(pages);
  }
  if (fields >= 6) instrument.Systems = ReadSystems(stream, context);
  if (fields >= 7) ReadLayouts(stream, instrument, context);
  if (fields >= 8) instrument.SetAccolade(stream.ReadU8() != 0 ? 1 : 0);
  if (fields >= 9) instrument.Pairs = ReadRowGroups(stream);
  if (fields >= 10) instrument.SetAsMusicScore(stream.ReadU8() != 0);
  if (fields >= 11) instrument.SetVolume(stream.ReadI32());
  if (fields >= 12) instrument.SetPan(stream.ReadI32());

  ScoreStreamContext rows = context;
  rows.Deferred = true;
  const std::uint16_t rowCount = stream.ReadU16();
  if (context.Budget) CheckReadLimit(rowCount, kMaxRowsPerInstrument, "rows in an instrument");
  stream.CheckAvailable(rowCount, 5);
  for (std::uint16_t r = 0; r < rowCount; ++r) LoadRowFromStream(stream, *instrument.AppendRow(), rows);

  const std::uint16_t symbols = stream.ReadU16();
  if (context.Budget) context.Budget->TakeMeasures(symbols, "symbols-row measures in an instrument");
  stream.CheckAvailable(symbols, 2);
  for (int i = 0; i < symbols; ++i) LoadMeasureItems(stream, instrument, i);

  auto objects = LoadPageObjects(stream, PageObjectForm::LongSize);
  for (auto& object : objects) {
    object->Owner = &instrument;
    instrument.TextsRow().Objects.push_back(std::move(object));
  }
}

}  // namespace

std::size_t StoredSystemCount(const std::vector<TECRowInfo>& systems) {
  std::size_t count = systems.size();
  while (count > 0 && !HoldsSetting(systems[count - 1])) --count;
  return count;
}

void SaveMeasureItems(ByteStream& stream, const TECSymbolEntry& entry) {
  WriteCount(stream, entry.Items.size());
  for (const auto& item : entry.Items) {
    std::array<std::uint8_t, 8> bytes{};
    const std::size_t size = item->StoredSize();
    item->Store(bytes);
    stream.WriteU16(static_cast<std::uint16_t>(size));
    stream.WriteBuffer(bytes.data(), size);
  }
}

void LoadMeasureItems(ByteStream& stream, TECInstrument& instrument, int i) {
  TECSymbolEntry* entry = instrument.GetSymbolMeasure(i, true);
  entry->Flag = 0;
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, 2);
  for (std::uint16_t n = 0; n < count; ++n) {
    const std::vector<std::uint8_t> bytes = stream.ReadBytes(stream.ReadU16());
    // The symbols row holds no other kinds; anything else is passed over.
    if (bytes.empty() || !IsSymbolKind(bytes[0])) continue;
    auto item = std::make_unique<TECSymbolItem>(bytes[0], entry);
    item->Load(bytes);
    if (item->Kind == ek::SymbolMultiRest) entry->Flag = 1;
    entry->Items.push_back(std::move(item));
  }
}

void SaveInstrumentToStream(ByteStream& stream, const TECInstrument& instrument, bool undoMode) {
  BlockWriter block(stream, ek::InstrumentBlock, 4);
  stream.WriteU16(kInstrumentFieldCount);
  stream.WriteI32(instrument.MidiInstrument());
  WriteStreamString(stream, instrument.Name());
  stream.WriteI32(instrument.Channel());
  stream.WriteU8(instrument.Mute() ? 1 : 0);
  stream.WriteI32(instrument.PageCount());
  SaveSystems(stream, instrument.Systems);
  SaveLayouts(stream, instrument.Layouts());
  stream.WriteU8(static_cast<std::uint8_t>(instrument.Accolade()));
  SaveRowGroups(stream, instrument.Pairs);
  stream.WriteU8(instrument.AsMusicScore() ? 1 : 0);
  stream.WriteI32(instrument.Volume());
  stream.WriteI32(instrument.Pan());

  WriteCount(stream, static_cast<std::size_t>(instrument.GetRowCount()));
  for (int r = 0; r < instrument.GetRowCount(); ++r) SaveRowToStream(stream, *instrument.GetRow(r), undoMode);
  const TECSymbolsRow& symbols = instrument.SymbolsRow();
  WriteCount(stream, static_cast<std::size_t>(symbols.Count()));
  for (int i = 0; i < symbols.Count(); ++i) SaveMeasureItems(stream, *symbols.At(i));
  SavePageObjects(stream, instrument.TextsRow().Objects, PageObjectForm::LongSize);
  block.Finish();
}

void LoadInstrumentFromStream(ByteStream& stream, TECInstrument& instrument, const ScoreStreamContext& context) {
  const std::int64_t start = stream.Position();
  if (stream.ReadU8() != ek::InstrumentBlock) throw EFileDamage("Not instrument");
  ClearInstrument(instrument);
  ReadBlockBody(stream, start, 4, [&] { ReadInstrumentBody(stream, instrument, context); });
  ResolveLinks(instrument);
  instrument.UpdateMeasureTimes();
  for (int r = 0; r < instrument.GetRowCount(); ++r) instrument.GetRow(r)->RebuildUnionsFrom(0, false, false);
  if (TECMusicScore* score = instrument.Score())
    score->FireStaveChanged(&instrument, TECStaveOperation::soChanged, &instrument);
}
