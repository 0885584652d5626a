#pragma once

// The character codes of the music font ("Vorod Iduriza"): each glyph the
// painters draw, named by what it shows. A code is one byte of the string
// drawn in the music face.

#include <cstdint>
#include <string>

namespace nv::render::glyph {

using Code = std::uint8_t;

// The one-character string that draws `code` in the music face.
inline std::string Text(Code code) { return std::string(1, static_cast<char>(code)); }

inline constexpr Code Brace = 35;  // '#'
inline constexpr Code GClef = 36;  // '$'
inline constexpr Code FClef = 37;  // '%'
inline constexpr Code CClef = 38;  // '&'

inline constexpr Code BreveHead = 43;  // '+': longer than a whole note
inline constexpr Code WholeHead = 44;  // ','
inline constexpr Code HalfHead = 65;   // 'A': also the width of every other head
inline constexpr Code BlackHead = 66;  // 'B'

inline constexpr Code CutTime = 45;     // '-'
inline constexpr Code CommonTime = 47;  // '/'
inline constexpr Code Digit0 = 48;      // '0'..'9'
inline constexpr Code Digit9 = 57;
inline constexpr Code Octave8 = 56;  // the octave clefs' "8", a digit

// Notes with head, stem and flags in one character (tempo marks, grace notes).
inline constexpr Code StemmedHalf = 46;          // '.'
inline constexpr Code StemmedQuarter = 58;       // ':'
inline constexpr Code StemmedEighth = 59;        // ';'
inline constexpr Code StemmedSixteenth = 60;     // '<'
inline constexpr Code StemmedThirtySecond = 61;  // '='
inline constexpr Code StemmedSixtyFourth = 62;   // '>'

// Pixels from the cell's top down to a one-character note's head centre at
// an em of `em` pixels: 2.5 of the font's staff spaces (2/7 em each), that
// is 5/7 em, to the nearest pixel.
constexpr int StemmedHeadCentre(int em) { return (10 * em + 7) / 14; }
// The same for a head alone ("A", "B"): one staff space, 2/7 em.
constexpr int HeadCentre(int em) { return (4 * em + 7) / 14; }
// The same for an accidental's pitch: two staff spaces, 4/7 em.
constexpr int AccidentalCentre(int em) { return (8 * em + 7) / 14; }

// The advance of a head or a one-character note in 21sts of the em (its
// pixels at 16 points, 96 DPI): the ink starts at x = 0 and a quarter's stem
// ends the head; a flag reaches further. 0 for other codes.
constexpr int NoteAdvance21(Code code) {
  switch (code) {
    case HalfHead:
    case BlackHead:
    case StemmedQuarter: return 8;
    case StemmedHalf: return 9;
    case StemmedEighth:
    case StemmedSixteenth:
    case StemmedThirtySecond:
    case StemmedSixtyFourth: return 14;
    default: return 0;
  }
}
// That advance in pixels at an em of `em` pixels, rounded up.
constexpr int NoteAdvance(Code code, int em) { return (NoteAdvance21(code) * em + 20) / 21; }

inline constexpr Code OttavaAlta = 63;   // '?': 8va
inline constexpr Code OttavaBassa = 64;  // '@': 8vb

// Flags at the stem end, up and down, from the eighth to the 64th.
inline constexpr Code EighthFlagUp = 67;  // 'C'
inline constexpr Code EighthFlagDown = 68;
inline constexpr Code SixteenthFlagUp = 69;
inline constexpr Code SixteenthFlagDown = 70;
inline constexpr Code ThirtySecondFlagUp = 71;
inline constexpr Code ThirtySecondFlagDown = 72;
inline constexpr Code SixtyFourthFlagUp = 73;
inline constexpr Code SixtyFourthFlagDown = 74;  // 'J'

inline constexpr Code QuarterRest = 77;       // 'M'
inline constexpr Code EighthRest = 78;        // 'N'
inline constexpr Code SixteenthRest = 79;     // 'O'
inline constexpr Code ThirtySecondRest = 80;  // 'P'
inline constexpr Code SixtyFourthRest = 81;   // 'Q'

inline constexpr Code NaturalFlat = 87;   // 'W'
inline constexpr Code NaturalSharp = 88;  // 'X'
inline constexpr Code Flat = 98;          // 'b'
inline constexpr Code DoubleFlat = 99;
inline constexpr Code Sharp = 100;  // 'd'
inline constexpr Code DoubleSharp = 101;
inline constexpr Code Natural = 102;
inline constexpr Code QuarterFlat = 160;
inline constexpr Code QuarterSharp = 161;
inline constexpr Code ThreeQuarterFlat = 162;
inline constexpr Code ThreeQuarterSharp = 163;
inline constexpr Code QuarterFlatArrow = 224;
inline constexpr Code QuarterSharpArrow = 225;
inline constexpr Code EighthFlat = 226;
inline constexpr Code EighthSharp = 227;
inline constexpr Code ThreeEighthFlat = 228;
inline constexpr Code ThreeEighthSharp = 229;

// Slides beside the head.
inline constexpr Code GlissandoUp = 90;  // 'Z'
inline constexpr Code GlissandoDown = 91;
inline constexpr Code FallUp = 92;
inline constexpr Code FallDown = 93;
inline constexpr Code Lift = 94;

inline constexpr Code Tenuto = 95;     // '_'
inline constexpr Code Dot = 96;        // '`': also the staccato dot
inline constexpr Code DoubleDot = 97;  // 'a'
inline constexpr Code OpenHat = 103;
inline constexpr Code HalfOpenHat = 104;

// The glyphs of measure items 160..199 (code = kind - 55).
inline constexpr Code Piano = 105;  // p
inline constexpr Code Pianissimo = 106;
inline constexpr Code Pianississimo = 107;
inline constexpr Code MezzoPiano = 108;
inline constexpr Code FortePiano = 109;
inline constexpr Code MezzoForte = 110;
inline constexpr Code Forte = 111;
inline constexpr Code Fortissimo = 112;
inline constexpr Code Fortississimo = 113;
inline constexpr Code Sforzando = 114;     // sfz
inline constexpr Code Sforzatissimo = 115;  // sffz
inline constexpr Code Forzando = 116;      // fz
inline constexpr Code Sforzato = 117;      // sf
inline constexpr Code Segno = 122;  // 'z'
inline constexpr Code Coda = 123;   // '{'
inline constexpr Code Pedal = 124;
inline constexpr Code PedalUp = 125;
inline constexpr Code Turn = 126;
inline constexpr Code InvertedTurn = 127;
inline constexpr Code Trill = 129;
inline constexpr Code TrillFlat = 130;
inline constexpr Code TrillSharp = 131;
inline constexpr Code TrillNatural = 132;
inline constexpr Code Mordent = 133;
inline constexpr Code StruckMordent = 134;
inline constexpr Code DoubleMordent = 135;
inline constexpr Code StruckDoubleMordent = 136;
inline constexpr Code FermataAbove = 140;
inline constexpr Code FermataBelow = 141;
inline constexpr Code Marcato = 143;
inline constexpr Code Accent = 144;
inline constexpr Code ShortFermataAbove = 164;
inline constexpr Code ShortFermataBelow = 165;
inline constexpr Code LongFermataAbove = 166;
inline constexpr Code LongFermataBelow = 167;
inline constexpr Code ArticulationPairFirst = 168;
inline constexpr Code ArticulationPairLast = 181;

inline constexpr Code DrumHeadFirst = 192;
inline constexpr Code DrumHeadLast = 220;
inline constexpr Code GhostDrumHeadFirst = 221;
inline constexpr Code GhostDrumHeadLast = 223;
inline constexpr Code StringNumberFirst = 248;
inline constexpr Code StringNumberLast = 255;

// The font's glyphs sit at the printable codes; anything else has none.
constexpr bool HasGlyph(int code) { return code > 32 && code <= 255; }

}  // namespace nv::render::glyph
