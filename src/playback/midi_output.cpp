#include "playback/midi_output.h"

namespace np = nv::platform;

TMidiOutput::TMidiOutput(np::MidiPortSystem& ports, np::UiThread& ui)
    : ports_(ports), ui_(ui), deviceCount_(ports.OutputCount()) {}

TMidiOutput::~TMidiOutput() {
  *alive_ = false;
  std::lock_guard<std::mutex> lock(portLock_);
  if (port_) port_->Close();
}

bool TMidiOutput::IsOpen() const {
  std::lock_guard<std::mutex> lock(portLock_);
  return port_ != nullptr;
}

bool TMidiOutput::Open() {
  std::lock_guard<std::mutex> lock(portLock_);
  if (port_) return true;
  const int error = ports_.OpenOutput(deviceId_, port_);
  lastError_ = error;
  if (error != np::midi_error::kNone) {
    port_.reset();
    return false;
  }
  return true;
}

bool TMidiOutput::Close() {
  std::unique_ptr<np::MidiOutPort> port;
  {
    std::lock_guard<std::mutex> lock(portLock_);
    port.swap(port_);
  }
  if (port) {
    const int error = port->Close();
    lastError_ = error;
    if (error != np::midi_error::kNone) throw EmidioutputError(MidiErrorMessage(error));
  }
  return true;
}

void TMidiOutput::SendEvent(const TMyMidiEvent& event) {
  if (!IsOpen()) throw EmidioutputError("MIDI Output device not open");
  if (!event.Sysex.empty())
    SendLong(event.Sysex.data(), event.SysexLength);
  else
    SendShort(event.MidiMessage, event.Data1, event.Data2);
}

void TMidiOutput::SendShort(std::uint8_t midiMessage, std::uint8_t data1, std::uint8_t data2) {
  std::lock_guard<std::mutex> lock(portLock_);
  if (!port_) {
    lastError_ = np::midi_error::kInvalidHandle;
    return;
  }
  lastError_ = port_->SendShort(midiMessage | data1 << 8 | data2 << 16);
}

void TMidiOutput::SendLong(const std::uint8_t* sysex, std::uint16_t length) {
  std::list<TMyMidiHdr>::iterator header;
  int error = np::midi_error::kInvalidHandle;
  {
    std::lock_guard<std::mutex> lock(portLock_);
    if (port_) {
      header = headers_.insert(headers_.end(), TMyMidiHdr{std::vector<std::uint8_t>(sysex, sysex + length)});
      error = port_->SendLong(header->Data.data(), header->Data.size());
      if (error != np::midi_error::kNone) headers_.erase(header);
    }
  }
  lastError_ = error;
  if (error != np::midi_error::kNone) throw EmidioutputError(MidiErrorMessage(error));
  // The port is done with the block when it returns; the completion reaches
  // the GUI thread like a driver's would.
  ui_.Post([this, header, alive = std::weak_ptr<bool>(alive_)] {
    const auto token = alive.lock();
    if (!token || !*token) return;
    headers_.erase(header);
    if (Onmidioutput) Onmidioutput(this);
  });
}

void TMidiOutput::SetVolume(std::uint16_t left, std::uint16_t right) {
  lastError_ = ports_.SetOutputVolume(deviceId_, static_cast<std::uint32_t>(left) << 16 | right);
}

void TMidiOutput::ReadCaps(int id) {
  np::MidiDeviceCaps caps;
  const int error = ports_.OutputCaps(id, caps);
  lastError_ = error;
  if (error != np::midi_error::kNone) throw EmidioutputError(MidiErrorMessage(error));
  caps_ = caps;
}

void TMidiOutput::SetDeviceID(int id) {
  if (IsOpen()) throw EmidioutputError("Change to DeviceID while device was open");
  if (id >= 0 && id >= deviceCount_) throw EmidioutputError("Invalid device ID");
  ReadCaps(id);
  deviceId_ = id;
}

void TMidiOutput::SetProductName(const std::string& name) {
  if (IsOpen()) throw EmidioutputError("Change to ProductName while device was open");
  if (Loading) return;
  for (int id = -1; id < deviceCount_; ++id) {
    np::MidiDeviceCaps caps;
    const int error = ports_.OutputCaps(id, caps);
    lastError_ = error;
    if (error != np::midi_error::kNone) throw EmidioutputError(MidiErrorMessage(error));
    if (caps.Name == name) {
      SetDeviceID(id);
      return;
    }
  }
  throw EmidioutputError("MIDI output Device " + name + " not installed");
}
