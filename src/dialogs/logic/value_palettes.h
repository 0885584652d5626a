#pragma once

#include <span>
#include <string>
#include <string_view>

#include "document/program_settings.h"

namespace nv::dialogs {

// One track of the dynamics palette and the program's value it sets. The
// thirteen marks' velocities stand on upright tracks 0..127 upside down
// (louder is higher); crescendo, diminuendo and accent on tracks 0..63
// that hold the value itself.
struct DynamicsTrack {
  std::string_view Name;  // the track's object name
  int nv::document::ProgramSettings::*Value;
  bool Velocity;
  int Default;  // the palette's "Default"
};

// The sixteen tracks: ppp .. fff, sforzato, extra-forzato, forzando,
// sforzando, then crescendo, diminuendo, accent.
std::span<const DynamicsTrack> DynamicsTracks();

int DynamicsTrackMaximum(const DynamicsTrack& track);
// The track's position for a value, kept on the track.
int DynamicsTrackPosition(const DynamicsTrack& track, int value);
int DynamicsTrackValue(const DynamicsTrack& track, int position);

// The effects palette's three tracks, each 0..3.
enum class EffectTrack { Staccato, Arpeggio, Fermata };
inline constexpr int kEffectTrackMaximum = 3;

int EffectTrackPosition(EffectTrack track, const nv::document::ProgramSettings& values);
// Stores the value of `position` into `values`.
void SetEffectTrack(EffectTrack track, int position, nv::document::ProgramSettings& values);
// The label beside the track: staccato "1/64" .. "1/8", fermata "x 1.50" ..
// "x 3.00", none for the arpeggio.
std::string EffectTrackLabel(EffectTrack track, int position);
// Positions of "Default": staccato 3, arpeggio 3, fermata 1.
int EffectDefaultPosition(EffectTrack track);

}  // namespace nv::dialogs
