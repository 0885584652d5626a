#include "playback/play_list_builder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

#include "model/drum_map.h"
#include "playback/play_settings.h"
#include "model/instrument.h"
#include "model/row.h"
#include "model/step_pitch.h"
#include "model/tied_notes.h"
#include "model/symbols_row.h"

namespace {

// Symbols-row kinds that steer the walk.
constexpr std::uint8_t kSegno = 71;
constexpr std::uint8_t kCoda = 72;
constexpr std::uint8_t kToCoda = 73;
constexpr std::uint8_t kDaCapo = 74;
constexpr std::uint8_t kDalSegno = 75;
constexpr std::uint8_t kStartRepeat = 85;
constexpr std::uint8_t kEndRepeat = 86;
// Measure-item kinds that playback reads.
constexpr std::uint8_t kDrumKeyMark = 117;
constexpr std::uint8_t kOttavaUp = 223;
constexpr std::uint8_t kOttavaDown = 224;
// Option flag of a note that is written but not played, and of a note with
// its own drum head.
constexpr std::uint8_t kSilentNote = 0x20;
constexpr std::uint8_t kOwnDrumHead = 0x10;

bool HasKind(const TECSymbolEntry* entry, std::uint8_t kind) {
  if (!entry) return false;
  return std::any_of(entry->Items.begin(), entry->Items.end(), [&](const auto& item) { return item->Kind == kind; });
}

std::int16_t ValidProgram(int program) { return program >= 0 && program <= 127 ? program : -1; }

int StepOf(const TECNote& note) { return ek::NoteStep(note.Kind); }

// Alteration of an accidental code, or none.
std::optional<int> AccidentalAlteration(int code) {
  switch (code) {
    case ek::Flat:
    case ek::NaturalFlat: return -1;
    case ek::DoubleFlat: return -2;
    case ek::Sharp:
    case ek::NaturalSharp: return 1;
    case ek::DoubleSharp: return 2;
    default: return std::nullopt;
  }
}

bool ValidKey(int key) { return key >= 0 && key <= 127; }

// An ottava span of a row in absolute ticks.
struct Ottava {
  int Measure = 0;
  long long Start = 0;
  long long Length = 0;
  int Shift = 0;
};

// What a row's walk needs of the row, read once.
struct RowInfo {
  TECInstrument* Instrument = nullptr;
  int InstrumentIndex = 0;
  TECRow* Row = nullptr;
  std::uint16_t Id = 0;
  bool CursorInstrument = false;
  int BaseChannel = 0;
  int Program = -1;
  std::vector<int> Lengths;
  std::vector<long long> Starts;
  std::vector<int> Keys;
  std::vector<int> Clefs;
  std::vector<Ottava> Ottavas;
};

// The keys of one measure as its notes are met: an accidental sets the
// alteration of its natural key for the rest of the measure, whatever the
// key signature; an unmarked note takes that alteration, else the key's.
class MeasurePitches {
 public:
  MeasurePitches(int keyInForce, int ottavaShift) : key_(keyInForce), shift_(ottavaShift) {}

  // Natural key of a step in an octave, the ottava applied.
  int Natural(int step, int octave) const { return (octave + shift_) * 12 + step_pitch::Semitone(step); }
  int KeyAlteration(int step) const { return step_pitch::KeyAlteration(key_, step); }
  void Remember(int natural, int alteration) {
    if (ValidKey(natural)) memory_[natural] = alteration;
  }
  // The key of a step written without its own accidental.
  int Written(int step, int natural) const {
    const std::optional<int> remembered = ValidKey(natural) ? memory_[natural] : std::nullopt;
    return natural + remembered.value_or(KeyAlteration(step));
  }
  void SetShift(int shift) { shift_ = shift; }

 private:
  int key_;
  int shift_;
  std::array<std::optional<int>, 128> memory_{};
};

class Builder {
 public:
  Builder(TECMusicScore& score, PlaySession& session) : score_(score), session_(session) {}

  void Run();

