#include "playback/midi_input.h"

namespace np = nv::platform;

namespace {

// Sent many times a second by some devices and never stored.
constexpr std::uint8_t kActiveSensing = 0xFE;
constexpr std::uint8_t kTimingClock = 0xF8;

void Raise(int error) {
  if (error != np::midi_error::kNone) throw EMidiInputError(MidiErrorMessage(error));
}

}  // namespace

TMidiInput::TMidiInput(np::MidiPortSystem& ports, np::UiThread& ui)
    : ports_(ports), ui_(ui), deviceCount_(ports.InputCount()) {
  if (deviceCount_ > 0 && ports_.InputCaps(0, caps_) != np::midi_error::kNone) caps_ = {};
}

TMidiInput::~TMidiInput() {
  if (!port_) return;
  port_->Reset();
  port_->Close();
}

bool TMidiInput::Open() {
  if (port_) return true;
  ring_ = std::make_unique<MidiEventRing>(Capacity);
  overflows_ = 0;
  if (!wake_) wake_ = ui_.MakeWakeSignal([this] { Deliver(); });
  int error = ports_.OpenInput(deviceId_, [this](const np::MidiInputEvent& event) { Receive(event); }, port_);
  if (error == np::midi_error::kNone && sysexBufferSize_ > 0) {
    for (int i = 0; i < sysexBufferCount_ && error == np::midi_error::kNone; ++i) {
      auto& header = headers_.emplace_back(std::make_unique<TMyMidiHdr>());
      header->Data.resize(static_cast<std::size_t>(sysexBufferSize_));
      error = port_->AddBuffer(header->Data.data(), header->Data.size());
    }
  }
  error_ = error;
  if (error == np::midi_error::kNone) return true;
  if (port_) port_->Close();
  port_.reset();
  headers_.clear();
  ring_.reset();
  return false;
}

void TMidiInput::Start() {
  if (!port_) return;
  error_ = port_->Start();
  Raise(error_);
}

void TMidiInput::Close() {
  if (!port_) return;
  int first = np::midi_error::kNone;
  const auto track = [&](int result) {
    error_ = result;
    if (first == np::midi_error::kNone) first = result;
  };
  track(port_->Reset());
  track(port_->Close());
  port_.reset();
  // The port holds no buffer once closed.
  headers_.clear();
  ring_.reset();
  overflows_ = 0;
  Raise(first);
}

void TMidiInput::Receive(const np::MidiInputEvent& event) {
  MidiEventRing::Slot slot;
  slot.Time = event.TimeMs;
  if (event.Type == np::MidiInputEvent::Kind::Short) {
    const auto status = static_cast<std::uint8_t>(event.Packed);
    if (status == kActiveSensing || status == kTimingClock || sysexOnly_) return;
    slot.Packed = event.Packed;
  } else {
    slot.Buffer = static_cast<std::uint8_t*>(event.Buffer);
    slot.Bytes = event.BytesRecorded;
  }
  if (!ring_->Push(slot)) overflows_.fetch_add(1, std::memory_order_relaxed);
  wake_->Wake();
}

void TMidiInput::Deliver() {
  if (port_ && OnMidiInput && PendingCount() > 0) OnMidiInput(this);
  for (std::uint32_t n = overflows_.exchange(0); n > 0 && port_ && OnOverflow; --n) OnOverflow(this);
}

std::unique_ptr<TMyMidiEvent> TMidiInput::TakeEvent() {
  MidiEventRing::Slot slot;
  if (!port_ || !ring_->Peek(slot)) return nullptr;
  auto event = std::make_unique<TMyMidiEvent>();
  event->Time = slot.Time;
  // The slot goes first, so a failing re-add cannot hand it out twice.
  ring_->Drop();
  if (slot.Buffer) {
    event->MidiMessage = 0xF0;
    event->SysexLength = static_cast<std::uint16_t>(slot.Bytes);
    event->Sysex.assign(slot.Buffer, slot.Buffer + slot.Bytes);
    error_ = port_->AddBuffer(slot.Buffer, static_cast<std::size_t>(sysexBufferSize_));
    Raise(error_);
  } else {
    event->MidiMessage = static_cast<std::uint8_t>(slot.Packed);
    event->Data1 = static_cast<std::uint8_t>(slot.Packed >> 8);
    event->Data2 = static_cast<std::uint8_t>(slot.Packed >> 16);
  }
  return event;
}

int TMidiInput::PendingCount() const { return port_ ? static_cast<int>(ring_->Count()) : 0; }

void TMidiInput::ReadCaps(int id) {
  np::MidiDeviceCaps caps;
  error_ = ports_.InputCaps(id, caps);
  Raise(error_);
  caps_ = caps;
}

void TMidiInput::SetDeviceID(int id) {
  if (IsOpen()) throw EMidiInputError("Change to DeviceID while device was open");
  if (static_cast<unsigned>(id) >= static_cast<unsigned>(deviceCount_)) throw EMidiInputError("Invalid device ID");
  ReadCaps(id);
  deviceId_ = id;
}

void TMidiInput::SetProductName(const std::string& name) {
  if (IsOpen()) throw EMidiInputError("Change to ProductName while device was open");
  if (Loading) return;
  for (int id = 0; id < deviceCount_; ++id) {
    np::MidiDeviceCaps caps;
    error_ = ports_.InputCaps(id, caps);
    Raise(error_);
    if (caps.Name == name) {
      SetDeviceID(id);
      return;
    }
  }
  throw EMidiInputError("MIDI Input Device " + name + " not installed ");
}

void TMidiInput::SetSysexBufferSize(int size) {
  if (IsOpen()) throw EMidiInputError("Change to SysexBufferSize while device was open");
  if (size < 0 || size > 65535) throw EMidiInputError("Invalid SysexBufferSize");
  sysexBufferSize_ = size;
}

void TMidiInput::SetSysexBufferCount(int count) {
  if (IsOpen()) throw EMidiInputError("Change to SysexBuffercount while device was open");
  if (count < 0) throw EMidiInputError("Invalid SysexBufferCount");
  sysexBufferCount_ = count;
}
