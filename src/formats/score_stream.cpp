#include "formats/score_stream.h"

#include <algorithm>
#include <optional>

#include "formats/drum_stream.h"
#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/instrument_stream.h"
#include "model/measure.h"
#include "model/memory_stream.h"
#include "model/read_limits.h"
#include "model/row.h"
#include "model/stream_blocks.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace {

constexpr std::uint16_t kHeaderFieldCount = 33;
// Header field counts below this hold the legacy time words 1/1 and 1/2.
constexpr std::uint16_t kFirstModernHeader = 30;
constexpr std::uint16_t kFirstKeptDrumHeads = 852;
constexpr int kLowestTempo = 10;
constexpr int kDefaultMeasureLength = 128;
// The cursor's measure can lie past the last measure (an edit there appends
// up to it), but not past any row a file may hold; its tick lies within the
// longest measure a time signature or pickup gives.
constexpr int kMaxCursorMeasure = kMaxMeasuresPerRow;
constexpr int kMaxCursorTick = 0xFFFF;

// What a load changes besides the model, restored however it ends: undo is
// locked, layout suspended and DoChanged silent. The document that owns the
// score holds its listeners' notices back meanwhile.
class LoadState {
 public:
  explicit LoadState(TECMusicScore& score) : score_(score), lock_(score) {
    score_.LayoutSuspended = true;
    score_.SuppressChanged = true;
  }
  ~LoadState() {
    score_.LayoutSuspended = false;
    score_.SuppressChanged = false;
    score_.FileVersion = kScoreFileVersion;
  }
  LoadState(const LoadState&) = delete;
  LoadState& operator=(const LoadState&) = delete;

 private:
  TECMusicScore& score_;
  ScopedUndoLock lock_;
};

int UnionCountOfStyle(TECUnionStyle style) {
  switch (style) {
    case TECUnionStyle::usFull: return 1;
    case TECUnionStyle::usHalf: return 2;
    case TECUnionStyle::usQuarter: return 4;
    case TECUnionStyle::usNone: return 0;
    case TECUnionStyle::usDenominator: return -1;
  }
  return -1;
}

int InRangeOrZero(std::int32_t stored, int highest) { return stored >= 0 && stored <= highest ? stored : 0; }

// Header values that take effect together once the header is read.
struct ScoreHeader {
  std::uint16_t Version = 0;
  std::uint16_t Fields = 0;
  int ActivePage = 0;
  int Instrument = 0;
  int Measure = 0;
  int Tick = 0;
  std::uint16_t TimeWord = 0;
  std::uint8_t SizeStyle = 0;
  std::uint16_t Pickup = 0;
  std::optional<TECUnionStyle> UnionStyle;
  std::optional<int> UnionCount;
};

