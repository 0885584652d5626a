#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>

#include "app/dialog_palette_opener.h"
#include "document/note_entry.h"
#include "document/notice.h"
#include "document/played_notes.h"
#include "document/tool_keys.h"
#include "document/tool_state.h"
#include "editor/score_tool_sink.h"

class QWidget;

namespace nv::document {
class CommandRegistry;
struct ProgramSettings;
}  // namespace nv::document

namespace nv::library {
class LibraryStore;
}

namespace nv::widgets {
class ScoreControl;
class TECPageControl;
}  // namespace nv::widgets

namespace nv::editor {
class TFMusicEditor;
}

namespace nv::app {

class InstrumentPages;

// The main window's insertion tools: the tool state with its sink to the
// active document, the notes and symbols palettes in the first two tool
// pages, and the tool keys, which see every key press of the main window
// before the focused control does.
class ToolWiring : public QObject, private nv::document::ToolKeyHost, private nv::document::NoteEntryHost {
  Q_OBJECT
 public:
  // The widget of the active document tab; null with none.
  using ActiveDocument = std::function<QWidget*()>;

  // `settings` (read now: it holds the tools' values) and the page controls
  // outlive the wiring. `files` is the document notebook, `tools` the tool notebook.
  // `library` (may be null) holds the drum styles the notes page shows and chooses from.
  ToolWiring(nv::document::ProgramSettings& settings, nv::document::CommandRegistry& registry,
             nv::widgets::TECPageControl& tools, nv::widgets::TECPageControl& files, ActiveDocument active,
             nv::library::LibraryStore* library = nullptr);
  ~ToolWiring() override;

  // What each document window's click-to-insert reads.
  nv::document::ToolState& State() { return state_; }
  // Before the settings are written.
  void StoreSettings() const { state_.StoreSettings(); }
  // The piano and guitar pages.
  InstrumentPages& Instruments() const { return *instruments_; }
  // A note playback sounded, on the GUI thread.
  void ShowPlayedNote(const nv::document::PlayedNote& note);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- ToolKeyHost ---
  // F1 is the main window's own key.
  void ShowHelpTopic(const std::string&) override {}
  nv::document::ClickInserter* ActiveInserter() override;
  bool PianoKeyboardHasFocus() const override;
  int PianoDurationPosition() const override;
  void CallKeyDown(std::uint16_t key, TECShiftState shift) override;
  // --- NoteEntryHost ---
  nv::document::ScoreEdits* ActiveEdits() override;
  void PreviewNote(int key, int length, int mode) override;

  void DocumentChanged();
  void ShowActivePage();
  nv::editor::TFMusicEditor* ActiveEditor() const;
  nv::widgets::ScoreControl* ActiveScore() const;

  nv::widgets::TECPageControl& tools_;
  ActiveDocument active_;
  nv::document::ToolState state_;
  DialogPaletteOpener opener_;
  nv::editor::ScoreToolSink sink_;
  nv::document::ToolKeys keys_;
  std::unique_ptr<InstrumentPages> instruments_;
  nv::document::Subscription changed_;
};

}  // namespace nv::app
