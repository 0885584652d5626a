#include "formats/musicxml_pitch.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "model/tied_notes.h"
#include "model/duration_split.h"
#include "model/step_pitch.h"

namespace {

constexpr int kSharpKeys = 30;
constexpr int kFlatKeys = 40;

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
  auto inForce = [&](int kind, int octave) {
    const auto found = written.find({kind, octave});
    return found != written.end() ? found->second : step_pitch::KeyAlteration(keyInForce_, kind - 20);
  };
  graces_.clear();
  for (const TECNote* note : notes) {
    for (const auto& attribute : note->Attributes) {
      if (attribute->Kind != ek::GraceNotes) continue;
      for (const auto& grace : static_cast<const TECGraceGroup&>(*attribute).Notes) {
        int alteration = inForce(grace->Step + 20, grace->Octave);
        for (const auto& mark : grace->Attributes)
          if (int shift = 0; duration_split::AccidentalShift(mark->Kind, shift)) alteration = shift;
        graces_[grace.get()] = alteration;
      }
    }
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
    } else {
      alteration = inForce(note->Kind, note->Octave);
    }
    current_[note] = alteration;
  }
}

int MusicXmlAlterationTable::Of(const TECNote& note) const {
  const auto found = current_.find(&note);
  return found != current_.end() ? found->second : 0;
}

int MusicXmlAlterationTable::OfGrace(const TECGraceNote& grace) const {
  const auto found = graces_.find(&grace);
  return found != graces_.end() ? found->second : 0;
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
