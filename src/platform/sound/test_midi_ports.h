#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound/midi_ports.h"

namespace nv::platform {

// Ports for machines without sound: named fake devices whose sends are
// recorded with the time of an injectable clock, with failures injected per
// operation. In loopback mode whatever output i sends arrives at input i as
// its driver would deliver it.
class TestMidiPorts final : public MidiPortSystem {
 public:
  enum class Mode { Null, Loopback };
  struct Call {
    std::int64_t TimeNs = 0;
    int Port = 0;
    std::vector<std::uint8_t> Bytes;
  };
  // A non-zero code makes every later call of that operation fail with it.
  struct Failures {
    int Open = 0, Close = 0, Caps = 0, Send = 0, Volume = 0, Start = 0, Reset = 0, AddBuffer = 0;
  };

  TestMidiPorts(Mode mode, std::vector<std::string> outputs, std::vector<std::string> inputs,
                std::function<std::int64_t()> clock = {});
  ~TestMidiPorts() override;

  Failures Fail;

  std::vector<Call> Calls() const;
  void ClearCalls();
  std::uint32_t LastVolume() const { return volume_; }
  // Delivers to input `id` from the calling thread, as a driver would;
  // false when the input is not open and started.
  bool Receive(int id, std::uint32_t packed);
  bool ReceiveBlock(int id, const std::uint8_t* data, std::size_t length);
  // Buffers added to input `id` and not yet filled.
  int WaitingBuffers(int id) const;
  bool InputOpen(int id) const;

  int OutputCount() override { return static_cast<int>(outputs_.size()); }
  int OutputCaps(int id, MidiDeviceCaps& caps) override;
  int OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) override;
  int SetOutputVolume(int id, std::uint32_t volume) override;
  int InputCount() override { return static_cast<int>(inputs_.size()); }
  int InputCaps(int id, MidiDeviceCaps& caps) override;
  int OpenInput(int id, MidiInputCallback callback, std::unique_ptr<MidiInPort>& port) override;

 private:
  class Output;
  class Input;
  struct InputState {
    // The port that opened it, so a port closed earlier leaves a later one be.
    const MidiInPort* Owner = nullptr;
    bool Open = false;
    bool Started = false;
    std::int64_t StartNs = 0;
    MidiInputCallback Callback;
    std::deque<std::pair<void*, std::size_t>> Buffers;
  };
  std::int64_t Now() const;
  int Record(int port, const std::uint8_t* bytes, std::size_t length);

  Mode mode_;
  std::vector<std::string> outputs_;
  std::vector<std::string> inputs_;
  std::function<std::int64_t()> clock_;
  mutable std::mutex lock_;
  std::vector<Call> calls_;
  std::vector<InputState> inputState_;
  std::uint32_t volume_ = 0;
};

}  // namespace nv::platform