void ReadHeaderFields(ByteStream& s, TECMusicScore& score, ScoreHeader& h, ScoreStreamContext& context) {
  auto has = [&h](int field) { return h.Fields >= field; };
  if (has(1)) h.ActivePage = s.ReadI32();
  if (has(2)) h.Instrument = s.ReadI32();
  // A cursor value past its bound is damage: the cursor stays at the start.
  if (has(3)) h.Measure = InRangeOrZero(s.ReadI32(), kMaxCursorMeasure);
  if (has(4)) h.Tick = InRangeOrZero(s.ReadI32(), kMaxCursorTick);
  // The style is the control's own and never comes from a file.
  if (has(5)) s.ReadU16();
  if (has(6)) score.SetTempo(std::max(kLowestTempo, s.ReadI32()));
  if (has(7)) {
    const int unit = s.ReadU16() & 0xFF;
    if (unit <= static_cast<int>(TECMetrix::rmPixels)) score.SetMetrix(static_cast<TECMetrix>(unit));
  }
  if (has(8)) {
    const std::int32_t zoom = s.ReadI32();
    if (zoom >= TECMusicScore::kLowestZoom && zoom <= TECMusicScore::kHighestZoom) score.SetZoom(zoom);
  }
  if (has(9)) h.TimeWord = s.ReadU16();
  if (has(10)) score.Page().LoadFromStream(s);
  if (has(11)) h.UnionCount = s.ReadU8() != 0 ? 1 : 2;
  if (has(12)) h.Pickup = s.ReadU16();
  if (has(13)) {
    // Entries of a table no longer used, each half a measure of byte pairs;
    // the measure is the one of the word just read, or the default.
    const int numerator = h.TimeWord >> 8;
    const int denominator = h.TimeWord & 0xFF;
    const int length =
        ValidTimeSignature(numerator, denominator) ? numerator * 128 / denominator : kDefaultMeasureLength;
    const std::uint16_t count = s.ReadU16();
    const std::uint64_t entryBytes = static_cast<std::uint64_t>(length / 2) * 2;
    s.CheckAvailable(count, entryBytes);
    s.Skip(static_cast<std::int64_t>(count * entryBytes));
  }
  if (has(14)) score.SetVertAlign(s.ReadU8() != 0);
  if (has(15)) score.SetHorzAlign(s.ReadU8() != 0);
  if (has(16)) score.Composer = ReadStoredText(s);
  if (has(17)) score.SetDescription(ReadStoredTextList(s));
  if (has(18)) score.SetPrintEmpty(s.ReadU8() != 0);
  if (has(19)) score.SetPrintNumber(s.ReadU8() != 0);
  if (has(20)) {
    const std::int32_t scale = s.ReadI32();
    if (scale >= TECMusicScore::kLowestZoom && scale <= TECMusicScore::kHighestZoom) score.SetScale(scale);
  }
  if (has(21)) score.SetPrintLines(s.ReadU8() != 0);
  if (has(22)) {
    const int style = s.ReadU8();
    if (style <= static_cast<int>(TECUnionStyle::usDenominator)) {
      h.UnionStyle = static_cast<TECUnionStyle>(style);
      h.UnionCount = UnionCountOfStyle(*h.UnionStyle);
    }
  }
  if (has(23)) score.SetStartBarNumber(s.ReadI32());
  if (has(24)) {
    const int style = s.ReadU8();
    if (style <= static_cast<int>(TECNumberStyle::nsPage)) score.SetNumberStyle(static_cast<TECNumberStyle>(style));
  }
  if (has(25)) score.DrumHeads() = ReadDrumHeads(s, context);
  if (has(26)) {
    const std::uint8_t mode = s.ReadU8();
    if (mode <= 2) score.SetNoteInterval(mode);
  }
  if (has(27)) score.SetDensity(s.ReadU8() != 0);
  if (has(28)) {
    // The layout pass divides by it.
    const std::int32_t count = s.ReadI32();
    if (count >= 1) score.SetMeasureCount(count);
  }
  if (has(29)) score.DrumMap() = ReadDrumMap(s);
  if (has(30)) h.SizeStyle = s.ReadU8();
  if (has(31)) score.Rights = ReadStoredText(s);
  if (has(32)) {
    const std::int32_t scale = s.ReadI32();
    if (scale > 0) score.SetTempoScale(scale);
  }
  if (has(33)) h.UnionCount = s.ReadI32();
}

void ApplyTimeSettings(TECMusicScore& score, const ScoreHeader& h) {
  if (h.UnionStyle) score.SetUnionStyle(*h.UnionStyle);
  int numerator = h.TimeWord >> 8;
  int denominator = h.TimeWord & 0xFF;
  std::uint8_t sizeStyle = h.SizeStyle;
  if (h.Fields < kFirstModernHeader && numerator == 1 && (denominator == 1 || denominator == 2)) {
    // Older files wrote common time as 1/1 and cut time as 1/2.
    sizeStyle = static_cast<std::uint8_t>(denominator);
    numerator = denominator == 1 ? 4 : 2;
    denominator = 4;
  }
  // A word the setter would refuse (a zero part, say) keeps the present one.
  if (ValidTimeSignature(numerator, denominator)) score.SetTimeSignature(numerator, denominator, sizeStyle, true);
  // A pickup of value 0 would divide by zero; it keeps the present one too.
  if ((h.Pickup & 0xFF) != 0) score.SetAufTakt(h.Pickup >> 8, h.Pickup & 0xFF);
  if (h.UnionCount) score.SetUnionCount(*h.UnionCount);
  score.UpdateUnionLength();
}

// Puts the cursor where the stream left it, as far as the score allows.
void PlaceCursor(TECMusicScore& score, const ScoreHeader& h) {
  if (score.InstrumentCount() == 0) return;
  const int instrument = h.Instrument >= 0 && h.Instrument < score.InstrumentCount() ? h.Instrument : 0;
  if (instrument != score.GetActiveInstrument()) score.SetActiveInstrument(instrument);
  const int pages = score.CurrentInstrument()->PageCount();
  const int page = h.ActivePage >= 0 && h.ActivePage < pages ? h.ActivePage : 0;
  if (page != score.GetActivePage()) score.SetActivePage(page);
  score.GoToMeasure(h.Measure);
  score.SetCursorPosition(h.Tick);
}

