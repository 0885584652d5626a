#pragma once

#include <string>
#include <vector>

#include "document/program_settings.h"

namespace nv::platform {
class MidiPortSystem;
}

namespace nv::document {

// What the settings dialog shows and gives back: the program's options a
// user changes there, and the MIDI devices by index.
struct ProgramOptions {
  // The devices' product names, by device number, and the device in force
  // (-1 none).
  std::vector<std::string> InputNames;
  std::vector<std::string> OutputNames;
  int Input = -1;
  int Output = -1;

  // Recording and the metronome; note values in 1/128 of a whole note.
  int Quantize = 16;
  int Duration = 1;
  bool AccentFirst = true;
  int FirstVelocity = 127;
  int OtherVelocity = 100;

  // Saving.
  bool SaveBackUp = true;
  bool LimitBackUp = true;  // "Count"
  int CountBackUp = 1;
  bool AutoSave = false;
  int IntervalAutosave = 2;

  // Calculation and effects.
  bool AutoEffect = true;
  bool AutoVelocity = true;
  bool PlayMouse = true;
  bool PlayKeyboard = true;
  bool PlayGuitar = true;
  bool PlayMIDI = true;
  bool ShowNoteHint = true;
  bool ShowPianoNote = true;

  bool Optimization = true;
  bool News = false;     // "Display News at Startup"
  bool GetNews = false;  // whether the "Last news" command shows

  bool operator==(const ProgramOptions&) const = default;
};

// The options as the settings hold them. The device lists are the port
// layer's to fill.
ProgramOptions OptionsFromSettings(const ProgramSettings& settings);

// Writes the options back into the settings: everything but the devices,
// which their components keep.
void StoreOptions(const ProgramOptions& options, ProgramSettings& settings);

// Fills both device lists with the ports' product names by index, reading
// each port's capabilities only: no device is selected or opened, so an
// output open for playback is not disturbed. A port whose name cannot be
// read ends its list there.
void ListMidiDevices(nv::platform::MidiPortSystem& ports, ProgramOptions& options);

}  // namespace nv::document
