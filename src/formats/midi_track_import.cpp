#include "formats/midi_track_import.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "formats/midi_import.h"
#include "model/tied_notes.h"
#include "model/duration_split.h"
#include "model/step_pitch.h"
#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/stream_blocks.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"
#include "platform/text_case.h"

namespace {

// Channels count from 1 here, as the model counts them.
constexpr int kDrumChannelNumber = kDrumChannel + 1;
constexpr int kPercussionProgram = 128;
constexpr int kTrebleClef = 1;
constexpr int kBassClef = 2;
constexpr int kPercussionClef = 14;
// Middle C and above go to the treble staff.
constexpr int kMiddleCLine = 35;
constexpr int kQuarter = 32;
constexpr int kDefaultTempo = 120;
constexpr int kLowestTempo = 10;
constexpr int kHighestTempo = 65535;
// A measure holds at most this many imported notes or texts, so that with
// the rests between them it stays within what a measure block may hold.
constexpr std::size_t kMaxPerMeasure = kMaxMeasureElements / 2;
// Time signature changes taken from one file.
constexpr std::size_t kMaxTimeChanges = 1000;
// Note heads of the drum map are written as their index + 1 with this flag.
constexpr std::uint8_t kDrumHeadFlag = 16;

constexpr std::array<int, 12> kStepOfKey = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr std::array<bool, 12> kSharpOfKey = {false, true,  false, true,  false, false,
                                              true,  false, true,  false, true,  false};

enum MetaType : std::uint8_t {
  kText = 1,
  kCopyright = 2,
  kTrackName = 3,
  kInstrumentName = 4,
  kLyric = 5,
  kMarker = 6,
  kCue = 7,
  kTempo = 0x51,
  kTimeSignature = 0x58,
  kKeySignature = 0x59,
};

// Texts are cut to what a stored string holds, at a character boundary.
std::string CutText(std::string text) {
  if (text.size() > kMaxStreamStringLength) {
    std::size_t end = kMaxStreamStringLength;
    while (end > 0 && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
  }
  return text;
}

// Texts are kept as UTF-8, decoded like stored text when they are not.
std::string TextOf(std::span<const std::uint8_t> data) {
  return CutText(DecodeStoredText(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                                  LegacyTextCodePage()));
}

bool HoldsNotes(const TECRow& row) {
  return std::any_of(row.Measures().begin(), row.Measures().end(),
                     [](const auto& measure) { return !measure->Notes.empty(); });
}

bool HoldsNotes(const TECInstrument& instrument) {
  for (int r = 0; r < instrument.GetRowCount(); ++r)
    if (HoldsNotes(*instrument.GetRow(r))) return true;
  return false;
}

// The largest power of two not above n (n >= 1).
int PowerOfTwoBelow(int n) {
  int power = 1;
  while (power * 2 <= n) power *= 2;
  return power;
}

}  // namespace

MidiTrackImporter::MidiTrackImporter(TECMusicScore& score, int division)
    : score_(score),
      separate_(score.MidiSeparateSheets),
      grid_(std::clamp(score.MidiImportGrid, 1, 128)),
      division_(division) {
  drums_.Rebuild(score);
}

// --- positions ------------------------------------------------------------------------

std::int64_t MidiTrackImporter::GridPosition(std::int64_t fileTicks) const {
  const double steps = static_cast<double>(fileTicks) * kQuarter / grid_ / division_ + 0.000001;
  return static_cast<std::int64_t>(std::llround(steps)) * grid_;
}

std::int64_t MidiTrackImporter::MeasureStart(TECInstrument* instrument, int measure) {
  measure = std::clamp(measure, 0, kMaxImportedMeasures);
  // Starts are walked as far as they are asked for.
  auto& starts = measureStarts_[instrument];
  if (starts.empty()) starts.push_back(0);
  while (static_cast<int>(starts.size()) <= measure)
    starts.push_back(starts.back() + instrument->MeasureLength(static_cast<int>(starts.size()) - 1));
  return starts[static_cast<std::size_t>(measure)];
}

std::pair<int, int> MidiTrackImporter::Locate(TECInstrument* instrument, std::int64_t position) {
  auto& starts = measureStarts_[instrument];
  if (starts.empty()) starts.push_back(0);
  while (starts.back() <= position && static_cast<int>(starts.size()) <= kMaxImportedMeasures)
    starts.push_back(starts.back() + instrument->MeasureLength(static_cast<int>(starts.size()) - 1));
  if (position >= starts.back()) return {kMaxImportedMeasures, 0};
  const auto after = std::upper_bound(starts.begin(), starts.end(), position);
  const int measure = static_cast<int>(after - starts.begin()) - 1;
  return {measure, static_cast<int>(position - starts[static_cast<std::size_t>(measure)])};
}

std::pair<int, int> MidiTrackImporter::LocateBar(std::int64_t position) const {
  // Each change holds from its measure on; the score's length before.
  int measure = 0;
  int length = score_.DefaultMeasureLength();
  std::int64_t start = 0;
  for (const TimeChange& change : timeChanges_) {
    const std::int64_t span = static_cast<std::int64_t>(std::max(0, change.Measure - measure)) * length;
    if (position < start + span) break;
    start += span;
    measure = std::max(measure, change.Measure);
    length = change.Numerator * 128 / change.Denominator;
  }
  const std::int64_t bars = measure + (position - start) / length;
  if (bars >= kMaxImportedMeasures) return {kMaxImportedMeasures, 0};
  return {static_cast<int>(bars), static_cast<int>((position - start) % length)};
}

bool MidiTrackImporter::PlaceCursor(TECInstrument* instrument, std::int64_t position) {
  return PlaceCursorAt(Locate(instrument, position));
}

bool MidiTrackImporter::PlaceCursorAt(std::pair<int, int> at) {
  const auto [measure, tick] = at;
  if (measure >= kMaxImportedMeasures) {
    Stop();
    return false;
  }
  score_.GoToMeasureExtending(measure);
  score_.SetCursorPosition(tick);
  return score_.CursorMeasure() == measure && score_.CursorTick() == tick;
}

void MidiTrackImporter::Stop() {
  stopped_ = true;
  damaged_ = true;
}

// --- staves ---------------------------------------------------------------------------

MidiTrackImporter::Spelling MidiTrackImporter::Spell(int channel, int key, std::int64_t position) const {
  Spelling spelling;
  if (channel == kDrumChannelNumber) {
    const int index = drums_.ByPitch(key);
    if (index >= 0) {
      const TECDrumMapEntry& entry = score_.DrumMap()[static_cast<std::size_t>(index)];
      const int b = entry.Position - 23;
      if (b >= 0) {
        spelling.Octave = b / 7;
        spelling.Step = b % 7 + 1;
        if (entry.Head == 255) {
          spelling.Head = 255;
        } else {
          spelling.Head = static_cast<std::uint8_t>(entry.Head + 1);
          spelling.HeadFlags = kDrumHeadFlag;
        }
        return spelling;
      }
    }
  }
  // Black keys are sharps, flats under a key signature of flats.
  const auto signature = keys_.upper_bound(position);
  const bool flats = signature != keys_.begin() && std::prev(signature)->second < 0;
  const bool black = kSharpOfKey[static_cast<std::size_t>(key % 12)];
  const int spelled = black && flats ? key + 1 : key;
  spelling.Octave = spelled / 12;
  spelling.Step = kStepOfKey[static_cast<std::size_t>(spelled % 12)] + 1;
  if (black) spelling.Accidental = flats ? ek::Flat : ek::Sharp;
  return spelling;
}

TECInstrument* MidiTrackImporter::NewInstrument(int channel, int program) {
  TECInstrument* instrument = score_.AppendInstrument();
  score_.FireStaveChanged(&score_, TECStaveOperation::soAdded, instrument);
  staves_[instrument].Channel = channel;
  if (channel > 0) instrument->SetChannel(channel);
  instrument->SetMidiInstrument(program);
  return instrument;
}

TECRow* MidiTrackImporter::NewRow(TECInstrument* instrument, int channel) {
  TECRow* row = instrument->AppendRow();
  // Rows made after a time signature change take it as the rows that were
  // there took it.
  for (const TimeChange& change : timeChanges_)
    row->SetTimeSignature(change.Measure, change.Numerator, change.Denominator, 0);
  if (!timeChanges_.empty()) {
    instrument->UpdateMeasureTimes();
    measureStarts_.erase(instrument);
  }
  staves_[row].Channel = channel;
  if (channel > 0) row->SetChannel(channel);
  row->SetMidiInstrument(-1);
  score_.FireStaveChanged(instrument, TECStaveOperation::soAdded, row);
  return row;
}

TECInstrument* MidiTrackImporter::InstrumentOfChannel(int channel) {
  for (int i = 0; i < score_.InstrumentCount(); ++i) {
    TECInstrument* instrument = score_.GetInstrumentAt(i);
    if (staves_[instrument].Channel == channel) return instrument;
  }
  return nullptr;
}

TECRow* MidiTrackImporter::RowOfChannel(int channel) {
  for (int r = 0; r < instrument_->GetRowCount(); ++r) {
    TECRow* row = instrument_->GetRow(r);
    if (staves_[row].Channel == channel) return row;
  }
  return nullptr;
}

TECRow* MidiTrackImporter::PickRow(int channel, const Spelling& spelling) {
  const int clef =
      channel == kDrumChannelNumber ? kPercussionClef : (spelling.Line() > kMiddleCLine ? kTrebleClef : kBassClef);
  TECRow* row = nullptr;
  for (int r = 0; !row && r < instrument_->GetRowCount(); ++r)
    if (instrument_->GetRow(r)->GetClef(0) == clef) row = instrument_->GetRow(r);
  for (int r = 0; !row && r < instrument_->GetRowCount(); ++r)
    if (instrument_->GetRow(r)->GetClef(0) == 0) row = instrument_->GetRow(r);
  if (!row) row = NewRow(instrument_, -1);
  row->SetClef(0, clef);
  return row;
}

TECRow* MidiTrackImporter::TextRow() {
  if (!separate_) return row_;
  if (instrument_->GetRowCount() == 0) return NewRow(instrument_, -1);
  return instrument_->GetRow(0);
}

void MidiTrackImporter::SetProgram(TECModelObject* stave, int program) {
  if (separate_) {
    // Setting the program clears the name; a track name read before stays.
    auto* instrument = static_cast<TECInstrument*>(stave);
    const std::string name = instrument->Name();
    instrument->SetMidiInstrument(program);
    instrument->SetName(name);
  } else {
    static_cast<TECRow*>(stave)->SetMidiInstrument(program);
  }
}

void MidiTrackImporter::RemoveStave(TECModelObject* stave) {
  if (separate_) {
    auto* instrument = static_cast<TECInstrument*>(stave);
    for (int r = 0; r < instrument->GetRowCount(); ++r) staves_.erase(instrument->GetRow(r));
    measureStarts_.erase(instrument);
    staves_.erase(instrument);
    score_.DeleteInstrumentAt(score_.IndexOfInstrument(instrument));
  } else {
    auto* row = static_cast<TECRow*>(stave);
    staves_.erase(row);
    instrument_->RemoveRow(instrument_->IndexOfRow(row));
  }
}

// --- tracks ---------------------------------------------------------------------------

void MidiTrackImporter::BeginTrack() {
  trackTitled_ = false;
  pending_.clear();
  if (separate_) {
    instrument_ = NewInstrument(-1, -1);
    row_ = nullptr;
  } else {
    if (!instrument_) {
      instrument_ = score_.AppendInstrument();
      score_.FireStaveChanged(&score_, TECStaveOperation::soAdded, instrument_);
    }
    row_ = NewRow(instrument_, -1);
    instrument_->SetActiveRow(instrument_->IndexOfRow(row_));
    score_.GoToMeasureExtending(0);
    score_.SetCursorPosition(0);
  }
}

bool MidiTrackImporter::ImportTrack(std::span<const std::uint8_t> body) {
  if (stopped_) return false;
  BeginTrack();
  SmfTrackReader reader(body);
  SmfEvent event;
  while (!stopped_ && reader.Next(event)) HandleEvent(event);
  if (reader.Damaged()) damaged_ = true;
  EndTrack();
  return !stopped_;
}

void MidiTrackImporter::GiveUnsetChannels() {
  auto give = [this](TECModelObject* stave) {
    StaveState& state = staves_[stave];
    if (state.Channel > 0 || state.LastNoteChannel < 1) return;
    state.Channel = state.LastNoteChannel;
    const int program = state.Channel == kDrumChannelNumber ? kPercussionProgram : 0;
    if (separate_) {
      auto* instrument = static_cast<TECInstrument*>(stave);
      instrument->SetChannel(state.Channel);
      SetProgram(instrument, program);
      score_.FireStaveChanged(&score_, TECStaveOperation::soChanged, instrument);
    } else {
      auto* row = static_cast<TECRow*>(stave);
      row->SetChannel(state.Channel);
      row->SetMidiInstrument(program);
    }
  };
  if (separate_) {
    for (int i = 0; i < score_.InstrumentCount(); ++i) give(score_.GetInstrumentAt(i));
  } else if (instrument_) {
    for (int r = 0; r < instrument_->GetRowCount(); ++r) give(instrument_->GetRow(r));
  }
}

void MidiTrackImporter::EndTrack() {
  // Notes still sounding keep the length they were written with.
  pending_.clear();
  GiveUnsetChannels();
  // Staves that took no note go; a stave that holds notes stays, whichever
  // track gave them.
  if (separate_) {
    for (int i = score_.InstrumentCount() - 1; i >= 0; --i)
      if (!HoldsNotes(*score_.GetInstrumentAt(i))) RemoveStave(score_.GetInstrumentAt(i));
    // Treble above bass.
    for (int i = 0; i < score_.InstrumentCount(); ++i) {
      TECInstrument* instrument = score_.GetInstrumentAt(i);
      if (instrument->GetRowCount() >= 2 && instrument->GetRow(1)->GetClef(0) < instrument->GetRow(0)->GetClef(0)) {
        instrument->SetActiveRow(1);
        instrument->MoveActiveRow(-1);
        measureStarts_.erase(instrument);
      }
    }
    instrument_ = nullptr;
  } else {
    for (int r = instrument_->GetRowCount() - 1; r >= 0; --r)
      if (!HoldsNotes(*instrument_->GetRow(r))) RemoveStave(instrument_->GetRow(r));
    measureStarts_.erase(instrument_);
  }
  row_ = nullptr;
}

// --- events ---------------------------------------------------------------------------

void MidiTrackImporter::HandleEvent(const SmfEvent& event) {
  if (event.Status == kSmfMeta) {
    Meta(event);
    return;
  }
  switch (event.Kind()) {
    case 0x90:
      if (event.Data2 > 0) {
        NoteOn(event);
        return;
      }
      NoteOff(event);
      return;
    case 0x80:
      NoteOff(event);
      return;
    case 0xB0:
      Controller(event);
      return;
    case 0xC0:
      ProgramChange(event);
      return;
    default:
      return;
  }
}

void MidiTrackImporter::NoteOn(const SmfEvent& event) {
  const int channel = event.Channel() + 1;
  const int key = event.Data1;
  // A second note-on of a sounding key ends the first.
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    if (pending_[i].Channel == channel && pending_[i].Key == key) {
      EndPending(i, event.Tick);
      break;
    }
  }
  if (notes_ >= kMaxImportedNotes) {
    Stop();
    return;
  }
  const std::int64_t position = GridPosition(event.Tick);
  const Spelling spelling = Spell(channel, key, position);
  TECRow* row = nullptr;
  if (separate_) {
    if (TECInstrument* owner = InstrumentOfChannel(channel)) instrument_ = owner;
    row = PickRow(channel, spelling);
    staves_[instrument_].LastNoteChannel = channel;
  } else {
    row = RowOfChannel(channel);
    if (!row && staves_[row_].Channel < 0) {
      row = row_;
      staves_[row].Channel = channel;
      row->SetChannel(channel);
    }
    if (!row) row = NewRow(instrument_, channel);
    row_ = row;
    if (channel == kDrumChannelNumber)
      row->SetClef(0, kPercussionClef);
    else if (spelling.Line() <= kMiddleCLine)
      row->SetClef(0, kBassClef);
    else if (row->GetClef(0) != kBassClef)
      row->SetClef(0, kTrebleClef);
    staves_[row].LastNoteChannel = channel;
  }
  if (!PlaceCursor(instrument_, position)) return;
  const int measure = score_.CursorMeasure();
  if (const TECMeasure* target = row->GetMeasure(measure); target && target->Notes.size() >= kMaxPerMeasure) {
    damaged_ = true;
    return;
  }
  // One plain piece until the note-off gives the length.
  const int room = instrument_->MeasureLength(measure) - score_.CursorTick();
  const int duration = PowerOfTwoBelow(std::max(1, std::min(grid_, room)));
  TECNote* note = row->InsertPitchedNote(spelling.Step, spelling.Octave, spelling.Head, spelling.HeadFlags, 0,
                                         spelling.Accidental, duration);
  if (!note) return;
  ++notes_;
  // How far the grid moved the start: ticks of 1/128, bit 7 when the note
  // really starts earlier.
  const double exact = static_cast<double>(event.Tick) * kQuarter / division_;
  const double shift = exact - static_cast<double>(position);
  const int amount = std::min(127, static_cast<int>(std::lround(std::fabs(shift))));
  const auto offset = static_cast<std::uint8_t>(amount | (shift < 0 && amount > 0 ? 0x80 : 0));
  note->Velocity = event.Data2;
  note->StartOffset = offset;
  pending_.push_back({note, row, channel, key, event.Data2, offset, position, event.Tick});
}