 private:
  void ReadRow(RowInfo& info);
  void WalkRow(const RowInfo& info);
  // Places measure m at position p; false when the row's walk ends.
  bool Place(const RowInfo& info, int& m, int& p);
  int VoltaTarget(const TECSymbolsRow& symbols, int m, int pass);
  void SetTempo(const TECSymbolEntry* entry, const TECMeasure& measure, TECPlayList& list);
  // A jump that fires at the entry, or -1.
  int Jump(const TECSymbolsRow& symbols, const TECSymbolEntry* entry, int m, int& p);
  TECPlayList BuildList(const RowInfo& info, int m, int p);
  void AddNote(const RowInfo& info, const TECNote& note, int m, int channel, MeasurePitches& pitches,
               TECPlayList& list);
  void RepeatBar(const RowInfo& info, const TECNote& sign, int p, TECPlayList& list);
  void RepeatNotes(const RowInfo& info, const TECNote& sign, int p, TECPlayList& list);
  // The note that `note` continues as a tie, or none.
  const TECNote* Continues(const RowInfo& info, const TECNote& note) const;
  int OttavaShift(const RowInfo& info, int m, long long tick) const;
  // Step lengths from their first measure; false (after OnPlayError) when
  // the measures of a step differ in length.
  bool CheckLengths();
  // Lengths of empty steps and the tempo of every step.
  void FillSteps();
  int& Counter(const TECSymbolItem* item) { return counters_.try_emplace(item, -1).first->second; }
  TECPlayList* ListAt(std::uint16_t row, int p) {
    return p >= 0 && p < static_cast<int>(session_.Steps.size()) ? session_.Steps[p].ListOf(row) : nullptr;
  }

  TECMusicScore& score_;
  PlaySession& session_;
  TECDrumLookup drums_;
  std::vector<TECRow*> rowsById_;
  std::unordered_map<const TECSymbolItem*, int> counters_;
  bool startSet_ = false;
};

// Leaves what the user looks at (active instrument, page, cursor, scroll)
// as it was.
void LayOutMissing(TECMusicScore& score) {
  bool laidOut = false;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    if (!score.GetInstrumentAt(i)->Layouts().empty()) continue;
    score.LayoutInactiveInstrument(i);
    laidOut = true;
  }
  // Also lays out the active instrument when it was one of them, and gives
  // it back the page records the other passes used.
  if (laidOut) score.LayoutScore(0, false);
}

void Builder::Run() {
  LayOutMissing(score_);
  drums_.Rebuild(score_);
  std::vector<RowInfo> rows;
  for (int i = 0; i < score_.InstrumentCount(); ++i) {
    TECInstrument* instrument = score_.GetInstrumentAt(i);
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      RowInfo info;
      info.Instrument = instrument;
      info.InstrumentIndex = i;
      info.Row = instrument->GetRow(r);
      info.Id = static_cast<std::uint16_t>(rows.size());
      info.CursorInstrument = i == score_.GetActiveInstrument();
      ReadRow(info);
      rows.push_back(std::move(info));
    }
  }
  session_.Result = static_cast<int>(rows.size());
  if (rows.empty()) return;
  for (const RowInfo& info : rows) WalkRow(info);
  if (!CheckLengths()) {
    session_.Steps.clear();
    session_.Result = -1;
    return;
  }
  FillSteps();
}

void Builder::ReadRow(RowInfo& info) {
  TECInstrument& instrument = *info.Instrument;
  const TECRow& row = *info.Row;
  const bool ownProgram = row.MidiInstrument() >= 0;
  // A channel below 1 plays everything of the row on the first channel.
  info.BaseChannel = std::clamp((ownProgram ? row.Channel() : instrument.Channel()) - 1, 0, 15);
  info.Program = ownProgram ? row.MidiInstrument() : instrument.MidiInstrument();
  session_.Rows.push_back({info.InstrumentIndex, instrument.IndexOfRow(&row), info.BaseChannel,
                           ValidProgram(info.Program), row.Volume() >= 0 ? row.Volume() : instrument.Volume(),
                           row.Pan() >= 0 ? row.Pan() : instrument.Pan(), row.Mute() || instrument.Mute()});
  rowsById_.push_back(info.Row);
  const int count = row.MeasureCount();
  long long start = 0;
  for (int m = 0; m < count; ++m) {
    const TECMeasure& measure = *row.GetMeasure(m);
    info.Lengths.push_back(instrument.MeasureLength(m));
    info.Starts.push_back(start);
    info.Keys.push_back(measure.KeySignature ? measure.KeySignature->Code() - 30 : measure.KeyInForce);
    info.Clefs.push_back(measure.Clef ? measure.Clef->Code() : measure.ClefInForce);
    for (const auto& item : measure.Items)
      if (item->Kind == kOttavaUp || item->Kind == kOttavaDown)
        info.Ottavas.push_back({m, start + item->Position, item->Second, item->Kind == kOttavaUp ? 1 : -1});
    start += info.Lengths.back();
  }
}

