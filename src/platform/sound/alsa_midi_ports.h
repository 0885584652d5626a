#pragma once

#include <memory>

#include "platform/sound/midi_ports.h"

class RtMidiIn;
class RtMidiOut;

namespace nv::platform {

// The ALSA sequencer's ports through RtMidi, always with its ALSA API
// (never JACK). A machine without /dev/snd/seq has no ports and no error.
class AlsaMidiPorts final : public MidiPortSystem {
 public:
  AlsaMidiPorts();
  ~AlsaMidiPorts() override;

  int OutputCount() override;
  int OutputCaps(int id, MidiDeviceCaps& caps) override;
  int OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) override;
  int SetOutputVolume(int id, std::uint32_t volume) override;
  int InputCount() override;
  int InputCaps(int id, MidiDeviceCaps& caps) override;
  int OpenInput(int id, MidiInputCallback callback, std::unique_ptr<MidiInPort>& port) override;

 private:
  // Clients that list the ports; none without a sequencer.
  std::unique_ptr<RtMidiOut> outputs_;
  std::unique_ptr<RtMidiIn> inputs_;
};

}  // namespace nv::platform