void MidiTrackImporter::EndPending(std::size_t index, std::int64_t now) {
  const PendingNote ending = pending_[index];
  pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(index));
  std::int64_t length = std::max<std::int64_t>(grid_, GridPosition(now - ending.ExactStart));
  // A note may not reach past the last measure the import fills.
  TECInstrument* instrument = ending.Row->Owner();
  const std::int64_t room = MeasureStart(instrument, kMaxImportedMeasures) - ending.Start;
  if (length > room) {
    length = room;
    Stop();
  }
  if (length == ending.Note->Length || length <= 0) return;
  ending.Row->ReflowNote(ending.Note, static_cast<int>(length), ending.StartOffset, ending.Velocity);
}

void MidiTrackImporter::NoteOff(const SmfEvent& event) {
  const int channel = event.Channel() + 1;
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    if (pending_[i].Channel == channel && pending_[i].Key == event.Data1) {
      EndPending(i, event.Tick);
      return;
    }
  }
}

void MidiTrackImporter::Controller(const SmfEvent& event) {
  if (event.Data1 != 7 && event.Data1 != 10) return;
  if (separate_) {
    if (event.Data1 == 7)
      instrument_->SetVolume(event.Data2);
    else
      instrument_->SetPan(event.Data2);
  } else {
    if (event.Data1 == 7)
      row_->SetVolume(event.Data2);
    else
      row_->SetPan(event.Data2);
  }
}

