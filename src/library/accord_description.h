#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/template_description.h"
#include "model/measure_items.h"
#include "model/note_records.h"

namespace nv::library {

// A chord template (".acc"): the chord name after the root as text pieces,
// and the chord written out as notes.
class TECAccordDescription : public TECTemplateOf<TECAccordDescription> {
 public:
  TECAccordDescription() : TECTemplateOf(kAccordFile) {}

  // Keeps a copy of the note with its plain attributes only (dots,
  // accidentals, articulations); grace groups and links belong to a score.
  void AddVariant(const TECNote& note);
  // "X" (for the root) and the texts of the pieces.
  std::string GetName() const;

  // Their anchors count the chord symbol's root as piece 0.
  std::vector<TECChordPiece> Pieces;
  std::string Description;
  std::string Group;
  std::vector<std::unique_ptr<TECNote>> Variants;
  std::uint8_t FixedOctave = 1;

 protected:
  std::uint16_t SectionCount() const override { return 5; }
  void WriteSections(ByteStream& stream) const override;
  void ReadSections(ByteStream& stream, const TemplateHeader& header) override;
};

}  // namespace nv::library
