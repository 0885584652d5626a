// The main window's documents: opening, closing, the recent files, the
// question before the program closes, playback and the print job.
#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QRandomGenerator>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>

#include "dialogs/preview_dialog.h"
#include "app/music_editor_page.h"
#include "app/open_file_dialog.h"
#include "app/program_module.h"
#include "app/tool_wiring.h"
#include "app/library_wiring.h"
#include "app/wait_cursor.h"
#include "dialogs/preview_dialog.h"
#include "document/close_all.h"
#include "document/date_time_format.h"
#include "document/design_page.h"
#include "document/file_paths.h"
#include "document/layout_edits.h"
#include "document/main_commands.h"
#include "document/modify_page.h"
#include "document/main_dialogs.h"
#include "document/open_files.h"
#include "document/zoom_steps.h"
#include "document/score_commands.h"
#include "document/settings_file.h"
#include "document/tool_commands.h"
#include "editor/editor_commands.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "widgets/command_actions.h"
#include "platform/paged_target.h"
#include "platform/qt/qt_paged_target.h"
#include "playback/play_clock.h"
#include "widgets/language.h"
#include "widgets/document_signals.h"
#include "widgets/language.h"
#include "widgets/message_block.h"
#include "widgets/page_control.h"
#include "widgets/popup_menu.h"

namespace nv::app {

namespace {

namespace nk = nv::platform::form_key;
namespace nb = nv::platform::message_button;
namespace nr = nv::platform::message_result;

// The main window's numbered texts used here.
constexpr int kReloadQuestionText = 2;
constexpr int kOpenFileText = 3;
constexpr int kSaveQuestionText = 4;
constexpr int kCloseAllText = 5;
constexpr int kMissingFileText = 8;
constexpr int kUndoVerbText = 0;
constexpr int kHistoryNounText = 1;
constexpr int kRedoVerbText = 15;

// A new document's tab takes one of these colours (blue in the high byte).
constexpr std::array<unsigned, 6> kTabColours = {11061209, 13552563, 11653043, 13220030, 12310747, 15125479};

QString Text(int n) { return QString::fromStdString(nv::widgets::LanguageTexts().GetString(nk::kMainWindow, n)); }

QString TextWith(int n, const std::string& argument) {
  return QString::fromStdString(
      nv::platform::FormatText(nv::widgets::LanguageTexts().GetString(nk::kMainWindow, n), argument));
}

QColor TabColour(unsigned value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

}  // namespace

std::vector<DocumentPage*> TFProgramModule::Documents() const {
  std::vector<DocumentPage*> documents;
  for (const OpenPage& open : pages_) documents.push_back(open.page.get());
  return documents;
}

DocumentPage* TFProgramModule::ActiveEditor() const {
  const nv::widgets::TECTabSheet* active = PCFiles ? PCFiles->ActivePage() : nullptr;
  if (active == nullptr) return nullptr;
  for (const OpenPage& open : pages_)
    if (PCFiles->SheetOf(&open.page->Widget()) == active) return open.page.get();
  return nullptr;
}

// Opening a file through the document layer's route: the reload question
// for a file already open, the MIDI import dialog, the new page freed when
// its file does not load.
class TFProgramModule::OpenRoute : public nv::document::OpenHost {
 public:
  explicit OpenRoute(TFProgramModule& window) : window_(window) {}

  // The page the last Open showed: the new one or the reloaded one.
  DocumentPage* Shown() const { return shown_; }