void MidiTrackImporter::ProgramChange(const SmfEvent& event) {
  const int channel = event.Channel() + 1;
  const int program = event.Data1;
  TECModelObject* current = separate_ ? static_cast<TECModelObject*>(instrument_) : row_;
  StaveState& state = staves_[current];
  auto giveChannel = [&](TECModelObject* stave) {
    staves_[stave].Channel = channel;
    if (separate_)
      static_cast<TECInstrument*>(stave)->SetChannel(channel);
    else
      static_cast<TECRow*>(stave)->SetChannel(channel);
  };
  if (state.Channel < 0) {
    giveChannel(current);
    SetProgram(current, program);
    return;
  }
  if (state.Channel == channel) {
    SetProgram(current, program);
    return;
  }
  if (separate_) {
    TECInstrument* owner = InstrumentOfChannel(channel);
    instrument_ = owner ? owner : NewInstrument(channel, program);
    SetProgram(instrument_, program);
  } else {
    TECRow* owner = RowOfChannel(channel);
    row_ = owner ? owner : NewRow(instrument_, channel);
    SetProgram(row_, program);
  }
}

// --- meta events -------------------------------------------------------------------------

void MidiTrackImporter::Meta(const SmfEvent& event) {
  switch (event.MetaType) {
    case kText:
    case kCopyright:
    case kTrackName:
    case kInstrumentName:
    case kLyric:
    case kMarker:
    case kCue:
      TextMeta(event);
      return;
    case kTempo:
      TempoMeta(event);
      return;
    case kTimeSignature:
      TimeSignatureMeta(event);
      return;
    case kKeySignature:
      KeySignatureMeta(event);
      return;
    default:
      return;
  }
}

