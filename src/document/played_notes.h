#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace nv::platform {
class UiThread;
class UiWakeSignal;
}  // namespace nv::platform

namespace nv::document {

// A note-on or note-off that playback sounded (an end of track clears all).
struct PlayedNote {
  enum Kind : std::uint8_t { kOn, kOff, kEndOfTrack } kind = kOn;
  std::uint8_t key = 0;

  // The note of a MIDI message played; none for other messages.
  static std::optional<PlayedNote> Of(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
};

// Hands the notes the play thread sounds to the GUI thread, in the order
// they came, for the piano's and the fretboard's marks. Push never waits
// for the GUI thread and allocates only while the queue grows.
class PlayedNotes {
 public:
  // Made on the GUI thread; `show` runs there for each note in turn.
  PlayedNotes(nv::platform::UiThread& ui, std::function<void(const PlayedNote&)> show);
  ~PlayedNotes();

  // Any thread.
  void Push(const PlayedNote& note);

 private:
  void Drain();

  std::function<void(const PlayedNote&)> show_;
  std::mutex lock_;
  std::vector<PlayedNote> queued_;
  std::vector<PlayedNote> draining_;
  std::unique_ptr<nv::platform::UiWakeSignal> wake_;
};

}  // namespace nv::document
