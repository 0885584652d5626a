#include "model/play_preparation.h"

namespace {

IECPlayPreparation* installedPreparation = nullptr;

}  // namespace

IECPlayPreparation* InstalledScorePlayPreparation() { return installedPreparation; }

void InstallScorePlayPreparation(IECPlayPreparation* preparation) { installedPreparation = preparation; }

void ExpandNoteForPlay(TECMusicScore& score, TECNote& note) {
  if (installedPreparation != nullptr) installedPreparation->ExpandNote(score, note);
}

void RecalcVelocityForPlay(TECMusicScore& score, int measure, int tick) {
  if (installedPreparation != nullptr) installedPreparation->RecalcVelocityFrom(score, measure, tick);
}
