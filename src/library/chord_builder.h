#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/chord_code.h"
#include "library/chord_insertion.h"

namespace nv::library {

// The duration button's face: a music-font character at an offset.
struct DurationGlyph {
  std::uint8_t Char = 0;
  int X = 0;
  int Y = 0;
};

// The chord-symbol builder of the chords page: which chord its buttons
// describe, how it is inserted (as notes or as a chord symbol, above or
// below the staff, of which duration), and the buttons' captions.
struct ChordBuilder {
  ChordButtons Buttons;
  int Duration = 16;
  // "Xm" shows while chords go in as notes; "Chords addition" while they go
  // in as chord symbols (the settings' ChordAddition).
  bool NotesMode = false;
  bool Above = false;

  std::vector<std::uint8_t> Code() const { return AccordCodeFromButtons(Buttons); }
  ChordRoot Root() const { return {Buttons.RootStep, Buttons.RootSharp, Buttons.RootFlat}; }
  // The cursor stands on a chord symbol: the buttons show it (symbol mode
  // only).
  void ShowCode(const std::vector<std::uint8_t>& code);

  // Captions of the buttons; a value out of its range shows as its first.
  std::string RootCaption() const;
  std::string BassCaption() const;
  std::string ExtensionCaption() const;
  std::string MinorCaption() const;
  std::string MajorCaption() const;
  std::string SusCaption() const;
  std::string OmitCaption() const;
  // The caption of alteration button `slot` (0..4 for 5, 7, 9, 11, 13).
  std::string AlterationCaption(int slot) const;
};

// Alteration button `slot` (0..4 for 5, 7, 9, 11, 13) with its alteration
// (0 none, 1 raised, 2 lowered) in notation style 0..3 ("5+", "+5", "#5",
// "aug5"); styles outside 0..3 as the nearest end.
std::string AlterationCaption(int slot, int alteration, int style);

// A stored duration no button shows becomes 16.
int ValidChordDuration(int duration);
// The duration after a click: doubled, from 128 back to 2.
int NextChordDuration(int duration);
DurationGlyph ChordDurationGlyph(int duration);

// The captions the choosers offer, by value.
const std::vector<std::string>& ExtensionCaptions();
const std::vector<std::string>& MinorCaptions();
const std::vector<std::string>& MajorCaptions();
const std::vector<std::string>& SusCaptions();
const std::vector<std::string>& OmitCaptions();

}  // namespace nv::library
