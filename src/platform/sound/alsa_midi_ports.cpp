#include "platform/sound/alsa_midi_ports.h"

#include <RtMidi.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>

namespace nv::platform {

namespace {

constexpr const char* kClientName = "Notavistra";

class AlsaOutput final : public MidiOutPort {
 public:
  explicit AlsaOutput(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {}
  int Close() override {
    out_->closePort();
    return midi_error::kNone;
  }

 protected:
  int Send(const std::uint8_t* bytes, std::size_t length) override {
    try {
      out_->sendMessage(bytes, length);
    } catch (const RtMidiError&) {
      return midi_error::kNotReady;
    }
    return midi_error::kNone;
  }

 private:
  std::unique_ptr<RtMidiOut> out_;
};

class AlsaInput final : public MidiInPort {
 public:
  AlsaInput(std::unique_ptr<RtMidiIn> in, MidiInputCallback callback)
      : in_(std::move(in)), callback_(std::move(callback)) {
    in_->ignoreTypes(false, false, false);
    in_->setCallback(&AlsaInput::Arrived, this);
  }
  ~AlsaInput() override { Close(); }
  int Start() override {
    start_ = std::chrono::steady_clock::now();
    started_ = true;
    return midi_error::kNone;
  }
  int Reset() override {
    started_ = false;
    std::lock_guard<std::mutex> lock(buffersLock_);
    buffers_.clear();
    return midi_error::kNone;
  }
  int AddBuffer(void* buffer, std::size_t size) override {
    std::lock_guard<std::mutex> lock(buffersLock_);
    buffers_.emplace_back(buffer, size);
    return midi_error::kNone;
  }
  int Close() override {
    started_ = false;
    if (in_->isPortOpen()) {
      in_->cancelCallback();
      in_->closePort();
    }
    return midi_error::kNone;
  }

 private:
  static void Arrived(double, std::vector<unsigned char>* message, void* user) {
    static_cast<AlsaInput*>(user)->Deliver(*message);
  }
  void Deliver(const std::vector<unsigned char>& message) {
    if (!started_ || message.empty()) return;
    MidiInputEvent event;
    event.TimeMs = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count());
    if (message[0] == 0xF0) {
      std::pair<void*, std::size_t> buffer;
      {
        std::lock_guard<std::mutex> lock(buffersLock_);
        if (buffers_.empty()) return;  // no buffer waits: the block is lost
        buffer = buffers_.front();
        buffers_.pop_front();
      }
      event.Type = MidiInputEvent::Kind::Long;
      event.Buffer = buffer.first;
      event.BytesRecorded = static_cast<std::uint32_t>(std::min(buffer.second, message.size()));
      std::memcpy(buffer.first, message.data(), event.BytesRecorded);
    } else {
      for (std::size_t i = 0; i < message.size() && i < 3; ++i)
        event.Packed |= static_cast<std::uint32_t>(message[i]) << (8 * i);
    }
    callback_(event);
  }

  std::unique_ptr<RtMidiIn> in_;
  MidiInputCallback callback_;
  std::atomic<bool> started_{false};
  std::chrono::steady_clock::time_point start_;
  std::mutex buffersLock_;
  std::deque<std::pair<void*, std::size_t>> buffers_;
};

int Caps(RtMidi* client, int id, MidiDeviceCaps& caps) {
  if (!client || id < 0 || static_cast<unsigned>(id) >= client->getPortCount()) return midi_error::kBadDeviceId;
  caps = MidiDeviceCaps{};
  caps.Name = client->getPortName(static_cast<unsigned>(id));
  caps.Technology = 1;
  return midi_error::kNone;
}

}  // namespace

AlsaMidiPorts::AlsaMidiPorts() {
  std::error_code error;
  if (!std::filesystem::exists("/dev/snd/seq", error)) return;
  try {
    outputs_ = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
    inputs_ = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, kClientName);
  } catch (const RtMidiError&) {
    outputs_.reset();
    inputs_.reset();
  }
}

AlsaMidiPorts::~AlsaMidiPorts() = default;

int AlsaMidiPorts::OutputCount() { return outputs_ ? static_cast<int>(outputs_->getPortCount()) : 0; }

int AlsaMidiPorts::OutputCaps(int id, MidiDeviceCaps& caps) { return Caps(outputs_.get(), id, caps); }

int AlsaMidiPorts::OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) {
  if (id < 0 || id >= OutputCount()) return midi_error::kBadDeviceId;
  try {
    auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
    out->openPort(static_cast<unsigned>(id));
    port = std::make_unique<AlsaOutput>(std::move(out));
  } catch (const RtMidiError&) {
    return midi_error::kAllocated;
  }
  return midi_error::kNone;
}

int AlsaMidiPorts::SetOutputVolume(int, std::uint32_t) { return midi_error::kNotSupported; }

int AlsaMidiPorts::InputCount() { return inputs_ ? static_cast<int>(inputs_->getPortCount()) : 0; }

int AlsaMidiPorts::InputCaps(int id, MidiDeviceCaps& caps) { return Caps(inputs_.get(), id, caps); }

int AlsaMidiPorts::OpenInput(int id, MidiInputCallback callback, std::unique_ptr<MidiInPort>& port) {
  if (id < 0 || id >= InputCount()) return midi_error::kBadDeviceId;
  try {
    auto in = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, kClientName);
    in->openPort(static_cast<unsigned>(id));
    port = std::make_unique<AlsaInput>(std::move(in), std::move(callback));
  } catch (const RtMidiError&) {
    return midi_error::kAllocated;
  }
  return midi_error::kNone;
}

}  // namespace nv::platform
