#include "formats/tied_notes.h"

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
