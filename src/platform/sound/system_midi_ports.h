#pragma once

#include <memory>

#include "platform/sound/alsa_midi_ports.h"
#include "platform/sound/gm_synthesizer.h"
#include "platform/sound/midi_ports.h"

namespace nv::platform {

// The machine's ports: output 0 (and the mapper) is the built-in
// synthesizer, so a score sounds without MIDI hardware; the ALSA ports
// follow it. The inputs are the ALSA ones.
class SystemMidiPorts final : public MidiPortSystem {
 public:
  static constexpr const char* kSynthesizerName = "Notavistra GM Synthesizer";

  SystemMidiPorts();
  ~SystemMidiPorts() override;

  int OutputCount() override { return 1 + alsa_.OutputCount(); }
  int OutputCaps(int id, MidiDeviceCaps& caps) override;
  // The synthesizer loads its sound font at its first Open; each Open and
  // Close starts and stops its audio.
  int OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) override;
  int SetOutputVolume(int id, std::uint32_t volume) override;
  int InputCount() override { return alsa_.InputCount(); }
  int InputCaps(int id, MidiDeviceCaps& caps) override { return alsa_.InputCaps(id, caps); }
  int OpenInput(int id, MidiInputCallback callback, std::unique_ptr<MidiInPort>& port) override {
    return alsa_.OpenInput(id, std::move(callback), port);
  }

 private:
  class SynthOutput;
  GmSynthesizer synth_;
  bool synthOpen_ = false;
  AlsaMidiPorts alsa_;
};

}  // namespace nv::platform
