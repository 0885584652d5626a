#include "library/chord_code.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/element_kinds.h"
#include "render/element_bytes.h"

namespace {

using namespace nv::library;
using nv::render::element_bytes::PieceAnchor;
using nv::render::element_bytes::PieceRaise;
using Code = std::vector<std::uint8_t>;

// "text@level<anchor" per piece.
std::vector<std::string> Spelled(const Code& code) {
  std::vector<TECChordPiece> pieces(3);  // stale pieces are cleared
  AccordCodeToText(code, pieces);
  std::vector<std::string> out;
  for (const auto& p : pieces) {
    EXPECT_EQ(p.Format[0], 0);
    EXPECT_EQ(p.Format[1], 0);
    out.push_back(p.Text + "@" + std::to_string(PieceRaise(p)) + "<" + std::to_string(PieceAnchor(p)));
  }
  return out;
}

// The tones as "Eb1" (letter, accidentals, octave offset), "-" for an empty
// entry, up to the count.
std::string Tones(const Code& code) {
  TECChordTones tones;
  const int count = AccordCodeToNotes(code, tones);
  std::string out;
  for (int i = 0; i < count; ++i) {
    const TECChordTone& t = tones[static_cast<std::size_t>(i)];
    if (!out.empty()) out += ' ';
    if (t.Step == 0) {
      out += '-';
      continue;
    }
    out += "CDEFGAB"[t.Step - 1];
    if (t.Accidental == ek::Sharp) out += "#";
    if (t.Accidental == ek::DoubleSharp) out += "##";
    if (t.Accidental == ek::Flat) out += "b";
    if (t.Accidental == ek::DoubleFlat) out += "bb";
    out += std::to_string(t.Octave);
  }
  return out;
}

TEST(ChordCode, SpellsTheTextPieces) {
  const struct {
    Code code;
    std::vector<std::string> pieces;
  } cases[] = {
      {{1, 0, 0}, {"C@0<0"}},
      {{2, 0, 0x25, 0x12}, {"Ab@0<0", "7@1<1"}},
      // minor, stacked, b9, #11: both alterations after the minor piece
      {{5, 0, 0x00, 0x20, 0x60, 0xC6, 0xD5}, {"C@0<0", "m@1<0", "b9@-1<1", "#11@-4<1"}},
      // brackets around two alterations, the closing one after the last
      {{4, 0, 0x04, 0x70, 0xC6, 0xD5}, {"G@0<0", "(@-2<0", "b9@-2<1", "#11@-2<2", ")@-2<3"}},
      // a bass note
      {{2, 1, 0x00, 0x20, 0x25}, {"C@0<0", "m@1<0", "/@0<1", "Ab@0<2"}},
      {{3, 0, 0x11, 0x51, 0x80}, {"D#@0<0", "omit5@1<0", "add@-2<1"}},
      {{4, 0, 0x00, 0x21, 0x31, 0x42}, {"C@0<0", "mi@1<0", "M@1<1", "sus4@1<2"}},
      {{3, 0, 0x00, 0x9F, 0xB8}, {"C@0<0", "5@-2<0", "dim7@-2<1"}},
      // skipped bytes, none kinds, an extension variant without caption
      {{5, 0, 0x06, 0xF0, 0x00, 0xA3, 0x1C}, {"B@0<0", "@1<1"}},
      // styles without a caption read as variant 0
      {{3, 0, 0x00, 0x2E, 0x5F}, {"C@0<0", "m@1<0", "omit3@1<1"}},
      // bounded: no root, a count past the end, a missing bass byte
      {{0, 0}, {}},
      {{}, {}},
      {{5, 0, 0}, {"C@0<0"}},
      {{2, 2, 0x00, 0x12}, {"C@0<0", "7@1<1"}},
      {{1, 0, 0x09}, {"C@0<0"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Spelled(c.code), c.pieces) << ::testing::PrintToString(c.code);
}

TEST(ChordCode, GivesTheNoteSet) {
  const struct {
    Code code;
    const char* tones;
  } cases[] = {
      {{1, 0, 0}, "C0 E0 G0"},
      {{2, 0, 0x25, 0x12}, "Ab0 C1 Eb1 Gb1"},
      {{2, 0, 0x00, 0x13}, "C0 E0 G0 Bb0 D1"},
      {{2, 0, 0x00, 0x15}, "C0 E0 G0 Bb0 D1 - A1"},
      {{2, 0, 0x00, 0x14}, "C0 E0 G0 Bb0 D1 F1"},
      {{2, 0, 0x00, 0x11}, "C0 E0 G0 A0"},
      {{3, 0, 0x00, 0x30, 0x12}, "C0 E0 G0 B0"},
      {{2, 0, 0x00, 0x42}, "C0 F0 G0"},
      {{2, 0, 0x00, 0x40}, "C0 F0 G0"},
      {{2, 0, 0x00, 0x41}, "C0 D0 G0"},
      {{3, 0, 0x00, 0x20, 0x51}, "C0 Eb0 -"},
      {{2, 0, 0x00, 0x53}, "C0 E0 -"},
      {{2, 0, 0x00, 0x52}, "C0 - G0"},
      {{1, 0, 0x16}, "B#0 D##1 F##1"},
      {{2, 0, 0x20, 0x20}, "Cb0 Ebb0 Gb0"},
      {{3, 0, 0x00, 0x92, 0xC5}, "C0 E0 Gb0 - D#1"},
      {{3, 0, 0x00, 0xB0, 0xD5}, "C0 E0 G0 Bb0 - F#1"},
      {{2, 0, 0x00, 0xE6}, "C0 E0 G0 - - - Ab1"},
      {{2, 1, 0x00, 0x20, 0x25}, "C0 Eb0 G0 - - - - Ab0"},
      {{2, 0, 0x00, 0xF3}, "C0 E0 G0"},
      {{0, 0}, ""},
      {{5, 0, 0}, "C0 E0 G0"},
      {{1, 0, 0x09}, "C0 E0 G0"},
      {{2, 2, 0x00, 0x12}, "C0 E0 G0 Bb0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Tones(c.code), c.tones) << ::testing::PrintToString(c.code);
}

TEST(ChordCode, TheBassToneIsEntrySevenAtTheRootsOctave) {
  TECChordTones tones;
  EXPECT_EQ(AccordCodeToNotes(Code{2, 1, 0x00, 0x20, 0x25}, tones), 8);
  EXPECT_EQ(tones[7], (TECChordTone{0, 6, 0, ek::Flat}));
}

TEST(ChordCode, ButtonsBuildTheCode) {
  ChordButtons b;
  b.RootStep = 5;
  b.RootFlat = true;
  b.Minor = true;
  b.MinorStyle = 2;
  b.Major = true;  // minor wins
  b.Extension = 2;
  b.Omit = true;
  b.OmitStyle = 1;
  b.Brackets = b.Stacked = b.Add = true;
  b.Altered = {false, false, true, true, false};
  b.Alteration = {0, 0, 1, 0, 2};
  b.AlterationStyle = 2;
  b.Bass = true;
  b.BassStep = 4;
  b.BassSharp = true;
  EXPECT_EQ(AccordCodeFromButtons(b), (Code{9, 1, 0x25, 0x22, 0x12, 0x51, 0x70, 0x60, 0x80, 0xC5, 0xD0, 0x14}));
  EXPECT_EQ(AccordCodeFromButtons(ChordButtons{}), (Code{2, 0, 0x00, 0x10}));
}

// What a code says of the buttons; the styles of buttons that are up are not
// in the code.
ChordButtons Reflected(ChordButtons b) {
  if (b.Minor) b.Major = false;
  if (b.Sus) b.Omit = false;
  if (!b.Minor) b.MinorStyle = 0;
  if (!b.Major) b.MajorStyle = 0;
  if (!b.Sus) b.SusStyle = 0;
  if (!b.Omit) b.OmitStyle = 0;
  if (b.RootFlat) b.RootSharp = false;
  if (b.BassFlat) b.BassSharp = false;
  if (!b.Bass) b.BassStep = 0, b.BassSharp = b.BassFlat = false;
  bool anyAltered = false;
  for (std::size_t i = 0; i < 5; ++i) {
    if (!b.Altered[i]) b.Alteration[i] = 0;
    anyAltered |= b.Alteration[i] != 0;
  }
  if (!anyAltered) b.AlterationStyle = 0;
  return b;
}

TEST(ChordCode, ButtonsComeBackFromTheirCode) {
  std::mt19937 random(8101);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 2000; ++round) {
    ChordButtons s;
    s.RootStep = pick(7), s.RootSharp = pick(2), s.RootFlat = pick(2);
    s.Minor = pick(2), s.MinorStyle = pick(3), s.Major = pick(2), s.MajorStyle = pick(2);
    s.Extension = pick(6);
    s.Sus = pick(2), s.SusStyle = pick(3), s.Omit = pick(2), s.OmitStyle = pick(4);
    s.Brackets = pick(2), s.Stacked = pick(2), s.Add = pick(2);
    for (std::size_t i = 0; i < 5; ++i) s.Altered[i] = pick(2), s.Alteration[i] = pick(3);
    s.AlterationStyle = pick(4);
    s.Bass = pick(2), s.BassStep = pick(7), s.BassSharp = pick(2), s.BassFlat = pick(2);
    const ChordButtons expected = Reflected(s);
    // A stale toolbar: everything the code reflects must be overwritten.
    ChordButtons t;
    t.RootSharp = t.RootFlat = t.Minor = t.Major = t.Sus = t.Omit = true;
    t.Brackets = t.Stacked = t.Add = t.Bass = t.BassSharp = true;
    t.Altered = {true, true, true, true, true};
    t.Alteration = {1, 1, 1, 1, 1};
    t.AlterationStyle = 3;
    AccordCodeToButtons(AccordCodeFromButtons(s), t);
    ASSERT_EQ(Reflected(t), expected) << "round " << round;
  }
}

TEST(ChordCode, ARaisedNinthInStyleTwoIsC5) {
  ChordButtons b;
  b.Altered[2] = true;
  b.Alteration[2] = 1;
  b.AlterationStyle = 2;
  EXPECT_EQ(AccordCodeFromButtons(b).back(), 0xC5);
}

TEST(ChordCode, CodesWithoutARootOrWithByteZeroOfZeroLeaveTheToolbar) {
  ChordButtons b;
  b.RootStep = 3;
  b.RootSharp = b.Minor = true;
  const ChordButtons before = b;
  for (const Code& code : {Code{}, Code{0, 0}, Code{0, 0, 0x25, 0x12}}) {
    AccordCodeToButtons(code, b);
    EXPECT_EQ(b, before);
  }
}

TEST(ChordCode, UnknownStylesAndStepsReadAsTheFirst) {
  ChordButtons b;
  AccordCodeToButtons(Code{5, 0, 0x0E, 0x2E, 0x1C, 0x4F, 0xCB, 0xF1}, b);
  EXPECT_EQ(b.RootStep, 0);
  EXPECT_TRUE(b.Minor);
  EXPECT_EQ(b.MinorStyle, 0);
  EXPECT_EQ(b.Extension, 0);
  EXPECT_TRUE(b.Sus);
  EXPECT_EQ(b.SusStyle, 0);
  EXPECT_TRUE(b.Altered[2]);
  EXPECT_EQ(b.Alteration[2], 1);
  EXPECT_EQ(b.AlterationStyle, 0);
}

}  // namespace
