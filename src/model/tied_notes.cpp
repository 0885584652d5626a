#include "model/tied_notes.h"

#include <algorithm>

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

const TECNote* TiedFrom(const TECNote& note, int previousLength) {
  for (const auto& attribute : note.Attributes) {
    if (!ek::IsLink(attribute->Kind)) continue;
    const TECNote* other = static_cast<const TECLinkAttribute&>(*attribute).Partner;
    if (!other || !other->Owner || !note.Owner || other->Kind != note.Kind || other->Octave != note.Octave ||
        std::any_of(other->Attributes.begin(), other->Attributes.end(),
                    [](const auto& a) { return ek::IsTremolo(a->Kind); }))
      continue;
    const int end = other->Start + other->Length;
    if (other->Owner == note.Owner && end == note.Start) return other;
    if (other->Owner->Owner == note.Owner->Owner && other->Owner->Index + 1 == note.Owner->Index && note.Start == 0 &&
        end == previousLength)
      return other;
  }
  return nullptr;
}
