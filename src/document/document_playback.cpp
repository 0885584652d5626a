#include "document/document_playback.h"

#include "playback/score_player.h"

namespace nv::document {

DocumentPlayback::DocumentPlayback(TECMusicScore& score, TMidiOutput& output, nv::platform::UiThread& ui,
                                   std::unique_ptr<IPlayClock> clock, std::function<void()> onEnd,
                                   PlayForwarder::Played played)
    : score_(score), forwarder_(score, output, ui, [this, onEnd = std::move(onEnd)] {
        // The thread sent its end marker last; joining it here is short.
        score_.Stop();
        if (onEnd) onEnd();
      }, std::move(played)) {
  InstallPlayback(score_, std::move(clock));
  score_.OnPlayShort = forwarder_.Handler();
}

DocumentPlayback::~DocumentPlayback() {
  score_.Stop();
  score_.OnPlayShort = nullptr;
  score_.Playback.reset();
}

}  // namespace nv::document
