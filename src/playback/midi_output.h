#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "playback/midi_errors.h"
#include "playback/midi_event.h"
#include "platform/sound/midi_ports.h"
#include "platform/ui_thread.h"

// An output device of the port layer, chosen by DeviceID or ProductName.
// SendShort may be called from the play thread; everything else runs on the
// GUI thread, where Onmidioutput fires when a block has been sent.
class TMidiOutput {
 public:
  TMidiOutput(nv::platform::MidiPortSystem& ports, nv::platform::UiThread& ui);
  virtual ~TMidiOutput();
  TMidiOutput(const TMidiOutput&) = delete;
  TMidiOutput& operator=(const TMidiOutput&) = delete;

  // False with the code in LastError when the device does not open.
  virtual bool Open();
  // Raises EmidioutputError when the device fails to close; closed anyway.
  virtual bool Close();
  // Raises "MIDI Output device not open" when closed.
  virtual void SendEvent(const TMyMidiEvent& event);
  // Any thread; the result goes to LastError, nothing is raised.
  virtual void SendShort(std::uint8_t midiMessage, std::uint8_t data1, std::uint8_t data2);
  virtual void SendLong(const std::uint8_t* sysex, std::uint16_t length);
  void SetVolume(std::uint16_t left, std::uint16_t right);

  bool IsOpen() const;
  int DeviceCount() const { return deviceCount_; }
  int LastError() const { return lastError_; }
  int GetDeviceID() const { return deviceId_; }
  // -1 is the mapper.
  void SetDeviceID(int id);
  const std::string& GetProductName() const { return caps_.Name; }
  void SetProductName(const std::string& name);
  const nv::platform::MidiDeviceCaps& Caps() const { return caps_; }
  // Set while the owner restores its stored properties: ProductName is then
  // ignored.
  bool Loading = false;

  std::function<void(TMidiOutput* sender)> Onmidioutput;

 private:
  // A block handed to the port; kept until its completion reaches the GUI
  // thread.
  struct TMyMidiHdr {
    std::vector<std::uint8_t> Data;
  };
  void ReadCaps(int id);

  nv::platform::MidiPortSystem& ports_;
  nv::platform::UiThread& ui_;
  int deviceCount_ = 0;
  int deviceId_ = 0;
  nv::platform::MidiDeviceCaps caps_;
  std::atomic<int> lastError_{0};
  // Guards the port against Close while another thread sends.
  mutable std::mutex portLock_;
  std::unique_ptr<nv::platform::MidiOutPort> port_;
  std::list<TMyMidiHdr> headers_;
  // Completions posted to the GUI thread check it before touching this.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
