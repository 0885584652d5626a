#pragma once

#include <cstdint>
#include <vector>

#include "document/notice.h"
#include "model/music_score.h"

namespace nv::document {

// Every event of a document's score, each open to any number of listeners,
// and the document's own. The score's senders are left out: it is always
// the document's score.
struct DocumentNotices {
  Notice<> Changed;
  Notice<> SelectedChanged;
  Notice<> PositionChanged;
  Notice<TECStaveOperation, TECModelObject*> StaveChanged;
  Notice<> UndoChanged;
  Notice<> RedoChanged;
  Notice<> ActivePageChanged;
  Notice<> PageCountChanged;
  Notice<TECElement*, int> NoteClick;
  Notice<TECElement*> SetCursor;
  Notice<int> ScoreClick;
  Notice<int, int> PageClick;
  Notice<TECMouseButton, TECShiftState, int, int> MouseDown;
  Notice<TECShiftState, int, int> MouseMove;
  Notice<TECMouseButton, TECShiftState, int, int> MouseUp;
  // A key the key table left; a listener that takes it sets it to 0.
  Notice<std::uint16_t&, TECShiftState> KeyDown;
  Notice<const std::vector<const TECMeasure*>&> PlayError;
  // The pages whose system runs past the usable height, after each layout
  // that leaves some and after the one that clears them (empty).
  Notice<const std::vector<std::int32_t>&> OverfullPages;

  // The document's own: the modified flag, the file's name or kind, the
  // end of playback (on the GUI thread), and a message of the MIDI input
  // (status, first data byte, milliseconds since the input started, second
  // data byte).
  Notice<> ModifiedChanged;
  Notice<> FileChanged;
  Notice<> PlayEnded;
  Notice<std::uint8_t, std::uint8_t, std::uint32_t, std::uint8_t> MidiIn;
};

}  // namespace nv::document
