#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playback/midi_errors.h"
#include "playback/midi_event.h"
#include "playback/midi_event_ring.h"
#include "platform/sound/midi_ports.h"
#include "platform/ui_thread.h"

// An input device of the port layer. The port's thread only pushes into a
// fixed ring and wakes the GUI thread, where OnMidiInput (drain it with
// TakeEvent) and OnOverflow (once per event lost to a full ring) fire.
class TMidiInput {
 public:
  TMidiInput(nv::platform::MidiPortSystem& ports, nv::platform::UiThread& ui);
  virtual ~TMidiInput();
  TMidiInput(const TMidiInput&) = delete;
  TMidiInput& operator=(const TMidiInput&) = delete;

  // Stays closed with the code in Error on any failure; raises nothing.
  bool Open();
  void Start();
  // Takes every step even when one fails, then raises the first error.
  void Close();
  // The oldest event, or none when closed or nothing is waiting.
  std::unique_ptr<TMyMidiEvent> TakeEvent();
  int PendingCount() const;

  bool IsOpen() const { return port_ != nullptr; }
  int DeviceCount() const { return deviceCount_; }
  int Error() const { return error_; }
  int GetDeviceID() const { return deviceId_; }
  void SetDeviceID(int id);
  const std::string& GetProductName() const { return caps_.Name; }
  void SetProductName(const std::string& name);
  const nv::platform::MidiDeviceCaps& Caps() const { return caps_; }
  // Set while the owner restores its stored properties: ProductName is then
  // ignored.
  bool Loading = false;
  // Ring slots, used from the next Open.
  std::uint16_t Capacity = 1024;
  int GetSysexBufferSize() const { return sysexBufferSize_; }
  // 0..65,535 bytes: an event carries at most 65,535.
  void SetSysexBufferSize(int size);
  int GetSysexBufferCount() const { return sysexBufferCount_; }
  // 0 or more.
  void SetSysexBufferCount(int count);
  bool GetSysexOnly() const { return sysexOnly_; }
  void SetSysexOnly(bool v) { sysexOnly_ = v; }

  std::function<void(TMidiInput* sender)> OnMidiInput;
  std::function<void(TMidiInput* sender)> OnOverflow;

 private:
  struct TMyMidiHdr {
    std::vector<std::uint8_t> Data;
  };
  // The port's thread: filters, pushes, wakes.
  void Receive(const nv::platform::MidiInputEvent& event);
  // The GUI thread, after a wake.
  void Deliver();
  void ReadCaps(int id);

  nv::platform::MidiPortSystem& ports_;
  nv::platform::UiThread& ui_;
  int deviceCount_ = 0;
  int deviceId_ = 0;
  nv::platform::MidiDeviceCaps caps_;
  int error_ = 0;
  int sysexBufferSize_ = 4096;
  int sysexBufferCount_ = 16;
  std::atomic<bool> sysexOnly_{false};
  std::unique_ptr<MidiEventRing> ring_;
  std::atomic<std::uint32_t> overflows_{0};
  // Made at the first Open and kept, so a handler may close the input from
  // inside the wake's run.
  std::unique_ptr<nv::platform::UiWakeSignal> wake_;
  std::vector<std::unique_ptr<TMyMidiHdr>> headers_;
  std::unique_ptr<nv::platform::MidiInPort> port_;
};
