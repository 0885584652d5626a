#pragma once

#include <memory>
#include <mutex>

#include "playback/play_clock.h"
#include "playback/play_session.h"
#include "playback/play_thread.h"
#include "model/music_score.h"
#include "model/playback.h"

// Playback of one score: builds the play session at Play, runs the play
// thread over it and follows it with the cursor. Owned by the score, so the
// play lock lives as long as the score and the thread is always joined by
// Stop, the next Play or the score's end.
class ScorePlayer final : public IECPlayback {
 public:
  ScorePlayer(TECMusicScore& score, std::unique_ptr<IPlayClock> clock);
  ~ScorePlayer() override;

  void Play() override;
  void Stop() override;
  void TempoChanged() override;
  void FollowPlayback() override;

 private:
  // Copies the mute switches of the session's rows to the thread.
  void RefreshMutes();

  TECMusicScore& score_;
  std::unique_ptr<IPlayClock> clock_;
  std::mutex playLock_;
  std::shared_ptr<const PlaySession> session_;
  std::unique_ptr<TPlayThread> thread_;
};

// Gives the score its playback, paced by `clock` (the steady clock when
// none is given).
void InstallPlayback(TECMusicScore& score, std::unique_ptr<IPlayClock> clock = nullptr);

// The tempo in force at play position `step`: the last tempo mark met
// before it, else `tempo`.
int TempoInForce(const PlaySession& session, int step, int tempo);
