#pragma once

// The document window: one open score in a tab of the main window.
//
// A host (the main window's tab page control, or a test) makes one per
// document and calls:
//
//   TFMusicEditor editor(services, parent);     // a new document: "Untitled", modified, A4
//   QString error = editor.OpenDocument(path);  // "" when it loaded; else "<path>: <reason>"
//   editor.Save(); editor.SaveAs(); editor.ExportPicture();
//   editor.StartPlayback(); editor.StopPlayback();
//   if (editor.QuerySave()) delete the tab;      // the close question; false keeps it open
//
// and shows Caption() as the tab's title, refreshed on StateChanged().
// Commands reach the active window through AddEditorCommands
// (editor_commands.h), added once to the program's registry.
//
// The services are the program's, handed in: the one MIDI output (the window
// opens no device of its own), the GUI thread, the command registry (its
// stop command ends playback, its states are raised after each change), the
// message box, the interface texts, the settings, the dialogs.

#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/click_insert.h"
#include "document/command_registry.h"
#include "document/document_file.h"
#include "document/document_tool_input.h"
#include "document/element_actions.h"
#include "document/note_preview.h"
#include "document/numbered_backups.h"
#include "document/new_staff_setup.h"
#include "document/program_settings.h"
#include "document/score_document.h"
#include "editor/editor_form_settings.h"
#include "editor/export_options.h"
#include "editor/new_staff_texts.h"
#include "editor/preview_route.h"
#include "editor/score_menu.h"
#include "editor/track_actions.h"
#include "platform/form_texts.h"
#include "platform/message_prompt.h"
#include "platform/ui_thread.h"

class IPlayClock;
class QFrame;
class QSplitter;
class QToolButton;
class TMidiOutput;

namespace nv::platform {
class IniFile;
}

namespace nv::widgets {
class ScoreControl;
}  // namespace nv::widgets

namespace nv::document {
class ToolState;
}

namespace nv::widgets {
class ClickRepeater;
}

namespace nv::editor {

class EditorDialogs;
class ExportSettingOpener;
class FileSaveDialog;
class NewStaffFormDialog;
class RowPane;
class TECMusicSequence;
class TECMusicVelocity;
class TECScoreMenu;
class TECTracksGrid;
class TemplateSaving;

// The new-staff dialog; a test answers it. Nothing when cancelled.
class NewStaffDialog {
 public:
  virtual ~NewStaffDialog() = default;
  virtual std::optional<document::NewStaffSetup> Ask() = 0;
};

// Measures a text as the page draws it: the widest of `lines` in "Arial" at `size`, in page pixels.
using TextWidth = std::function<int(const std::vector<std::string>& lines, int size)>;

struct MusicEditorServices {
  TMidiOutput& Output;
  platform::UiThread& Ui;
  document::CommandRegistry& Commands;
  platform::MessagePrompt& Prompt;
  const platform::FormTexts& Texts;
  // [Editor]: the backup rules, read at each save.
  const document::ProgramSettings& Settings;
  // The settings file's [EditorForm]: read at creation, written at the end. Null: the defaults, nothing written.
  platform::IniFile* FormSettings = nullptr;
  // Null: the window's own file dialog.
  document::SaveDialog* SaveDialog = nullptr;
  // Null: plain forms of the window's own.
  ExportOptionsDialog* ExportDialog = nullptr;
  NewStaffDialog* NewStaff = nullptr;
  // Null: the tracks grid's selected row.
  const TracksSelection* Tracks = nullptr;
  // Null: the width of the texts as Qt's "Arial" at the screen's resolution.
  TextWidth MeasureText;
  // The program's note previews; null: previews stay silent.
  document::NotePreview* Preview = nullptr;
  // The drum kind the drum palette has chosen while its drum-note button is down; null: 255, the normal head.
  std::function<int()> DrumKind;
  // Null: playback paced by the steady clock.
  std::function<std::unique_ptr<IPlayClock>()> MakeClock;
  // The metronome's clock of a take; null: the steady clock.
  std::function<std::unique_ptr<IPlayClock>()> MakeRecordClock = nullptr;
  // Hears each message playback sends, on the play thread (the played-note display).
  PlayForwarder::Played Played = nullptr;
  // The main window's insertion tools; null: clicks into the score insert nothing.
  document::ToolState* Tools = nullptr;
  // The dialogs of the element editors and of click-to-insert; null: plain forms of the window's own.
  document::ElementDialogs* Dialogs = nullptr;
  // The template library that takes chords and symbols saved from the selection; null: they cannot be saved.
  TemplateSaving* Templates = nullptr;
  // The timer of the velocity buttons' repeat; null: a GUI timer of the window's own.
  document::OneShotTimer* ClickTimer = nullptr;
};

class TFMusicEditor : public QWidget {
  Q_OBJECT
 public:
  // The cursor looks (colours 0x00BBGGRR).
  static constexpr std::int32_t kEditingColor = 0x00FFFF;
  static constexpr std::int32_t kPlayingColor = 0xFF71FF;
  static constexpr int kScoreTimerMs = 100;
  static constexpr int kRecordTimerMs = 64;
  // The length an echo of a MIDI input key is previewed with (an eighth).
  static constexpr int kEchoLength = 16;

