#pragma once

#include <array>
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
// Tremolo strokes on the stem: 110 + strokes - 1.
inline constexpr std::uint8_t TremoloFirst = 110;
inline constexpr std::uint8_t TremoloLast = 113;
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
// Measure items drawn as a glyph or as strokes. From the glissando glyph on,
// items keep a step anchor (step in the voice byte, octave in the first
// parameter) that a vertical move shifts.
inline constexpr std::uint8_t GlissandoItem = 130;  // dynamics palette code 30: the glissando glyph
inline constexpr std::uint8_t AnchoredItemFirst = GlissandoItem;
inline constexpr std::uint8_t ArpeggioWave = 131;
inline constexpr std::uint8_t SlantedStrokes = 132;
inline constexpr std::uint8_t LineHookedBelow = 133;
inline constexpr std::uint8_t LineHookedAbove = 134;
inline constexpr std::uint8_t Tuplet = 140;
inline constexpr std::uint8_t GlyphItemFirst = 160;  // 160..199: the font's glyph kind - 55
inline constexpr std::uint8_t DynamicMarkFirst = 160;  // ppp .. sfz and the other marks
inline constexpr std::uint8_t DynamicMarkLast = 172;
inline constexpr std::uint8_t PedalDown = 179;
inline constexpr std::uint8_t PedalUp = 180;
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
// A spanner too (it reaches from its tick over its value), though its own
// painter draws it and its extent is the style byte.
inline constexpr std::uint8_t Barre = 228;
inline constexpr std::uint8_t LineWithEndBar = 229;
inline constexpr std::uint8_t SpannerLast = 229;
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
// A note's step 1 (C) .. 7 (B) and back: the note kinds count the steps.
constexpr int NoteStep(std::uint8_t kind) { return kind - (NoteC - 1); }
constexpr std::uint8_t NoteKindOfStep(int step) { return static_cast<std::uint8_t>(step + (NoteC - 1)); }
constexpr bool IsTremolo(int code) { return code >= TremoloFirst && code <= TremoloLast; }
constexpr bool IsLink(std::uint8_t kind) { return kind == LinkAbove || kind == LinkBelow; }
constexpr bool IsSpanner(std::uint8_t kind) { return kind >= SpannerFirst && kind <= SpannerLast; }
// The codes a measure's clef and key records may hold.
constexpr bool IsClefCode(std::uint8_t code) { return code >= 1 && code <= 15; }
constexpr bool IsKeyCode(std::uint8_t code) { return (code >= 30 && code <= 37) || (code >= 40 && code <= 47); }
// Attribute codes that stand alone: no data follows their stored record.
constexpr bool IsPlainAttribute(std::uint8_t code) { return code >= Dot && code <= Lift && code != GraceNotes; }
static_assert(IsSpanner(Barre));


// --- the traits of each kind -------------------------------------------------
// What the layers ask of a kind, in one table: which list holds it, its
// family, the record class it is made as, whether it spans ticks, whether
// playback reads it and which stored bytes a vertical move shifts.
// docs/adding-an-element-kind.md lists what else a new kind touches.

// The list a record of the kind sits in: a measure's notes, rests or items,
// a note's attributes, or an instrument's symbols row.
enum class KindHolder : std::uint8_t { Notes, Rests, Attributes, Items, Symbols };

enum class KindFamily : std::uint8_t {
  Note, Repeat, Rest,
  Dot, Accidental, Articulation, Tremolo, Glide, GraceGroup, Link,
  ClefChange, ChordSymbol, Glyph, Strokes, Tuplet, Dynamic, Pedal, Ornament, Fermata, Accent, ObjectGroup,
  Fingering, Line, Barre, Bend, Text,
  Jump, Mark, Barline, Tempo,
};

// The record class MakeMeasureItem and MakeNoteAttribute build for the kind.
enum class KindRecord : std::uint8_t {
  Note, Rest, Attribute, LinkAttribute, GraceGroup,
  MeasureItem, ChordSymbol, Tuplet, TextBox, Bend, ObjectGroup, SymbolItem,
};

// What playback makes of the kind: nothing; read as it is by the play-list
// builder; the velocities of the notes after it; its velocity or tempo
// terms (text); the sounding length and sub-notes of the notes it marks or
// that start at its tick (re-expanded when such an item is added).
enum class KindSound : std::uint8_t { Silent, Plays, Velocity, Terms, Ornament };

// The stored bytes a vertical move shifts: none; the note's kind and octave
// (or the rest's or grace notes' step and octave); an attribute's second
// data byte; a chord symbol's voice byte; a tuplet's shift; a link's two end
// offsets; an item's anchor (step in the voice byte, octave in the first
// parameter).
enum class KindOffset : std::uint8_t { None, Step, SecondDataByte, VoiceByte, TupletShift, LinkEnds, Anchor };

