#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/document_page.h"
#include "app/open_file_dialog.h"
#include "app/print_job.h"
#include "app/wait_cursor.h"
#include "dialogs/logic/information_rules.h"
#include "dialogs/page_windows.h"
#include "dialogs/start_dialog.h"
#include "widgets/help_opener.h"
#include "document/autosave.h"
#include "document/command_registry.h"
#include "document/command_states.h"
#include "document/note_preview.h"
#include "document/played_notes.h"
#include "document/program_settings.h"
#include "document/recent_files.h"
#include "document/transport.h"
#include "platform/qt/qt_ui_thread.h"
#include "widgets/qt_one_shot_timer.h"
#include "platform/sound/midi_ports.h"
#include "playback/midi_input.h"
#include "playback/midi_output.h"

class IPlayClock;
class TECMusicScore;
class QAction;
class QLineEdit;
class QMenu;
class QSlider;
class QToolBar;
class QToolButton;

namespace nv::document {
class HelpPageOpener;
class MainDialogs;
struct NewStaffSetup;
class SaveDialog;
class KeyboardLayoutSource;
class SettingsFile;
class ToolState;
}  // namespace nv::document

namespace nv::widgets {
class CommandActions;
class DocumentSignals;
class TECFormLanguage;
class TECLanguage;
class TECPageControl;
class StatusPanels;
}  // namespace nv::widgets

namespace nv::library {
class LibraryStore;
}

namespace nv::dialogs {
class TutorialPlayer;
}  // namespace nv::dialogs

namespace nv::editor {
class ExportOptionsDialog;
class TFMusicEditor;
}  // namespace nv::editor

