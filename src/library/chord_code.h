#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/measure_items.h"

// A chord symbol's code: byte 0 = N, the root and its N - 1 components; byte
// 1 = non-zero when a bass note follows; byte 2 = the root (low nibble the
// step 0..6 for C..B, high nibble 1 sharp, 2 flat); bytes 3 .. N + 1 the
// components (high nibble the kind, low nibble the variant); then the bass
// note, laid out as the root. Components of 240 and above are skipped.
//
// Every reader stays inside the code it is given, whatever its counts say: a
// code of fewer than 3 bytes has no root and gives nothing.
namespace nv::library {

namespace chord_kind {
inline constexpr int Extension = 1;
inline constexpr int Minor = 2;
inline constexpr int Major = 3;
inline constexpr int Sus = 4;
inline constexpr int Omit = 5;
inline constexpr int Stacked = 6;
inline constexpr int Brackets = 7;
inline constexpr int Add = 8;
inline constexpr int Fifth = 9;
inline constexpr int Seventh = 11;
inline constexpr int Ninth = 12;
inline constexpr int Eleventh = 13;
inline constexpr int Thirteenth = 14;
}  // namespace chord_kind

// The words of the components by variant, as chord symbols write them.
inline constexpr std::array<std::string_view, 6> kExtensionTexts{"", "6", "7", "9", "11", "13"};
inline constexpr std::array<std::string_view, 3> kMinorTexts{"m", "mi", "min"};
inline constexpr std::array<std::string_view, 2> kMajorTexts{"maj", "M"};
inline constexpr std::array<std::string_view, 3> kSusTexts{"sus", "sus2", "sus4"};
inline constexpr std::array<std::string_view, 4> kOmitTexts{"omit3", "omit5", "no3", "no5"};

// The kinds of the alteration buttons, 5th to 13th.
inline constexpr std::array<int, 5> kAlterationKinds{chord_kind::Fifth, chord_kind::Seventh, chord_kind::Ninth,
                                                     chord_kind::Eleventh, chord_kind::Thirteenth};

// An alteration's text (kind Fifth .. Thirteenth): its degree in the
// variant's notation, odd raising and even lowering ("5+", "-5", "#9",
// "dim13"); variant 0 or one past 8 is the degree alone.
std::string AlterationText(int kind, int variant);

// One tone of a chord's note set. Entries have fixed roles: 0 root, 1 third,
// 2 fifth, 3 sixth or seventh, 4 ninth, 5 eleventh, 6 thirteenth, 7 bass.
struct TECChordTone {
  std::uint16_t Value = 0;
  std::uint8_t Step = 0;        // 1..7 = C..B, 0 = no tone
  std::uint8_t Octave = 0;      // above the root's octave
  std::uint8_t Accidental = 0;  // 0 or ek::Flat .. ek::DoubleSharp
  bool operator==(const TECChordTone&) const = default;
};
using TECChordTones = std::array<TECChordTone, 8>;

// The chord toolbar's state, as the code sets and reads it.
struct ChordButtons {
  int RootStep = 0;  // 0..6
  bool RootSharp = false;
  bool RootFlat = false;
  bool Minor = false;
  int MinorStyle = 0;  // "m", "mi", "min"
  bool Major = false;
  int MajorStyle = 0;  // "maj", "M"
  int Extension = 0;   // "5", "6", "7", "9", "11", "13"
  bool Sus = false;
  int SusStyle = 0;  // "sus", "sus2", "sus4"
  bool Omit = false;
  int OmitStyle = 0;  // "omit3", "omit5", "no3", "no5"
  bool Brackets = false;
  bool Stacked = false;
  bool Add = false;
  // The alterations of the 5th, 7th, 9th, 11th and 13th: whether each button
  // is down and its alteration (0 none, 1 raised, 2 lowered), with one
  // notation style for all ("5+", "+5", "#5", "aug5").
  std::array<bool, 5> Altered{};
  std::array<int, 5> Alteration{};
  int AlterationStyle = 0;
  bool Bass = false;
  int BassStep = 0;
  bool BassSharp = false;
  bool BassFlat = false;
  bool operator==(const ChordButtons&) const = default;
};

// The chord's text pieces: the root, then what the components call for.
void AccordCodeToText(std::span<const std::uint8_t> code, std::vector<TECChordPiece>& pieces);
// Fills the eight tones and returns how many leading entries to use: 0
// without a root, 3..7, or 8 with a bass note.
int AccordCodeToNotes(std::span<const std::uint8_t> code, TECChordTones& tones);
std::vector<std::uint8_t> AccordCodeFromButtons(const ChordButtons& buttons);
// Sets the toolbar from a code; a code without a root or with byte 0 of 0
// changes nothing.
void AccordCodeToButtons(std::span<const std::uint8_t> code, ChordButtons& buttons);

// A piece of size 0 and no style after piece `anchor`, `level` steps below
// the root's baseline (negative is higher); nv::render::element_bytes reads
// the fields back.
TECChordPiece MakeChordPiece(std::string text, int anchor, int level);

}  // namespace nv::library
