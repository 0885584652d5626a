#include "playback/midi_errors.h"

#include "platform/sound/midi_ports.h"

std::string MidiErrorMessage(int code) {
  std::string text;
  if (!nv::platform::MidiErrorText(code, text)) text = "Specified error number is out of range";
  return text;
}
