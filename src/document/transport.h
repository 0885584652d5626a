#pragma once

#include <cstdint>
#include <string>

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::document {

// The main window's side of play, record and stop: its MIDI devices (each
// opened and closed once), the active document window and the refresh.
class TransportHost {
 public:
  virtual ~TransportHost() = default;
  virtual bool HasDocument() const = 0;
  // True when the device is open afterwards.
  virtual bool OpenOutput() = 0;
  virtual void CloseOutput() = 0;
  virtual bool OpenInput() = 0;
  virtual void CloseInput() = 0;
  // Why the input did not open, in the device layer's words.
  virtual std::string InputError() const = 0;
  // The output did not open for a take, which then records without sound:
  // the host says why, once.
  virtual void OutputFailed() = 0;
  // Hands the repeats option to the score and starts its playback; raises
  // when playback cannot start.
  virtual void StartPlayback() = 0;
  virtual void StopPlayback() = 0;
  // The clock reading a take starts from.
  virtual std::int64_t RecordClock() = 0;
  // Starts the document window's take from `start`, then the input.
  virtual void StartRecord(std::int64_t start) = 0;
  virtual void StopRecord() = 0;
  virtual void RepaintStatus() = 0;
  virtual void UpdateActions() = 0;
};

// Play, record and stop with the flags they keep. Playing and recording
// exclude each other; the status animation runs while either does.
class Transport {
 public:
  Transport(TransportHost& host, platform::MessagePrompt& prompt, const platform::FormTexts& texts);

  // Opens the output and starts playback. An output that does not open
  // starts nothing and says nothing; a start that raises shows the generic
  // error and leaves everything as before Play (flags off, output closed).
  void Play();
  // Opens the input, takes the clock, opens the output, starts the take.
  // An input that does not open starts nothing and shows its error; an
  // output that does not open leaves the take without sound.
  void Record();
  // Ends whichever runs: a take closes the input, then the output.
  void Stop();
  // Playback that ended by itself.
  void PlaybackEnded();

  bool Playing() const { return playing_; }
  bool Recording() const { return recording_; }
  bool Animating() const { return animating_; }

 private:
  TransportHost& host_;
  platform::MessagePrompt& prompt_;
  const platform::FormTexts& texts_;
  bool playing_ = false;
  bool recording_ = false;
  bool animating_ = false;
};

}  // namespace nv::document
