#pragma once

class TECMeasure;
class TECMusicScore;
class TECNote;

// What the score and its edits ask of the playback preparation: the code
// that computes velocities and ornament sub-notes fills it in, so that the
// model and the edit commands never reach up into that code.
class IECPlayPreparation {
 public:
  virtual ~IECPlayPreparation() = default;
  // Expands again the play sub-notes (and sounding length and offset) of
  // the note from its ornaments.
  virtual void ExpandNote(TECMusicScore& score, TECNote& note) = 0;
  // Expands again the play sub-notes of every note of the measure that
  // starts at `tick`.
  virtual void ExpandNotesAt(TECMusicScore& score, TECMeasure& measure, int tick) = 0;
  // Recomputes the velocities of the active instrument from measure
  // `measure`, tick `tick` on.
  virtual void RecalcVelocityFrom(TECMusicScore& score, int measure, int tick) = 0;
};

// The process-wide preparation every score uses; null when none is
// installed, and then the calls below do nothing.
IECPlayPreparation* InstalledScorePlayPreparation();
// Installs `preparation` (not owned; it must outlive every score), or none.
void InstallScorePlayPreparation(IECPlayPreparation* preparation);

// The installed preparation's ExpandNote and RecalcVelocityFrom.
void ExpandNoteForPlay(TECMusicScore& score, TECNote& note);
void RecalcVelocityForPlay(TECMusicScore& score, int measure, int tick);