void MidiTrackImporter::TextMeta(const SmfEvent& event) {
  const std::string text = TextOf(event.Data);
  if (text.empty()) return;
  const std::int64_t position = GridPosition(event.Tick);
  switch (event.MetaType) {
    case kCopyright: {
      score_.Rights = CutText(score_.Rights.empty() ? text : score_.Rights + " " + text);
      return;
    }
    case kInstrumentName:
      if (separate_)
        instrument_->SetName(text);
      else
        row_->SetName(text);
      return;
    case kTrackName:
      if (separate_) {
        if (instrument_->Name().empty()) instrument_->SetName(text);
        // One title per track: a file of track names alone must not give
        // more page objects than an instrument block holds.
        if (!trackTitled_) instrument_->AddPageText(30, 40, {text}, "Arial", 12, 0, 0);
        trackTitled_ = true;
        return;
      }
      // The row's name stands left of its staff; a text item would cover
      // the first notes. Only a second name becomes a text.
      if (row_->Name().empty()) {
        row_->SetName(text);
        return;
      }
      break;
    case kText:
      if (position == 0) {
        std::vector<std::string> lines = score_.Description();
        const bool known = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
          return nv::platform::SameTextIgnoringCase(line, text);
        });
        if (!known && lines.size() < kMaxStreamStrings) {
          lines.push_back(text);
          score_.SetDescription(lines);
        }
        return;
      }
      break;
    default:
      break;
  }
  // A text item at the position.
  TECRow* row = TextRow();
  if (!PlaceCursor(instrument_, position)) return;
  if (const TECMeasure* target = row->GetMeasure(score_.CursorMeasure());
      target && target->Items.size() >= kMaxPerMeasure) {
    damaged_ = true;
    return;
  }
  // Font size, style, the place as step and octave (lyrics under the
  // staff, other texts above it), and the flags: lyrics centred on the
  // note column.
  const bool lyric = event.MetaType == kLyric;
  const std::array<std::uint8_t, 5> style = {10, 0, 1, static_cast<std::uint8_t>(lyric ? 3 : 6),
                                             static_cast<std::uint8_t>(lyric ? 1 : 0)};
  row->AddTextItems({text}, "Arial", style, 0, 0);
}