void Builder::WalkRow(const RowInfo& info) {
  counters_.clear();
  // The walk ends: "D.C." and "D.S." jump once, an end repeat on every
  // other pass, and every other jump goes forward.
  const int count = info.Row->MeasureCount();
  int m = 0;
  int p = 0;
  while (m < count) {
    if (info.CursorInstrument && m == score_.CursorMeasure() && !startSet_) {
      session_.StartStep = p;
      startSet_ = true;
    }
    if (!Place(info, m, p)) return;
  }
}

bool Builder::Place(const RowInfo& info, int& m, int& p) {
  const int count = info.Row->MeasureCount();
  const TECSymbolsRow& symbols = info.Instrument->SymbolsRow();
  const TECSymbolEntry* entry = symbols.At(m);
  if (HasKind(entry, ek::SymbolVolta)) {
    for (const auto& item : entry->Items) {
      if (item->Kind != ek::SymbolVolta) continue;
      const int target = VoltaTarget(symbols, m, Counter(item.get()) + 2);
      if (target == m) continue;
      m = target;
      if (m >= count) return false;
      entry = symbols.At(m);
      break;
    }
  }
  // Steps are made once a measure is sure to sound, so a walk that ends at
  // a volta leaves no silent step behind.
  while (static_cast<int>(session_.Steps.size()) <= p) {
    session_.Steps.emplace_back();
    session_.Steps.back().Lists.reserve(rowsById_.size());
  }
  TECPlayList list = BuildList(info, m, p);
  SetTempo(entry, *info.Row->GetMeasure(m), list);
  session_.Steps[p].Lists.push_back(std::move(list));
  const int target = Jump(symbols, entry, m, p);
  m = target >= 0 ? target : m + 1;
  ++p;
  return true;
}

// Where the volta chain starting at measure m leads on pass `pass`: the
// first measure of the volta numbered `pass`, else the measure after the
// chain. Every volta mark on the way counts one pass more.
int Builder::VoltaTarget(const TECSymbolsRow& symbols, int m, int pass) {
  int target = -1;
  int e = m;
  for (const TECSymbolEntry* entry = symbols.At(e); HasKind(entry, ek::SymbolVolta); entry = symbols.At(e)) {
    int span = 0;
    for (const auto& item : entry->Items) {
      if (item->Kind != ek::SymbolVolta) continue;
      ++Counter(item.get());
      if (target < 0 && item->Byte(2) == pass) target = e;
      if (span == 0) span = std::max<int>(item->Byte(1), 1);
    }
    e += span;
  }
  return target >= 0 ? target : e;
}

void Builder::SetTempo(const TECSymbolEntry* entry, const TECMeasure& measure, TECPlayList& list) {
  if (entry)
    for (const auto& item : entry->Items)
      if (item->Kind == ek::TempoMark) list.Tempo = item->Tempo() * item->Byte(3) / 32;
  for (const auto& item : measure.Items) {
    if (item->Kind != ek::TextBox) continue;
    int value1 = 0;
    int value2 = 0;
    if (play_settings::Term(score_, 2, static_cast<const TECTextBox&>(*item), value1, value2))
      list.Tempo = value2 + 100;
  }
}

