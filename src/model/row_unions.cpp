// Automatic beam groups and rests of a measure.
#include <algorithm>
#include <array>
#include <optional>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

bool SameTuplet(const TECMeasure& measure, const TECNote& a, const TECNote& b) {
  for (const auto& item : measure.Items) {
    if (item->Kind != ek::Tuplet || item->Voice != a.Voice) continue;
    auto inside = [&](const TECNote& n) { return n.Start >= item->Position && n.Start < item->Second; };
    if (inside(a) && inside(b)) return true;
  }
  return false;
}

// A stable sort that takes no buffer for the few notes a measure's voice
// usually holds (std::stable_sort allocates one every time).
template <typename Less>
void StableSortNotes(std::vector<TECNote*>& notes, Less less) {
  constexpr std::size_t kFew = 16;
  if (notes.size() > kFew) {
    std::stable_sort(notes.begin(), notes.end(), less);
    return;
  }
  for (std::size_t i = 1; i < notes.size(); ++i) {
    TECNote* note = notes[i];
    std::size_t j = i;
    for (; j > 0 && less(note, notes[j - 1]); --j) notes[j] = notes[j - 1];
    notes[j] = note;
  }
}

int LargestPowerOfTwoUpTo(int limit) {
  int n = 1;
  while (n * 2 <= limit && n * 2 <= 128) n *= 2;
  return n;
}

}  // namespace

void TECRow::RebuildUnions(TECMeasure* measure, bool rebuildRests, bool noBeams) {
  TECMusicScore* score = Score();
  if (!measure || (score && score->DeferUnions)) return;
  std::array<bool, 16> present{};
  for (const auto& note : measure->Notes) present[note->Voice & 15] = true;
  bool any = std::find(present.begin(), present.end(), true) != present.end();
  if (!any) {
    // A measure without notes still keeps the rests of its tuplets.
    for (const auto& item : measure->Items)
      if (item->Kind == ek::Tuplet) present[item->Voice & 15] = any = true;
    if (!any) {
      measure->MarkChanged();
      if (rebuildRests) measure->Rests.clear();
      measure->Beams.clear();
      return;
    }
  }
  for (int voice = 0; voice < 16; ++voice)
    if (present[voice]) RebuildVoiceUnions(measure, voice, noBeams, -1, rebuildRests);
}

void TECRow::RebuildUnionsFrom(int i, bool rebuildRests, bool noBeams) {
  for (int m = std::max(i, 0); m < MeasureCount(); ++m) RebuildUnions(measures_[m].get(), rebuildRests, noBeams);
}

