#include "playback/ornament_expansion.h"

#include <algorithm>
#include <vector>

#include "playback/play_settings.h"
#include "model/measure.h"

namespace {

// The start offset byte holds 7 bits of ticks (bit 7 would mean earlier).
constexpr int kLargestStartOffset = 127;

// A sub-note as the expansion wants it.
struct SubNote {
  int Step = 0;
  int Octave = 0;
  int Start = 0;
  int Length = 0;
  std::uint8_t Accidental = 0;
};

// What the expansion decides for a note.
struct Expansion {
  int SoundingLength = 0;
  int StartOffset = 0;
  bool Timing = false;
  bool SubNotesSet = false;
  std::vector<SubNote> SubNotes;
};

int Step(const TECNote& note) { return ek::NoteStep(note.Kind); }

// The step `by` places above (or below) the note, wrapping into the next
// octave.
SubNote Neighbour(const TECNote& note, int by) {
  SubNote sub;
  sub.Step = Step(note) + by;
  sub.Octave = note.Octave;
  while (sub.Step > 7) sub.Step -= 7, ++sub.Octave;
  while (sub.Step < 1) sub.Step += 7, --sub.Octave;
  return sub;
}

SubNote Own(const TECNote& note) { return Neighbour(note, 0); }

void Tremolo(const TECNote& note, int code, Expansion& e) {
  const int strokes = code - ek::TremoloFirst + 1;
  int n = 1 << strokes;
  const int length = note.Length;
  const int value = note.Value;
  int i = 0;
  if (note.TupletNumber() != 0) {
    i = length / n;
  } else {
    i = value / n;
    if (value >= 4 && length == value + value / 2)
      n += strokes;
    else if (value >= 8 && length == value + value / 2 + value / 4)
      n += strokes + 1;
  }
  int sounding = length - i * (n - 1);
  if (i < 1 || sounding < 1) return;
  // What does not divide evenly goes one tick each to the first sub-notes.
  const int extra = sounding - i - 1;
  if (extra > 0) sounding = i + 1;
  e.SoundingLength = sounding;
  e.SubNotes.clear();
  int start = note.Start + sounding;
  for (int k = 0; k < n - 1; ++k) {
    SubNote sub = Own(note);
    sub.Start = start;
    sub.Length = k < extra ? i + 1 : i;
    start += sub.Length;
    e.SubNotes.push_back(sub);
  }
  e.SubNotesSet = true;
}

bool Graces(TECNote& note, TECGraceGroup& group, Expansion& e) {
  const int c = group.GraceValue();
  const int k = static_cast<int>(group.Notes.size());
  if (c <= 0 || (group.Flags() & 0x40) || k == 0) return false;
  const bool after = group.Flags() & 0x80;
  const int total = k * c;
  int start = after ? note.Start + note.Length - total : note.Start;
  bool changed = false;
  for (auto& grace : group.Notes) {
    if (grace->Length != c || grace->Velocity != note.Velocity || grace->Position != start) changed = true;
    grace->Length = static_cast<std::uint16_t>(c);
    grace->Velocity = note.Velocity;
    grace->Position = static_cast<std::int16_t>(start);
    start += c;
  }
  // After-graces take the end of the note; the note itself starts on time.
  e.StartOffset = after ? 0 : std::min(total, kLargestStartOffset);
  e.SoundingLength = total < note.Length ? note.Length - total : 1;
  e.Timing = true;
  return changed;
}

// Sub-notes at start + i, + 2i, ... of the given steps and lengths.
void Run(const TECNote& note, int i, const std::vector<std::pair<SubNote, int>>& steps, Expansion& e) {
  e.SubNotes.clear();
  int start = note.Start + i;
  for (const auto& [sub, length] : steps) {
    SubNote placed = sub;
    placed.Start = start;
    placed.Length = length;
    e.SubNotes.push_back(placed);
    start += length;
  }
  e.SubNotesSet = true;
}

std::uint8_t TrillAccidental(int kind) {
  switch (kind) {
    case 185: return ek::Flat;
    case 186: return ek::Sharp;
    case 187: return ek::Natural;
    default: return 0;
  }
}

// Measure items at the note's start; false when none applied.
bool Items(TECMusicScore& score, const TECNote& note, Expansion& e) {
  const TECMeasure& measure = *note.Owner;
  const int length = note.Length;
  bool applied = false;
  for (const auto& item : measure.Items) {
    if (item->Position != note.Start) continue;
    const int kind = item->Kind;
    if (kind == 131 && note.ChordMark != 0) {
      int m = 0;
      int j = 0;
      bool before = true;
      for (const auto& other : measure.Notes) {
        if (other.get() == &note) before = false;
        if (other->ChordMark == note.ChordMark && other->Voice == note.Voice) ++m;
        if (before) j = other->ChordMark == note.ChordMark ? j + 1 : 0;
      }
      if (j >= 1 && m > 0) {
        e.StartOffset = std::min(note.Value * j / m / 2, kLargestStartOffset);
        applied = true;
      }
    } else if (kind == 181 || kind == 182) {
      const int i = length / 4;
      if (i < 1) continue;
      Run(note, i, {{Neighbour(note, -1), i}, {Neighbour(note, -2), i}, {Own(note), i}}, e);
      e.SoundingLength = length - 3 * i;
      applied = true;
    } else if ((kind >= 184 && kind <= 187) || kind == 225) {
      const int i = length / 8;
      if (i < 1) continue;
      // The mark's accidental belongs to every upper note of the trill.
      SubNote upper = Neighbour(note, 1);
      upper.Accidental = TrillAccidental(kind);
      std::vector<std::pair<SubNote, int>> steps;
      for (int p = 0; p < 7; ++p) steps.push_back({p % 2 == 0 ? upper : Own(note), i});
      Run(note, i, steps, e);
      e.SoundingLength = i;
      applied = true;
    } else if (kind == 188 || kind == 189) {
      const int i = length / 8;
      if (i < 1) continue;
      Run(note, i, {{Neighbour(note, kind == 188 ? 1 : -1), i}, {Own(note), length - 2 * i}}, e);
      e.SoundingLength = i;
      applied = true;
    } else if (kind == 190 || kind == 191) {
      const int i = length / 8;
      if (i < 1) continue;
      const SubNote neighbour = Neighbour(note, kind == 190 ? 1 : -1);
      Run(note, i, {{neighbour, i}, {Own(note), i}, {neighbour, i}, {Own(note), length - 4 * i}}, e);
      e.SoundingLength = i;
      applied = true;
    } else if (kind == 195 || kind == 196) {
      const auto f = play_settings::Dinamics(score, kind);
      if (!f) continue;
      const long long sounding = static_cast<long long>(*f + 2) * length / 2;
      e.SoundingLength = static_cast<int>(std::clamp<long long>(sounding, 1, 0xFFFF));
      applied = true;
    }
  }
  return applied;
}

bool SameSubNote(const TECPlayNote& have, const SubNote& want, std::uint8_t velocity) {
  return have.Step == want.Step && have.Octave == static_cast<std::uint8_t>(want.Octave) &&
         have.Start == want.Start && have.Length == want.Length && have.Accidental == want.Accidental &&
         have.Velocity == velocity;
}

// Puts the wanted sub-notes into the note; true when they differ.
bool StoreSubNotes(TECNote& note, const std::vector<SubNote>& wanted) {
  bool same = note.PlayNotes().size() == wanted.size();
  for (std::size_t k = 0; same && k < wanted.size(); ++k)
    same = SameSubNote(*note.PlayNotes()[k], wanted[k], note.Velocity);
  if (same) return false;
  auto& subs = note.EditPlayNotes();
  subs.resize(wanted.size());
  for (std::size_t k = 0; k < wanted.size(); ++k) {
    auto& sub = subs[k];
    if (!sub) sub = std::make_unique<TECPlayNote>(&note);
    sub->Step = static_cast<std::uint8_t>(wanted[k].Step);
    sub->Octave = static_cast<std::uint8_t>(wanted[k].Octave);
    sub->Start = static_cast<std::uint16_t>(std::clamp(wanted[k].Start, 0, 0xFFFF));
    sub->Length = static_cast<std::uint16_t>(std::clamp(wanted[k].Length, 0, 0xFFFF));
    sub->Accidental = wanted[k].Accidental;
    sub->Velocity = note.Velocity;
  }
  return true;
}

}  // namespace