  std::vector<std::string> OpenFileNames() const override {
    std::vector<std::string> names;
    for (const OpenPage& open : window_.pages_) {
      const std::string& path = open.page->Document().Path();
      names.push_back(path.empty() ? path : nv::document::CanonicalPath(path));
    }
    return names;
  }
  void Reload(int index) override {
    DocumentPage& page = *window_.pages_[std::size_t(index)].page;
    shown_ = &page;
    WaitCursor wait;
    if (const std::string error = page.ReloadFile(); !error.empty()) nv::widgets::ShowErrorMessage(error);
  }
  bool ChooseMidiImport(const std::string& path) override {
    import_ = window_.services_.dialogs->MidiImport(path);
    return import_.has_value();
  }
  void CreateWindow(bool midiImport) override {
    page_ = window_.MakePage();
    if (!midiImport || !import_) return;
    TECMusicScore& score = page_->Document().Score();
    score.MidiSeparateSheets = import_->TracksOnSeparateSheets;
    score.MidiImportGrid = import_->QuantizeDuration;
    window_.AddDrums(score);
  }
  void Load(const std::string& path) override {
    std::string error = page_->LoadFile(path);
    if (error.empty()) {
      TECMusicScore& score = page_->Document().Score();
      if (score.DrumHeads().empty()) window_.AddDrums(score);
      return;
    }
    // The route names the file itself.
    if (const std::string named = path + ": "; error.starts_with(named)) error.erase(0, named.size());
    throw std::runtime_error(error);
  }
  void Dock() override {
    shown_ = page_.get();
    window_.pages_.push_back({std::move(page_), nullptr});
    window_.AddPage();
  }
  void FreeWindow() override { page_.reset(); }
  void RemoveFromRecent(const std::string& path) override {
    if (window_.recent_.Remove(path)) window_.RebuildReopenMenus();
  }
  void SetWaitCursor(bool wait) override {
    if (wait)
      wait_.emplace();
    else
      wait_.reset();
  }
  void StopPlayback() override { window_.StopAll(); }
  void AfterOpen() override { window_.UpdateActions(); }