void MidiTrackImporter::TempoMeta(const SmfEvent& event) {
  if (event.Data.size() < 3) return;
  const std::uint32_t micros =
      static_cast<std::uint32_t>(event.Data[0]) << 16 | static_cast<std::uint32_t>(event.Data[1]) << 8 | event.Data[2];
  if (micros == 0) return;
  // To the nearest whole tempo: 666667 microseconds are 90 beats.
  const int tempo = std::clamp(static_cast<int>((60000000 + micros / 2) / micros), kLowestTempo, kHighestTempo);
  const auto [measure, tick] = LocateBar(GridPosition(event.Tick));
  if (measure >= kMaxImportedMeasures) return;
  tempos_[measure] = tempo;
  if (firstTempo_ == 0) firstTempo_ = tempo;
}

bool MidiTrackImporter::RebarFits(int from, int length) {
  for (int i = 0; i < score_.InstrumentCount(); ++i) {
    TECInstrument* instrument = score_.GetInstrumentAt(i);
    const int count = instrument->MaxMeasureCount();
    if (count <= from) continue;
    const std::int64_t ticks = MeasureStart(instrument, count) - MeasureStart(instrument, from);
    if (from + (ticks + length - 1) / length > kMaxImportedMeasures) return false;
  }
  return true;
}

