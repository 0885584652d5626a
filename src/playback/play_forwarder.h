#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "playback/midi_output.h"
#include "model/music_score.h"
#include "platform/ui_thread.h"

// The score's OnPlayShort handler of a document window: opens the output
// when it is closed and forwards each message to it. The end marker
// (0xFF, 47, 0) stays in this process: its reaction (the row cursor in
// yellow, then `onEnd`, where the window stops its follow timer and
// playback) is handed to the GUI thread, once however often it arrives
// before running. Callable from the play thread.
class PlayForwarder {
 public:
  // Told every message played, the end marker too, on the play thread; it must not wait.
  using Played = std::function<void(std::uint8_t message, std::uint8_t data1, std::uint8_t data2)>;

  PlayForwarder(TECMusicScore& score, TMidiOutput& output, nv::platform::UiThread& ui, std::function<void()> onEnd,
                Played played = {});
  ~PlayForwarder();
  PlayForwarder(const PlayForwarder&) = delete;
  PlayForwarder& operator=(const PlayForwarder&) = delete;

  void Forward(TECModelObject* sender, std::uint8_t message, std::uint8_t data1, std::uint8_t data2);
  // A handler for the score's OnPlayShort that calls Forward.
  std::function<void(TECModelObject*, std::uint8_t, std::uint8_t, std::uint8_t)> Handler();

 private:
  void React();

  TECMusicScore& score_;
  TMidiOutput& output_;
  nv::platform::UiThread& ui_;
  std::function<void()> onEnd_;
  Played played_;
  std::atomic<bool> reactionPending_{false};
  // Reactions posted to the GUI thread check it before touching this.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
