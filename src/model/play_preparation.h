#pragma once

class TECMeasure;
class TECMusicScore;

// What the score asks of the playback preparation after an edit: the code
// that computes velocities and ornament sub-notes fills it in, so that the
// model never reaches up into that code.
class IECPlayPreparation {
 public:
  virtual ~IECPlayPreparation() = default;
  // Expands again the play sub-notes of every note of the measure that
  // starts at `tick`.
  virtual void ExpandNotesAt(TECMusicScore& score, TECMeasure& measure, int tick) = 0;
  // Recomputes the velocities of the active instrument from measure
  // `measure`, tick `tick` on.
  virtual void RecalcVelocityFrom(TECMusicScore& score, int measure, int tick) = 0;
};
