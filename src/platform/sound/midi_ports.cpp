#include "platform/sound/midi_ports.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace nv::platform {

bool MidiErrorText(int code, std::string& text) {
  static const std::pair<int, const char*> texts[] = {
      {midi_error::kNone, "No error."},
      {midi_error::kBadDeviceId, "There is no MIDI device with this number."},
      {midi_error::kNotEnabled, "The MIDI device is not enabled."},
      {midi_error::kAllocated, "The MIDI device is in use."},
      {midi_error::kInvalidHandle, "The MIDI device is not open."},
      {midi_error::kNotSupported, "The MIDI device cannot do this."},
      {midi_error::kNotReady, "The MIDI device is busy. Try again later."},
      {midi_error::kInvalidMessage, "The message is not a valid MIDI message for this call."},
      {midi_error::kNoSoundfont,
       "The General MIDI sound font was not found. Install the package timgm6mb-soundfont or fluid-soundfont-gm."},
      {midi_error::kNoAudioDevice, "No audio output could be opened (PipeWire, PulseAudio and ALSA were tried)."},
      {midi_error::kFileWrite, "The rendered sound could not be written to its file."},
  };
  const auto it = std::find_if(std::begin(texts), std::end(texts), [&](const auto& t) { return t.first == code; });
  if (it == std::end(texts)) return false;
  text = it->second;
  return true;
}

int ShortMessageLength(std::uint8_t status) {
  if (status < 0x80) return 0;
  if (status < 0xC0) return 3;
  if (status < 0xE0) return 2;
  if (status < 0xF0) return 3;
  switch (status) {
    case 0xF1:
    case 0xF3: return 2;
    case 0xF2: return 3;
    case 0xF6:
    case 0xF8:
    case 0xF9:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE: return 1;
    default: return 0;  // F0, F4, F5, F7, FD, FF
  }
}

int MidiOutPort::SendShort(std::uint32_t packed) {
  const std::array<std::uint8_t, 3> bytes{static_cast<std::uint8_t>(packed), static_cast<std::uint8_t>(packed >> 8),
                                          static_cast<std::uint8_t>(packed >> 16)};
  const int length = ShortMessageLength(bytes[0]);
  if (length == 0) return midi_error::kInvalidMessage;
  for (int i = 1; i < length; ++i)
    if (bytes[i] > 0x7F) return midi_error::kInvalidMessage;
  std::lock_guard<std::mutex> lock(sendLock_);
  return Send(bytes.data(), static_cast<std::size_t>(length));
}

int MidiOutPort::SendLong(const std::uint8_t* data, std::size_t length) {
  if (!data || length < 2 || data[0] != 0xF0 || data[length - 1] != 0xF7) return midi_error::kInvalidMessage;
  if (std::any_of(data + 1, data + length - 1, [](std::uint8_t b) { return b > 0x7F; }))
    return midi_error::kInvalidMessage;
  std::lock_guard<std::mutex> lock(sendLock_);
  return Send(data, length);
}

}  // namespace nv::platform