// The settings a stream's header gives, from one score to another. Both
// directions go through here: the score read starts from the open score's
// settings (a header field a stream lacks or refuses keeps the present
// value), and hands them back once it has been read in full.
void CopyHeaderSettings(const TECMusicScore& from, TECMusicScore& to) {
  to.SetTempo(from.GetTempo());
  to.SetMetrix(from.GetMetrix());
  to.SetZoom(from.GetZoom());
  to.SetPage(from.Page());
  to.SetVertAlign(from.GetVertAlign());
  to.SetHorzAlign(from.GetHorzAlign());
  to.Composer = from.Composer;
  to.SetDescription(from.Description());
  to.SetPrintEmpty(from.GetPrintEmpty());
  to.SetPrintNumber(from.GetPrintNumber());
  to.SetScale(from.GetScale());
  to.SetPrintLines(from.GetPrintLines());
  to.SetStartBarNumber(from.GetStartBarNumber());
  to.SetNumberStyle(from.GetNumberStyle());
  to.SetNoteInterval(from.NoteInterval());
  to.SetDensity(from.GetDensity());
  to.SetMeasureCount(from.MeasureCount());
  to.DrumMap() = const_cast<TECMusicScore&>(from).DrumMap();
  to.Rights = from.Rights;
  to.SetTempoScale(from.GetTempoScale());
  to.AssignTimeSettings(from);
}

// One reading of the stream into `score`, which holds no instruments yet.
ScoreHeader ReadScore(ByteStream& s, TECMusicScore& score, ReadBudget& budget) {
  LoadState state(score);
  score.FileVersion = 0;
  ScoreStreamContext context;
  context.Version = 0;
  context.Budget = &budget;
  const std::uint8_t marker = s.ReadU8();
  if (marker == ek::ScoreStream) {
    ReadStreamString(s);
    context.Version = s.ReadU16();
    if (context.Version > kScoreFileVersion) throw EFileVersion();
  } else if (marker == ek::OldScoreStream) {
    context.OldestForm = true;
  } else {
    // Not a score stream at all: an error, not an empty score.
    throw EFileDamage();
  }
  score.FileVersion = context.Version;

  ScoreHeader header;
  header.Version = context.Version;
  header.Fields = s.ReadU16();
  ReadHeaderFields(s, score, header, context);
  ApplyTimeSettings(score, header);
  context.DefaultMeasureLength = score.DefaultMeasureLength();

  const std::uint16_t count = s.ReadU16();
  CheckReadLimit(count, kMaxInstruments, "instruments");
  s.CheckAvailable(count, 5);
  for (std::uint16_t i = 0; i < count; ++i) LoadInstrumentFromStream(s, *score.AppendInstrument(), context);
  return header;
}

bool Overlong(std::string_view text) { return text.size() > kMaxStreamStringLength; }

bool Overlong(const std::vector<std::string>& list) {
  return list.size() > kMaxStreamStrings || std::any_of(list.begin(), list.end(), [](const auto& text) {
           return Overlong(text);
         });
}

bool Overlong(const std::vector<std::unique_ptr<TECPageObject>>& objects) {
  return std::any_of(objects.begin(), objects.end(), [](const auto& object) {
    if (object->Kind != ek::PageText) return false;
    const auto& text = static_cast<const TECPageText&>(*object);
    return Overlong(text.FontName) || Overlong(text.Lines);
  });
}

// What the writer may refuse outside the measures of a score read: a text
// that grew past a string's length as it was decoded from an older code
// page, or spacing entries that older files hold one per two ticks.
// Everything else there was read with the counts and sizes it is written
// with.
bool MayNotStoreOutsideMeasures(TECMusicScore& score) {
  if (Overlong(score.Composer) || Overlong(score.Description()) || Overlong(score.Rights)) return true;
  for (const auto& head : score.DrumHeads())
    if (Overlong(head->Name) || Overlong(head->Shapes)) return true;
  for (const TECDrumMapEntry& entry : score.DrumMap())
    if (Overlong(entry.Name)) return true;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score.GetInstrumentAt(i);
    if (Overlong(instrument.Name()) || Overlong(instrument.TextsRow().Objects)) return true;
    for (const auto& layout : instrument.Layouts())
      if (layout->Extents.size() > kMaxStreamCount) return true;
    for (int r = 0; r < instrument.GetRowCount(); ++r)
      if (Overlong(instrument.GetRow(r)->Name())) return true;
  }
  return false;
}

// Reads from memory: a stream that holds its data elsewhere (a file) is
// copied first, and left after what was read.
ScoreHeader ReadScoreFromMemory(ByteStream& stream, TECMusicScore& score, ReadBudget& budget) {
  if (stream.DataInMemory()) return ReadScore(stream, score, budget);
  const std::int64_t start = stream.Position();
  MemoryStream copy(stream.ReadBytes(static_cast<std::size_t>(stream.Remaining())));
  stream.SetPosition(start);
  const ScoreHeader header = ReadScore(copy, score, budget);
  stream.SetPosition(start + copy.Position());
  return header;
}

}  // namespace