  // A new document; the services outlive the window.
  explicit TFMusicEditor(const MusicEditorServices& services, QWidget* parent = nullptr);
  // Stops playback and writes [EditorForm].
  ~TFMusicEditor() override;

  document::ScoreDocument& Document() { return *document_; }
  widgets::ScoreControl& ScoreView() const { return *MSScore; }
  TECTracksGrid& TracksGrid() const { return *PVTracks; }
  TECScoreMenu& ScoreMenu() const { return *PMScore; }
  // Click-to-insert of this document; null without the tool state.
  document::DocumentToolInput* ToolInput() const { return toolInput_.get(); }
  // Another document became active, or this one again: a slur begun here is forgotten.
  void DocumentSwitched();
  const document::DocumentFile& File() const { return *file_; }

  // --- the document's file ----------------------------------------------------
  // The tab's title: the file name without folder and extension.
  QString Caption() const;
  bool Modified() const { return file_->Modified(); }
  bool HasFile() const { return file_->HasFile(); }
  // The title and author lines and the staff's name of a new staff or
  // composition on the first page: the title centred at the top, the author
  // right and the name left under it. A new staff centres on the page's
  // width, a new composition on the width between the margins.
  enum class TitleWidth { Page, BetweenMargins };
  void AddStaffTexts(const NewStaffChoice& choice, TitleWidth across = TitleWidth::Page);
  const std::string& FileName() const { return file_->FileName(); }
  // Loads a score, MIDI or MusicXML file; the same file again does nothing.
  // Returns "" when it loaded, else the file's name and the reason; the
  // document is then as it was.
  QString OpenDocument(const QString& path);
  // Reads the document's file again (the reload the main window offers for
  // a file already open); "" when it loaded, else the file's name and the
  // reason, the document then as it was.
  QString ReloadDocument();
  // Writes the document's score file, or asks for a name when it has none;
  // an unrelated score file where an import's score goes is replaced only on
  // Yes. True when the score file was written.
  bool Save();
  // Asks for a name and kind; MIDI, karaoke and MusicXML are exports that
  // keep the name, caption and modified state. True only for a score file.
  bool SaveAs();
  // Exports pages as pictures or a PDF; true when a file was written.
  bool ExportPicture();
  // The close question; true when the window may be closed (playback stopped).
  bool QuerySave();

  // --- playback -----------------------------------------------------------------
  // Opens the output (on this, the GUI thread) and plays; false when the
  // output does not open.
  bool StartPlayback();
  void StopPlayback();
  bool Playing() const { return document_->Playing(); }
  // Sounds `key` as the score would play it at the cursor; `mode` is how
  // the note stands in a chord (NotePreview::Mode). `length` does not change
  // the sound. False when nothing sounded.
  bool PreviewNote(int key, int length, int mode);
  // The echo of a key played on the MIDI input, and its end at the key's note-off.
  bool EchoNoteOn(int key);
  void EchoNoteOff(int key);

