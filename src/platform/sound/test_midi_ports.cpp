#include "platform/sound/test_midi_ports.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace nv::platform {

class TestMidiPorts::Output final : public MidiOutPort {
 public:
  Output(TestMidiPorts& ports, int id) : ports_(ports), id_(id) {}
  int Close() override { return ports_.Fail.Close; }

 protected:
  int Send(const std::uint8_t* bytes, std::size_t length) override { return ports_.Record(id_, bytes, length); }

 private:
  TestMidiPorts& ports_;
  int id_;
};

class TestMidiPorts::Input final : public MidiInPort {
 public:
  Input(TestMidiPorts& ports, int id) : ports_(ports), id_(id) {}
  ~Input() override { Drop(); }
  int Start() override {
    if (ports_.Fail.Start) return ports_.Fail.Start;
    std::lock_guard<std::mutex> lock(ports_.lock_);
    InputState& state = ports_.inputState_[id_];
    state.Started = true;
    state.StartNs = ports_.Now();
    return midi_error::kNone;
  }
  int Reset() override {
    if (ports_.Fail.Reset) return ports_.Fail.Reset;
    std::lock_guard<std::mutex> lock(ports_.lock_);
    InputState& state = ports_.inputState_[id_];
    state.Started = false;
    state.Buffers.clear();
    return midi_error::kNone;
  }
  int AddBuffer(void* buffer, std::size_t size) override {
    if (ports_.Fail.AddBuffer) return ports_.Fail.AddBuffer;
    std::lock_guard<std::mutex> lock(ports_.lock_);
    ports_.inputState_[id_].Buffers.emplace_back(buffer, size);
    return midi_error::kNone;
  }
  int Close() override {
    Drop();
    return ports_.Fail.Close;
  }

 private:
  void Drop() {
    std::lock_guard<std::mutex> lock(ports_.lock_);
    if (ports_.inputState_[id_].Owner == this) ports_.inputState_[id_] = InputState{};
  }
  TestMidiPorts& ports_;
  int id_;
};

TestMidiPorts::TestMidiPorts(Mode mode, std::vector<std::string> outputs, std::vector<std::string> inputs,
                             std::function<std::int64_t()> clock)
    : mode_(mode),
      outputs_(std::move(outputs)),
      inputs_(std::move(inputs)),
      clock_(std::move(clock)),
      inputState_(inputs_.size()) {}

TestMidiPorts::~TestMidiPorts() = default;

std::int64_t TestMidiPorts::Now() const {
  if (clock_) return clock_();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::vector<TestMidiPorts::Call> TestMidiPorts::Calls() const {
  std::lock_guard<std::mutex> lock(lock_);
  return calls_;
}

void TestMidiPorts::ClearCalls() {
  std::lock_guard<std::mutex> lock(lock_);
  calls_.clear();
}

int TestMidiPorts::Record(int port, const std::uint8_t* bytes, std::size_t length) {
  if (Fail.Send) return Fail.Send;
  {
    std::lock_guard<std::mutex> lock(lock_);
    calls_.push_back({Now(), port, std::vector<std::uint8_t>(bytes, bytes + length)});
  }
  if (mode_ == Mode::Loopback && port < InputCount()) {
    if (bytes[0] == 0xF0) {
      ReceiveBlock(port, bytes, length);
    } else {
      std::uint32_t packed = 0;
      for (std::size_t i = 0; i < length; ++i) packed |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
      Receive(port, packed);
    }
  }
  return midi_error::kNone;
}

bool TestMidiPorts::Receive(int id, std::uint32_t packed) {
  std::unique_lock<std::mutex> lock(lock_);
  InputState& state = inputState_.at(id);
  if (!state.Open || !state.Started) return false;
  MidiInputEvent event;
  event.Packed = packed;
  event.TimeMs = static_cast<std::uint32_t>((Now() - state.StartNs) / 1000000);
  const MidiInputCallback callback = state.Callback;
  lock.unlock();
  callback(event);
  return true;
}

bool TestMidiPorts::ReceiveBlock(int id, const std::uint8_t* data, std::size_t length) {
  std::unique_lock<std::mutex> lock(lock_);
  InputState& state = inputState_.at(id);
  if (!state.Open || !state.Started || state.Buffers.empty()) return false;
  const auto [buffer, size] = state.Buffers.front();
  state.Buffers.pop_front();
  MidiInputEvent event;
  event.Type = MidiInputEvent::Kind::Long;
  event.Buffer = buffer;
  event.BytesRecorded = static_cast<std::uint32_t>(std::min(size, length));
  std::memcpy(buffer, data, event.BytesRecorded);
  event.TimeMs = static_cast<std::uint32_t>((Now() - state.StartNs) / 1000000);
  const MidiInputCallback callback = state.Callback;
  lock.unlock();
  callback(event);
  return true;
}

int TestMidiPorts::WaitingBuffers(int id) const {
  std::lock_guard<std::mutex> lock(lock_);
  return static_cast<int>(inputState_.at(id).Buffers.size());
}

bool TestMidiPorts::InputOpen(int id) const {
  std::lock_guard<std::mutex> lock(lock_);
  return inputState_.at(id).Open;
}

int TestMidiPorts::OutputCaps(int id, MidiDeviceCaps& caps) {
  if (Fail.Caps) return Fail.Caps;
  if (id < -1 || id >= OutputCount()) return midi_error::kBadDeviceId;
  caps = MidiDeviceCaps{};
  caps.Name = id < 0 ? kMidiMapperName : outputs_[id];
  caps.Technology = 1;
  return midi_error::kNone;
}

int TestMidiPorts::OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) {
  if (Fail.Open) return Fail.Open;
  if (id == -1 && OutputCount() > 0) id = 0;
  if (id < 0 || id >= OutputCount()) return midi_error::kBadDeviceId;
  port = std::make_unique<Output>(*this, id);
  return midi_error::kNone;
}

int TestMidiPorts::SetOutputVolume(int id, std::uint32_t volume) {
  if (Fail.Volume) return Fail.Volume;
  if (id < -1 || id >= OutputCount()) return midi_error::kBadDeviceId;
  volume_ = volume;
  return midi_error::kNone;
}

int TestMidiPorts::InputCaps(int id, MidiDeviceCaps& caps) {
  if (Fail.Caps) return Fail.Caps;
  if (id < 0 || id >= InputCount()) return midi_error::kBadDeviceId;
  caps = MidiDeviceCaps{};
  caps.Name = inputs_[id];
  return midi_error::kNone;
}

int TestMidiPorts::OpenInput(int id, MidiInputCallback callback, std::unique_ptr<MidiInPort>& port) {
  if (Fail.Open) return Fail.Open;
  if (id < 0 || id >= InputCount()) return midi_error::kBadDeviceId;
  std::lock_guard<std::mutex> lock(lock_);
  if (inputState_[id].Open) return midi_error::kAllocated;
  port = std::make_unique<Input>(*this, id);
  inputState_[id].Owner = port.get();
  inputState_[id].Open = true;
  inputState_[id].Callback = std::move(callback);
  return midi_error::kNone;
}

}  // namespace nv::platform
