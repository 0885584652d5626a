// The sounding alteration that <alter> holds: key signature, accidentals
// holding through the measure, ties over the bar line.
#include <gtest/gtest.h>

#include <vector>

#include "formats/musicxml_pitch.h"
#include "model/score_builder.h"

namespace {

using score_builder::AddAttribute;
using score_builder::AddNote;

struct Written {
  int step;
  int octave;
  int start;
  std::vector<std::uint8_t> accidentals;
};

struct Case {
  const char* name;
  int keyCode;  // 0: no key record
  std::vector<Written> notes;
  std::vector<int> alterations;  // in list order
};

const Case kCases[] = {
    {"SharpHoldsForItsPitchOnly", 0, {{4, 5, 0, {ek::Sharp}}, {4, 5, 32, {}}, {4, 4, 64, {}}}, {1, 1, 0}},
    {"TwoSharpsRaiseFAndC", 32, {{4, 5, 0, {}}, {1, 5, 32, {}}, {5, 5, 64, {}}}, {1, 1, 0}},
    {"ThreeFlatsLowerBEAndA", 43, {{7, 4, 0, {}}, {3, 5, 0, {}}, {6, 4, 32, {}}, {2, 5, 64, {}}}, {-1, -1, -1, 0}},
    {"NaturalCancelsTheKeyForTheMeasure", 31, {{4, 5, 0, {ek::Natural}}, {4, 5, 32, {}}}, {0, 0}},
    {"EveryAccidentalCode",
     0,
     {{1, 5, 0, {ek::Flat}},
      {2, 5, 0, {ek::DoubleFlat}},
      {3, 5, 0, {ek::Sharp}},
      {4, 5, 0, {ek::DoubleSharp}},
      {5, 5, 0, {ek::NaturalFlat}},
      {6, 5, 0, {ek::NaturalSharp}},
      {7, 5, 0, {ek::Dot}}},
     {-1, -2, 1, 2, -1, 1, 0}},
    {"TimeOrderNotListOrder", 0, {{4, 5, 32, {}}, {4, 5, 0, {ek::Sharp}}}, {1, 1}},
    {"LastAccidentalOfANoteCounts", 0, {{4, 5, 0, {ek::Flat, ek::Sharp}}}, {1}},
};

class MusicXmlAlterations : public ::testing::TestWithParam<Case> {};

TEST_P(MusicXmlAlterations, OfEveryNote) {
  TECMeasure measure;
  if (GetParam().keyCode) measure.KeySignature = std::make_unique<TECKeySignature>(GetParam().keyCode, &measure);
  for (const Written& w : GetParam().notes) {
    TECNote* note = AddNote(measure, w.step, w.octave, 32, w.start);
    for (std::uint8_t code : w.accidentals) AddAttribute(*note, code);
  }
  MusicXmlAlterationTable alterations;
  alterations.ReadMeasure(measure);
  std::vector<int> seen;
  for (const auto& note : measure.Notes) seen.push_back(alterations.Of(*note));
  EXPECT_EQ(seen, GetParam().alterations);
}

INSTANTIATE_TEST_SUITE_P(Cases, MusicXmlAlterations, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MusicXmlAlterationsOverBarLines, KeyHoldsAccidentalsEndAndTiesCarry) {
  TECMeasure first(nullptr, 0);
  first.KeySignature = std::make_unique<TECKeySignature>(41, &first);  // B flat
  AddAttribute(*AddNote(first, 4, 5, 32, 0), ek::Sharp);
  TECNote* tiedFrom = AddNote(first, 1, 5, 32, 96);
  AddAttribute(*tiedFrom, ek::Sharp);
  TECMeasure second(nullptr, 1);
  TECNote* tiedTo = AddNote(second, 1, 5, 32, 0);
  LinkNotes(tiedFrom, tiedTo, ek::LinkAbove);
  const TECNote* laterC = AddNote(second, 1, 5, 32, 32);
  const TECNote* f = AddNote(second, 4, 5, 32, 64);
  const TECNote* b = AddNote(second, 7, 4, 32, 96);
  TECMeasure third(nullptr, 2);
  third.KeySignature = std::make_unique<TECKeySignature>(30, &third);
  const TECNote* plainB = AddNote(third, 7, 4, 32, 0);

  MusicXmlAlterationTable alterations;
  alterations.ReadMeasure(first);
  alterations.ReadMeasure(second);
  EXPECT_EQ(alterations.Of(*tiedTo), 1);
  EXPECT_EQ(alterations.Of(*laterC), 0);
  EXPECT_EQ(alterations.Of(*f), 0);
  EXPECT_EQ(alterations.Of(*b), -1);
  alterations.ReadMeasure(third);
  EXPECT_EQ(alterations.Of(*plainB), 0);
}

}  // namespace