void SaveScoreToStream(const TECMusicScore& score, ByteStream& s) {
  s.WriteU8(ek::ScoreStream);
  WriteStreamString(s, kScoreStreamTitle);
  s.WriteU16(kScoreFileVersion);
  s.WriteU16(kHeaderFieldCount);
  s.WriteI32(score.GetActivePage());
  s.WriteI32(score.GetActiveInstrument());
  s.WriteI32(score.CursorMeasure());
  s.WriteI32(score.CursorTick());
  s.WriteU16(static_cast<std::uint16_t>(score.GetStyle()));
  s.WriteI32(score.GetTempo());
  s.WriteU16(static_cast<std::uint16_t>(score.GetMetrix()));
  s.WriteI32(score.GetZoom());
  s.WriteU16(score.TimeWord());
  score.Page().SaveToStream(s);
  s.WriteU8(score.GetUnionStyle() == TECUnionStyle::usFull ? 1 : 0);
  s.WriteU16(score.AufTaktWord());
  s.WriteU16(0);
  s.WriteU8(score.GetVertAlign() ? 1 : 0);
  s.WriteU8(score.GetHorzAlign() ? 1 : 0);
  WriteStreamString(s, score.Composer);
  WriteStreamStrings(s, score.Description());
  s.WriteU8(score.GetPrintEmpty() ? 1 : 0);
  s.WriteU8(score.GetPrintNumber() ? 1 : 0);
  s.WriteI32(score.GetScale());
  s.WriteU8(score.GetPrintLines() ? 1 : 0);
  s.WriteU8(static_cast<std::uint8_t>(score.GetUnionStyle()));
  s.WriteI32(score.GetStartBarNumber());
  s.WriteU8(static_cast<std::uint8_t>(score.GetNumberStyle()));
  // The model gives its drum tables out for change only; they are read here.
  WriteDrumHeads(s, const_cast<TECMusicScore&>(score).DrumHeads());
  s.WriteU8(score.NoteInterval());
  s.WriteU8(score.GetDensity() ? 1 : 0);
  s.WriteI32(score.MeasureCount());
  WriteDrumMap(s, const_cast<TECMusicScore&>(score).DrumMap());
  s.WriteU8(score.GetSizeStyle());
  WriteStreamString(s, score.Rights);
  s.WriteI32(score.GetTempoScale());
  s.WriteI32(score.GetUnionCount());
  WriteCount(s, static_cast<std::size_t>(score.InstrumentCount()));
  for (int i = 0; i < score.InstrumentCount(); ++i) SaveInstrumentToStream(s, *score.GetInstrumentAt(i), false);
}

void LoadScoreFromStream(TECMusicScore& score, ByteStream& stream) {
  CheckReadLimit(stream.Remaining(), kMaxScoreBytes, "bytes");
  // The stream is read once, into a score of its own that replaces the open
  // one's contents only when the whole stream was read: a damaged stream
  // leaves the open score as it was.
  TECMusicScore read;
  CopyHeaderSettings(score, read);
  read.AssignDrumHeads(score);
  ReadBudget budget;
  const ScoreHeader header = ReadScoreFromMemory(stream, read, budget);
  // A score that could not be saved again is refused rather than opened.
  // Reading tells when it may be so; only then is it saved here, to learn
  // whether it can be and why not.
  if (budget.MayNotStoreAgain || MayNotStoreOutsideMeasures(read)) {
    try {
      MemoryStream saved;
      SaveScoreToStream(read, saved);
    } catch (const EWriteError& e) {
      throw EFileLimit(std::string("The file cannot be saved again as read: ") + e.what());
    }
  }

  LoadState state(score);
  score.AdoptInstruments(read);
  // Rows and instruments report themselves read to the open score, whose
  // handlers did not see the reading.
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    TECInstrument& instrument = *score.GetInstrumentAt(i);
    for (int r = 0; r < instrument.GetRowCount(); ++r)
      score.FireStaveChanged(instrument.GetRow(r), TECStaveOperation::soChanged, instrument.GetRow(r));
    score.FireStaveChanged(&instrument, TECStaveOperation::soChanged, &instrument);
  }
  CopyHeaderSettings(read, score);
  if (header.Version < kFirstKeptDrumHeads)
    score.ClearDrumHeads();
  else
    score.DrumHeads() = std::move(read.DrumHeads());
  PlaceCursor(score, header);
}