int Builder::Jump(const TECSymbolsRow& symbols, const TECSymbolEntry* entry, int m, int& p) {
  if (!entry) return -1;
  auto findForward = [&](std::uint8_t kind) {
    for (int i = m; i < symbols.Count(); ++i)
      if (HasKind(symbols.At(i), kind)) return i;
    return -1;
  };
  auto findBack = [&](std::uint8_t kind) {
    for (int i = m; i >= 0; --i)
      if (HasKind(symbols.At(i), kind)) return i;
    return -1;
  };
  for (const auto& item : entry->Items) {
    int target = -1;
    switch (item->Kind) {
      case kToCoda:
        if (++Counter(item.get()) % 2 == 1) target = findForward(kCoda);
        break;
      case kDaCapo:
        if (Counter(item.get())++ == -1) target = 0;
        break;
      case kDalSegno:
        if (Counter(item.get())++ == -1) target = findBack(kSegno);
        break;
      case kEndRepeat:
        if (++Counter(item.get()) % 2 == 0) target = std::max(findBack(kStartRepeat), 0);
        break;
      case ek::SymbolMultiRest:
        p += item->Byte(1);
        break;
      default: break;
    }
    if (target >= 0) return target;
  }
  return -1;
}

TECPlayList Builder::BuildList(const RowInfo& info, int m, int p) {
  const TECMeasure& measure = *info.Row->GetMeasure(m);
  TECPlayList list;
  list.Row = info.Id;
  list.Measure = m;
  list.Length = info.Lengths[m];
  const int channel = IsPercussionClef(info.Clefs[m]) ? kDrumChannel : info.BaseChannel;
  for (const auto& item : measure.Items) {
    if (item->Kind != kPedalDown && item->Kind != kPedalUp) continue;
    TECPlayEvent pedal;
    pedal.Start = item->Position;
    pedal.Key = item->Kind;
    pedal.Velocity = item->Kind == kPedalUp ? 0 : (item->Second != 0 ? std::min<int>(item->Second, 127) : 127);
    pedal.Channel = static_cast<std::uint8_t>(channel);
    pedal.Row = info.Id;
    list.Events.push_back(pedal);
  }
  MeasurePitches pitches(info.Keys[m], 0);
  for (const auto& note : measure.Notes) {
    if (note->Kind == ek::RepeatBar) {
      RepeatBar(info, *note, p, list);
      if ((note->Flags & 1) && p < 3) break;
    } else if (note->Kind == ek::RepeatNotes) {
      RepeatNotes(info, *note, p, list);
    } else if (ek::IsNoteStep(note->Kind) && !(note->Options & kSilentNote)) {
      AddNote(info, *note, m, channel, pitches, list);
    }
  }
  return list;
}

int Builder::OttavaShift(const RowInfo& info, int m, long long tick) const {
  int shift = 0;
  for (const Ottava& o : info.Ottavas)
    if (o.Measure <= m && o.Start <= tick && tick <= o.Start + o.Length) shift += o.Shift;
  return shift;
}

const TECNote* Builder::Continues(const RowInfo& info, const TECNote& note) const {
  const int previous = note.Owner->Index - 1;
  return TiedFrom(note, previous >= 0 ? info.Lengths[previous] : 0);
}

