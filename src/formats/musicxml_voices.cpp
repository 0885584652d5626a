#include "formats/musicxml_voices.h"

#include <algorithm>

namespace {

struct PlacedEvent {
  const TECNote* Note = nullptr;  // none for a rest
  int Start = 0;
  int Length = 0;
  int Voice = 0;
};

std::vector<PlacedEvent> WrittenElements(const TECMeasure& measure) {
  std::vector<PlacedEvent> placed;
  for (const auto& note : measure.Notes)
    if (ek::IsNoteStep(note->Kind) && note->Length > 0)
      placed.push_back({note.get(), note->Start, note->Length, note->Voice});
  for (const auto& rest : measure.Rests)
    if (!(rest->Flags & TECRest::Hidden) && rest->Length > 0)
      placed.push_back({nullptr, rest->Start, rest->Length, rest->Voice});
  return placed;
}

void AddForward(MusicXmlSegment& segment, int ticks) {
  if (ticks > 0) segment.Events.push_back({MusicXmlEvent::RefKind::Forward, nullptr, false, ticks});
}

// Lays the elements of one voice into one segment, in order; those that
// overlap what the segment already holds are handed back.
std::vector<PlacedEvent> FillSegment(MusicXmlSegment& segment, const std::vector<PlacedEvent>& elements, int length) {
  std::vector<PlacedEvent> overlapping;
  int time = 0;
  int chordStart = -1;  // start of the last note written, while a note was last
  for (const PlacedEvent& element : elements) {
    if (element.Note && element.Start == chordStart) {
      segment.Events.push_back({MusicXmlEvent::RefKind::Note, element.Note, true, element.Length});
      continue;
    }
    if (element.Start < time) {
      overlapping.push_back(element);
      continue;
    }
    AddForward(segment, element.Start - time);
    const auto kind = element.Note ? MusicXmlEvent::RefKind::Note : MusicXmlEvent::RefKind::Rest;
    segment.Events.push_back({kind, element.Note, false, element.Length});
    time = element.Start + element.Length;
    chordStart = element.Note ? element.Start : -1;
  }
  AddForward(segment, length - time);
  return overlapping;
}

}  // namespace

int MusicXmlContentEnd(const TECMeasure& measure) {
  int end = 0;
  for (const PlacedEvent& element : WrittenElements(measure)) end = std::max(end, element.Start + element.Length);
  return end;
}

std::vector<MusicXmlSegment> BuildMusicXmlSegments(const TECMeasure& measure, int length) {
  std::vector<PlacedEvent> elements = WrittenElements(measure);
  // Notes before rests at one start: the list of notes is already in order.
  std::stable_sort(elements.begin(), elements.end(), [](const PlacedEvent& a, const PlacedEvent& b) {
    if (a.Start != b.Start) return a.Start < b.Start;
    return a.Note && !b.Note;
  });
  // The voice byte of a damaged file may exceed 15; its elements still count.
  std::vector<int> voices;
  for (const PlacedEvent& element : elements) voices.push_back(element.Voice);
  std::sort(voices.begin(), voices.end());
  voices.erase(std::unique(voices.begin(), voices.end()), voices.end());
  std::vector<MusicXmlSegment> segments;
  for (const int voice : voices) {
    std::vector<PlacedEvent> pending;
    for (const PlacedEvent& element : elements)
      if (element.Voice == voice) pending.push_back(element);
    while (!pending.empty()) {
      segments.push_back({voice, {}});
      pending = FillSegment(segments.back(), pending, length);
    }
  }
  if (segments.empty()) {
    segments.push_back({0, {}});
    AddForward(segments.back(), length);
  }
  return segments;
}
