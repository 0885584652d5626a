#include "document/program_options.h"

#include "platform/sound/midi_ports.h"

namespace nv::document {

ProgramOptions OptionsFromSettings(const ProgramSettings& settings) {
  ProgramOptions options;
  options.Quantize = settings.Quantize;
  options.Duration = settings.Duration;
  options.AccentFirst = settings.AccentFirst;
  options.FirstVelocity = settings.FirstVelocity;
  options.OtherVelocity = settings.OtherVelocity;
  options.SaveBackUp = settings.SaveBackUp;
  options.LimitBackUp = settings.LimitBackUp;
  options.CountBackUp = settings.CountBackUp;
  options.AutoSave = settings.AutoSave;
  options.IntervalAutosave = settings.IntervalAutosave;
  options.AutoEffect = settings.AutoEffect;
  options.AutoVelocity = settings.AutoVelocity;
  options.PlayMouse = settings.PlayMouse;
  options.PlayKeyboard = settings.PlayKeyboard;
  options.PlayGuitar = settings.PlayGuitar;
  options.PlayMIDI = settings.PlayMIDI;
  options.ShowNoteHint = settings.ShowNoteHint;
  options.ShowPianoNote = settings.ShowPianoNote;
  options.Optimization = settings.Optimization;
  options.News = settings.News;
  options.GetNews = settings.GetNews;
  return options;
}

void StoreOptions(const ProgramOptions& options, ProgramSettings& settings) {
  settings.Quantize = options.Quantize;
  settings.Duration = options.Duration;
  settings.AccentFirst = options.AccentFirst;
  settings.FirstVelocity = options.FirstVelocity;
  settings.OtherVelocity = options.OtherVelocity;
  settings.SaveBackUp = options.SaveBackUp;
  settings.LimitBackUp = options.LimitBackUp;
  settings.CountBackUp = options.CountBackUp;
  settings.AutoSave = options.AutoSave;
  settings.IntervalAutosave = options.IntervalAutosave;
  settings.AutoEffect = options.AutoEffect;
  settings.AutoVelocity = options.AutoVelocity;
  settings.PlayMouse = options.PlayMouse;
  settings.PlayKeyboard = options.PlayKeyboard;
  settings.PlayGuitar = options.PlayGuitar;
  settings.PlayMIDI = options.PlayMIDI;
  settings.ShowNoteHint = options.ShowNoteHint;
  settings.ShowPianoNote = options.ShowPianoNote;
  settings.Optimization = options.Optimization;
  settings.News = options.News;
  settings.GetNews = options.GetNews;
}

void ListMidiDevices(nv::platform::MidiPortSystem& ports, ProgramOptions& options) {
  options.OutputNames.clear();
  options.InputNames.clear();
  nv::platform::MidiDeviceCaps caps;
  for (int id = 0, count = ports.OutputCount(); id < count && ports.OutputCaps(id, caps) == 0; ++id)
    options.OutputNames.push_back(caps.Name);
  for (int id = 0, count = ports.InputCount(); id < count && ports.InputCaps(id, caps) == 0; ++id)
    options.InputNames.push_back(caps.Name);
}

}  // namespace nv::document
