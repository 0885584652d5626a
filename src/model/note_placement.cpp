#include "model/note_placement.h"

#include <algorithm>
#include <array>

bool NoteOverlaps(const TECNote& note, int from, int to) {
  return note.Start < to && note.Start + note.Length > from;
}

namespace {

bool Counts(const TECNote& note, const TECPlacementQuery& query) {
  return !(query.SkipInputMarked && !query.MultiVoice && note.InputMark != 0);
}

// A note that a new note of the query's value at its tick stands beside in
// a chord; notes flagged 0x20 take no part in chords.
bool IsChordCandidate(const TECNote& note, const TECPlacementQuery& query) {
  return note.Start == query.Tick && note.Value == query.Value && !(note.Options & 0x20) &&
         ek::IsNoteStep(note.Kind);
}

}  // namespace

TECPlacement FindPlacement(const TECMeasure& measure, const TECPlacementQuery& query) {
  TECPlacement result;
  const int from = query.Tick;
  const int to = query.Tick + query.Length;
  int samePitch = 0;
  for (const auto& note : measure.Notes) {
    if (!Counts(*note, query)) continue;
    const bool voiceCounts = !query.MultiVoice || note->Voice == query.Voice;
    if (!voiceCounts) continue;
    if (note->Kind == ek::RepeatBar) {
      result.Refused = true;
      return result;
    }
    if (!IsChordCandidate(*note, query)) continue;
    if (!result.Partner) result.Partner = note.get();
    if (note->Kind == query.Kind && note->Octave == query.Octave) ++samePitch;
  }
  // A pitch may stand twice in one chord (two voices in unison), not three
  // times.
  if (samePitch >= 2) {
    result.Refused = true;
    return result;
  }
  if (query.MultiVoice) {
    result.Voice = static_cast<std::uint8_t>(query.Voice);
    return result;
  }
  if (result.Partner) {
    result.Voice = result.Partner->Voice;
    return result;
  }
  std::array<bool, 16> present{};
  std::array<bool, 16> busy{};
  for (const auto& note : measure.Notes) {
    if (!Counts(*note, query)) continue;
    present[note->Voice & 15] = true;
    if (NoteOverlaps(*note, from, to)) busy[note->Voice & 15] = true;
  }
  for (int v = 0; v < 16; ++v)
    if (present[v] && !busy[v]) {
      result.Voice = static_cast<std::uint8_t>(v);
      return result;
    }
  for (int v = 0; v < 16; ++v)
    if (!present[v]) {
      result.Voice = static_cast<std::uint8_t>(v);
      return result;
    }
  result.Refused = true;
  return result;
}

std::uint8_t FreshChordMark(const TECMeasure& measure) {
  int highest = 0;
  for (const auto& note : measure.Notes) highest = std::max<int>(highest, note->ChordMark);
  return static_cast<std::uint8_t>(std::min(highest + 1, 255));
}

std::uint8_t JoinChord(TECMeasure& measure, TECNote& partner) {
  if (partner.ChordMark == 0) partner.ChordMark = FreshChordMark(measure);
  return partner.ChordMark;
}

TECNote* InsertInTimeOrder(TECMeasure& measure, std::unique_ptr<TECNote> note, const TECNote* partner) {
  auto& notes = measure.Notes;
  auto at = notes.end();
  if (partner) {
    auto p = std::find_if(notes.begin(), notes.end(), [partner](const auto& n) { return n.get() == partner; });
    if (p != notes.end()) {
      at = p + 1;
      while (at != notes.end() && partner->ChordMark != 0 && (*at)->ChordMark == partner->ChordMark) ++at;
    }
  } else {
    at = std::find_if(notes.begin(), notes.end(), [&](const auto& n) { return n->Start > note->Start; });
  }
  note->Owner = &measure;
  return notes.insert(at, std::move(note))->get();
}

std::unique_ptr<TECNote> DetachNote(TECNote* note) {
  if (!note || !note->Owner) return nullptr;
  TECMeasure* measure = note->Owner;
  std::erase(measure->Beams, note);
  auto& notes = measure->Notes;
  auto it = std::find_if(notes.begin(), notes.end(), [note](const auto& n) { return n.get() == note; });
  if (it == notes.end()) return nullptr;
  std::unique_ptr<TECNote> out = std::move(*it);
  notes.erase(it);
  return out;
}
