#include "formats/musicxml_parts.h"

#include <algorithm>

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
  if (row.Owner() && !row.Owner()->Name().empty()) return row.Owner()->Name();
  return row.Name();
}
