#include "document/transport.h"

#include <exception>

namespace nv::document {

Transport::Transport(TransportHost& host, platform::MessagePrompt& prompt, const platform::FormTexts& texts)
    : host_(host), prompt_(prompt), texts_(texts) {}

void Transport::Play() {
  if (!host_.HasDocument() || playing_ || recording_) return;
  if (!host_.OpenOutput()) return;
  playing_ = true;
  animating_ = true;
  try {
    host_.StartPlayback();
  } catch (const std::exception& error) {
    playing_ = false;
    animating_ = false;
    host_.CloseOutput();
    host_.RepaintStatus();
    host_.UpdateActions();
    platform::ShowErrorMessage(prompt_, texts_, error.what());
    return;
  }
  host_.UpdateActions();
}

void Transport::Record() {
  if (!host_.HasDocument() || playing_ || recording_) return;
  const bool open = host_.OpenInput();
  const std::int64_t start = host_.RecordClock();
  if (!open) {
    host_.UpdateActions();
    platform::ShowErrorMessage(prompt_, texts_, host_.InputError());
    return;
  }
  if (!host_.OpenOutput()) host_.OutputFailed();
  host_.StartRecord(start);
  recording_ = true;
  animating_ = true;
  host_.UpdateActions();
}

void Transport::Stop() {
  if (!host_.HasDocument()) return;
  if (recording_) {
    host_.StopRecord();
    recording_ = false;
    host_.CloseInput();
    host_.CloseOutput();
  } else if (playing_) {
    host_.StopPlayback();
    playing_ = false;
    host_.CloseOutput();
  }
  animating_ = false;
  host_.RepaintStatus();
  host_.UpdateActions();
}

void Transport::PlaybackEnded() {
  if (!playing_) return;
  playing_ = false;
  animating_ = false;
  host_.RepaintStatus();
  host_.UpdateActions();
}

}  // namespace nv::document
