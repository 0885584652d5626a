#pragma once

// Which stored byte of a record holds the display fields the painters read,
// where the records keep them as plain bytes.

#include <cstdint>

#include "model/element_kinds.h"
#include "model/measure_items.h"
#include "model/note_records.h"
#include "model/symbols_row.h"

namespace nv::render {

namespace element_bytes {

// Note: the five further bytes are the head offset, the beam offset (two's
// complement, unlike the other offsets), the drum head number (1-based), the
// note's own instrument number and the bracket kind.
inline std::uint8_t HeadOffset(const TECNote& n) { return n.Extra[0]; }
inline int BeamOffset(const TECNote& n) { return static_cast<std::int8_t>(n.Extra[1]); }
inline int DrumHead(const TECNote& n) { return n.Extra[2]; }
inline int OwnInstrument(const TECNote& n) { return n.Extra[3]; }
inline int BracketKind(const TECNote& n) { return n.Extra[4]; }

// Note attribute: the vertical offset and the variant (the microtone amount
// of an accidental).
inline std::uint8_t AttributeYOffset(const TECNoteAttribute& a) { return a.Data[1]; }
inline std::uint8_t AttributeVariant(const TECNoteAttribute& a) { return a.Data[2]; }

// Measure item of the common form: after position and value, the step and
// octave of its vertical place, a style or variant byte, the horizontal
// display offset and the extension.
inline int ItemValue(const TECMeasureItem& i) { return i.Second; }
inline int ItemStep(const TECMeasureItem& i) { return i.Voice; }
inline int ItemOctave(const TECMeasureItem& i) { return i.Params[0]; }
inline std::uint8_t ItemVariant(const TECMeasureItem& i) { return i.Params[1]; }
inline std::uint8_t ItemXOffset(const TECMeasureItem& i) { return i.Params[2]; }
// Hairpins: the end shift in pixels (signed).
inline std::uint8_t ItemEndShift(const TECMeasureItem& i) { return i.Params[3]; }

// Chord symbol: the vertical shift (ones' complement) and the horizontal one.
inline std::uint8_t ChordYOffset(const TECChordSymbol& c) { return c.Voice; }
inline std::uint8_t ChordXOffset(const TECChordSymbol& c) { return c.Params[0]; }
// Chord piece: size, style, anchor and the raise (signed 16-bit).
inline int PieceSize(const TECChordPiece& p) { return p.Format[0]; }
inline int PieceStyle(const TECChordPiece& p) { return p.Format[1]; }
inline int PieceAnchor(const TECChordPiece& p) { return p.Format[2]; }
inline int PieceRaise(const TECChordPiece& p) {
  return static_cast<std::int16_t>(p.Format[3] | (p.Format[4] << 8));
}

// Text box: size, style, step, octave and flags, the colour and the
// per-line shift (signed).
inline int TextBoxSize(const TECTextBox& t) { return t.Style[0]; }
inline int TextBoxFontStyle(const TECTextBox& t) { return t.Style[1]; }
inline int TextBoxStep(const TECTextBox& t) { return t.Style[2]; }
inline int TextBoxOctave(const TECTextBox& t) { return t.Style[3]; }
inline int TextBoxFlags(const TECTextBox& t) { return t.Style[4]; }
inline int TextBoxShift(const TECTextBox& t) { return static_cast<std::int8_t>(t.Voice); }

// Symbols-row items: the offsets sit after the bytes the kind uses.
inline std::uint8_t SymbolXOffset(const TECSymbolItem& s) { return s.Byte(s.Kind == ek::TempoMark ? 7 : 2); }
inline std::uint8_t SymbolYOffset(const TECSymbolItem& s) {
  return s.Byte(s.Kind == ek::TempoMark ? 6 : s.Kind == ek::SymbolRehearsal ? 1 : 3);
}

}  // namespace element_bytes

}  // namespace nv::render
