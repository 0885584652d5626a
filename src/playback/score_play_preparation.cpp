#include "playback/score_play_preparation.h"

#include "playback/ornament_expansion.h"
#include "playback/velocities.h"
#include "model/measure.h"
#include "model/play_preparation.h"

namespace {

class PlayPreparation final : public IECPlayPreparation {
 public:
  void ExpandNote(TECMusicScore& score, TECNote& note) override { ExpandNoteSequence(score, note); }
  void ExpandNotesAt(TECMusicScore& score, TECMeasure& measure, int tick) override {
    // The edit that added the item reports the change itself.
    for (const auto& note : measure.Notes)
      if (note->Start == tick) ExpandNoteSequence(score, *note);
  }
  void RecalcVelocityFrom(TECMusicScore& score, int measure, int tick) override {
    ::RecalcVelocityFrom(score, measure, tick);
  }
};

}  // namespace

void InstallPlayPreparation() {
  static PlayPreparation preparation;
  InstallScorePlayPreparation(&preparation);
}
