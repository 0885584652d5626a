#include "editor/preview_route.h"

#include "model/drum_map.h"
#include "model/instrument.h"
#include "model/row.h"

namespace nv::editor {

PreviewRoute RoutePreview(const TECMusicScore& score, int key, int mode, int drumKind) {
  using document::NotePreview;
  PreviewRoute route;
  route.Key = key;
  route.Mode = mode >= NotePreview::kFirst && mode <= NotePreview::kSingle ? static_cast<NotePreview::Mode>(mode)
                                                                           : NotePreview::kSingle;
  TECDrumLookup drums;
  drums.Rebuild(score);
  GetDrumHead(score, drums, drumKind, route.Channel, route.Key);
  const bool opensChord = route.Mode == NotePreview::kFirst || route.Mode == NotePreview::kSingle;
  const TECInstrument* staff = score.CurrentInstrument();
  if (opensChord && staff != nullptr) {
    // The row's own program, else its staff's.
    const TECRow* row = score.CurrentRow();
    route.Program = row != nullptr && row->MidiInstrument() >= 0 ? row->MidiInstrument() : staff->MidiInstrument();
  }
  return route;
}

}  // namespace nv::editor