void Builder::AddNote(const RowInfo& info, const TECNote& note, int m, int channel, MeasurePitches& pitches,
                      TECPlayList& list) {
  const bool drums = IsPercussionClef(info.Clefs[m]);
  const int step = StepOf(note);
  pitches.SetShift(OttavaShift(info, m, info.Starts[m] + note.Start));
  int natural = pitches.Natural(step, note.Octave);
  const TECGraceGroup* graces = nullptr;
  bool marked = false;
  for (const auto& attribute : note.Attributes) {
    const int code = attribute->Kind;
    if (const auto alteration = AccidentalAlteration(code))
      pitches.Remember(natural, *alteration), marked = true;
    else if (code == ek::Natural)
      pitches.Remember(natural, 0), marked = true;
    else if (code == kDrumKeyMark && drums)
      natural = 46;
    else if (code == ek::GraceNotes)
      graces = static_cast<const TECGraceGroup*>(attribute.get());
  }
  int key = pitches.Written(step, natural);
  // An unmarked note that a tie carries over the bar line keeps the
  // alteration of the note it continues (through earlier bars as well): the
  // latest accidental of its step and octave before it in its measure, else
  // its key's.
  const TECNote* tied = Continues(info, note);
  if (!marked && !drums && tied && tied->Owner != note.Owner) {
    std::optional<int> alteration;
    const TECNote* from = tied;
    for (int bars = 0; !alteration && bars < static_cast<int>(info.Lengths.size()); ++bars) {
      for (const auto& other : from->Owner->Notes) {
        if (other->Kind == from->Kind && other->Octave == from->Octave) {
          for (const auto& attribute : other->Attributes) {
            if (const auto own = AccidentalAlteration(attribute->Kind))
              alteration = own;
            else if (attribute->Kind == ek::Natural)
              alteration = 0;
          }
        }
        if (other.get() == from) break;
      }
      const TECNote* earlier = alteration ? nullptr : Continues(info, *from);
      if (!alteration && (!earlier || earlier->Owner == from->Owner))
        alteration = step_pitch::KeyAlteration(info.Keys[static_cast<std::size_t>(from->Owner->Index)], step);
      if (earlier) from = earlier;
    }
    if (alteration) key = natural + *alteration;
  }
  if (drums) {
    const int head = note.Options & kOwnDrumHead ? note.Extra[2] - 1 : static_cast<int>(score_.DrumHeads().size());
    const int entry = drums_.ByWrittenKey(key, head);
    if (entry >= 0 && ValidKey(key)) key = score_.DrumMap()[static_cast<std::size_t>(entry)].Pitch;
  }
  const int noteProgram = note.Extra[3] != 0 ? note.Extra[3] - 1 : info.Program;
  TECPlayEvent base;
  base.Channel = static_cast<std::uint8_t>(channel);
  base.Program = ValidProgram(noteProgram);
  base.Row = info.Id;
  base.Voice = note.Voice;
  auto emit = [&](int start, int eventKey, int duration, int velocity, bool continuation) {
    if (!ValidKey(eventKey)) return;
    TECPlayEvent event = base;
    event.Start = std::max(start, 0);
    event.Key = static_cast<std::uint8_t>(eventKey);
    event.Duration = duration;
    event.Velocity = static_cast<std::uint8_t>(std::clamp(velocity, 0, 127));
    event.Continuation = continuation ? 1 : 0;
    list.Events.push_back(event);
  };
  // The key of a sub-note or grace: the note's own for its own step (and
  // on drum staves), else its own accidental or the key signature and the
  // measure's accidentals.
  auto subKey = [&](int subStep, int octave, int accidental) {
    if (drums || (subStep == step && octave == note.Octave)) return key;
    const int subNatural = pitches.Natural(subStep, octave);
    if (accidental == ek::Natural) return subNatural;
    if (const auto alteration = AccidentalAlteration(accidental)) return subNatural + *alteration;
    return pitches.Written(subStep, subNatural);
  };

  int start = note.Start;
  int length = note.Length;
  if (graces && !graces->Notes.empty()) {
    const int c = static_cast<int>(graces->Notes.size());
    const bool timed = std::all_of(graces->Notes.begin(), graces->Notes.end(), [](const auto& g) { return g->Length > 0; });
    const int g = graces->Flags() & 0x40 ? note.Length / c / 2 : note.Length / c / 3;
    const bool after = graces->Flags() & 0x80;
    int at = after ? note.Start + note.Length - c * g : note.Start;
    for (const auto& grace : graces->Notes) {
      int accidental = 0;
      for (const auto& mark : grace->Attributes)
        if (mark->IsAccidental()) accidental = mark->Kind;
      const int velocity = grace->Velocity != 0 ? grace->Velocity : note.Velocity;
      const int graceKey = subKey(grace->Step, grace->Octave, accidental);
      // Graces the expansion timed keep their own place; the note's start
      // offset and sounding length already make room for them.
      if (timed)
        emit(grace->Position, graceKey, grace->Length, velocity, false);
      else if (g >= 1)
        emit(at, graceKey, g, velocity, false);
      at += g;
    }
    if (!timed && g >= 1) {
      if (!after) start += c * g;
      length -= c * g;
    }
  }
  const int offset = note.StartOffset & 0x7F;
  start += note.StartOffset & 0x80 ? -offset : offset;
  emit(start, key, note.SoundingLength != 0 ? note.SoundingLength : length, note.Velocity, tied != nullptr);
  for (const auto& sub : note.PlayNotes())
    emit(sub->Start, subKey(sub->Step, sub->Octave, sub->Accidental), sub->Length, sub->Velocity, false);
}

