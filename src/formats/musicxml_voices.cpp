#include "formats/musicxml_voices.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "model/duration_split.h"
#include "model/instrument.h"
#include "model/row.h"

namespace {

constexpr int kTupletMask = 0x0F;

struct PlacedEvent {
  const TECNote* Note = nullptr;
  const TECRest* Rest = nullptr;
  int Start = 0;
  int Length = 0;
  int Voice = 0;
  int Value = 0;
  int Dots = 0;
  int Tuplet = 0;  // the tuplet's count of members, 0 for none
};

int TupletOf(int flags) {
  const int count = flags & kTupletMask;
  return count >= 2 && count <= 10 ? count : 0;
}

std::vector<PlacedEvent> WrittenElements(const TECMeasure& measure) {
  std::vector<PlacedEvent> placed;
  for (const auto& note : measure.Notes)
    if (ek::IsNoteStep(note->Kind) && note->Length > 0)
      placed.push_back({note.get(), nullptr, note->Start, note->Length, note->Voice, note->Value,
                        MusicXmlDots(note->Attributes), TupletOf(note->Flags)});
  for (const auto& rest : measure.Rests)
    if (!(rest->Flags & TECRest::Hidden) && rest->Length > 0)
      placed.push_back({nullptr, rest.get(), rest->Start, rest->Length, rest->Voice, rest->Value,
                        MusicXmlDots(rest->Attributes), TupletOf(rest->Flags)});
  return placed;
}

// The event of an element, its duration in divisions.
MusicXmlEvent EventOf(const PlacedEvent& element, bool chord, int factor) {
  MusicXmlEvent event{element.Note ? MusicXmlEvent::RefKind::Note : MusicXmlEvent::RefKind::Rest,
                      element.Note,
                      element.Rest,
                      chord,
                      element.Start,
                      element.Length * factor};
  if (element.Tuplet == 0) return event;
  const int normal = duration_split::TupletSpan(element.Tuplet, 1);
  const long long share = static_cast<long long>(DottedLength(static_cast<std::uint16_t>(element.Value), element.Dots)) *
                          normal * factor;
  if (share % element.Tuplet != 0 || std::llabs(share / element.Tuplet - event.Duration) >= factor) return event;
  event.Duration = static_cast<int>(share / element.Tuplet);
  event.Actual = element.Tuplet;
  event.Normal = normal;
  return event;
}

void AddForward(MusicXmlSegment& segment, int start, int divisions) {
  if (divisions > 0) segment.Events.push_back({MusicXmlEvent::RefKind::Forward, nullptr, nullptr, false, start, divisions});
}

// Lays the elements of one voice into one segment, in order; those that
// overlap what the segment already holds are handed back.
std::vector<PlacedEvent> FillSegment(MusicXmlSegment& segment, const std::vector<PlacedEvent>& elements, int length,
                                     int factor) {
  std::vector<PlacedEvent> overlapping;
  int time = 0;       // ticks
  int divisions = 0;  // where the segment has got to, which a tuplet's exact shares may put inside a tick
  int chordStart = -1;  // start of the last note written, while a note was last
  for (const PlacedEvent& element : elements) {
    if (element.Note && element.Start == chordStart) {
      segment.Events.push_back(EventOf(element, true, factor));
      continue;
    }
    if (element.Start < time) {
      overlapping.push_back(element);
      continue;
    }
    if (element.Start > time) {
      AddForward(segment, time, element.Start * factor - divisions);
      divisions = std::max(divisions, element.Start * factor);
    }
    segment.Events.push_back(EventOf(element, false, factor));
    time = element.Start + element.Length;
    divisions += segment.Events.back().Duration;
    chordStart = element.Note ? element.Start : -1;
  }
  AddForward(segment, time, length * factor - divisions);
  return overlapping;
}

}  // namespace

int MusicXmlDots(const TECAttributeList& attributes) {
  int dots = 0;
  for (const auto& attribute : attributes) {
    if (attribute->Kind == ek::Dot) dots = std::max(dots, 1);
    if (attribute->Kind == ek::DoubleDot) dots = 2;
  }
  return dots;
}

int MusicXmlDivisionFactor(const TECMusicScore& score) {
  int factor = 1;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score.GetInstrumentAt(i);
    for (int r = 0; r < instrument.GetRowCount(); ++r)
      for (const auto& measure : instrument.GetRow(r)->Measures())
        for (const PlacedEvent& element : WrittenElements(*measure))
          if (element.Tuplet) factor = std::lcm(factor, element.Tuplet);
  }
  return factor;
}

int MusicXmlContentEnd(const TECMeasure& measure) {
  int end = 0;
  for (const PlacedEvent& element : WrittenElements(measure)) end = std::max(end, element.Start + element.Length);
  return end;
}

std::vector<MusicXmlSegment> BuildMusicXmlSegments(const TECMeasure& measure, int length, int factor) {
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
      pending = FillSegment(segments.back(), pending, length, factor);
    }
  }
  if (segments.empty()) {
    segments.push_back({0, {}});
    AddForward(segments.back(), 0, length * factor);
  }
  return segments;
}