struct KindTraits {
  std::uint8_t First;
  std::uint8_t Last;
  KindHolder Holder;
  KindFamily Family;
  KindRecord Record;
  bool Spanner;
  KindSound Sound;
  KindOffset Offset;
};

namespace kinds {
using H = KindHolder;
using F = KindFamily;
using R = KindRecord;
using S = KindSound;
using O = KindOffset;

// Every kind the layers know, by holder; the codes between the ranges are
// none.
inline constexpr KindTraits kTable[] = {
    {NoteC, NoteB, H::Notes, F::Note, R::Note, false, S::Plays, O::Step},
    {RepeatNotes, RepeatBar, H::Notes, F::Repeat, R::Note, false, S::Plays, O::None},
    {Rest, Rest, H::Rests, F::Rest, R::Rest, false, S::Silent, O::Step},

    {Dot, DoubleDot, H::Attributes, F::Dot, R::Attribute, false, S::Silent, O::SecondDataByte},
    {Flat, Natural, H::Attributes, F::Accidental, R::Attribute, false, S::Plays, O::SecondDataByte},
    {Tenuto, Tenuto, H::Attributes, F::Articulation, R::Attribute, false, S::Silent, O::SecondDataByte},
    {Staccato, Staccato, H::Attributes, F::Articulation, R::Attribute, false, S::Ornament, O::SecondDataByte},
    {TremoloFirst, TremoloLast, H::Attributes, F::Tremolo, R::Attribute, false, S::Ornament, O::None},
    {ArrowUp, ArrowUp, H::Attributes, F::Articulation, R::Attribute, false, S::Silent, O::SecondDataByte},
    {NaturalFlat, NaturalSharp, H::Attributes, F::Accidental, R::Attribute, false, S::Plays, O::SecondDataByte},
    // The open hat is also the drum key mark of a percussion staff.
    {OpenHat, OpenHat, H::Attributes, F::Articulation, R::Attribute, false, S::Plays, O::SecondDataByte},
    {HalfOpenHat, ArrowDown, H::Attributes, F::Articulation, R::Attribute, false, S::Silent, O::SecondDataByte},
    {GraceNotes, GraceNotes, H::Attributes, F::GraceGroup, R::GraceGroup, false, S::Ornament, O::Step},
    {GlissandoUp, Lift, H::Attributes, F::Glide, R::Attribute, false, S::Silent, O::SecondDataByte},
    {LinkAbove, LinkBelow, H::Attributes, F::Link, R::LinkAttribute, false, S::Plays, O::LinkEnds},

    {ClefChange, ClefChange, H::Items, F::ClefChange, R::MeasureItem, false, S::Silent, O::None},
    {ChordSymbol, ChordSymbol, H::Items, F::ChordSymbol, R::ChordSymbol, false, S::Silent, O::VoiceByte},
    {GlissandoItem, GlissandoItem, H::Items, F::Glyph, R::MeasureItem, false, S::Silent, O::Anchor},
    {ArpeggioWave, ArpeggioWave, H::Items, F::Strokes, R::MeasureItem, false, S::Ornament, O::Anchor},
    {SlantedStrokes, LineHookedAbove, H::Items, F::Strokes, R::MeasureItem, false, S::Silent, O::Anchor},
    {Tuplet, Tuplet, H::Items, F::Tuplet, R::Tuplet, false, S::Silent, O::TupletShift},
    {DynamicMarkFirst, DynamicMarkLast, H::Items, F::Dynamic, R::MeasureItem, false, S::Velocity, O::Anchor},
    {DynamicMarkLast + 1, PedalDown - 1, H::Items, F::Glyph, R::MeasureItem, false, S::Silent, O::Anchor},
    {PedalDown, PedalUp, H::Items, F::Pedal, R::MeasureItem, false, S::Plays, O::Anchor},
    {PedalUp + 1, PedalUp + 2, H::Items, F::Ornament, R::MeasureItem, false, S::Ornament, O::Anchor},
    {PedalUp + 3, PedalUp + 3, H::Items, F::Glyph, R::MeasureItem, false, S::Silent, O::Anchor},
    {PedalUp + 4, OrnamentItemFirst + 3, H::Items, F::Ornament, R::MeasureItem, false, S::Ornament, O::Anchor},
    {OrnamentItemFirst + 4, FermataAboveItem - 1, H::Items, F::Glyph, R::MeasureItem, false, S::Silent, O::Anchor},
    {FermataAboveItem, FermataBelowItem, H::Items, F::Fermata, R::MeasureItem, false, S::Plays, O::Anchor},
    {FermataBelowItem + 1, FermataBelowItem + 1, H::Items, F::Glyph, R::MeasureItem, false, S::Silent, O::Anchor},
    {AccentItem - 1, AccentItem, H::Items, F::Accent, R::MeasureItem, false, S::Velocity, O::Anchor},
    {ObjectGroup, ObjectGroup, H::Items, F::ObjectGroup, R::ObjectGroup, false, S::Silent, O::Anchor},
    {FingeringFirst, FingeringLast, H::Items, F::Fingering, R::MeasureItem, false, S::Silent, O::Anchor},
    {Crescendo, Diminuendo, H::Items, F::Line, R::MeasureItem, true, S::Velocity, O::Anchor},
    {OctaveLineAbove, OctaveLineBelow, H::Items, F::Line, R::MeasureItem, true, S::Plays, O::Anchor},
    {TrillLine, TrillLine, H::Items, F::Line, R::MeasureItem, true, S::Ornament, O::Anchor},
    {LineBracketAbove, LineBracketBelow, H::Items, F::Line, R::MeasureItem, true, S::Silent, O::Anchor},
    {Barre, Barre, H::Items, F::Barre, R::MeasureItem, true, S::Silent, O::Anchor},
    {LineWithEndBar, LineWithEndBar, H::Items, F::Line, R::MeasureItem, true, S::Silent, O::Anchor},
    {Bend, Bend, H::Items, F::Bend, R::Bend, false, S::Silent, O::Anchor},
    {TextBox, TextBox, H::Items, F::Text, R::TextBox, false, S::Terms, O::Anchor},

    {SymbolSegno, SymbolDalSegno, H::Symbols, F::Jump, R::SymbolItem, false, S::Plays, O::None},
    {SymbolRehearsal, SymbolRehearsal, H::Symbols, F::Mark, R::SymbolItem, false, S::Silent, O::None},
    {SymbolBarNumber, SymbolBarNumber, H::Symbols, F::Mark, R::SymbolItem, false, S::Silent, O::None},
    {SymbolFinalBarline, SymbolDoubleBarline, H::Symbols, F::Barline, R::SymbolItem, false, S::Silent, O::None},
    {SymbolStartRepeat, SymbolMultiRest, H::Symbols, F::Jump, R::SymbolItem, false, S::Plays, O::None},
    {TempoMark, TempoMark, H::Symbols, F::Tempo, R::SymbolItem, false, S::Plays, O::None},
};

inline constexpr std::uint8_t kNone = 0xFF;
static_assert(std::size(kTable) < kNone);

// Per holder, the table row of each code (kNone for none).
constexpr std::array<std::array<std::uint8_t, 256>, 5> MakeIndex() {
  std::array<std::array<std::uint8_t, 256>, 5> index{};
  for (auto& codes : index) codes.fill(kNone);
  for (std::size_t row = 0; row < std::size(kTable); ++row)
    for (int code = kTable[row].First; code <= kTable[row].Last; ++code)
      index[static_cast<std::size_t>(kTable[row].Holder)][static_cast<std::size_t>(code)] =
          static_cast<std::uint8_t>(row);
  return index;
}
inline constexpr auto kIndex = MakeIndex();

}  // namespace kinds

