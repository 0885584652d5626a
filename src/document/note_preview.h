#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class TMidiOutput;

namespace nv::document {

// A one-shot timer of the GUI thread; the Qt layer fills one in, tests fire it by hand.
class OneShotTimer {
 public:
  virtual ~OneShotTimer() = default;
  // (Re)starts the timer: `fire` runs once on the GUI thread after `ms`.
  virtual void Start(int ms, std::function<void()> fire) = 0;
  virtual void Stop() = 0;
};

// The sound of the note previews (piano, fretboard, MIDI-input echo) and the
// key-release timer that ends it. GUI thread only: only here is the output
// opened or closed for a preview, and a note finds the output closed when
// opening failed, and is then dropped.
class NotePreview {
 public:
  static constexpr int kReleaseMs = 2000;
  // How a note stands in a chord: its first note, a further one, the last, or a single note.
  enum Mode { kFirst = 0, kFurther = 1, kLast = 2, kSingle = 3 };

  // `busy` tells whether the output plays or records, when it stays open.
  NotePreview(TMidiOutput& output, OneShotTimer& timer, std::function<bool()> busy);

  // Sounds `key` on `channel`; the first note of a chord (and a single one)
  // sets `program` first when it is 0..127. Every preview (re)starts the timer.
  // False when the output could not be opened (nothing sounds).
  bool SoundNote(int channel, int program, int key, Mode mode);
  // The echo of a key played on the MIDI input, and its end at the key's note-off.
  bool EchoNoteOn(int channel, int program, int key) { return SoundNote(channel, program, key, kSingle); }
  void EchoNoteOff(int channel, int key);
  // Play and Record: the timer stops and the previews end, the output stays open.
  void StopTimer();
  // The timer fired: a note-off for each key still sounding; the output
  // closes unless it plays or records.
  void Release();

  // Told each time a preview finds that the output does not open.
  void SetOpenFailed(std::function<void()> failed) { openFailed_ = std::move(failed); }

  // Keys sounding, as (channel, key).
  const std::vector<std::pair<int, int>>& Sounding() const { return sounding_; }

 private:
  void EndNotes();

  TMidiOutput& output_;
  OneShotTimer& timer_;
  std::function<bool()> busy_;
  std::function<void()> openFailed_;
  std::vector<std::pair<int, int>> sounding_;
};

}  // namespace nv::document
