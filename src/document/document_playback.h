#pragma once

#include <functional>
#include <memory>

#include "playback/play_clock.h"
#include "playback/play_forwarder.h"
#include "model/music_score.h"

namespace nv::document {

// A document's playback: the score's player paced by a clock, and the
// forwarder that sends what it plays through the program's MIDI output and
// hands the end of playback to the GUI thread, where `onEnd` runs after the
// finished play thread is joined. Playback stops before it goes.
class DocumentPlayback {
 public:
  DocumentPlayback(TECMusicScore& score, TMidiOutput& output, nv::platform::UiThread& ui,
                   std::unique_ptr<IPlayClock> clock, std::function<void()> onEnd,
                   PlayForwarder::Played played = {});
  ~DocumentPlayback();
  DocumentPlayback(const DocumentPlayback&) = delete;
  DocumentPlayback& operator=(const DocumentPlayback&) = delete;

 private:
  TECMusicScore& score_;
  PlayForwarder forwarder_;
};

}  // namespace nv::document
