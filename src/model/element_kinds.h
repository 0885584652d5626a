#pragma once

#include <cstdint>

// The element kind codes: the first byte of every element record. Clef codes
// (1..15) and key-signature codes (30..47) share numbers with other kinds, so
// code that meets a record tells them apart by its TECElementType, never by
// this byte alone.
namespace ek {
inline constexpr std::uint8_t TimeSignature = 18;
inline constexpr std::uint8_t ClefChange = 20;
inline constexpr std::uint8_t NoteC = 21;
inline constexpr std::uint8_t NoteB = 27;
inline constexpr std::uint8_t RepeatNotes = 28;
inline constexpr std::uint8_t RepeatBar = 29;
inline constexpr std::uint8_t Rest = 30;
inline constexpr std::uint8_t GraceNote = 32;
inline constexpr std::uint8_t PlayNote = 42;
inline constexpr std::uint8_t ChordSymbol = 51;
inline constexpr std::uint8_t PageText = 61;
inline constexpr std::uint8_t PagePicture = 62;
inline constexpr std::uint8_t PageLine = 63;
inline constexpr std::uint8_t PageRectangle = 64;
inline constexpr std::uint8_t PageEllipse = 65;
inline constexpr std::uint8_t PageArc = 66;
inline constexpr std::uint8_t PagePie = 67;
inline constexpr std::uint8_t PageChord = 68;
inline constexpr std::uint8_t TempoMark = 99;
inline constexpr std::uint8_t Dynamics = 100;  // 100 + palette code
inline constexpr std::uint8_t Dot = 101;
inline constexpr std::uint8_t DoubleDot = 102;
inline constexpr std::uint8_t Flat = 103;
inline constexpr std::uint8_t DoubleFlat = 104;
inline constexpr std::uint8_t Sharp = 105;
inline constexpr std::uint8_t DoubleSharp = 106;
inline constexpr std::uint8_t Natural = 107;
inline constexpr std::uint8_t NaturalFlat = 115;
inline constexpr std::uint8_t NaturalSharp = 116;
// Note effects drawn at the head.
inline constexpr std::uint8_t Tenuto = 108;
inline constexpr std::uint8_t Staccato = 109;
inline constexpr std::uint8_t ArrowUp = 114;
inline constexpr std::uint8_t OpenHat = 117;
inline constexpr std::uint8_t HalfOpenHat = 118;
inline constexpr std::uint8_t ArrowDown = 119;
inline constexpr std::uint8_t GlissandoUp = 124;
inline constexpr std::uint8_t GlissandoDown = 125;
inline constexpr std::uint8_t FallUp = 126;
inline constexpr std::uint8_t FallDown = 127;
inline constexpr std::uint8_t Lift = 128;
inline constexpr std::uint8_t GraceNotes = 120;
// Measure items drawn as a glyph or as strokes.
inline constexpr std::uint8_t GlissandoItem = 130;  // dynamics palette code 30: the glissando glyph
inline constexpr std::uint8_t ArpeggioWave = 131;
inline constexpr std::uint8_t SlantedStrokes = 132;
inline constexpr std::uint8_t LineHookedBelow = 133;
inline constexpr std::uint8_t LineHookedAbove = 134;
inline constexpr std::uint8_t Tuplet = 140;
inline constexpr std::uint8_t GlyphItemFirst = 160;  // 160..199: the font's glyph kind - 55
inline constexpr std::uint8_t ValueGlyphItem = 175;  // the glyph its value - 9 names, small
inline constexpr std::uint8_t OrnamentItemFirst = 188;
inline constexpr std::uint8_t FermataAboveItem = 195;  // these three add their variant to the glyph
inline constexpr std::uint8_t FermataBelowItem = 196;
inline constexpr std::uint8_t AccentItem = 199;
inline constexpr std::uint8_t GlyphItemLast = 199;
inline constexpr std::uint8_t FingeringFirst = 216;  // the digits 1..5
inline constexpr std::uint8_t FingeringLast = 220;
inline constexpr std::uint8_t LinkAbove = 151;
inline constexpr std::uint8_t LinkBelow = 152;
inline constexpr std::uint8_t ObjectGroup = 200;
inline constexpr std::uint8_t SpannerFirst = 221;
inline constexpr std::uint8_t Crescendo = 221;
inline constexpr std::uint8_t Diminuendo = 222;
inline constexpr std::uint8_t OctaveLineAbove = 223;  // end tick down
inline constexpr std::uint8_t OctaveLineBelow = 224;  // end tick up
inline constexpr std::uint8_t TrillLine = 225;
inline constexpr std::uint8_t LineBracketAbove = 226;  // line on top, ticks down
inline constexpr std::uint8_t LineBracketBelow = 227;  // line below, ticks up
inline constexpr std::uint8_t LineWithEndBar = 229;
inline constexpr std::uint8_t SpannerLast = 229;
inline constexpr std::uint8_t Barre = 228;
inline constexpr std::uint8_t Bend = 230;
inline constexpr std::uint8_t TextBox = 240;
inline constexpr std::uint8_t ScoreStream = 245;
inline constexpr std::uint8_t OldScoreStream = 250;
inline constexpr std::uint8_t InstrumentBlock = 251;
inline constexpr std::uint8_t RowBlock = 252;
inline constexpr std::uint8_t MeasureBlock = 253;

// Symbols-row items (instrument level).
inline constexpr std::uint8_t SymbolSegno = 71;          // 'G'
inline constexpr std::uint8_t SymbolCodaAtStart = 72;    // 'H'
inline constexpr std::uint8_t SymbolCodaAtEnd = 73;      // 'I'
inline constexpr std::uint8_t SymbolDaCapo = 74;         // 'J'
inline constexpr std::uint8_t SymbolDalSegno = 75;       // 'K'
inline constexpr std::uint8_t SymbolRehearsal = 76;      // 'L'
inline constexpr std::uint8_t SymbolBarNumber = 80;      // 'P'
inline constexpr std::uint8_t SymbolFinalBarline = 81;   // 'Q'
inline constexpr std::uint8_t SymbolDoubleBarline = 82;  // 'R'
inline constexpr std::uint8_t SymbolStartRepeat = 85;    // 'U'
inline constexpr std::uint8_t SymbolEndRepeat = 86;      // 'V'
inline constexpr std::uint8_t SymbolVolta = 87;       // 'W'
inline constexpr std::uint8_t SymbolMultiRest = 88;   // 'X'

constexpr bool IsNoteStep(std::uint8_t kind) { return kind >= NoteC && kind <= NoteB; }
constexpr bool IsLink(std::uint8_t kind) { return kind == LinkAbove || kind == LinkBelow; }
constexpr bool IsSpanner(std::uint8_t kind) { return kind >= SpannerFirst && kind <= SpannerLast; }
// The codes a measure's clef and key records may hold.
constexpr bool IsClefCode(std::uint8_t code) { return code >= 1 && code <= 15; }
constexpr bool IsKeyCode(std::uint8_t code) { return (code >= 30 && code <= 37) || (code >= 40 && code <= 47); }
// Attribute codes that stand alone: no data follows their stored record.
constexpr bool IsPlainAttribute(std::uint8_t code) { return code >= Dot && code <= 128 && code != GraceNotes; }
}  // namespace ek