 private:
  TFProgramModule& window_;
  std::optional<nv::document::MidiImportChoices> import_;
  std::unique_ptr<MusicEditorPage> page_;
  DocumentPage* shown_ = nullptr;
  std::optional<WaitCursor> wait_;
};

DocumentPage* TFProgramModule::OpenDocument(const std::string& path, bool askReload) {
  const std::string file = nv::document::CanonicalPath(path);
  OpenRoute route(*this);
  const nv::document::OpenResult result = nv::document::OpenDocument(
      file, askReload, route, nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts());
  UpdateActions();
  if (result != nv::document::OpenResult::Unchanged) return route.Shown();
  // A file already open stays where it is.
  for (DocumentPage* page : Documents())
    if (nv::document::CanonicalPath(page->Document().Path()) == file) return page;
  return nullptr;
}

DocumentPage& TFProgramModule::NewDocument() {
  pages_.push_back({MakePage(), nullptr});
  DocumentPage& added = *pages_.back().page;
  AddPage();
  UpdateActions();
  return added;
}

DocumentPage* TFProgramModule::NewComposition() {
  const std::optional<nv::document::NewStaffSetup> setup = services_.dialogs->NewComposition();
  if (!setup) return nullptr;
  StopAll();
  pages_.push_back({MakePage(), nullptr});
  MusicEditorPage& page = *pages_.back().page;
  SetUpComposition(page, *setup);
  AddPage();
  UpdateActions();
  return &page;
}

void TFProgramModule::SetUpComposition(DocumentPage& page, const nv::document::NewStaffSetup& setup) {
  TECMusicScore& score = page.Document().Score();
  // The composition starts from here: nothing of its making is undone.
  const ScopedUndoLock unchanged(score);
  nv::document::BuildNewStaffScore(setup, score);
  AddDrums(score);
  dynamic_cast<MusicEditorPage&>(page).Editor().AddStaffTexts({setup.Name, setup.Timbre, setup.Title, setup.Author},
                                                              nv::editor::TFMusicEditor::TitleWidth::BetweenMargins);
}

void TFProgramModule::AddDrums(TECMusicScore& score) const {
  if (services_.addDrums) return services_.addDrums(score);
  AddLibraryDrums(score);
}

void TFProgramModule::OpenFiles() {
  OpenFileDialog& dialog = services_.openDialog ? *services_.openDialog : *ownOpenDialog_;
  std::vector<std::string> files;
  for (const std::string& path : dialog.Ask()) files.push_back(nv::document::CanonicalPath(path));
  if (files.empty()) return;
  OpenRoute route(*this);
  nv::document::OpenFiles(files, route, nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts());
}

void TFProgramModule::Zoom(bool in) {
  DocumentPage* page = ActiveEditor();
  if (page == nullptr) return;
  TECMusicScore& score = page->Document().Score();
  const int zoom = score.GetZoom();
  if (const std::optional<int> next = in ? nv::document::ZoomedIn(zoom) : nv::document::ZoomedOut(zoom))
    score.SetZoom(*next);
  UpdateActions();
}

void TFProgramModule::SetZoom(int percent) {
  DocumentPage* page = ActiveEditor();
  if (page == nullptr) return;
  page->Document().Score().SetZoom(percent);
  UpdateActions();
}

void TFProgramModule::ToggleRepeats() {
  settings_.Reverce = !settings_.Reverce;
  if (DocumentPage* page = ActiveEditor()) page->Document().Score().Reverce = settings_.Reverce;
  UpdateActions();
}

void TFProgramModule::ChoosePrinter() {
  StopAll();
  nv::document::PrinterChoice offer;
  offer.Printers = nv::platform::QtPagedTarget::printerNames();
  offer.Printer = printer_;
  if (const std::optional<nv::document::PrinterChoice> chosen = services_.dialogs->PrinterSetup(offer))
    printer_ = chosen->Printer;
}

void TFProgramModule::ChangeBars(bool add) {
  if (ActiveEditor() == nullptr) return;
  StopAll();
  const std::optional<int> count = services_.dialogs->BarCount();
  DocumentPage* page = ActiveEditor();
  if (!count || page == nullptr) return;
  TECMusicScore& score = page->Document().Score();
  if (add)
    score.AddMeasures(*count);
  else
    score.DeleteMeasures(*count);
  UpdateActions();
}

void TFProgramModule::EditCompositionProperties() {
  DocumentPage* page = ActiveEditor();
  if (page == nullptr) return;
  StopAll();
  services_.dialogs->CompositionProperties(page->Document());
  UpdateActions();
}

void TFProgramModule::ActivateWindow(int index) {
  if (index < 0 || index >= PCFiles->PageCount()) return;
  PCFiles->SetActivePage(PCFiles->Pages(index));
  StopAll();
  UpdateActions();
}

std::unique_ptr<MusicEditorPage> TFProgramModule::MakePage() {
  nv::editor::MusicEditorServices services{
      .Output = MOScore,
      .Ui = ui_,
      .Commands = registry_,
      .Prompt = nv::widgets::CurrentMessagePrompt(),
      .Texts = nv::widgets::LanguageTexts(),
      .Settings = settings_,
      .FormSettings = services_.settings ? &services_.settings->Ini() : nullptr,
      .SaveDialog = services_.saveDialog,
      .ExportDialog = services_.exportDialog,
      .NewStaff = nullptr,
      .Tracks = nullptr,
      .MeasureText = {},
      .Preview = &notePreview_,
      .DrumKind = {},
      .MakeClock = services_.playClock,
      .MakeRecordClock = services_.recordClock,
      // On the play thread: handed to the GUI thread in order.
      .Played = [this](std::uint8_t message, std::uint8_t data1, std::uint8_t data2) {
        if (const std::optional<nv::document::PlayedNote> note = nv::document::PlayedNote::Of(message, data1, data2))
          playedNotes_.Push(*note);
      },
      .Tools = &InsertionTools(),
      .Templates = libraries_ ? &libraries_->Saving() : nullptr,
  };
  auto page = std::make_unique<MusicEditorPage>(services);
  nv::editor::TFMusicEditor& editor = page->Editor();
  editor.UpdateToolsButtons(PCTools->height() > 0);
  connect(&editor, &nv::editor::TFMusicEditor::ToolsRequested, this, [this](bool shown) { ShowTools(shown); });
  connect(&editor, &nv::editor::TFMusicEditor::StateChanged, this, [this] { UpdateActions(); });
  return page;
}

nv::editor::TFMusicEditor* TFProgramModule::ActiveWindow() const {
  const nv::widgets::TECTabSheet* active = PCFiles ? PCFiles->ActivePage() : nullptr;
  if (active == nullptr) return nullptr;
  for (const OpenPage& open : pages_)
    if (PCFiles->SheetOf(&open.page->Widget()) == active) return &open.page->Editor();
  return nullptr;
}

void TFProgramModule::ShowTools(bool shown) {
  PCTools->setFixedHeight(shown ? std::max(settings_.ToolsDefHeight, 1) : 0);
  for (const OpenPage& open : pages_) open.page->Editor().UpdateToolsButtons(shown);
}

void TFProgramModule::AddDocumentCommands() {
  // The document windows save and play themselves: their file asks the
  // questions and keeps the backups, their playback opens the one output.
  nv::document::AddScoreKeyCommands(registry_, [this]() -> nv::document::ScoreDocument* {
    DocumentPage* page = ActiveEditor();
    return page ? &page->Document() : nullptr;
  });
  nv::editor::AddEditorCommands(registry_, [this] { return ActiveWindow(); });
  // The modify page's edits, on the active document's score.
  nv::document::AddModifyCommands(
      registry_,
      [this, edits = std::make_shared<std::optional<nv::document::DocumentLayoutEdits>>()]()
          -> nv::document::LayoutEdits* {
        DocumentPage* page = ActiveEditor();
        if (page == nullptr) return nullptr;
        return &edits->emplace(page->Document());
      },
      settings_);
  // The design page's looks, alignment, pages and order, on the active document's score.
  nv::document::AddDesignCommands(
      registry_,
      [this, edits = std::make_shared<std::optional<nv::document::DocumentPageObjectEdits>>()]()
          -> nv::document::PageObjectEdits* {
        DocumentPage* page = ActiveEditor();
        if (page == nullptr) return nullptr;
        return &edits->emplace(page->Document());
      },
      settings_);
  // The tool page commands act on the tool state, which comes with the pages.
  nv::document::AddToolPageCommands(registry_, [this]() -> nv::document::ToolState* {
    return toolWiring_ ? &toolWiring_->State() : nullptr;
  });
  auto run = [](std::function<void()> action) {
    return [action = std::move(action)](const nv::document::CommandArgs&) { action(); };
  };
  // Every command's enabled state comes from the one table over State().
  nv::document::AddMainCommands(registry_,
                                {{"file.new", run([this] { NewComposition(); })},
                                 {"file.open", run([this] { OpenFiles(); })},
                                 {"file.close", run([this] { CloseDocument(*ActiveEditor()); })},
                                 {"file.close_all", run([this] { CloseAllDocuments(); })},
                                 {"file.save", run([this] { ActiveEditor()->Save(); })},
                                 {"file.save_as", run([this] { ActiveEditor()->SaveAs(); })},
                                 {"file.print", run([this] { PrintActiveDocument(); })},
                                 {"file.preview", run([this] { PreviewActiveDocument(); })},
                                 {"score.play", run([this] { transport_.Play(); })},
                                 {"score.record", run([this] { transport_.Record(); })},
                                 {"score.stop", run([this] { transport_.Stop(); })},
                                 {"view.zoom_in", run([this] { Zoom(true); })},
                                 {"view.zoom_out", run([this] { Zoom(false); })},
                                 {"view.actual_size", run([this] { SetZoom(nv::document::kActualSize); })},
                                 {"score.repeats", run([this] { ToggleRepeats(); })},
                                 {"file.print_settings", run([this] { ChoosePrinter(); })},
                                 {"help.news",
                                  run([this] {
                                    // The window says nothing when the news do not load.
                                    if (services_.news) services_.news(this);
                                  })},
                                 {"select.row_symbols", run([this] { ActiveScore().SelectActiveRow(); })},
                                 {"select.staff_symbols", run([this] { ActiveScore().SelectAllChords(); })},
                                 {"select.design_units", run([this] { ActiveScore().SelectAllTexts(); })},
                                 {"score.go_to_begin", run([this] { ActiveScore().GoToBegin(); })},
                                 {"score.go_to_end", run([this] { ActiveScore().GoToEnd(); })},
                                 {"bar.add", run([this] { ChangeBars(true); })},
                                 {"bar.delete", run([this] { ChangeBars(false); })},
                                 {"score.properties", run([this] { EditCompositionProperties(); })},
                                 {"tools.settings", run([this] { EditProgramSettings(); })},
                                 {"tools.lock", run([this] { SetLocked(!locked_); })},
                                 // The command has nothing to do.
                                 {"help.mail_to", run([] {})},
                                 {"window.0", run([this] { ActivateWindow(0); })},
                                 {"window.1", run([this] { ActivateWindow(1); })},
                                 {"window.2", run([this] { ActivateWindow(2); })},
                                 {"window.3", run([this] { ActivateWindow(3); })},
                                 {"window.4", run([this] { ActivateWindow(4); })},
                                 {"window.5", run([this] { ActivateWindow(5); })},
                                 {"window.6", run([this] { ActivateWindow(6); })},
                                 {"window.7", run([this] { ActivateWindow(7); })},
                                 {"window.8", run([this] { ActivateWindow(8); })},
                                 {"window.9", run([this] { ActivateWindow(9); })}},
                                [this] { return State(); });
  // Export is no main command of the table's own list, but its state is.
  nv::document::Command exportPicture;
  exportPicture.Id = "file.export";
  exportPicture.Caption = "Export";
  exportPicture.Run = run([this] { ActiveWindow()->ExportPicture(); });
  registry_.Add(std::move(exportPicture));
  // The edit commands of the key table and the document window's staff,
  // row and page commands follow the table too.
  nv::document::TakeStatesFromTable(registry_, [this] { return State(); });
}

TECMusicScore& TFProgramModule::ActiveScore() const { return ActiveEditor()->Document().Score(); }

nv::document::CommandState TFProgramModule::State() const {
  nv::document::CommandState state;
  const nv::editor::TFMusicEditor* window = ActiveWindow();
  state.Playing = transport_.Playing();
  state.Recording = transport_.Recording();
  state.Printing = printJob_.Printing();
  state.Locked = locked_;
  state.Repeats = settings_.Reverce;
  if (window == nullptr) return state;
  state.HasDocument = true;
  state.Modified = window->Modified();
  const TECMusicScore& score = ActiveScore();
  state.CanCopy = score.CanCopy();
  state.CanPaste = score.CanPaste();
  state.CanUndo = score.CanUndo();
  state.CanRedo = score.CanRedo();
  state.CanArrange = score.CanArrange();
  state.SelectionIsChord = score.SelectionIsChord();
  state.SelectionHasPageObject = score.SelectionHasPageObject();
  const nv::editor::TrackActionStates tracks = window->TrackStates();
  state.CanAddInstrument = tracks.AddInstrument;
  state.CanDeleteInstrument = tracks.DeleteInstrument;
  state.CanAddRow = tracks.AddRow;
  state.CanDuplicateRow = tracks.DuplicateRow;
  state.CanDeleteRow = tracks.DeleteRow;
  // The window changes the page count either way; below one page there is
  // nothing to take away.
  state.CanIncPageCount = true;
  state.CanDecPageCount = score.PageCount() > 1;
  return state;
}

void TFProgramModule::AddPage() {
  OpenPage& open = pages_.back();
  open.key = nextPageKey_++;
  const nv::document::UptimeClock& clock = services_.uptime ? *services_.uptime : nv::document::UptimeClock::System();
  open.lastSavedMs = clock.NowMs();
  nv::document::ScoreDocument& document = open.page->Document();
  // The window connected its playback to MOScore when it was made; the
  // main window hands the MIDI input to the active one. The score asks the
  // term library for its terms' values.
  document.Score().OnGetTerms = [this](TECModelObject*, int kind, const std::string& text, int& first, int& second) {
    return GetTerms(kind, text, first, second);
  };
  open.signals = std::make_unique<nv::widgets::DocumentSignals>(document);
  // What the commands' predicates read changes with these.
  for (auto signal : {&nv::widgets::DocumentSignals::Changed, &nv::widgets::DocumentSignals::SelectedChanged,
                      &nv::widgets::DocumentSignals::UndoChanged, &nv::widgets::DocumentSignals::RedoChanged,
                      &nv::widgets::DocumentSignals::ModifiedChanged, &nv::widgets::DocumentSignals::FileChanged})
    connect(open.signals.get(), signal, this, [this] { UpdateActions(); });
  connect(open.signals.get(), &nv::widgets::DocumentSignals::PlayEnded, this, [this] { transport_.PlaybackEnded(); });
  const std::uint64_t key = open.key;
  connect(open.signals.get(), &nv::widgets::DocumentSignals::Changed, this, [this, key] {
    for (OpenPage& page : pages_)
      if (page.key == key) ++page.revision;
  });
  // A load or a save, by hand or not, starts the autosave interval again.
  auto saved = [this, key, clock = &clock] {
    for (OpenPage& page : pages_)
      if (page.key == key && !page.page->Editor().Modified()) page.lastSavedMs = clock->NowMs();
  };
  connect(open.signals.get(), &nv::widgets::DocumentSignals::ModifiedChanged, this, saved);
  connect(open.signals.get(), &nv::widgets::DocumentSignals::FileChanged, this, saved);
  QWidget& widget = open.page->Widget();
  nv::widgets::TECTabSheet* sheet = PCFiles->DockForm(&widget);
  widget.show();
  sheet->SetTabBrush(TabColour(kTabColours[QRandomGenerator::global()->bounded(int(kTabColours.size()))]));
  PCFiles->SetActivePage(sheet);
  widget.setFocus();
}

std::vector<nv::document::AutosaveCandidate> TFProgramModule::Candidates() const {
  std::vector<nv::document::AutosaveCandidate> candidates;
  for (const OpenPage& open : pages_) {
    const nv::editor::TFMusicEditor& editor = open.page->Editor();
    candidates.push_back({.Key = open.key,
                          .Modified = editor.Modified(),
                          .HasFile = editor.HasFile(),
                          .AwaitsOverwriteAnswer = editor.File().SaveAsksToReplace(),
                          .LastSavedMs = open.lastSavedMs,
                          .Revision = open.revision});
  }
  return candidates;
}

bool TFProgramModule::Save(std::uint64_t key) {
  for (const OpenPage& open : pages_)
    if (open.key == key) return open.page->Save();
  return false;
}

void TFProgramModule::ForgetPage(DocumentPage& page) {
  const auto at = std::ranges::find_if(pages_, [&](const OpenPage& open) { return open.page.get() == &page; });
  if (at == pages_.end()) return;
  // The document window stopped its own playback on the way out; when it
  // was the one playing, the transport stops too and lets the output go.
  const bool othersPlay = std::ranges::any_of(
      pages_, [&](const OpenPage& open) { return open.page.get() != &page && open.page->Document().Playing(); });
  if (transport_.Playing() && !othersPlay) transport_.Stop();
  // Out of the list before it goes, as its tab's going makes the window look
  // at the list.
  OpenPage closing = std::move(*at);
  pages_.erase(at);
  closing.page->Stop();
  closing.signals.reset();
}

bool TFProgramModule::CloseDocument(DocumentPage& page) {
  if (!page.QuerySave()) {
    UpdateActions();
    return false;
  }
  const std::string path = page.Document().Path();
  if (!path.empty() && recent_.Add(path, nv::document::Today())) RebuildReopenMenus();
  ForgetPage(page);
  UpdateActions();
  return true;
}

void TFProgramModule::CloseAllDocuments() {
  // The tabs by index as the close-all walk sees them.
  class Host : public nv::document::CloseAllHost {
   public:
    explicit Host(TFProgramModule& window) : window_(window) {}
    int Count() const override { return int(window_.pages_.size()); }
    bool Modified(int index) const override { return Page(index).Editor().Modified(); }
    void Save(int index) override { Page(index).Save(); }
    void AddToRecent(int index) override {
      const std::string path = Page(index).Document().Path();
      if (!path.empty() && window_.recent_.Add(path, nv::document::Today())) window_.RebuildReopenMenus();
    }
    void Close(int index) override { window_.ForgetPage(Page(index)); }
    void Activate(int index) override {
      window_.PCFiles->SetActivePage(window_.PCFiles->SheetOf(&Page(index).Widget()));
    }
    void StopPlayback() override { window_.StopAll(); }
    void SetClosing(bool) override {}
    void UpdateActions() override { window_.UpdateActions(); }

   private:
    MusicEditorPage& Page(int index) const { return *window_.pages_[std::size_t(index)].page; }
    TFProgramModule& window_;
  };
  Host host(*this);
  nv::document::CloseAll(host, nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts());
}

void TFProgramModule::ReopenItemClick(std::size_t index) {
  if (index >= recent_.Items().size()) return;
  StopAll();
  const std::string path = recent_.Items()[index].path;
  recent_.RemoveAt(index);
  RebuildReopenMenus();
  if (nv::document::FileExists(path)) {
    OpenDocument(path, true);
  } else {
    nv::widgets::ShowMessageBlock(Text(kOpenFileText), TextWith(kMissingFileText, path),
                                  nv::platform::message_kind::kWarning, nb::kOk);
  }
  UpdateActions();
}

void TFProgramModule::ShowHistory(bool redo, const QToolButton& button) {
  nv::editor::TFMusicEditor* editor = ActiveWindow();
  if (editor == nullptr) return;
  QStringList captions;
  for (const std::string& caption : redo ? editor->GetRedoList() : editor->GetUndoList())
    captions.push_back(QString::fromStdString(caption));
  auto* list = new nv::widgets::TECPopupMenu(this);
  list->SetItems(captions);
  list->onGetMessage = [redo](int steps) {
    const auto& texts = nv::widgets::LanguageTexts();
    return QString::fromStdString(nv::widgets::HistoryFooterText(
        texts.GetString(nk::kMainWindow, redo ? kRedoVerbText : kUndoVerbText), steps,
        texts.GetString(nk::kMainWindow, kHistoryNounText)));
  };
  list->onClick = [this, redo](int index) {
    DocumentPage* page = ActiveEditor();
    if (page == nullptr) return;
    // A take in progress ends first, so that it is undone as its one step.
    page->Document().StopRecording();
    if (redo)
      page->Document().Score().Redo(index + 1);
    else
      page->Document().Score().Undo(index + 1);
    UpdateActions();
  };
  list->PopupUnder(button);
}

void TFProgramModule::RebuildReopenMenus() {
  for (QMenu* menu : {MIReopen, PMReopen}) {
    menu->clear();
    for (std::size_t i = 0; i < recent_.Items().size(); ++i) {
      const nv::document::RecentFile& item = recent_.Items()[i];
      // An "&" in a path is no mnemonic: doubled, it shows as it is.
      QAction* action = menu->addAction(
          QString::fromStdString(nv::document::RecentFiles::Caption(item)).replace('&', QStringLiteral("&&")));
      action->setData(QString::fromStdString(item.path));
      connect(action, &QAction::triggered, this, [this, i] { ReopenItemClick(i); });
    }
    menu->setEnabled(!recent_.Items().empty());
  }
}

bool TFProgramModule::QueryClose() {
  std::vector<MusicEditorPage*> documents;
  for (const OpenPage& open : pages_) documents.push_back(open.page.get());
  // A new document counts as modified until it is first saved.
  const auto modified = [](const MusicEditorPage* page) { return page->Editor().Modified(); };
  if (std::ranges::none_of(documents, modified)) return true;
  const int answer =
      nv::widgets::ShowMessageBlock(Text(kCloseAllText), Text(kSaveQuestionText), nv::platform::message_kind::kQuestion,
                                    nb::kYes | nb::kNo | nb::kCancel);
  if (answer == nr::kCancel) return false;
  if (answer != nr::kYes) return true;
  MusicEditorPage* unsaved = nullptr;
  for (MusicEditorPage* page : documents) {
    if (modified(page) && !page->Save() && unsaved == nullptr) unsaved = page;
  }
  if (unsaved == nullptr) return true;
  // A save that was cancelled or failed keeps the program and shows the work.
  PCFiles->SetActivePage(PCFiles->SheetOf(&unsaved->Widget()));
  UpdateActions();
  return false;
}

void TFProgramModule::StopAll() {
  transport_.Stop();
  for (DocumentPage* page : Documents()) {
    page->Stop();
    if (page->Document().Recording()) page->Document().StopRecording();
  }
}

void TFProgramModule::PreviewActiveDocument() {
  DocumentPage* page = ActiveEditor();
  if (page == nullptr) return;
  // A modal window stops what plays first.
  StopAll();
  // Print prints the read-only copy the preview shows, under the document's caption.
  nv::dialogs::TFDCPreview preview(page->Document(), services_.settings ? &services_.settings->Ini() : nullptr,
                                   Actions().Action("file.print").isEnabled(),
                                   [this](nv::document::ScoreDocument& copy) { PrintDocument(copy); }, this);
  preview.exec();
}

void TFProgramModule::PrintActiveDocument() {
  if (DocumentPage* page = ActiveEditor()) PrintDocument(page->Document());
}

void TFProgramModule::PrintDocument(const nv::document::ScoreDocument& document) {
  if (ActiveEditor() == nullptr) return;
  // The print dialog is modal: what plays stops first.
  StopAll();
  // The job asks for the pages and makes its copy before it returns, or raises.
  printSource_ = &document;
  const struct Forget {
    const nv::document::ScoreDocument*& source;
    ~Forget() { source = nullptr; }
  } forget{printSource_};
  printJob_.PrintActiveScore();
}

int TFProgramModule::PageCount() const { return printSource_->Score().PageCount(); }

std::optional<nv::document::PrintChoices> TFProgramModule::Ask(const nv::document::PrintChoices& offer) {
  return services_.dialogs->Print(offer);
}

void TFProgramModule::MakeCopy() {
  printTitle_ = ActiveEditor()->Widget().windowTitle();
  printCopy_ = MakePrintCopy(printSource_->Score());
}

void TFProgramModule::PrintCopy(const nv::document::PrintChoices& choices) {
  WaitCursor wait;
  const std::unique_ptr<nv::platform::PagedTarget> target =
      services_.printTarget ? services_.printTarget(printTitle_)
                            : SystemPrinter(printTitle_, QString::fromStdString(printer_));
  nv::app::PrintCopy(*printCopy_, *target, choices);
}

void TFProgramModule::FreeCopy() { printCopy_.reset(); }

void TFProgramModule::Queue(std::function<void()> job) { QTimer::singleShot(0, this, std::move(job)); }

void TFProgramModule::SetWaitCursor(bool wait) {
  if (wait)
    printWait_.emplace();
  else
    printWait_.reset();
}

void TFProgramModule::RepaintStatus() { ShowStates(); }

}  // namespace nv::app
