#include "formats/musicxml_pitch.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "model/duration_split.h"
#include "model/step_pitch.h"

namespace {

constexpr int kSharpKeys = 30;
constexpr int kFlatKeys = 40;

// The earlier note that `note` continues across the bar line: a link partner
// of the same pitch in the previous measure, reached by a note that starts
// the measure.
const TECNote* TiedFromBefore(const TECNote& note) {
  if (note.Start != 0) return nullptr;
  for (const auto& attribute : note.Attributes) {
    if (!ek::IsLink(attribute->Kind)) continue;
    const TECNote* partner = static_cast<const TECLinkAttribute&>(*attribute).Partner;
    if (partner && partner->Owner != note.Owner && partner->Kind == note.Kind && partner->Octave == note.Octave)
      return partner;
  }
  return nullptr;
}

}  // namespace

void MusicXmlAlterationTable::ReadMeasure(const TECMeasure& measure) {
  if (measure.KeySignature && measure.KeySignature->Code() >= kSharpKeys)
    keyInForce_ = measure.KeySignature->Code() - kSharpKeys;
  previous_ = std::move(current_);
  current_.clear();

  // Accidentals hold for what follows in time, whatever the voice.
  std::vector<const TECNote*> notes;
  for (const auto& note : measure.Notes)
    if (ek::IsNoteStep(note->Kind)) notes.push_back(note.get());
  std::stable_sort(notes.begin(), notes.end(),
                   [](const TECNote* a, const TECNote* b) { return a->Start < b->Start; });

  std::map<std::pair<int, int>, int> written;  // (step, octave) -> alteration
  for (const TECNote* note : notes) {
    const std::pair<int, int> pitch{note->Kind, note->Octave};
    int alteration = 0;
    bool marked = false;
    for (const auto& attribute : note->Attributes) {
      int shift = 0;
      if (duration_split::AccidentalShift(attribute->Kind, shift)) alteration = shift, marked = true;
    }
    if (marked) {
      written[pitch] = alteration;
    } else if (const TECNote* earlier = TiedFromBefore(*note); earlier && previous_.contains(earlier)) {
      alteration = previous_.at(earlier);
    } else if (auto found = written.find(pitch); found != written.end()) {
      alteration = found->second;
    } else {
      alteration = step_pitch::KeyAlteration(keyInForce_, ek::NoteStep(note->Kind));
    }
    current_[note] = alteration;
  }
}

int MusicXmlAlterationTable::Of(const TECNote& note) const {
  const auto found = current_.find(&note);
  return found != current_.end() ? found->second : 0;
}

bool KeyFifths(const TECKeySignature& key, int& fifths) {
  const int code = key.Code();
  if (code >= kSharpKeys && code <= kSharpKeys + 7) {
    fifths = code - kSharpKeys;
    return true;
  }
  if (code >= kFlatKeys && code <= kFlatKeys + 7) {
    fifths = kFlatKeys - code;
    return true;
  }
  return false;
}