void TECRow::RebuildVoiceUnions(TECMeasure* measure, int voice, bool noBeams, int keepRestsTick, bool rebuildRests) {
  TECMusicScore* score = Score();
  if (!measure || !owner_ || (score && score->DeferUnions)) return;
  // Beam groups are part of what the measure's spacing reads.
  measure->MarkChanged();
  // The other voices keep their groups; the list is rebuilt from the notes
  // themselves so that it never holds a note that has gone.
  measure->Beams.clear();
  for (const auto& note : measure->Notes) {
    if (note->Voice == voice)
      note->BeamGroup = 0;
    else if (note->BeamGroup != 0)
      measure->Beams.push_back(note.get());
  }

  // Tables cover exactly one measure, whatever its time signature.
  const int length = std::max(1, owner_->MeasureLength(measure->Index));
  int beats = 0;
  if (const TECMeasureLayout* layout = owner_->LayoutAt(measure->Index))
    beats = layout->Numerator;
  else if (!owner_->Layouts().empty())
    beats = owner_->Layouts().back()->Numerator;
  if (beats <= 0) beats = score ? score->GetNumerator() : 4;
  beats = std::max(1, beats);
  const int beat = std::max(1, length / beats);

  const int groups = measure->BeamOverride ? measure->BeamGroupCount : (score ? score->GetUnionCount() : -1);
  int groupLength = 0;
  if (groups == -1)
    groupLength = beat;
  else if (groups == 1)
    groupLength = length;
  else if (groups > 1)
    groupLength = std::max(1, length / groups);
  // 0 (or a damaged negative count) builds no beams.
  const bool beams = !noBeams && groupLength > 0;

  std::vector<TECNote*> entries;
  entries.reserve(measure->Notes.size());
  // Only notes shorter than a quarter take a beam, also inside a tuplet: a
  // tuplet of quarters shows its bracket alone.
  for (const auto& note : measure->Notes) {
    if (note->Voice == voice && note->Value < 32) entries.push_back(note.get());
  }
  StableSortNotes(entries, [](const TECNote* a, const TECNote* b) { return a->Start < b->Start; });
  // The further notes of a chord, and in one voice notes at the same start,
  // take no entry of their own.
  std::size_t kept = 0;
  for (TECNote* note : entries) {
    if (kept > 0) {
      const TECNote* before = entries[kept - 1];
      if (note->ChordMark != 0 && before->ChordMark == note->ChordMark) continue;
      if (before->Start == note->Start && voiceMode_ == 0) continue;
    }
    entries[kept++] = note;
  }
  entries.resize(kept);

  if (beams && entries.size() >= 2) {
    // The open group is entries[groupStart, i).
    std::size_t groupStart = 0;
    std::uint8_t number = 1;
    int boundary = 0;
    auto open = [&](std::size_t first) {
      groupStart = first;
      if (groups == -1) {
        boundary = (entries[first]->Start + groupLength) / groupLength * groupLength;
      } else {
        while (boundary < entries[first]->Start) boundary += groupLength;
        boundary += groupLength;
      }
    };
    // A group of two or more notes takes the next number.
    auto close = [&](std::size_t end) {
      if (end - groupStart < 2) return;
      for (std::size_t k = groupStart; k < end; ++k) {
        entries[k]->BeamGroup = number;
        measure->Beams.push_back(entries[k]);
      }
      ++number;
    };
    open(0);
    for (std::size_t i = 1; i < entries.size(); ++i) {
      TECNote* previous = entries[i - 1];
      TECNote* note = entries[i];
      bool join;
      if (previous->InTuplet() && previous->Voice == note->Voice && SameTuplet(*measure, *previous, *note)) {
        join = true;
      } else {
        join = note->Voice == previous->Voice && note->Start < boundary && !(previous->Options & TECNote::BeamBreak);
      }
      if (!join) {
        close(i);
        open(i);
      }
    }
    close(entries.size());
    StableSortNotes(measure->Beams, [](const TECNote* a, const TECNote* b) {
      return a->Voice != b->Voice ? a->Voice < b->Voice : a->Start < b->Start;
    });
  }

  if (!rebuildRests) return;
  std::vector<std::uint8_t> covered(length, 0);
  for (const auto& note : measure->Notes) {
    if (note->Voice != voice) continue;
    for (int t = note->Start; t < note->Start + note->Length && t < length; ++t) covered[t] = 1;
  }
  std::vector<std::uint8_t> tupletLengths(length, 0);
  for (const auto& item : measure->Items) {
    if (item->Kind != ek::Tuplet || item->Voice != voice) continue;
    const auto* tuplet = static_cast<const TECTuplet*>(item.get());
    if (tuplet->Flags & TECTuplet::Broken) continue;
    int t = tuplet->Position;
    for (std::uint8_t memberLength : tuplet->Lengths) {
      for (int k = t; k < t + memberLength && k < length; ++k) tupletLengths[k] = memberLength;
      t += memberLength;
    }
  }
  // Around a rest just inserted the gaps take the largest value that fits:
  // a beat of the whole measure.
  RebuildRests(measure, voice, length, keepRestsTick >= 0 ? length : beat, covered, tupletLengths, keepRestsTick);
}

