#include <gtest/gtest.h>

#include "dialogs/logic/arrangement_enabling.h"
#include "dialogs/logic/clef_labels.h"
#include "dialogs/logic/key_signature_map.h"
#include "dialogs/logic/line_end_codes.h"
#include "dialogs/logic/microtone_map.h"
#include "dialogs/logic/time_signature_rule.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {
namespace {

TEST(KeySignatureMap, OnlyRealKeysHaveAButton) {
  EXPECT_EQ(key_signature::PositionOf(0), 0);
  EXPECT_EQ(key_signature::PositionOf(7), 7);
  EXPECT_EQ(key_signature::PositionOf(11), 8);
  EXPECT_EQ(key_signature::PositionOf(12), 9);
  EXPECT_EQ(key_signature::PositionOf(17), 14);
  for (int code : {-1, 8, 9, 10, 18, 21, 255}) {
    EXPECT_EQ(key_signature::PositionOf(code), -1) << code;
    EXPECT_EQ(key_signature::NameOf(code), "") << code;
  }
  for (int position = 0; position < key_signature::kButtonCount; ++position)
    EXPECT_EQ(key_signature::PositionOf(key_signature::CodeAt(position)), position);
  EXPECT_EQ(key_signature::NameOf(6), "Fis-dur");
  EXPECT_EQ(key_signature::NameOf(12), "B-dur");
  EXPECT_EQ(key_signature::NameOf(17), "Ces-dur");
}

TEST(KeySignatureMap, ShiftChoosesSharpsAndAltFlats) {
  EXPECT_EQ(key_signature::CodeForKey(4, true, false), 4);
  EXPECT_EQ(key_signature::CodeForKey(0, true, false), 0);
  EXPECT_EQ(key_signature::CodeForKey(4, false, true), 14);
  EXPECT_EQ(key_signature::CodeForKey(0, false, true), -1);
  EXPECT_EQ(key_signature::CodeForKey(4, false, false), -1);
  EXPECT_EQ(key_signature::CodeForKey(8, true, false), -1);
}

TEST(KeySignatureMap, AccidentalsFollowTheKeyOrder) {
  // Sharps F C G D A E B and flats B E A D G C F on the treble staff.
  EXPECT_EQ(key_signature::AccidentalAt(false, 0).y, -12);
  EXPECT_EQ(key_signature::AccidentalAt(false, 1).y, -3);
  EXPECT_EQ(key_signature::AccidentalAt(false, 2).y, -15);
  EXPECT_EQ(key_signature::AccidentalAt(true, 0).y, 0);
  EXPECT_EQ(key_signature::AccidentalAt(true, 6).y, 9);
  EXPECT_EQ(key_signature::AccidentalAt(true, 6).x, 33);
  EXPECT_EQ(key_signature::FirstLineOffset(52), 14);
}

std::vector<std::u32string> Break(const std::u32string& label) {
  return BreakClefLabel(label, 79, [](char32_t) { return 6; });
}

TEST(ClefLabels, BreakAfterTheBreakCharacterBeforeTheOverflow) {
  EXPECT_EQ(Break(U"Violin octava basso"), (std::vector<std::u32string>{U"Violin octava", U"basso"}));
  EXPECT_EQ(Break(U"Mezzosoprano"), (std::vector<std::u32string>{U"Mezzosoprano"}));
  EXPECT_EQ(Break(U"Abcdefghijklmn"), (std::vector<std::u32string>{U"Abcdefghijklmn"}));
  // No break before the overflow: the first one after it ends the line.
  EXPECT_EQ(Break(U"Abcdefghijklmnop,q"), (std::vector<std::u32string>{U"Abcdefghijklmnop,", U"q"}));
  EXPECT_EQ(Break(U"Bariton(Bass)"), (std::vector<std::u32string>{U"Bariton(Bass)"}));
  EXPECT_EQ(Break(U""), (std::vector<std::u32string>{}));
  // Three lines of a long label.
  EXPECT_EQ(Break(U"Percussion one two three four"),
            (std::vector<std::u32string>{U"Percussion", U"one two three", U"four"}));
  EXPECT_EQ(BreakClefLabel(U"aa bb cc", 10, [](char32_t) { return 6; }),
            (std::vector<std::u32string>{U"aa", U"bb", U"cc"}));
}

TEST(TimeSignatureRule, SymbolsFollowTheSignature) {
  using namespace time_signature;
  EXPECT_EQ(Numerators(true).front(), 1);
  EXPECT_EQ(Numerators(false).front(), 2);
  EXPECT_EQ(Numerators(false).back(), 12);
  EXPECT_EQ(EnabledFor(4, 4), (SymbolsEnabled{true, true}));
  EXPECT_EQ(EnabledFor(2, 2), (SymbolsEnabled{true, true}));
  EXPECT_EQ(EnabledFor(2, 4), (SymbolsEnabled{false, true}));
  EXPECT_EQ(EnabledFor(3, 4), (SymbolsEnabled{false, false}));
  EXPECT_EQ(SymbolFor(4, 4, true, false), 1);
  EXPECT_EQ(SymbolFor(2, 4, true, false), 0);
  EXPECT_EQ(SymbolFor(2, 4, false, true), 2);
  EXPECT_EQ(SymbolFor(3, 4, false, true), 0);
  EXPECT_EQ(PresetFor(257), (Preset{4, 4, {true, true}}));
  EXPECT_EQ(PresetFor(258), (Preset{1, 2, {false, true}}));
  EXPECT_EQ(PresetFor(516), (Preset{2, 4, {false, true}}));
  EXPECT_EQ(PresetFor(3 * 256 + 4), (Preset{3, 4, {false, false}}));
  EXPECT_EQ(Code(4, 4), 1028);
}

TEST(MicrotoneMap, CodesAbove32AreOnTheSecondPage) {
  EXPECT_EQ(microtone::PlaceOf(48).page, 1);
  EXPECT_STREQ(microtone::Page(1)[microtone::PlaceOf(48).button].hint, "+3/8");
  EXPECT_EQ(microtone::PlaceOf(3).page, 0);
  EXPECT_STREQ(microtone::Page(0)[microtone::PlaceOf(3).button].hint, "- 3/4");
  EXPECT_EQ(microtone::PlaceOf(38).button, -1);
  EXPECT_EQ(microtone::PlaceOf(0).button, -1);
  EXPECT_EQ(microtone::Page(1)[0].glyph, render::glyph::EighthFlat);
  EXPECT_EQ(microtone::Page(0)[2].glyph, render::glyph::ThreeQuarterFlat);
}

TEST(ArrangementEnabling, ActiveGatesEveryControl) {
  EXPECT_EQ(RowAlignmentEnabling(false, 0), (RowAlignmentEnabled{}));
  EXPECT_EQ(RowAlignmentEnabling(true, 0), (RowAlignmentEnabled{true, true, true, false}));
  EXPECT_EQ(RowAlignmentEnabling(true, 2), (RowAlignmentEnabled{true, true, false, true}));
  EXPECT_EQ(JoinButtonOf(5), JoinButton::Custom);
  EXPECT_EQ(JoinButtonOf(-1), JoinButton::ByTimeSignature);
  EXPECT_EQ(JoinCountOf(JoinButton::Custom, 5), 5);
  EXPECT_EQ(JoinCountOf(JoinButton::ByTimeSignature, 5), -1);
  EXPECT_EQ(JoinEnabling(true, JoinButton::Custom), (JoinEnabled{true, true}));
  EXPECT_EQ(JoinEnabling(false, JoinButton::Custom), (JoinEnabled{false, false}));
}

TEST(LineEndCodes, NibblesHoldStartAndFinish) {
  EXPECT_EQ(line_end::kChoices[6].code, 35);
  EXPECT_STREQ(line_end::kChoices[6].name, "CBCircleRhombus");
  EXPECT_EQ(line_end::StartOf(35), line_end::kCircle);
  EXPECT_EQ(line_end::FinishOf(35), line_end::kRhombus);
  EXPECT_EQ(line_end::kChoices[8].code, 51);
}

}  // namespace
}  // namespace nv::dialogs
