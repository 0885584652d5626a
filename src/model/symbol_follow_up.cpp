// What a new symbol item sets off for playback, under the score's two
// switches.
#include "model/measure.h"
#include "model/music_score.h"
#include "model/play_preparation.h"

namespace {

bool ChangesOrnaments(int kind) {
  return kind == 131 || kind == 181 || kind == 182 || (kind >= 184 && kind <= 191) || kind == 225;
}

bool ChangesVelocities(int kind) {
  return (kind >= 160 && kind <= 172) || kind == 198 || kind == 199 || kind == 221 || kind == 222 ||
         kind == ek::TextBox;
}

}  // namespace

void TECMusicScore::FollowNewSymbolItem(TECMeasure& measure, int tick, int kind) {
  IECPlayPreparation* preparation = InstalledScorePlayPreparation();
  if (!preparation) return;
  if (AutoEffect && ChangesOrnaments(kind)) preparation->ExpandNotesAt(*this, measure, tick);
  if (AutoVelocity && ChangesVelocities(kind)) preparation->RecalcVelocityFrom(*this, measure.Index, tick);
}
