#include "library/chord_insertion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/accord_description.h"
#include "library/chord_builder.h"
#include "model/element_kinds.h"
#include "model/note_records.h"

namespace nv::library {
namespace {

// A template of notes given as "C", "Eb", "F#" ... in one octave.
TECAccordDescription Template(const std::vector<std::string>& names, int octave, bool fixed = true) {
  TECAccordDescription chord;
  chord.FixedOctave = fixed ? 1 : 0;
  for (const std::string& name : names) {
    TECNote note(ek::NoteKindOfStep(static_cast<int>(std::string("CDEFGAB").find(name[0])) + 1));
    note.Octave = static_cast<std::uint8_t>(octave);
    note.Value = note.Length = 32;
    const std::string accidental = name.substr(1);
    if (accidental == "b") note.Attributes.push_back(std::make_unique<TECNoteAttribute>(ek::Flat, &note));
    if (accidental == "#") note.Attributes.push_back(std::make_unique<TECNoteAttribute>(ek::Sharp, &note));
    chord.AddVariant(note);
  }
  return chord;
}

// "D4", "F#4", "Bb3", "E#5" ...
std::string Spelled(const TECChordEntry& entry) {
  std::string text(1, "CDEFGAB"[entry.Step - 1]);
  switch (entry.Accidental) {
    case ek::Flat: text += "b"; break;
    case ek::DoubleFlat: text += "bb"; break;
    case ek::Sharp: text += "#"; break;
    case ek::DoubleSharp: text += "##"; break;
    default: break;
  }
  return text + std::to_string(entry.Octave);
}

std::vector<std::string> Spelled(const std::vector<TECChordEntry>& entries) {
  std::vector<std::string> texts;
  for (const auto& entry : entries) texts.push_back(Spelled(entry));
  return texts;
}

TEST(TemplateChordEntries, TransposesByTheIntervalFromCToTheRoot) {
  const TECAccordDescription maj7 = Template({"C", "E", "G", "B"}, 5);
  const TECAccordDescription minor = Template({"C", "Eb", "G"}, 5);
  struct Case {
    const TECAccordDescription* chord;
    ChordRoot root;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {&maj7, {1, false, false}, {"D5", "F#5", "A5", "C#6"}},
      {&maj7, {6, false, true}, {"Bb5", "D6", "F6", "A6"}},
      {&maj7, {0, true, false}, {"C#5", "E#5", "G#5", "B#5"}},
      {&maj7, {0, false, false}, {"C5", "E5", "G5", "B5"}},
      {&minor, {1, false, false}, {"D5", "F5", "A5"}},
      // A flat tone on a flat root goes to the double flat, not beyond.
      {&minor, {2, false, true}, {"Eb5", "Gb5", "Bb5"}},
      {&minor, {5, false, true}, {"Ab5", "Cb6", "Eb6"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Spelled(TemplateChordEntries(*c.chord, c.root, 3)), c.expected)
        << c.root.Step << c.root.Sharp << c.root.Flat;
}

TEST(TemplateChordEntries, ATemplateWithoutFixedOctaveKeepsItsShapeFromTheCursorOctave) {
  // C E G with the ninth D an octave up.
  TECAccordDescription ninth = Template({"C", "E", "G"}, 4, false);
  TECNote d(ek::NoteKindOfStep(2));
  d.Octave = 5;
  ninth.AddVariant(d);
  EXPECT_EQ(Spelled(TemplateChordEntries(ninth, {4, false, false}, 6)),
            (std::vector<std::string>{"G6", "B6", "D7", "A7"}));
}

TEST(CodeChordEntries, TheBassSoundsAnOctaveBelowTheRoot) {
  ChordButtons slashE;
  slashE.Bass = true;
  slashE.BassStep = 2;
  EXPECT_EQ(Spelled(CodeChordEntries(AccordCodeFromButtons(slashE), 5)),
            (std::vector<std::string>{"C5", "E5", "G5", "E4"}));
  // Never below octave 0.
  EXPECT_EQ(Spelled(CodeChordEntries(AccordCodeFromButtons(slashE), 0)).back(), "E0");
}

TEST(CodeChordEntries, EmptyTonesInsideTheCountAreLeftOut) {
  ChordButtons omit3;
  omit3.Omit = true;
  omit3.OmitStyle = 0;  // omit3
  omit3.Extension = 2;  // 7
  EXPECT_EQ(Spelled(CodeChordEntries(AccordCodeFromButtons(omit3), 4)),
            (std::vector<std::string>{"C4", "G4", "Bb4"}));
}

TEST(TemplateChordPieces, TheRootPieceComesFirst) {
  TECAccordDescription chord;
  chord.Pieces = {MakeChordPiece("m", 0, 1), MakeChordPiece("7", 1, 1)};
  const auto pieces = TemplateChordPieces(chord, {1, true, false});
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].Text, "D#");
  EXPECT_EQ(pieces[1].Text, "m");
  EXPECT_EQ(pieces[2].Text, "7");
  EXPECT_EQ(TemplateChordPieces(chord, {6, false, true})[0].Text, "Bb");
}

}  // namespace
}  // namespace nv::library
