#pragma once

// The character codes of the music font, with the advance each painter
// reserves for its glyph and where it expects the glyph's ink. Pixels at
// 16 points and 96 DPI (an em of 21 px, a staff space of 6 px), measured
// down from the top of the character cell, where every painter places text.

#include <vector>

namespace nv::test {

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
    add(35, "brace", anyWidth(), within(0, 20));  // the top 20/31 of the cell
    // Clefs: the G line 5 spaces, the F line 1, the C line 2 below the top.
    add(36, "G clef", atMost(16), around(5, 4.39, 2.63), false, 2);
    add(37, "F clef", atMost(16), around(1, 1.05, 2.54), false, 0);
    add(38, "C clef", atMost(16), around(2, 2.02, 2.02), false, 0);
    // Heads: centred one space below the top, from x = 0.
    add(43, "breve head", between(10, 12), centre(kSpace), true, 1);
    add(44, "whole head", between(9, 10), centre(kSpace), true, 1);
    add(65, "half head", exact(8), centre(kSpace), true, 1);
    add(66, "black head", exact(8), centre(kSpace), true, 1);
    // Time signatures: from half a space to 2.5 spaces below the top.
    add(45, "cut time", atMost(16), centre(2.5 * kSpace), false, 0.5);
    add(47, "common time", atMost(16), around(2.5, 1, 1), false, 0.5);
    for (int d = 48; d <= 57; ++d) add(d, "digit", atMost(8), around(1.5, 1, 1), false, 0.5);
    // One-glyph notes: the head centred 2.5 spaces below the top.
    for (int c : {46, 58, 59, 60, 61, 62})
      add(c, "note with stem", anyWidth(), bottom(3 * kSpace), false, 0.5);
    add(63, "8va", anyWidth(), within(0, 21));
    add(64, "8vb", anyWidth(), within(0, 21));
    // Flags: up flags hang from the stem end at the top, down flags end
    // three spaces below it; the cell's left edge is the stem.
    for (int c : {67, 69, 71, 73}) add(c, "up flag", anyWidth(), top(0), true);
    for (int c : {68, 70, 72, 74}) add(c, "down flag", anyWidth(), bottom(3 * kSpace), true);
    // Rests: inside their hit height; the cell top is on the second line.
    add(77, "quarter rest", exact(6), within(0, 20), false, -1);
    add(78, "eighth rest", exact(7), within(0, 18), false, -1);
    add(79, "16th rest", exact(8), within(0, 18), false, -1);
    add(80, "32nd rest", exact(10), within(0, 18), false, -1);
    add(81, "64th rest", exact(12), within(0, 20), false, -1);
    // Accidentals: the pitch two spaces below the top (the double sharp 1.5).
    add(87, "natural-flat", exact(10), around(2, 1.76, 1.34), false, 2);
    add(88, "natural-sharp", exact(10), around(2, 1.4, 1.39), false, 2);
    add(98, "flat", exact(6), around(2, 1.76, 0.7), false, 2);
    add(99, "double flat", exact(10), around(2, 1.75, 0.7), false, 2);
    add(100, "sharp", exact(6), around(2, 1.4, 1.39), false, 2);
    add(101, "double sharp", exact(8), around(1.5, 0.51, 0.5), false, 1.5);
    add(102, "natural", exact(6), around(2, 1.36, 1.34), false, 2);
    add(160, "quarter flat", exact(6), around(2, 1.76, 0.7), false, 2);
    add(161, "quarter sharp", exact(5), around(2, 1.23, 1.41), false, 2);
    add(162, "three-quarter flat", exact(10), around(2, 1.76, 0.7), false, 2);
    add(163, "three-quarter sharp", exact(8), around(2, 1.48, 1.39), false, 2);
    add(224, "quarter flat, arrow", exact(8), around(2, 1.34, 2.17), false, 2);
    add(225, "quarter sharp, arrow", exact(7), around(2, 2.19, 1.36), false, 2);
    add(226, "eighth flat", exact(8), around(2, 2.54, 0.7), false, 2);
    add(227, "eighth sharp", exact(7), around(2, 1.29, 2.17), false, 2);
    add(228, "three-eighth flat", exact(8), around(2, 1.75, 1.93), false, 2);
    add(229, "three-eighth sharp", exact(7), around(2, 2.19, 1.35), false, 2);
    // Slides, drawn a space above the head top: the rising ones above the
    // head, the falling ones and the lift in the box two spaces lower.
    add(90, "glissando up", exact(14), within(0, 11));
    add(91, "glissando down", exact(14), within(11, 22));
    add(92, "fall up", exact(14), within(0, 11));
    add(93, "fall down", exact(14), within(11, 22));
    add(94, "lift", atMost(12), within(11, 22));
    // Dot, staccato and tenuto: centred half a space below the top.
    add(95, "tenuto", exact(6), centre(0.5 * kSpace));
    add(96, "dot", exact(4), centre(0.5 * kSpace));
    add(97, "double dot", exact(8), centre(0.5 * kSpace));
    add(103, "open hat", exact(6), within(0, 8));
    add(104, "half-open hat", exact(6), within(0, 8));
    // Measure items 160..187: within 18 px below the top, centred on the
    // tick in their kind's width.
    const struct {
      int code;
      const char* what;
      int width;
    } items[] = {{105, "p", 10},     {106, "pp", 18},     {107, "ppp", 24},    {108, "mp", 16},
                 {109, "fp", 16},    {110, "mf", 16},     {111, "f", 10},      {112, "ff", 16},
                 {113, "fff", 22},   {114, "sfz", 18},    {115, "sffz", 22},   {116, "fz", 16},
                 {117, "sf", 14},    {118, "unused", 6},  {119, "unused", 6},  {121, "unused", 6},
                 {124, "Ped.", 17},  {125, "pedal up", 10}, {126, "turn", 16},
                 {127, "inverted turn", 16}, {128, "unused", 12}, {129, "trill", 12},
                 {130, "trill flat", 12}, {131, "trill sharp", 12}, {132, "trill natural", 12}};
    for (const auto& i : items) add(i.code, i.what, exact(i.width), within(0, 18));
    add(122, "segno", anyWidth(), within(0, 18));
    add(123, "coda", anyWidth(), within(0, 18));
    // Items 188..199 and their variants: from 4 px to 18 px below the top.
    const struct {
      int code;
      const char* what;
      int width;
    } ornaments[] = {{133, "mordent", 12}, {134, "struck mordent", 12},
                     {135, "double mordent", 18}, {136, "struck double mordent", 18},
                     {137, "unused", 6}, {138, "unused", 6}, {139, "unused", 8},
                     {140, "fermata above", 13}, {141, "fermata below", 13}, {142, "unused", 6},
                     {143, "marcato", 6}, {144, "accent", 9},
                     {164, "short fermata above", 13}, {165, "short fermata below", 13},
                     {166, "long fermata above", 13}, {167, "long fermata below", 13}};
    for (const auto& o : ornaments) add(o.code, o.what, exact(o.width), within(4, 18));
    for (int c = 168; c <= 181; ++c) add(c, "articulation pair", exact(9), within(4, 18));
    // Drum heads: as the note heads, about as wide as "A".
    for (int c = 192; c <= 220; ++c) {
      if (c == 200 || c == 201) continue;  // unused codes
      add(c, "drum head", exact(8), centre(kSpace), true, 1);
    }
    for (int c = 221; c <= 223; ++c) add(c, "ghost drum head", between(8, 16), centre(kSpace), true, 1);
    for (int c = 248; c <= 255; ++c) add(c, "string number", atMost(20), within(0, 18));
    return t;
  }();
  return codes;
}

}  // namespace nv::test