  // --- recording -------------------------------------------------------------------
  // The recording clock's time in milliseconds; the record command reads it
  // before it opens the devices.
  std::int64_t RecordClock();
  // Starts a take with the "Record parameters"; `commandTick` is RecordClock when the command began.
  // The document's StopRecording ends it.
  void StartRecord(std::int64_t commandTick);
  // A message of the MIDI input, its time in milliseconds since the input started.
  void MidiInEvent(std::uint8_t status, std::uint8_t key, std::int64_t time, std::uint8_t velocity);

  // --- undo lists ------------------------------------------------------------------
  std::vector<std::string> GetUndoList() const;
  std::vector<std::string> GetRedoList() const;

  // --- staff and row actions --------------------------------------------------------
  TrackActionStates TrackStates() const { return tracks_; }
  // Recomputes TrackStates for the grid's selection and raises the registry's states.
  void UpdateTracks();
  void AddInstrument();
  void DeleteInstrument();
  // The active staff's and row's properties in their dialogs, written on OK only.
  void EditStaffProperties();
  void EditRowProperties();
  void AddRow();
  void DeleteRow();
  void DuplicateRow();
  // The grid's selected row or staff, by -1 or +1.
  void MoveTrack(int delta);
  void SetAllMuted(bool mute);
  void ChangePageCount(int delta);

  // --- editing the selected element --------------------------------------------------------
  // Opens the element's dialog and hands its values to the score.
  void EditElement(document::ElementEditor editor);
  bool ElementOffered(document::ElementEditor editor) const;

  // Saves the selected notes as a chord, or the selected page objects as a
  // symbol, of the template library; `saveAs` offers the choice of a file.
  bool CanSaveChord() const;
  bool CanSaveSymbol() const;
  void SaveChord(bool saveAs);
  void SaveSymbol(bool saveAs);

  // The score menu's point and duration items, on the main window's tool pages.
  ToolPagesState ToolPages() const;
  void PressPointTool();
  // 0 whole .. 6 1/64: the note value when one is down, else the rest value.
  void PressDuration(int item);

  // --- panes below the score ------------------------------------------------------------
  // Each shows or hides its pane; showing one frees the other.
  void ShowVelocityMap();
  void ShowSequenceMap();
  TECMusicSequence* SequencePane() const { return sequence_; }
  TECMusicVelocity* VelocityPane() const { return velocity_; }
  // The length in ticks of the notes a click into the piano roll places; 0 none.
  void SetSequenceNoteLength(int length);

  // --- panels ---------------------------------------------------------------------------
  void HideTracks();
  void ShowTracks();
  // The tracks panel's width, 0 while hidden.
  int TracksWidth() const { return tracksShown_ ? leftWidth_ : 0; }
  // The main window's tool pages are shown or collapsed: which of the two tools buttons shows.
  void UpdateToolsButtons(bool toolsShown);
  EditorFormSettings FormSettings() const;

  // The play cursor's timer and that of recording.
  const QTimer& ScoreTimer() const { return TScore; }
  const QTimer& RecordTimer() const { return TRecord; }

 Q_SIGNALS:
  // The caption or the modified state may have changed.
  void StateChanged();
  // The user asked to collapse (false) or restore (true) the main window's tool pages.
  void ToolsRequested(bool shown);

 private:
  std::string Text(int n) const;
  void BuildPanels();
  void NewPage();
  void EnsureStaff();
  void Loaded(const QString& path);
  void ScoreChanged();
  void PlayEnded();
  void FollowPlayback();
  void SetCursorLook(bool playing);
  PreviewRoute Route(int key, int mode) const;
  void PlaceTracks();
  void Refresh();
  bool Ask(int caption, int text);
  void OpenScoreMenu(const QPoint& globalPos);
  void PlaceTracksButtons();
  bool ScoreWheel(int delta);
  void BuildPaneBars();
  QToolButton* PaneButton(QWidget* bar, const char* name, const QString& text, const QString& tip);
  // The velocity button that steps by `direction` (+1 or -1).
  void RepeatButton(QToolButton* button, int direction);
  void ShowPane(RowPane* pane, QFrame* bar, int height);
  void ClosePane();
  void PaneMoved();
  void SequenceNote(int measure, int position, int key);