// Copies of the events of this row's lists earlier in the walk; in a
// multi-voice row only those of the sign's voice.
void CopyEvents(const TECPlayList& from, const TECNote& sign, bool byVoice, int shift, int fromTick,
                std::vector<TECPlayEvent>& to) {
  for (const TECPlayEvent& event : from.Events) {
    if (byVoice && event.Voice != sign.Voice) continue;
    if (event.Start < fromTick) continue;
    TECPlayEvent copy = event;
    copy.Start += shift;
    to.push_back(copy);
  }
}

void Builder::RepeatBar(const RowInfo& info, const TECNote& sign, int p, TECPlayList& list) {
  const bool byVoice = info.Row->VoiceMode() > 0;
  if (!(sign.Flags & 1)) {
    if (const TECPlayList* previous = ListAt(info.Id, p - 1)) CopyEvents(*previous, sign, byVoice, 0, 0, list.Events);
    return;
  }
  if (p <= 1) return;
  if (const TECPlayList* first = ListAt(info.Id, p - 2)) CopyEvents(*first, sign, byVoice, 0, 0, list.Events);
  if (p < 3) return;
  TECPlayList* second = ListAt(info.Id, p - 1);
  const TECPlayList* source = ListAt(info.Id, p - 3);
  if (second && source) second->Events = source->Events;
}

void Builder::RepeatNotes(const RowInfo& info, const TECNote& sign, int p, TECPlayList& list) {
  const bool byVoice = info.Row->VoiceMode() > 0;
  const int span = sign.Length;
  const int from = sign.Start - span;
  std::vector<TECPlayEvent> copies;
  if (from < 0 && p > 0) {
    if (const TECPlayList* previous = ListAt(info.Id, p - 1)) {
      const int cut = previous->Length + from;
      CopyEvents(*previous, sign, byVoice, -cut, cut, copies);
    }
  }
  CopyEvents(list, sign, byVoice, span, from, copies);
  list.Events.insert(list.Events.end(), copies.begin(), copies.end());
}

bool Builder::CheckLengths() {
  for (TECPlayStep& step : session_.Steps) {
    if (step.Lists.empty()) continue;
    step.Length = step.Lists.front().Length;
    const bool differ = std::any_of(step.Lists.begin(), step.Lists.end(),
                                    [&](const TECPlayList& list) { return list.Length != step.Length; });
    if (differ) {
      if (score_.OnPlayError) {
        std::vector<const TECMeasure*> measures;
        for (const TECPlayList& list : step.Lists) measures.push_back(rowsById_[list.Row]->GetMeasure(list.Measure));
        score_.OnPlayError(&score_, measures);
      }
      return false;
    }
  }
  return true;
}

void Builder::FillSteps() {
  // The empty positions of a multi-measure rest last as long as the measure
  // before them; the tempo of a step is its first row's that sets one.
  int length = score_.DefaultMeasureLength();
  for (TECPlayStep& step : session_.Steps) {
    if (step.Lists.empty()) step.Length = length;
    length = step.Length;
    for (const TECPlayList& list : step.Lists)
      if (list.Tempo != 0 && step.Tempo == 0) step.Tempo = list.Tempo;
  }
}

}  // namespace

std::unique_ptr<PlaySession> BuildPlayEvents(TECMusicScore& score) {
  auto session = std::make_unique<PlaySession>();
  Builder(score, *session).Run();
  return session;
}
