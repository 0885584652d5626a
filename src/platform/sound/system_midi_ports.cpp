#include "platform/sound/system_midi_ports.h"

namespace nv::platform {

class SystemMidiPorts::SynthOutput final : public MidiOutPort {
 public:
  explicit SynthOutput(SystemMidiPorts& ports) : ports_(ports) {}
  ~SynthOutput() override { Close(); }
  int Close() override {
    if (ports_.synthOpen_) ports_.synth_.StopAudio();
    ports_.synthOpen_ = false;
    return midi_error::kNone;
  }

 protected:
  int Send(const std::uint8_t* bytes, std::size_t length) override {
    ports_.synth_.Play(bytes, length);
    return midi_error::kNone;
  }

 private:
  SystemMidiPorts& ports_;
};

SystemMidiPorts::SystemMidiPorts() = default;
SystemMidiPorts::~SystemMidiPorts() = default;

int SystemMidiPorts::OutputCaps(int id, MidiDeviceCaps& caps) {
  if (id >= 1) return alsa_.OutputCaps(id - 1, caps);
  if (id < -1) return midi_error::kBadDeviceId;
  caps = MidiDeviceCaps{};
  caps.Name = id < 0 ? kMidiMapperName : kSynthesizerName;
  caps.Technology = 7;
  caps.Voices = 256;
  caps.Notes = 256;
  caps.Support = 1;
  return midi_error::kNone;
}

int SystemMidiPorts::OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) {
  if (id >= 1) return alsa_.OpenOutput(id - 1, port);
  if (id < -1) return midi_error::kBadDeviceId;
  if (synthOpen_) return midi_error::kAllocated;
  int error = synth_.Load();
  if (error == midi_error::kNone) error = synth_.StartAudio();
  if (error != midi_error::kNone) return error;
  synthOpen_ = true;
  port = std::make_unique<SynthOutput>(*this);
  return midi_error::kNone;
}

int SystemMidiPorts::SetOutputVolume(int id, std::uint32_t volume) {
  if (id >= 1) return alsa_.SetOutputVolume(id - 1, volume);
  if (id < -1) return midi_error::kBadDeviceId;
  synth_.SetVolume((volume >> 16) / 65535.0, (volume & 0xFFFF) / 65535.0);
  return midi_error::kNone;
}

}  // namespace nv::platform