void TECRow::RebuildRests(TECMeasure* measure, int voice, int length, int beat,
                          const std::vector<std::uint8_t>& coveredByNotes,
                          const std::vector<std::uint8_t>& tupletLengths, int keepRestsTick) {
  std::vector<std::uint8_t> covered = coveredByNotes;
  int lastCovered = -1;
  if (voice == 0) {
    lastCovered = length - 1;
  } else {
    for (int t = length - 1; t >= 0; --t)
      if (covered[t]) {
        lastCovered = t;
        break;
      }
  }

  // Take this voice's rests out; those ending by the keep tick stay as they
  // are, the others are reused in order.
  std::vector<std::unique_ptr<TECRest>> kept;
  std::vector<std::unique_ptr<TECRest>> reusable;
  for (auto& rest : measure->Rests) {
    if (!rest || rest->Voice != voice) continue;
    if (rest->Start + rest->Length <= keepRestsTick) {
      for (int t = rest->Start; t < rest->Start + rest->Length && t < length; ++t) covered[t] = 1;
      kept.push_back(std::move(rest));
    } else {
      reusable.push_back(std::move(rest));
    }
  }
  std::erase_if(measure->Rests, [](const auto& rest) { return !rest; });

  const bool hasTuplets = std::any_of(tupletLengths.begin(), tupletLengths.end(), [](auto l) { return l > 0; });
  std::size_t reuse = 0;
  int t = 0;
  while (t < length) {
    if (covered[t]) {
      ++t;
      continue;
    }
    int gap = 0;
    while (t + gap < length && !covered[t + gap]) ++gap;
    // An empty voice gets no rests.
    if (gap == length && !hasTuplets) break;
    while (gap > 0) {
      int n;
      if (tupletLengths[t] > 0) {
        n = std::min<int>(tupletLengths[t], gap);
        if (gap - n == 1) n = gap;
      } else {
        int limit = (t / beat + 1) * beat + gap - length;
        if (limit <= 0 || limit == beat) limit = gap;
        n = LargestPowerOfTwoUpTo(std::min(gap, limit));
      }
      std::unique_ptr<TECRest> rest;
      if (reuse < reusable.size()) {
        rest = std::move(reusable[reuse++]);
      } else {
        rest = std::make_unique<TECRest>(measure);
      }
      const bool wasHidden = (rest->Flags & TECRest::Hidden) != 0;
      const int oldStart = rest->Start;
      const int oldLength = rest->Length;
      rest->Position = rest->Start = static_cast<std::uint16_t>(t);
      rest->Value = rest->Length = static_cast<std::uint16_t>(n);
      rest->Voice = static_cast<std::uint8_t>(voice);
      rest->Owner = measure;
      int dots = 0;
      for (const auto& attribute : rest->Attributes) {
        if (attribute->Kind == ek::Dot) dots = std::max(dots, 1);
        if (attribute->Kind == ek::DoubleDot) dots = 2;
      }
      if (dots == 2 && n >= 3 && n < 64 && gap - n >= n / 2 + n / 4) {
        rest->Length = static_cast<std::uint16_t>(n + n / 2 + n / 4);
      } else if (dots == 1 && n >= 2 && n < 64 && gap - n >= n / 2) {
        rest->Length = static_cast<std::uint16_t>(n + n / 2);
      } else {
        erase_if(rest->Attributes,
                      [](const auto& a) { return a->Kind == ek::Dot || a->Kind == ek::DoubleDot; });
      }
      // A rest the user hid stays hidden while it covers the same ticks.
      const bool keepHidden = wasHidden && oldStart == rest->Start && oldLength == rest->Length;
      if (t > lastCovered || keepHidden)
        rest->Flags |= TECRest::Hidden;
      else
        rest->Flags &= static_cast<std::uint8_t>(~TECRest::Hidden);
      gap -= rest->Length;
      t += rest->Length;
      kept.push_back(std::move(rest));
    }
  }
  for (auto& rest : kept) measure->Rests.push_back(std::move(rest));
  std::stable_sort(measure->Rests.begin(), measure->Rests.end(), [](const auto& a, const auto& b) {
    return a->Voice != b->Voice ? a->Voice < b->Voice : a->Start < b->Start;
  });
}

void TECRow::DissolveNoteGroup(TECTuplet* tuplet) {
  if (!tuplet || !tuplet->Owner) return;
  TECMeasure* measure = tuplet->Owner;
  std::vector<TECNote*> members;
  for (const auto& note : measure->Notes)
    if (note->Voice == tuplet->Voice && note->Start >= tuplet->Position && note->Start < tuplet->Second)
      members.push_back(note.get());
  // The members are laid out again at their lengths as plain notes; the
  // bracket, marked broken meanwhile, takes no new members.
  const std::uint8_t flags = tuplet->Flags;
  tuplet->Flags |= TECTuplet::Broken;
  {
    TECMusicScore* score = Score();
    std::optional<ScopedUndoLock> lock;
    if (score) lock.emplace(*score);
    for (TECNote* note : members) {
      note->Position = note->Start;
      ReflowNote(note, note->Length, note->StartOffset, note->Velocity);
    }
  }
  tuplet->Flags = flags;
  RebuildVoiceUnions(measure, tuplet->Voice, false, -1, true);
}
