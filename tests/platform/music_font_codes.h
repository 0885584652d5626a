#pragma once

// The character codes of the music font, with the advance each painter
// reserves for its glyph and where it expects the glyph's ink. Pixels at
// 16 points and 96 DPI (an em of 21 px, a staff space of 6 px), measured
// down from the top of the character cell, where every painter places text.

#include <vector>

#include "render/music_font_codes.h"

namespace nv::test {

namespace glyph = nv::render::glyph;

inline constexpr double kSpace = 6;

struct WidthRange {
  int min;
  int max;
};

enum class Anchor {
  Centre,  // the ink's vertical centre at a
  Top,     // the ink starts at a
  Bottom,  // the ink ends at a
  Span,    // the ink runs from a to b
  Within,  // the ink lies inside a..b
};

struct InkAnchor {
  Anchor kind;
  double a;
  double b;
};

struct MusicCode {
  int code;
  const char* what;
  WidthRange width;
  InkAnchor ink;
  bool inkFromLeft;  // the ink starts at x = 0: heads, and flags at the stem
  double staffTop;   // for the specimen: the staff's top line, in spaces below
                     // the cell top, where the use fixes it; kNoStaff if not
};

inline constexpr double kNoStaff = -100;

constexpr WidthRange exact(int w) { return {w, w}; }
constexpr WidthRange atMost(int w) { return {0, w}; }
constexpr WidthRange between(int a, int b) { return {a, b}; }
constexpr WidthRange anyWidth() { return {0, 1000}; }

constexpr InkAnchor centre(double y) { return {Anchor::Centre, y, 0}; }
constexpr InkAnchor top(double y) { return {Anchor::Top, y, 0}; }
constexpr InkAnchor bottom(double y) { return {Anchor::Bottom, y, 0}; }
constexpr InkAnchor within(double a, double b) { return {Anchor::Within, a, b}; }
// A symbol that stands on a staff position `line` spaces below the top and
// reaches `above` spaces over it and `below` spaces under it.
constexpr InkAnchor around(double line, double above, double below) {
  return {Anchor::Span, (line - above) * kSpace, (line + below) * kSpace};
}

inline const std::vector<MusicCode>& musicCodes() {
  static const std::vector<MusicCode> codes = [] {
    std::vector<MusicCode> t;
    auto add = [&t](int code, const char* what, WidthRange w, InkAnchor ink,
                    bool fromLeft = false, double staff = kNoStaff) {
      t.push_back({code, what, w, ink, fromLeft, staff});
    };
    add(glyph::Brace, "brace", anyWidth(), within(0, 20));  // the top 20/31 of the cell
    // Clefs: the G line 5 spaces, the F line 1, the C line 2 below the top.
    add(glyph::GClef, "G clef", atMost(16), around(5, 4.39, 2.63), false, 2);
    add(glyph::FClef, "F clef", atMost(16), around(1, 1.05, 2.54), false, 0);
    add(glyph::CClef, "C clef", atMost(16), around(2, 2.02, 2.02), false, 0);
    // Heads: centred one space below the top, from x = 0.
    add(glyph::BreveHead, "breve head", between(10, 12), centre(kSpace), true, 1);
    add(glyph::WholeHead, "whole head", between(9, 10), centre(kSpace), true, 1);
    add(glyph::HalfHead, "half head", exact(glyph::NoteAdvance21(glyph::HalfHead)), centre(kSpace), true, 1);
    add(glyph::BlackHead, "black head", exact(glyph::NoteAdvance21(glyph::BlackHead)), centre(kSpace), true, 1);
    // Time signatures: from half a space to 2.5 spaces below the top.
    add(glyph::CutTime, "cut time", atMost(16), centre(2.5 * kSpace), false, 0.5);
    add(glyph::CommonTime, "common time", atMost(16), around(2.5, 1, 1), false, 0.5);
    for (int d = glyph::Digit0; d <= glyph::Digit9; ++d) add(d, "digit", atMost(8), around(1.5, 1, 1), false, 0.5);
    // One-glyph notes: the head centred 2.5 spaces below the top.
    for (int c : {glyph::StemmedHalf, glyph::StemmedQuarter, glyph::StemmedEighth, glyph::StemmedSixteenth,
                  glyph::StemmedThirtySecond, glyph::StemmedSixtyFourth})
      add(c, "note with stem", exact(glyph::NoteAdvance21(static_cast<glyph::Code>(c))), bottom(3 * kSpace), false,
          0.5);
    add(glyph::OttavaAlta, "8va", anyWidth(), within(0, 21));
    add(glyph::OttavaBassa, "8vb", anyWidth(), within(0, 21));
    // Flags: up flags hang from the stem end at the top, down flags end
    // three spaces below it; the cell's left edge is the stem.
    for (int c : {glyph::EighthFlagUp, glyph::SixteenthFlagUp, glyph::ThirtySecondFlagUp, glyph::SixtyFourthFlagUp})
      add(c, "up flag", anyWidth(), top(0), true);
    for (int c : {glyph::EighthFlagDown, glyph::SixteenthFlagDown, glyph::ThirtySecondFlagDown, glyph::SixtyFourthFlagDown})
      add(c, "down flag", anyWidth(), bottom(3 * kSpace), true);
    // Rests: inside their hit height; the cell top is on the second line.
    add(glyph::QuarterRest, "quarter rest", exact(6), within(0, 20), false, -1);
    add(glyph::EighthRest, "eighth rest", exact(7), within(0, 18), false, -1);
    add(glyph::SixteenthRest, "16th rest", exact(8), within(0, 18), false, -1);
    add(glyph::ThirtySecondRest, "32nd rest", exact(10), within(0, 18), false, -1);
    add(glyph::SixtyFourthRest, "64th rest", exact(12), within(0, 20), false, -1);
    // Accidentals: the pitch two spaces below the top (the double sharp 1.5).
    add(glyph::NaturalFlat, "natural-flat", exact(10), around(2, 1.76, 1.34), false, 2);
    add(glyph::NaturalSharp, "natural-sharp", exact(10), around(2, 1.4, 1.39), false, 2);
    add(glyph::Flat, "flat", exact(6), around(2, 1.76, 0.7), false, 2);
    add(glyph::DoubleFlat, "double flat", exact(10), around(2, 1.75, 0.7), false, 2);
    add(glyph::Sharp, "sharp", exact(6), around(2, 1.4, 1.39), false, 2);
    add(glyph::DoubleSharp, "double sharp", exact(8), around(1.5, 0.51, 0.5), false, 1.5);
    add(glyph::Natural, "natural", exact(6), around(2, 1.36, 1.34), false, 2);
    add(glyph::QuarterFlat, "quarter flat", exact(6), around(2, 1.76, 0.7), false, 2);
    add(glyph::QuarterSharp, "quarter sharp", exact(5), around(2, 1.23, 1.41), false, 2);
    add(glyph::ThreeQuarterFlat, "three-quarter flat", exact(10), around(2, 1.76, 0.7), false, 2);
    add(glyph::ThreeQuarterSharp, "three-quarter sharp", exact(8), around(2, 1.48, 1.39), false, 2);
    add(glyph::QuarterFlatArrow, "quarter flat, arrow", exact(8), around(2, 1.34, 2.17), false, 2);
    add(glyph::QuarterSharpArrow, "quarter sharp, arrow", exact(7), around(2, 2.19, 1.36), false, 2);
    add(glyph::EighthFlat, "eighth flat", exact(8), around(2, 2.54, 0.7), false, 2);
    add(glyph::EighthSharp, "eighth sharp", exact(7), around(2, 1.29, 2.17), false, 2);
    add(glyph::ThreeEighthFlat, "three-eighth flat", exact(8), around(2, 1.75, 1.93), false, 2);
    add(glyph::ThreeEighthSharp, "three-eighth sharp", exact(7), around(2, 2.19, 1.35), false, 2);
    // Slides, drawn a space above the head top: the rising ones above the
    // head, the falling ones and the lift in the box two spaces lower.
    add(glyph::GlissandoUp, "glissando up", exact(14), within(0, 11));
    add(glyph::GlissandoDown, "glissando down", exact(14), within(11, 22));
    add(glyph::FallUp, "fall up", exact(14), within(0, 11));
    add(glyph::FallDown, "fall down", exact(14), within(11, 22));
    add(glyph::Lift, "lift", atMost(12), within(11, 22));
    // Dot, staccato and tenuto: centred half a space below the top.
    add(glyph::Tenuto, "tenuto", exact(6), centre(0.5 * kSpace));
    add(glyph::Dot, "dot", exact(4), centre(0.5 * kSpace));
    add(glyph::DoubleDot, "double dot", exact(8), centre(0.5 * kSpace));
    add(glyph::OpenHat, "open hat", exact(6), within(0, 8));
    add(glyph::HalfOpenHat, "half-open hat", exact(6), within(0, 8));
    // Measure items 160..187: within 18 px below the top, centred on the
    // tick in their kind's width.
    const struct {
      int code;
      const char* what;
      int width;
    } items[] = {{glyph::Piano, "p", 10},
                 {glyph::Pianissimo, "pp", 18},
                 {glyph::Pianississimo, "ppp", 24},
                 {glyph::MezzoPiano, "mp", 16},
                 {glyph::FortePiano, "fp", 16},
                 {glyph::MezzoForte, "mf", 16},
                 {glyph::Forte, "f", 10},
                 {glyph::Fortissimo, "ff", 16},
                 {glyph::Fortississimo, "fff", 22},
                 {glyph::Sforzando, "sfz", 18},
                 {glyph::Sforzatissimo, "sffz", 22},
                 {glyph::Forzando, "fz", 16},
                 {glyph::Sforzato, "sf", 14},
                 {118, "unused", 6},
                 {119, "unused", 6},
                 {121, "unused", 6},
                 {glyph::Pedal, "Ped.", 17},
                 {glyph::PedalUp, "pedal up", 10},
                 {glyph::Turn, "turn", 16},
                 {glyph::InvertedTurn, "inverted turn", 16},
                 {128, "unused", 12},
                 {glyph::Trill, "trill", 12},
                 {glyph::TrillFlat, "trill flat", 12},
                 {glyph::TrillSharp, "trill sharp", 12},
                 {glyph::TrillNatural, "trill natural", 12}};
    for (const auto& i : items) add(i.code, i.what, exact(i.width), within(0, 18));
    add(glyph::Segno, "segno", anyWidth(), within(0, 18));
    add(glyph::Coda, "coda", anyWidth(), within(0, 18));
    // Items 188..199 and their variants: from 4 px to 18 px below the top.
    const struct {
      int code;
      const char* what;
      int width;
    } ornaments[] = {{glyph::Mordent, "mordent", 12},
                     {glyph::StruckMordent, "struck mordent", 12},
                     {glyph::DoubleMordent, "double mordent", 18},
                     {glyph::StruckDoubleMordent, "struck double mordent", 18},
                     {137, "unused", 6},
                     {138, "unused", 6},
                     {139, "unused", 8},
                     {glyph::FermataAbove, "fermata above", 13},
                     {glyph::FermataBelow, "fermata below", 13},
                     {142, "unused", 6},
                     {glyph::Marcato, "marcato", 6},
                     {glyph::Accent, "accent", 9},
                     {glyph::ShortFermataAbove, "short fermata above", 13},
                     {glyph::ShortFermataBelow, "short fermata below", 13},
                     {glyph::LongFermataAbove, "long fermata above", 13},
                     {glyph::LongFermataBelow, "long fermata below", 13}};
    for (const auto& o : ornaments) add(o.code, o.what, exact(o.width), within(4, 18));
    for (int c = glyph::ArticulationPairFirst; c <= glyph::ArticulationPairLast; ++c) add(c, "articulation pair", exact(9), within(4, 18));
    // Drum heads: as the note heads, about as wide as "A".
    for (int c = glyph::DrumHeadFirst; c <= glyph::DrumHeadLast; ++c) {
      if (c == 200 || c == 201) continue;  // unused codes
      add(c, "drum head", exact(8), centre(kSpace), true, 1);
    }
    for (int c = glyph::GhostDrumHeadFirst; c <= glyph::GhostDrumHeadLast; ++c) add(c, "ghost drum head", between(8, 16), centre(kSpace), true, 1);
    for (int c = glyph::StringNumberFirst; c <= glyph::StringNumberLast; ++c) add(c, "string number", atMost(20), within(0, 18));
    return t;
  }();
  return codes;
}

}  // namespace nv::test
