#include "playback/play_forwarder.h"

namespace {
constexpr std::int32_t kYellow = 0x00FFFF;
}

PlayForwarder::PlayForwarder(TECMusicScore& score, TMidiOutput& output, nv::platform::UiThread& ui,
                               std::function<void()> onEnd, Played played)
    : score_(score), output_(output), ui_(ui), onEnd_(std::move(onEnd)), played_(std::move(played)) {}

PlayForwarder::~PlayForwarder() { *alive_ = false; }

void PlayForwarder::Forward(TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t data2) {
  if (played_) played_(message, data1, data2);
  if (message == 0xFF && data1 == 47) {
    if (reactionPending_.exchange(true)) return;
    ui_.Post([this, alive = std::weak_ptr<bool>(alive_)] {
      const auto token = alive.lock();
      if (token && *token) React();
    });
    return;
  }
  if (!output_.IsOpen() && !output_.Open()) return;
  output_.SendShort(message, data1, data2);
}

std::function<void(TECModelObject*, std::uint8_t, std::uint8_t, std::uint8_t)> PlayForwarder::Handler() {
  return [this](TECModelObject* sender, std::uint8_t message, std::uint8_t data1, std::uint8_t data2) {
    Forward(sender, message, data1, data2);
  };
}

void PlayForwarder::React() {
  reactionPending_ = false;
  score_.SetCursorType(TECCursorType::ctRow);
  score_.SetCursorColor(kYellow);
  if (onEnd_) onEnd_();
}
