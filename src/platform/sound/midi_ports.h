#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

// Our MIDI port layer: output and input ports by index, results as error
// codes that ErrorText turns into text, short messages from any thread
// (serialised per port), system-exclusive blocks, and input delivered to a
// callback on the port's own thread. Backends: the built-in synthesizer,
// ALSA sequencer ports, and null and loopback ports for tests.
namespace nv::platform {

// Result codes of the port layer; 0 is success.
namespace midi_error {
inline constexpr int kNone = 0;
inline constexpr int kBadDeviceId = 1;
inline constexpr int kNotEnabled = 2;
inline constexpr int kAllocated = 3;
inline constexpr int kInvalidHandle = 4;
inline constexpr int kNotSupported = 5;
inline constexpr int kNotReady = 6;
inline constexpr int kInvalidMessage = 7;
inline constexpr int kNoSoundfont = 8;
inline constexpr int kNoAudioDevice = 9;
inline constexpr int kFileWrite = 10;
}  // namespace midi_error

// The text of a result code; false for a code the layer does not know.
bool MidiErrorText(int code, std::string& text);

// What a port tells about itself.
struct MidiDeviceCaps {
  std::string Name;
  std::uint16_t Manufacturer = 0;
  std::uint16_t Product = 0;
  std::uint32_t DriverVersion = 0;
  // Output only: technology (1 port, 7 software synthesizer), voices,
  // notes, channel mask and support flags (1 volume, 2 left/right volume).
  std::uint16_t Technology = 0;
  std::uint16_t Voices = 0;
  std::uint16_t Notes = 0;
  std::uint16_t ChannelMask = 0xFFFF;
  std::uint32_t Support = 0;
};

// Bytes of a short message with this status, or 0 when it is none that a
// short send may carry: a data byte, 0xF0 and 0xF7 (blocks go through
// SendLong), the undefined 0xF4, 0xF5 and 0xFD, and 0xFF (reset).
int ShortMessageLength(std::uint8_t status);

// An output port. SendShort may be called from any thread.
class MidiOutPort {
 public:
  virtual ~MidiOutPort() = default;
  // Status in the low byte, then the data bytes. Refused with
  // kInvalidMessage unless the status allows a short message and every data
  // byte its length covers is below 0x80; the bytes above the length are
  // ignored.
  int SendShort(std::uint32_t packed);
  // One complete system-exclusive block, F0 .. F7.
  int SendLong(const std::uint8_t* data, std::size_t length);
  virtual int Close() = 0;

 protected:
  virtual int Send(const std::uint8_t* bytes, std::size_t length) = 0;

 private:
  std::mutex sendLock_;
};

// One event an input port received, handed to the input callback.
struct MidiInputEvent {
  enum class Kind : std::uint8_t { Short, Long, LongError };
  Kind Type = Kind::Short;
  // Short: status in the low byte, then the data bytes.
  std::uint32_t Packed = 0;
  // Long: the buffer given to AddBuffer and the bytes written into it.
  void* Buffer = nullptr;
  std::uint32_t BytesRecorded = 0;
  // Milliseconds since Start.
  std::uint32_t TimeMs = 0;
};
// Runs on the port's own thread; must neither allocate nor wait.
using MidiInputCallback = std::function<void(const MidiInputEvent&)>;

// An input port. Short messages go to the callback as they come once it is
// started; a block is written into the oldest buffer added and the buffer
// handed back through the callback (dropped when none is waiting).
class MidiInPort {
 public:
  virtual ~MidiInPort() = default;
  virtual int Start() = 0;
  // Stops input and drops every buffer still waiting.
  virtual int Reset() = 0;
  // Queues a buffer of `size` bytes for the next block.
  virtual int AddBuffer(void* buffer, std::size_t size) = 0;
  virtual int Close() = 0;
};

// The ports of one machine (or one test), by index from 0.
class MidiPortSystem {
 public:
  virtual ~MidiPortSystem() = default;
  virtual int OutputCount() = 0;
  // Output -1 is the mapper, which opens output 0.
  virtual int OutputCaps(int id, MidiDeviceCaps& caps) = 0;
  virtual int OpenOutput(int id, std::unique_ptr<MidiOutPort>& port) = 0;
  // Both channels' volume, 0..0xFFFF each, left in the high word.
  virtual int SetOutputVolume(int id, std::uint32_t volume) = 0;
  virtual int InputCount() = 0;
  virtual int InputCaps(int id, MidiDeviceCaps& caps) = 0;
  virtual int OpenInput(int id, MidiInputCallback callback, std::unique_ptr<MidiInPort>& port) = 0;
};

// Name of output -1.
inline constexpr const char* kMidiMapperName = "MIDI Mapper";

}  // namespace nv::platform