namespace nv::app {

class MusicEditorPage;
class OpenFileDialog;
class LibraryWiring;
class ProgramLibraryUi;
class ToolWiring;
class ArrangementOpener;
class LookOpener;

// What the main window works with. Every member left empty takes the
// program's own: the machine's MIDI ports, the steady clock, the default
// printer, the desktop's browser, the X server's keyboard layouts, the file
// dialogs.
struct ProgramServices {
  // The one settings file; none: nothing is read or written.
  nv::document::SettingsFile* settings = nullptr;
  // The command line after the program's name.
  std::vector<std::string> arguments;
  std::unique_ptr<nv::platform::MidiPortSystem> ports;
  // A clock for each document's playback (null: the steady clock).
  std::function<std::unique_ptr<IPlayClock>()> playClock;
  // Makes the clock of each document's takes (null: the steady clock).
  std::function<std::unique_ptr<IPlayClock>()> recordClock;
  // The clock autosave reads (null: the machine's uptime).
  const nv::document::UptimeClock* uptime = nullptr;
  PrintTargetFactory printTarget;
  // The dialogs the commands ask their values from: a new composition, a
  // bar count, MIDI import and print (null: the program's own).
  nv::document::MainDialogs* dialogs = nullptr;
  // Gives a score the drum library's heads and the program's drum map: a
  // new composition, a MIDI import, and an opened file that brings no drum
  // heads of its own (none: those of the program's libraries).
  std::function<void(TECMusicScore&)> addDrums;
  nv::document::HelpPageOpener* helpOpener = nullptr;
  const nv::document::KeyboardLayoutSource* keyboardLayouts = nullptr;
  OpenFileDialog* openDialog = nullptr;
  // Where the document windows ask for the name to save to.
  nv::document::SaveDialog* saveDialog = nullptr;
  nv::editor::ExportOptionsDialog* exportDialog = nullptr;
  // Where the help folders lie; empty: the program's data folder.
  std::filesystem::path helpRoot;
  // Where the reference, news and tutorial files and the about picture lie;
  // empty: the program's data folder.
  std::filesystem::path dataDir;
  // Opens web and mail addresses (none: the desktop's opener).
  nv::widgets::UrlOpener urlOpener;
  // The tutorial's video player; none: the program plays no videos and the
  // tutorial window says so.
  nv::dialogs::TutorialPlayer* tutorialPlayer = nullptr;
  // The desktop's side of the start: the score file type and the music font
  // (RegisterScoreFileType, LoadMusicFont in the program; none: skipped).
  std::function<void()> registerFileType;
  std::function<void()> loadMusicFont;
  // The folder of the chord, symbol, term and drum-style libraries and the
  // drum map (see ProgramLibraryFolder); empty: the program has none.
  std::string libraryFolder;
  // Where the shipped libraries it is seeded from lie; empty: the program's.
  std::filesystem::path libraryDefaults;
  // The news window: loads the news and shows them over `parent`; false
  // when they did not load and nothing is shown. None: there is no news
  // window and its command is hidden.
  std::function<bool(QWidget* parent)> news;
  // Hears the name of each start-up step as it runs.
  std::function<void(const char* step)> startupTrace;
};

// The program's main window: the document notebook PCFiles, the tool
// notebook PCTools, the menus and tool bars of the command registry, the
// status bar, the program's one MIDI output and input (MOScore, MIScore), the
// settings kept between runs, the recent files and the help.
class TFProgramModule : public QMainWindow,
                        private nv::document::ErrorReporter,
                        private nv::document::AutosaveHost,
                        private nv::document::PrintHost,
                        private nv::document::TransportHost,
                        private nv::dialogs::StartHost {
  Q_OBJECT
 public:
  static constexpr char kCaption[] = "Notavistra Tessaro 3.8";

  // Runs the whole start-up: the settings, the language and the command line.
  explicit TFProgramModule(ProgramServices services = {}, QWidget* parent = nullptr);
  // Writes the settings and the recent files (when there is a settings file).
  ~TFProgramModule() override;

  nv::document::CommandRegistry& Commands() { return registry_; }
  nv::widgets::CommandActions& Actions() const { return *actions_; }
  TMidiOutput& MidiOutput() { return MOScore; }
  TMidiInput& MidiInput() { return MIScore; }
  nv::widgets::TECPageControl& Files() const { return *PCFiles; }
  nv::widgets::TECPageControl& Tools() const { return *PCTools; }
  nv::widgets::StatusPanels& StatusBar() const { return *SBMain; }
  QMenu& ReopenMenu() const { return *MIReopen; }
  QMenu& ReopenPopup() const { return *PMReopen; }
  QWidget& ToolbarPanel() const { return *PTop; }
  QToolBar& EditBar() const { return *TBTEdit; }
  QToolBar& ToolsBar() const { return *TBTTools; }
  QToolBar& ProgramBar() const { return *TBTProgram; }
  QSlider& TempoBar() const { return *TBTempo; }
  // The zoom box, which shows the active score's zoom.
  QLineEdit& ZoomBox() const { return *EZoom; }
  // The panel of the tool pages and the document tabs, hidden while locked.
  QWidget& ClientPanel() const { return *PClient; }
  QSlider& VolumeBar() const { return *TBVolume; }
  // The zoom button and its menu of zooms.
  QToolButton& ZoomButton() const { return *CBZoom; }
  QMenu& ZoomMenu() const { return *PMZoom; }
  // The printer print jobs go to; "" for the system's default.
  const std::string& Printer() const { return printer_; }
  // Whether the exit button shows in the program bar.
  bool ExitButtonShown() const;
  const nv::document::RecentFiles& Recent() const { return recent_; }
  const nv::document::ProgramSettings& Settings() const { return settings_; }
  // The libraries; none without a library folder.
  nv::library::LibraryStore* Library() const { return library_.get(); }
  // The dynamics and effects palettes under `button` (the drop parts of
  // "Calculate voice" and "Calculate effects"). Their changes go into the
  // settings at once, the dynamic terms' values into the term library.
  void ShowDynamicsPalette(QWidget& button);
  void ShowEffectsPalette(QWidget& button);

  // The open documents in tab order, and the one in the active tab (none
  // without documents).
  std::vector<DocumentPage*> Documents() const;
  DocumentPage* ActiveEditor() const;
  bool Printing() const { return printJob_.Printing(); }
  // Play, record and stop of the active document.
  const nv::document::Transport& Playback() const { return transport_; }
  // The tool pages' state, which each document window's clicks insert by.
  nv::document::ToolState& InsertionTools();

  // Opens a score file in a new tab that becomes the active one. A file
  // already open (the same path) is not opened again: with `askReload` the
  // user may reload it. A file that does not load shows the error with its
  // reason and opens nothing. Returns the page showing the file, or none.
  DocumentPage* OpenDocument(const std::string& path, bool askReload);
  // A new, untitled document in a new tab that becomes the active one.
  DocumentPage& NewDocument();
  // New: the new-composition dialog first; on OK a new document of its
  // staff and tempo, with its title, author and instrument texts on the
  // first page. None when the dialog was cancelled.
  DocumentPage* NewComposition();
  // Asks for files and opens each in turn; one that fails does not stop the
  // ones after it.
  void OpenFiles();
  // Closes a document after its own save question; its file goes to the
  // recent files. False when it stays open.
  bool CloseDocument(DocumentPage& page);
  // Closes every document after one question; a document whose save is
  // cancelled or fails stays open with the ones before it.
  void CloseAllDocuments();
  // An item of "Reopen" (or its popup): opens the file, or says that it is
  // missing; either way the entry leaves the list.
  void ReopenItemClick(std::size_t index);

  // The MIDI devices, opened and closed once: true when open.
  bool OpenMidiOutput();
  void CloseMidiOutput();
  bool OpenMidiInput();
  void CloseMidiInput();

  // Prints a copy of the active document to the print target, on this
  // thread, as soon as the events in hand are done; exit waits for it.
  void PrintActiveDocument();
  // Shows a copy of the active document page by page in a modal window,
  // whose Print prints that copy.
  void PreviewActiveDocument();

  // Recomputes the enabled and checked state of every command.
  void UpdateActions() override;
  // Locked, the tool pages and documents are hidden and the document
  // commands and the edit bar are off.
  void SetLocked(bool locked);
  bool Locked() const { return locked_; }
  // The lock command's image: 2 while locked, 1 otherwise.
  int LockImage() const { return locked_ ? 2 : 1; }
  // Sets the interface language ("ENU", "RUS", "DEU") and checks its command.
  void SetInterfaceLanguage(const QString& code);
  QString InterfaceLanguage() const;
  void ShowHelpTopic(const char* topic);
  void OpenHelpContents();

  // --- information windows (program_module_information.cpp) -----------------
  // References: opens the reference window, or closes it when it is open.
  void ToggleReferences();
  // The reference window while it is open.
  nv::dialogs::TFReferenceModule* ReferenceWindow() const { return references_.data(); }
  // The about window, closed by any press or key.
  QWidget* ShowAbout();
  // The tutorial, modal; without a video it says so.
  void ShowTutorial();
  // At the first start ([Tools] StartModule): the first-start dialog,
  // modal; StartModule is false afterwards, also when it could not show.
  void ShowStartDialog();
  // The first-start dialog over this window's devices and language.
  std::unique_ptr<nv::dialogs::TFStartModule> MakeStartDialog();
  // The splash, when there is one, closes once it shows and the window has
  // stood for a second (the main timer asks).
  void CloseSplashWhenDue();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Report(const std::string& commandId, const std::string& message) override;
  std::vector<nv::document::AutosaveCandidate> Candidates() const override;
  bool Save(std::uint64_t key) override;
  int PageCount() const override;
  std::optional<nv::document::PrintChoices> Ask(const nv::document::PrintChoices& offer) override;
  void MakeCopy() override;
  void PrintCopy(const nv::document::PrintChoices& choices) override;
  void FreeCopy() override;
  void Queue(std::function<void()> job) override;
  void SetWaitCursor(bool wait) override;
  void RepaintStatus() override;
  // Prints a copy of `document`, the active one or the preview's copy of it.
  void PrintDocument(const nv::document::ScoreDocument& document);
  // --- the first-start dialog's changes (program_module_information.cpp) -----
  std::string SelectInput(int index) override;
  std::string SelectOutput(int index) override;
  void SetLanguage(const QString& code) override;
  void AddInformationCommands();
  // "Last news" shows while the settings ask for news ("Get news") and the
  // program has a news window.
  void ShowNewsCommand();
  // --- play and record (program_module_transport.cpp) ------------------------
  bool HasDocument() const override;
  bool OpenOutput() override;
  void CloseOutput() override;
  bool OpenInput() override;
  void CloseInput() override;
  std::string InputError() const override;
  void OutputFailed() override;
  void StartPlayback() override;
  void StopPlayback() override;
  std::int64_t RecordClock() override;
  void StartRecord(std::int64_t start) override;
  void StopRecord() override;
  void Step(const char* name);

  // --- creation (program_module.cpp) -----------------------------------------
  void AddProgramCommands();
  void BuildToolbars();
  void BuildMenus();
  void BuildToolPages();
  // The modify page, once the settings it shows are read.
  void BuildModifyPage();
  // The navigator page's miniature of the active score.
  void BuildNavigatorPage();
  // The design page, once the settings it shows are read.
  void BuildDesignPage();
  void RestoreSettings();
  void ChooseLanguage();
  // The commands' captions from the language in force; the language files
  // name them as the actions they were.
  void TranslateCommands();
  void ProcessCommandLine();
  void FormResize();
  void FormDestroy();
  // Into the settings file's contents; the destructor writes the file once
  // the document windows have added theirs.
  void StoreSettings();
  // The status bar's panels of printing, playing and recording.
  void ShowStates();
  // The tempo bar's hint and position from the active score's tempo scale.
  void UpdateTempoDisplay();
  // The tempo and volume bars at the end of the tools bar.
  void BuildTrackBars();
  // The zoom button beside the zoom box, and its menu.
  void BuildZoomMenu();

  // --- libraries (program_module_libraries.cpp) ------------------------------
  // Seeds the library folder from the shipped libraries and reads the chord
  // library; the other libraries follow once the command line is done.
  void LoadChordLibrary();
  void LoadLibraries();
  void AddLibraryCommands();
  // The loaded drum styles' heads and "DrumMap.ini" into a score.
  void AddLibraryDrums(TECMusicScore& score) const;
  // The score's question for a term's values, answered from the term library.
  bool GetTerms(int kind, const std::string& text, int& first, int& second) const;

  // --- documents (program_module_documents.cpp) ------------------------------
  // Open's side of the window: its tabs, the MIDI import and the new page.
  class OpenRoute;
  std::unique_ptr<MusicEditorPage> MakePage();
  nv::editor::TFMusicEditor* ActiveWindow() const;
  // The active document's score; only while there is one.
  TECMusicScore& ActiveScore() const;
  void AddDocumentCommands();
  // What the commands' enabled and checked states are read from.
  nv::document::CommandState State() const;
  // Collapses or restores the tool pages, as a document window asks.
  void ShowTools(bool shown);
  // Docks the last page of the list into a tab of its own.
  void AddPage();
  void ForgetPage(DocumentPage& page);
  // FormCloseQuery: true when the program may close.
  bool QueryClose();
  void RebuildReopenMenus();
  // The undo (or redo) steps of the active document in a list under
  // `button`; a click undoes (or redoes) every step down to the one clicked.
  void ShowHistory(bool redo, const QToolButton& button);
  void StopAll();
  // The MIDI input's events go to the active document and, with "PlayMIDI", are echoed.
  void TakeMidiInput();
  // A take ended by Undo or Redo: the transport stops with it.
  void FollowRecording();
  // Zoom In and Zoom Out of the active score.
  void Zoom(bool in);
  // Sets the active score's zoom (Actual size, the zoom menu).
  void SetZoom(int percent);
  // Repeats: loop playback on or off, for the active score and those
  // activated after it.
  void ToggleRepeats();
  // The printer set-up: which printer print jobs go to.
  void ChoosePrinter();
  // The options the active score plays by, passed on only when they change.
  void SetAutoEffect(bool on);
  void SetAutoVelocity(bool on);
  // Add bar and Delete bar: the count from the bar-count dialog.
  void ChangeBars(bool add);
  // Properties: the active score's settings in the composition dialog.
  void EditCompositionProperties();
  // Settings: shows the program's options and, on OK, selects the devices
  // chosen and then stores every other option.
  void EditProgramSettings();
  // Alt+0 .. Alt+9: the tab `index`, when there is one.
  void ActivateWindow(int index);
  // The score of a new composition from the dialog's values.
  void SetUpComposition(DocumentPage& page, const nv::document::NewStaffSetup& setup);
  void AddDrums(TECMusicScore& score) const;

  struct OpenPage {
    std::unique_ptr<MusicEditorPage> page;
    std::unique_ptr<nv::widgets::DocumentSignals> signals;
    // What autosave knows of the page: who it is, when it was last read or
    // written, and a count of its changes.
    std::uint64_t key = 0;
    std::int64_t lastSavedMs = 0;
    std::uint64_t revision = 0;
  };

  ProgramServices services_;
  nv::platform::QtUiThread ui_;
  TMidiOutput MOScore;
  TMidiInput MIScore;
  bool outputOpen_ = false;
  bool inputOpen_ = false;
  // The output's failure to open is told once.
  bool outputFailureShown_ = false;
  nv::document::ProgramSettings settings_;
  nv::document::RecentFiles recent_;
  nv::document::CommandRegistry registry_;
  nv::widgets::CommandActions* actions_ = nullptr;
  nv::widgets::TECLanguage* LMain = nullptr;
  nv::widgets::TECFormLanguage* FLProgramModule = nullptr;

  QWidget* PTop = nullptr;
  QToolBar* TBTEdit = nullptr;
  QToolBar* TBTTools = nullptr;
  QToolBar* TBTProgram = nullptr;
  QToolButton* TBExit = nullptr;
  QToolButton* TBUndoList = nullptr;
  QToolButton* TBRedoList = nullptr;
  QSlider* TBTempo = nullptr;
  QSlider* TBVolume = nullptr;
  QToolButton* CBZoom = nullptr;
  QMenu* PMZoom = nullptr;
  std::string printer_;
  QLineEdit* EZoom = nullptr;
  QWidget* PClient = nullptr;
  bool locked_ = false;
  // Set while the tempo bar sets the scale or the display moves the bar:
  // neither runs the other again.
  bool updatingTempo_ = false;
  QAction* exitButton_ = nullptr;  // TBExit's place in the program bar
  QMenu* MIReopen = nullptr;
  QMenu* PMReopen = nullptr;
  nv::widgets::TECPageControl* PCTools = nullptr;
  nv::widgets::TECPageControl* PCFiles = nullptr;
  nv::widgets::StatusPanels* SBMain = nullptr;
  QTimer TMain;
  // When the splash may close, from the end of creation.
  nv::dialogs::SplashTiming splashTiming_;
  QPointer<nv::dialogs::TFReferenceModule> references_;

  // The previews of inserted and played notes, which the documents sound.
  // TKeyboard is the key-release timer that ends them.
  nv::widgets::QtOneShotTimer TKeyboard;
  nv::document::NotePreview notePreview_;
  // The insertion tools; the documents, which read them, go first.
  std::unique_ptr<ToolWiring> toolWiring_;
  std::unique_ptr<ArrangementOpener> arrangementOpener_;
  std::unique_ptr<LookOpener> lookOpener_;
  // The notes the documents play, shown on the piano and guitar pages.
  nv::document::PlayedNotes playedNotes_;
  // The libraries, which the documents' scores ask for terms: they go after
  // the documents.
  std::unique_ptr<ProgramLibraryUi> libraryUi_;
  std::unique_ptr<nv::library::LibraryStore> library_;
  // The libraries on the tool pages, over the store and the tools.
  std::unique_ptr<LibraryWiring> libraries_;
  std::vector<OpenPage> pages_;
  std::uint64_t nextPageKey_ = 1;
  nv::document::Autosave autosave_;
  // The document a print job is being started for, while it asks and copies.
  const nv::document::ScoreDocument* printSource_ = nullptr;
  // The print job's copy of the score and the caption it is printed under.
  std::unique_ptr<TECMusicScore> printCopy_;
  QString printTitle_;
  std::optional<WaitCursor> printWait_;
  nv::document::PrintJob printJob_;
  nv::document::Transport transport_;
  bool destroyed_ = false;
  std::unique_ptr<OpenFileDialog> ownOpenDialog_;
  std::unique_ptr<nv::document::MainDialogs> ownDialogs_;
  nv::document::Subscription statesChanged_;
};

}  // namespace nv::app
