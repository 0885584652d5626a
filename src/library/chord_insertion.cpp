#include "library/chord_insertion.h"

#include <algorithm>
#include <array>

#include "library/accord_description.h"
#include "model/duration_split.h"
#include "model/element_kinds.h"
#include "model/note_records.h"

namespace nv::library {

namespace {

constexpr std::array<int, 7> kNaturalSemitone = {0, 2, 4, 5, 7, 9, 11};
constexpr std::string_view kLetters = "CDEFGAB";
constexpr int kHighestOctave = 10;

std::uint8_t AccidentalKind(int alteration) {
  switch (alteration) {
    case -2: return ek::DoubleFlat;
    case -1: return ek::Flat;
    case 1: return ek::Sharp;
    case 2: return ek::DoubleSharp;
    default: return 0;
  }
}

int RootAlteration(const ChordRoot& root) { return root.Flat ? -1 : root.Sharp ? 1 : 0; }

// The pitch of a letter counted from C of octave 0, without accidental.
int NaturalPitch(int letter) { return 12 * (letter / 7) + kNaturalSemitone[static_cast<std::size_t>(letter % 7)]; }

}  // namespace

int NoteAlteration(const TECNote& note) {
  int shift = 0;
  for (const auto& attribute : note.Attributes)
    if (duration_split::AccidentalShift(attribute->Kind, shift)) return shift;
  return 0;
}

std::vector<TECChordEntry> TemplateChordEntries(const TECAccordDescription& chord, ChordRoot root,
                                                int currentOctave) {
  std::vector<TECChordEntry> entries;
  const int rootStep = std::clamp(root.Step, 0, 6);
  const int shiftSemitones = kNaturalSemitone[static_cast<std::size_t>(rootStep)] + RootAlteration(root);
  int lowest = kHighestOctave;
  for (const auto& note : chord.Variants) lowest = std::min<int>(lowest, note->Octave);
  for (const auto& note : chord.Variants) {
    if (!ek::IsNoteStep(note->Kind)) continue;
    const int step = ek::NoteStep(note->Kind) - 1;
    const int octave = chord.FixedOctave != 0 ? note->Octave : currentOctave + (note->Octave - lowest);
    const int pitch = 12 * octave + kNaturalSemitone[static_cast<std::size_t>(step)] + NoteAlteration(*note);
    const int target = pitch + shiftSemitones;
    // The letter moves by the root's letter; the accidental makes up the rest.
    int letter = 7 * octave + step + rootStep;
    if (letter < 0) continue;
    int alteration = target - NaturalPitch(letter);
    // Past a double accidental the neighbouring letter spells it.
    while ((alteration > 2 || (alteration < -2 && letter > 0))) {
      letter += alteration > 0 ? 1 : -1;
      alteration = target - NaturalPitch(letter);
    }
    if (alteration < -2 || letter / 7 > kHighestOctave) continue;
    entries.push_back({0, static_cast<std::uint8_t>(letter % 7 + 1), static_cast<std::uint8_t>(letter / 7),
                       AccidentalKind(alteration)});
  }
  return entries;
}

std::vector<TECChordEntry> CodeChordEntries(std::span<const std::uint8_t> code, int currentOctave) {
  TECChordTones tones;
  const int count = AccordCodeToNotes(code, tones);
  std::vector<TECChordEntry> entries;
  for (int i = 0; i < count; ++i) {
    const TECChordTone& tone = tones[static_cast<std::size_t>(i)];
    if (tone.Step == 0) continue;
    // The bass sounds under the chord.
    const int octave = i == 7 ? std::max(0, currentOctave - 1) : currentOctave + tone.Octave;
    if (octave > kHighestOctave) continue;
    entries.push_back({0, tone.Step, static_cast<std::uint8_t>(octave), tone.Accidental});
  }
  return entries;
}

std::vector<TECChordPiece> TemplateChordPieces(const TECAccordDescription& chord, ChordRoot root) {
  std::string name(1, kLetters[static_cast<std::size_t>(std::clamp(root.Step, 0, 6))]);
  if (root.Flat) name += 'b';
  else if (root.Sharp) name += '#';
  std::vector<TECChordPiece> pieces{MakeChordPiece(name, 0, 0)};
  pieces.insert(pieces.end(), chord.Pieces.begin(), chord.Pieces.end());
  return pieces;
}

}  // namespace nv::library