void MidiTrackImporter::TimeSignatureMeta(const SmfEvent& event) {
  if (event.Data.size() < 2 || event.Data[1] > 4) return;
  const int numerator = event.Data[0];
  const int denominator = 1 << event.Data[1];
  // What the score's time signature takes; others are passed over.
  if (!ValidTimeSignature(numerator, denominator)) return;
  // Every change re-bars the music after it; a file of endless changes
  // would take hours.
  if (timeChanges_.size() >= kMaxTimeChanges) {
    damaged_ = true;
    return;
  }
  if (!PlaceCursorAt(LocateBar(GridPosition(event.Tick)))) return;
  // Shorter measures re-bar the music read so far into more of them.
  if (!RebarFits(timeSignatureSeen_ ? score_.CursorMeasure() : 0, numerator * 128 / denominator)) {
    Stop();
    return;
  }
  // Re-barring frees notes: those still sounding keep their written length.
  pending_.clear();
  if (!timeSignatureSeen_) {
    timeSignatureSeen_ = true;
    score_.SetTimeSignature(numerator, denominator, 0, true);
  } else {
    timeChanges_.push_back({score_.CursorMeasure(), numerator, denominator});
    score_.SetTimeSignature(numerator, denominator, 0, false);
  }
  measureStarts_.clear();
}