namespace kinds {
// The table row of `code` in `holder`'s list, or kNone. (Constant
// evaluation under the sanitizers does not compare table pointers.)
constexpr std::uint8_t RowOf(KindHolder holder, std::uint8_t code) {
  return kIndex[static_cast<std::size_t>(holder)][code];
}
}  // namespace kinds

// The traits of `code` in `holder`'s list, or null for a code the layers do
// not know (such a record loads and saves as it is; nothing draws or plays
// it).
constexpr const KindTraits* TraitsOf(KindHolder holder, std::uint8_t code) {
  const std::uint8_t row = kinds::RowOf(holder, code);
  return row == kinds::kNone ? nullptr : &kinds::kTable[row];
}

constexpr bool SoundsAs(KindHolder holder, std::uint8_t code, KindSound sound) {
  const std::uint8_t row = kinds::RowOf(holder, code);
  return row != kinds::kNone && kinds::kTable[row].Sound == sound;
}

// The ranges the hot paths test agree with the table.
constexpr bool SpannersAgree() {
  for (int code = 0; code < 256; ++code) {
    const std::uint8_t row = kinds::RowOf(KindHolder::Items, static_cast<std::uint8_t>(code));
    const bool spanner = row != kinds::kNone && kinds::kTable[row].Spanner;
    if (IsSpanner(static_cast<std::uint8_t>(code)) != spanner) return false;
  }
  return true;
}
static_assert(SpannersAgree());

}  // namespace ek