bool ExpandNoteSequence(TECMusicScore& score, TECNote& note) {
  if (!ek::IsNoteStep(note.Kind) || !note.Owner) return false;
  Expansion e;
  e.SoundingLength = note.SoundingLength;
  e.StartOffset = note.StartOffset;
  bool changed = false;
  for (const auto& attribute : note.Attributes) {
    const int code = attribute->Kind;
    if (code == ek::Staccato) {
      if (const auto l = play_settings::Dinamics(score, ek::Staccato)) {
        e.SoundingLength = std::clamp(*l, 1, 0xFFFF);
        e.Timing = true;
      }
    } else if (ek::IsTremolo(code)) {
      Tremolo(note, code, e);
    } else if (code == ek::GraceNotes) {
      if (Graces(note, static_cast<TECGraceGroup&>(*attribute), e)) changed = true;
    }
  }
  bool applied = e.Timing || e.SubNotesSet;
  if (!e.Timing && Items(score, note, e)) applied = true;
  if (!applied) {
    e.SoundingLength = note.Length;
    e.StartOffset = 0;
  }
  if (note.SoundingLength != e.SoundingLength || note.StartOffset != e.StartOffset) changed = true;
  note.SoundingLength = static_cast<std::uint16_t>(e.SoundingLength);
  note.StartOffset = static_cast<std::uint8_t>(e.StartOffset);
  if (StoreSubNotes(note, e.SubNotes)) changed = true;
  return changed;
}

void CalcSequence(TECMusicScore& score, const NoteSelection& selection) {
  if (!score.OnGetDinamics || !selection.Row) return;
  bool changed = false;
  for (TECNote* note : selection.Notes)
    if (note && ExpandNoteSequence(score, *note)) changed = true;
  if (changed) score.DoChanged();
}
