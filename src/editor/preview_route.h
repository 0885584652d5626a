#pragma once

#include "document/note_preview.h"
#include "model/music_score.h"

namespace nv::editor {

// Where a previewed key sounds: MIDI channel 1, or for a percussion row
// channel 10 with the drum map's key for `drumKind` (255: the normal head);
// the first note of a chord and a single note set the active staff's program
// first, the row's own or else its staff's (Program -1: none).
struct PreviewRoute {
  int Channel = 0;
  int Key = 0;
  int Program = -1;
  document::NotePreview::Mode Mode = document::NotePreview::kSingle;
};

// `mode` as the note stands in a chord (NotePreview::Mode); any other value
// counts as a single note.
PreviewRoute RoutePreview(const TECMusicScore& score, int key, int mode, int drumKind);

}  // namespace nv::editor