void MidiTrackImporter::KeySignatureMeta(const SmfEvent& event) {
  if (event.Data.empty()) return;
  const int fifths = static_cast<std::int8_t>(event.Data[0]);
  if (fifths < -7 || fifths > 7) return;
  keys_[GridPosition(event.Tick)] = fifths;
}

// --- the end ----------------------------------------------------------------------------

void MidiTrackImporter::MarkAccidentals() {
  for (int i = 0; i < score_.InstrumentCount(); ++i) {
    TECInstrument* instrument = score_.GetInstrumentAt(i);
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      // The alteration each note sounds: its own accidental, or for a note
      // tied over the bar line the one of the note it continues.
      std::unordered_map<const TECNote*, int> sounding;
      for (const auto& measure : instrument->GetRow(r)->Measures()) {
        std::vector<TECNote*> notes;
        for (const auto& note : measure->Notes)
          if (ek::IsNoteStep(note->Kind)) notes.push_back(note.get());
        std::stable_sort(notes.begin(), notes.end(),
                         [](const TECNote* a, const TECNote* b) { return a->Start < b->Start; });
        std::map<std::pair<int, int>, int> written;  // (step, octave) -> alteration
        std::unordered_map<const TECNote*, int> here;
        for (TECNote* note : notes) {
          const int step = ek::NoteStep(note->Kind);
          const std::pair<int, int> pitch{step, note->Octave};
          std::optional<int> own;
          for (const auto& attribute : note->Attributes)
            if (int shift = 0; duration_split::AccidentalShift(attribute->Kind, shift)) own = shift;
          int intended = own.value_or(0);
          if (!own)
            if (const TECNote* from = TiedFromBefore(*note); from && sounding.contains(from))
              intended = sounding.at(from);
          const auto found = written.find(pitch);
          const int inForce =
              found != written.end() ? found->second : step_pitch::KeyAlteration(measure->KeyInForce, step);
          if (!own && intended != inForce) {
            note->Attributes.push_back(MakeNoteAttribute(step_pitch::AccidentalCode(intended), note));
            own = intended;
          }
          if (own) written[pitch] = *own;
          here[note] = intended;
        }
        sounding = std::move(here);
      }
    }
  }
}

void MidiTrackImporter::Finish() {
  score_.SetTempo(firstTempo_ > 0 ? firstTempo_ : kDefaultTempo);
  // On one sheet, a file without notes leaves the instrument without rows.
  if (!separate_ && instrument_ && instrument_->GetRowCount() == 0) {
    score_.DeleteInstrumentAt(score_.IndexOfInstrument(instrument_));
    instrument_ = nullptr;
  }
  // Measures that hold more notes than a measure block may lose the last.
  for (int i = 0; i < score_.InstrumentCount(); ++i) {
    TECInstrument* instrument = score_.GetInstrumentAt(i);
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      TECRow* row = instrument->GetRow(r);
      for (const auto& measure : row->Measures()) {
        while (measure->Notes.size() > kMaxPerMeasure) {
          row->DeleteNote(measure->Notes.back().get());
          damaged_ = true;
        }
      }
    }
  }
  MarkAccidentals();
  for (const auto& [measure, tempo] : tempos_) {
    score_.GoToMeasureExtending(measure);
    score_.SetCursorPosition(0);
    for (int i = 0; i < score_.InstrumentCount(); ++i) score_.GetInstrumentAt(i)->AddTempoMark(kQuarter, tempo);
  }
}
