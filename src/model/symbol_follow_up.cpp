// What a new symbol item or new notes set off for playback, under the
// score's two switches.
#include "model/measure.h"
#include "model/music_score.h"
#include "model/play_preparation.h"

namespace {

bool ChangesOrnaments(int kind) {
  return ek::SoundsAs(ek::KindHolder::Items, static_cast<std::uint8_t>(kind), ek::KindSound::Ornament);
}

bool ChangesVelocities(int kind) {
  const auto code = static_cast<std::uint8_t>(kind);
  return ek::SoundsAs(ek::KindHolder::Items, code, ek::KindSound::Velocity) ||
         ek::SoundsAs(ek::KindHolder::Items, code, ek::KindSound::Terms);
}

}  // namespace

void TECMusicScore::FollowNewSymbolItem(TECMeasure& measure, int tick, int kind) {
  IECPlayPreparation* preparation = InstalledScorePlayPreparation();
  if (!preparation) return;
  if (AutoEffect && ChangesOrnaments(kind)) preparation->ExpandNotesAt(*this, measure, tick);
  if (AutoVelocity && ChangesVelocities(kind)) preparation->RecalcVelocityFrom(*this, measure.Index, tick);
}

void TECMusicScore::FollowNewNotes(int measure, int tick) {
  // An imported file keeps the velocities it holds.
  IECPlayPreparation* preparation = InstalledScorePlayPreparation();
  if (preparation && AutoVelocity && !ImportingMidi) preparation->RecalcVelocityFrom(*this, measure, tick);
}