  // The grid's selected row as the staff and row actions read it.
  class GridTracks : public TracksSelection {
   public:
    explicit GridTracks(const TFMusicEditor& editor) : editor_(editor) {}
    TrackGridRow SelectedRow() const override;

   private:
    const TFMusicEditor& editor_;
  };
  // What click-to-insert asks of this window.
  class ToolClickHost : public document::ClickHost {
   public:
    explicit ToolClickHost(TFMusicEditor& editor) : editor_(editor) {}
    void PreviewNote(int key, int length, int mode) override { editor_.PreviewNote(key, length, mode); }
    int ApplyDrumStyles() override { return 0; }
    void FocusScore() override;
    void ShowErrorMessage() override;

   private:
    TFMusicEditor& editor_;
  };

  MusicEditorServices services_;
  std::unique_ptr<FileSaveDialog> ownDialog_;
  std::unique_ptr<ExportSettingOpener> ownExport_;
  std::unique_ptr<NewStaffFormDialog> ownNewStaff_;
  std::unique_ptr<document::ScoreDocument> document_;
  document::NumberedBackups backups_;
  std::unique_ptr<document::DocumentFile> file_;
  TrackActionStates tracks_;
  GridTracks gridTracks_{*this};
  ToolClickHost clickHost_{*this};
  std::unique_ptr<EditorDialogs> ownDialogs_;
  std::unique_ptr<document::DocumentToolInput> toolInput_;
  std::unique_ptr<document::ElementActions> elementActions_;

  int leftWidth_ = EditorFormSettings::kLeftWidth;
  bool tracksShown_ = true;
  int sequenceHeight_ = 200;
  int velocityHeight_ = 164;
  TECMusicSequence* sequence_ = nullptr;
  TECMusicVelocity* velocity_ = nullptr;
  int sequenceLength_ = 0;
  std::unique_ptr<document::OneShotTimer> ownClickTimer_;
  std::unique_ptr<widgets::ClickRepeater> velocityRepeat_;
  QString shownCaption_;
  bool shownModified_ = false;
  std::vector<document::Subscription> subscriptions_;

  // The components, by the names the program's texts and settings know them by.
  TECTracksGrid* PVTracks = nullptr;
  TECScoreMenu* PMScore = nullptr;
  QSplitter* SLeft = nullptr;
  QSplitter* SCenter = nullptr;
  QFrame* PClient = nullptr;
  QFrame* PLeftHide = nullptr;
  QFrame* PBottomHide = nullptr;
  QToolButton* SBHideInstruments = nullptr;
  QToolButton* SBShowInstruments = nullptr;
  QToolButton* SBHideTools = nullptr;
  QToolButton* SBShowTools = nullptr;
  widgets::ScoreControl* MSScore = nullptr;
  // The pane below the score with its button bar at the left.
  QWidget* PPane = nullptr;
  QFrame* PSequence = nullptr;
  QFrame* PVelocity = nullptr;
  QToolButton* SBCloseSequence = nullptr;
  QToolButton* SBIncSize = nullptr;
  QToolButton* SBDecSize = nullptr;
  QToolButton* SBShiftRight = nullptr;
  QToolButton* SBShiftLeft = nullptr;
  QToolButton* SBCloseVelocity = nullptr;
  QToolButton* SBIncVelocity = nullptr;
  QToolButton* SBDecVelocity = nullptr;
  QToolButton* SBAlignVelocity = nullptr;
  QTimer TScore;
  QTimer TRecord;
};

}  // namespace nv::editor
