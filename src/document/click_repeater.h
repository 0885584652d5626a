#pragma once

#include <functional>

#include "document/note_preview.h"

namespace nv::document {

// The auto-repeat of a held palette button: the press starts the timer,
// every tick runs the action, the release stops the timer. The button's own
// click runs the action once more, so a short click acts once.
class ClickRepeater {
 public:
  static constexpr int kTickMs = 100;

  // `timer` outlives the repeater.
  explicit ClickRepeater(OneShotTimer& timer) : timer_(timer) {}
  ~ClickRepeater() { timer_.Stop(); }
  ClickRepeater(const ClickRepeater&) = delete;
  ClickRepeater& operator=(const ClickRepeater&) = delete;

  // Mouse down on a repeating button: `action` runs at every tick from now on.
  void Press(std::function<void()> action);
  // Mouse up: only the timer stops.
  void Release();
  bool Running() const { return running_; }

 private:
  void Arm();

  OneShotTimer& timer_;
  std::function<void()> action_;
  bool running_ = false;
};

}  // namespace nv::document
