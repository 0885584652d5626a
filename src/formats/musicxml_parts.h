#pragma once

#include <string>
#include <vector>

#include "model/music_score.h"
#include "model/row.h"

// One part of a MusicXML export: the staff rows of all instruments that
// sound on one MIDI program and channel, as its staves in score order.
struct MusicXmlPart {
  int Program = 0;
  int Channel = 0;
  std::vector<TECRow*> Rows;
};

// A row sounds on its own program and channel when its program is 0 or
// above, else on its instrument's.
int RowProgram(const TECRow& row);
int RowChannel(const TECRow& row);

// One part per distinct (program, channel) pair, in order of first
// appearance over the rows of all instruments.
std::vector<MusicXmlPart> BuildMusicXmlParts(const TECMusicScore& score);

// The part's name: the name of its first row's instrument, else of that
// row; the row's name first when the row has a program of its own; else the
// General MIDI name of the part's program.
std::string MusicXmlPartName(const MusicXmlPart& part);
