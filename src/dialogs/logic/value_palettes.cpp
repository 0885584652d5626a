#include "dialogs/logic/value_palettes.h"

#include <algorithm>
#include <array>

namespace nv::dialogs {

using nv::document::ProgramSettings;

namespace {

constexpr int kVelocityMaximum = 127;
constexpr int kAmountMaximum = 63;

constexpr auto kTracks = std::to_array<DynamicsTrack>({
    {"ITPianoPianissimo", &ProgramSettings::PianoPianissimo, true, 44},
    {"ITPianissimo", &ProgramSettings::Pianissimo, true, 49},
    {"ITPiano", &ProgramSettings::Piano, true, 54},
    {"ITMezzoPiano", &ProgramSettings::MezzoPiano, true, 59},
    {"ITFortePiano", &ProgramSettings::FortePiano, true, 64},
    {"ITMezzoForte", &ProgramSettings::MezzoForte, true, 69},
    {"ITForte", &ProgramSettings::Forte, true, 74},
    {"ITFortissimo", &ProgramSettings::Fortissimo, true, 79},
    {"ITForteFortissimo", &ProgramSettings::ForteFortissimo, true, 84},
    {"ITSforzato", &ProgramSettings::SForzato, true, 54},
    {"ITExtraforzato", &ProgramSettings::ExtraForzato, true, 74},
    {"ITForzando", &ProgramSettings::Forzando, true, 84},
    {"ITSforzando", &ProgramSettings::SForzando, true, 94},
    {"ITCrechendo", &ProgramSettings::Crechendo, false, 30},
    {"ITDiminuendo", &ProgramSettings::Diminuendo, false, 30},
    {"ITAccentus", &ProgramSettings::Accentus, false, 20},
});

}  // namespace

std::span<const DynamicsTrack> DynamicsTracks() { return kTracks; }

int DynamicsTrackMaximum(const DynamicsTrack& track) { return track.Velocity ? kVelocityMaximum : kAmountMaximum; }

int DynamicsTrackPosition(const DynamicsTrack& track, int value) {
  return std::clamp(track.Velocity ? kVelocityMaximum - value : value, 0, DynamicsTrackMaximum(track));
}

int DynamicsTrackValue(const DynamicsTrack& track, int position) {
  return track.Velocity ? kVelocityMaximum - position : position;
}

int EffectTrackPosition(EffectTrack track, const ProgramSettings& values) {
  // Staccato and fermata store position + 1; a stored arpeggio of 4 (the
  // settings file's default) stands at the end of the track.
  switch (track) {
    case EffectTrack::Staccato:
      return std::clamp(values.Staccato - 1, 0, kEffectTrackMaximum);
    case EffectTrack::Arpeggio:
      return std::clamp(values.Arpeggio, 0, kEffectTrackMaximum);
    case EffectTrack::Fermata:
      return std::clamp(values.Fermata - 1, 0, kEffectTrackMaximum);
  }
  return 0;
}

void SetEffectTrack(EffectTrack track, int position, ProgramSettings& values) {
  position = std::clamp(position, 0, kEffectTrackMaximum);
  switch (track) {
    case EffectTrack::Staccato:
      values.Staccato = position + 1;
      break;
    case EffectTrack::Arpeggio:
      values.Arpeggio = position;
      break;
    case EffectTrack::Fermata:
      values.Fermata = position + 1;
      break;
  }
}

std::string EffectTrackLabel(EffectTrack track, int position) {
  position = std::clamp(position, 0, kEffectTrackMaximum);
  if (track == EffectTrack::Staccato) return "1/" + std::to_string(64 >> position);
  if (track == EffectTrack::Fermata) {
    // (position + 3) / 2 in hundredths, written without the locale's comma.
    const int hundredths = (position + 3) * 50;
    const int cents = hundredths % 100;
    return "x " + std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
  }
  return {};
}

int EffectDefaultPosition(EffectTrack track) { return track == EffectTrack::Fermata ? 1 : 3; }

}  // namespace nv::dialogs
