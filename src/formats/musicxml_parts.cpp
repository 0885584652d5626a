#include "formats/musicxml_parts.h"

#include <algorithm>

#include "formats/general_midi_names.h"
#include "model/instrument.h"

int RowProgram(const TECRow& row) {
  return row.MidiInstrument() >= 0 || !row.Owner() ? row.MidiInstrument() : row.Owner()->MidiInstrument();
}

int RowChannel(const TECRow& row) {
  return row.MidiInstrument() >= 0 || !row.Owner() ? row.Channel() : row.Owner()->Channel();
}

std::vector<MusicXmlPart> BuildMusicXmlParts(const TECMusicScore& score) {
  std::vector<MusicXmlPart> parts;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score.GetInstrumentAt(i);
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      TECRow* row = instrument.GetRow(r);
      const int program = RowProgram(*row);
      const int channel = RowChannel(*row);
      auto part = std::find_if(parts.begin(), parts.end(), [&](const MusicXmlPart& p) {
        return p.Program == program && p.Channel == channel;
      });
      if (part == parts.end()) part = parts.insert(parts.end(), MusicXmlPart{program, channel, {}});
      part->Rows.push_back(row);
    }
  }
  return parts;
}

std::string MusicXmlPartName(const MusicXmlPart& part) {
  if (part.Rows.empty()) return {};
  const TECRow& row = *part.Rows.front();
  // A row on a program of its own is a part of its own, named after it.
  const bool ownProgram = row.MidiInstrument() >= 0 || !row.Owner();
  std::string name = ownProgram || row.Owner()->Name().empty() ? row.Name() : row.Owner()->Name();
  if (name.empty() && ownProgram && row.Owner()) name = row.Owner()->Name();
  if (name.empty()) name = GeneralMidiName(part.Program);
  return name;
}
