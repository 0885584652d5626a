// The note clipboard and the score's cut, copy and paste commands.
#include "editing/note_clipboard.h"

#include <utility>

#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "platform/clipboard.h"

bool TVORadizClipboard::HasNotes() const {
  const nv::platform::Clipboard* system = nv::platform::installedClipboard();
  return system != nullptr && system->HasFormat(kFormat);
}

bool TVORadizClipboard::PasteNotes(TECMusicScore& score) const {
  const nv::platform::Clipboard* system = nv::platform::installedClipboard();
  if (system == nullptr) return false;
  auto data = system->Data(kFormat);
  if (!data) return false;
  MemoryStream stream(std::move(*data));
  return score.LoadSelectionFromStream(stream);
}

bool TVORadizClipboard::SetNotesBuffer(const std::string& format, const std::vector<std::uint8_t>& data) {
  nv::platform::Clipboard* system = nv::platform::installedClipboard();
  return system != nullptr && system->SetData(format, data);
}

bool TVORadizClipboard::CopyNotes(const TECMusicScore& score) {
  MemoryStream stream;
  try {
    score.SaveSelectionToStream(stream);
  } catch (const EWriteError&) {
    return false;
  }
  return stream.Size() > 0 && SetNotesBuffer(kFormat, stream.Data());
}

TVORadizClipboard& VORadizClipboard() {
  static TVORadizClipboard clipboard;
  return clipboard;
}

bool TECMusicScore::CanCopy() const { return SelectedRow != nullptr && !Selection.empty(); }

bool TECMusicScore::CanArrange() const { return CanCopy(); }

bool TECMusicScore::CanPaste() const {
  const TECInstrument* instrument = CurrentInstrument();
  return VORadizClipboard().HasNotes() && instrument != nullptr && instrument->GetActiveRow() != nullptr;
}

bool TECMusicScore::CopyToClipboard() {
  return nv::editing::EditsAllowed(*this) && CanCopy() && VORadizClipboard().CopyNotes(*this);
}

bool TECMusicScore::CutToClipboard() {
  // What could not be copied is not deleted.
  return CopyToClipboard() && DeleteSelection();
}

bool TECMusicScore::PasteFromClipboard() {
  // The paste fires OnChanged when it changed anything; the pasted notes
  // start at the cursor.
  const int measure = CursorMeasure();
  const int tick = CursorTick();
  if (!nv::editing::EditsAllowed(*this) || !CanPaste() || !VORadizClipboard().PasteNotes(*this)) return false;
  FollowNewNotes(measure, tick);
  return true;
}
