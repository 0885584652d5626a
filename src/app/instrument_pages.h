#pragma once

#include <QObject>

#include <string_view>
#include <vector>

#include "document/note_entry.h"
#include "document/notice.h"
#include "document/played_notes.h"

class QSpinBox;
class QWidget;

namespace nv::document {
class CommandRegistry;
class ToolState;
}  // namespace nv::document

namespace nv::widgets {
class TECCharButton;
class TECPageControl;
}  // namespace nv::widgets

namespace nv::editor {
class TECGuitar;
class TECMusicKeyboard;
}  // namespace nv::editor

namespace nv::app {

// The piano and guitar tool pages: the on-screen piano MKKeyboard with its
// side panel PKeyboardSymbols, and the fretboard GGuitar with CBGuitarKind
// and CBGuitarDuration. A key click or a fret change runs its command
// ("piano.key", "guitar.chord") on the active document; the notes playback
// sounds are marked on whichever of the two pages is in view.
class InstrumentPages : public QObject {
  Q_OBJECT
 public:
  // Fills the pages TSKeyboard and TSGuitar of `notebook`; the guitar's kind
  // and duration are the tool state's settings. Everything handed in outlives the pages.
  InstrumentPages(nv::document::ToolState& tools, nv::document::CommandRegistry& registry,
                  nv::widgets::TECPageControl& notebook, nv::document::NoteEntryHost& host);
  ~InstrumentPages() override;

  nv::editor::TECMusicKeyboard& Keyboard() const { return *MKKeyboard; }
  nv::editor::TECGuitar& Guitar() const { return *GGuitar; }
  nv::widgets::TECCharButton* Button(std::string_view name) const;
  // A note playback sounded (GUI thread, in the order they were played).
  void ShowPlayedNote(const nv::document::PlayedNote& note);

 private:
  void BuildPiano(QWidget& page);
  void BuildGuitar(QWidget& page);
  void PlacePiano();
  void ShowDownStates();
  void FretChanged();
  void ShowGuitarKind();
  void ShowGuitarDuration();
  void ChooseGuitarDuration();

  nv::document::ToolState& tools_;
  nv::document::CommandRegistry& registry_;
  nv::document::NoteEntry entry_;
  QWidget* PPiano = nullptr;
  QWidget* PKeyboardSymbols = nullptr;
  nv::editor::TECMusicKeyboard* MKKeyboard = nullptr;
  std::vector<nv::widgets::TECCharButton*> buttons_;
  QSpinBox* UDKTremolo = nullptr;
  QSpinBox* UDKTreole = nullptr;
  nv::widgets::TECCharButton* CBGuitarKind = nullptr;
  nv::widgets::TECCharButton* CBGuitarDuration = nullptr;
  nv::editor::TECGuitar* GGuitar = nullptr;
  nv::document::Subscription changed_;
};

}  // namespace nv::app
