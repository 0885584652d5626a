#pragma once

#include <functional>
#include <string>

class ByteStream;
class TECModelObject;
class TECMusicScore;

// The name and MIDI settings of a staff (TECInstrument) or a row (TECRow),
// as the tracks grid shows and edits them.
struct StaveSettings {
  std::string Name;
  int Program = -1;
  int Channel = 1;
  int Volume = -1;
  int Pan = -1;
  bool Mute = false;
  bool operator==(const StaveSettings&) const = default;
};

// Of a staff or a row; the defaults for any other object.
StaveSettings SettingsOf(const TECModelObject& stave);
// Through the object's setters, so that it reports the change.
void ApplySettings(TECModelObject& stave, const StaveSettings& settings);
void WriteStaveSettings(ByteStream& stream, const StaveSettings& settings);
StaveSettings ReadStaveSettings(ByteStream& stream);

// Runs `change`, which sets settings of `stave`, as one undo step (kind
// StaveSettings); no step stays when the settings come out as they were.
void EditStaveSettings(TECMusicScore& score, TECModelObject& stave, const std::function<void()>& change);
