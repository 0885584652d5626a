#include "playback/score_player.h"

#include "playback/play_list_builder.h"
#include "model/instrument.h"
#include "model/row.h"

ScorePlayer::ScorePlayer(TECMusicScore& score, std::unique_ptr<IPlayClock> clock)
    : score_(score), clock_(std::move(clock)) {}

ScorePlayer::~ScorePlayer() { thread_.reset(); }

int TempoInForce(const PlaySession& session, int step, int tempo) {
  const int end = std::min(step, static_cast<int>(session.Steps.size()));
  for (int p = 0; p < end; ++p)
    for (const TECPlayList& list : session.Steps[p].Lists)
      if (list.Tempo != 0) tempo = list.Tempo;
  return tempo;
}

void ScorePlayer::Play() {
  // A handler on the play thread cannot start playback: that would wait
  // for its own thread.
  if (score_.Playing || !score_.OnPlayShort || TPlayThread::Current()) return;
  // Playback that ended by itself is joined here.
  thread_.reset();
  std::shared_ptr<const PlaySession> session = BuildPlayEvents(score_);
  if (session->Result <= 0) return;
  session_ = session;
  TPlayThread::Start start;
  start.Step = session->StartStep;
  start.Tick = score_.CursorTick();
  start.Tempo = TempoInForce(*session, start.Step, score_.GetTempo());
  start.TempoScale = score_.GetTempoScale();
  start.Reverce = score_.Reverce;
  clock_->Rearm();
  thread_ = std::make_unique<TPlayThread>(session, *clock_, score_.Playing, playLock_, score_.OnPlayShort, start);
}

void ScorePlayer::Stop() {
  // On the play thread only that thread is told; the GUI thread, which
  // alone holds it, joins it later.
  if (TPlayThread* self = TPlayThread::Current()) {
    self->Stop();
    return;
  }
  thread_.reset();
}

void ScorePlayer::TempoChanged() {
  TPlayThread* thread = TPlayThread::Current() ? TPlayThread::Current() : thread_.get();
  if (!thread) return;
  thread->SetTempo(score_.GetTempo());
  thread->SetTempoScale(score_.GetTempoScale());
}

void ScorePlayer::RefreshMutes() {
  for (std::size_t i = 0; i < session_->Rows.size(); ++i) {
    const PlayRow& place = session_->Rows[i];
    const TECInstrument* instrument = score_.GetInstrumentAt(place.Instrument);
    const TECRow* row = instrument ? instrument->GetRow(place.Row) : nullptr;
    if (row) thread_->SetMute(i, row->Mute() || instrument->Mute());
  }
}

void ScorePlayer::FollowPlayback() {
  if (!score_.Playing || !thread_) return;
  RefreshMutes();
  const TECInstrument* instrument = score_.CurrentInstrument();
  const int step = thread_->PlayingStep();
  if (!instrument || step < 0 || step >= static_cast<int>(session_->Steps.size())) return;
  const int tick = thread_->PlayingTick();
  const int active = score_.GetActiveInstrument();
  for (const TECPlayList& list : session_->Steps[step].Lists) {
    if (list.Row >= session_->Rows.size() || session_->Rows[list.Row].Instrument != active) continue;
    if (list.Measure != score_.CursorMeasure()) {
      score_.ShowCaret(false);
      score_.GoToMeasure(list.Measure);
      score_.ShowCaret(true);
    }
    score_.SetCursorPosition(tick);
    return;
  }
  // A position where the active instrument has no measure: the end.
  const TECRow* first = instrument->GetRow(0);
  const int end = first ? first->MeasureCount() : 0;
  if (end != score_.CursorMeasure()) score_.GoToMeasure(end);
  score_.SetCursorPosition(0);
}

void InstallPlayback(TECMusicScore& score, std::unique_ptr<IPlayClock> clock) {
  if (!clock) clock = std::make_unique<SteadyPlayClock>();
  score.Playback = std::make_unique<ScorePlayer>(score, std::move(clock));
}
