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
#include <stdexcept>

#include "app/music_editor_page.h"
#include "app/open_file_dialog.h"
#include "app/print_preview_window.h"
#include "app/program_module.h"
#include "app/wait_cursor.h"
#include "document/close_all.h"
#include "document/date_time_format.h"
#include "document/file_paths.h"
#include "document/main_commands.h"
#include "document/main_dialogs.h"
#include "document/score_commands.h"
#include "document/settings_file.h"
#include "editor/editor_commands.h"
#include "model/music_score.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "platform/paged_target.h"
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

DocumentPage* TFProgramModule::OpenDocument(const std::string& path, bool askReload) {
  const std::string file = nv::document::CanonicalPath(path);
  for (DocumentPage* page : Documents()) {
    if (nv::document::CanonicalPath(page->Document().Path()) != file) continue;
    if (askReload &&
        nv::widgets::ShowMessageBlock(Text(kOpenFileText), TextWith(kReloadQuestionText, file),
                                      nv::platform::message_kind::kQuestion, nb::kYes | nb::kNo) == nr::kYes) {
      WaitCursor wait;
      if (const std::string error = page->LoadFile(file); !error.empty()) nv::widgets::ShowErrorMessage(error);
    }
    return page;
  }
  std::unique_ptr<MusicEditorPage> page = MakePage();
  {
    WaitCursor wait;
    if (const std::string error = page->LoadFile(file); !error.empty()) {
      page.reset();
      nv::widgets::ShowErrorMessage(error);
      return nullptr;
    }
  }
  DocumentPage& added = *page;
  pages_.push_back({std::move(page), nullptr});
  AddPage();
  if (recent_.Remove(file)) RebuildReopenMenus();
  UpdateActions();
  return &added;
}

DocumentPage& TFProgramModule::NewDocument() {
  pages_.push_back({MakePage(), nullptr});
  DocumentPage& added = *pages_.back().page;
  AddPage();
  UpdateActions();
  return added;
}

void TFProgramModule::OpenFiles() {
  OpenFileDialog& dialog = services_.openDialog ? *services_.openDialog : *ownOpenDialog_;
  for (const std::string& path : dialog.Ask()) OpenDocument(path, true);
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
      },      .Tools = &InsertionTools(),
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
  auto run = [](std::function<void()> action) {
    return [action = std::move(action)](const nv::document::CommandArgs&) { action(); };
  };
  // Every command's enabled state comes from the one table over State().
  nv::document::AddMainCommands(registry_,
                                {{"file.new", run([this] { NewDocument(); })},
                                 {"file.open", run([this] { OpenFiles(); })},
                                 {"file.close", run([this] { CloseDocument(*ActiveEditor()); })},
                                 {"file.close_all", run([this] { CloseAllDocuments(); })},
                                 {"file.save", run([this] { ActiveEditor()->Save(); })},
                                 {"file.save_as", run([this] { ActiveEditor()->SaveAs(); })},
                                 {"file.print", run([this] { PrintActiveDocument(); })},
                                 {"file.preview", run([this] { PreviewActiveDocument(); })},
                                 {"score.play", run([this] { transport_.Play(); })},
                                 {"score.record", run([this] { transport_.Record(); })},
                                 {"score.stop", run([this] { transport_.Stop(); })}},
                                [this] { return State(); });
  // Export is no main command of the table's own list, but its state is.
  nv::document::Command exportPicture;
  exportPicture.Id = "file.export";
  exportPicture.Caption = "Export";
  exportPicture.Run = run([this] { ActiveWindow()->ExportPicture(); });
  exportPicture.Enabled = [this] { return nv::document::UpdateActions("file.export", State())->Enabled; };
  registry_.Add(std::move(exportPicture));
}

nv::document::CommandState TFProgramModule::State() const {
  nv::document::CommandState state;
  const nv::editor::TFMusicEditor* window = ActiveWindow();
  state.HasDocument = window != nullptr;
  state.Modified = window != nullptr && window->Modified();
  state.Playing = transport_.Playing();
  state.Recording = transport_.Recording();
  state.Printing = printJob_.Printing();
  return state;
}

void TFProgramModule::AddPage() {
  OpenPage& open = pages_.back();
  open.key = nextPageKey_++;
  const nv::document::UptimeClock& clock = services_.uptime ? *services_.uptime : nv::document::UptimeClock::System();
  open.lastSavedMs = clock.NowMs();
  nv::document::ScoreDocument& document = open.page->Document();
  // The window connected its playback to MOScore when it was made; the
  // main window hands the MIDI input to the active one.
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
                          .AwaitsOverwriteAnswer = false,
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
  PrintPreviewWindow preview(page->Document().Score(), this);
  preview.exec();
}

void TFProgramModule::PrintActiveDocument() {
  if (ActiveEditor() != nullptr) printJob_.PrintActiveScore();
}

int TFProgramModule::PageCount() const { return ActiveEditor()->Document().Score().PageCount(); }

std::optional<nv::document::PrintChoices> TFProgramModule::Ask(const nv::document::PrintChoices& offer) {
  return services_.dialogs->Print(offer);
}

void TFProgramModule::MakeCopy() {
  DocumentPage& page = *ActiveEditor();
  printTitle_ = page.Widget().windowTitle();
  printCopy_ = MakePrintCopy(page.Document().Score());
}

void TFProgramModule::PrintCopy(const nv::document::PrintChoices& choices) {
  WaitCursor wait;
  const std::unique_ptr<nv::platform::PagedTarget> target = services_.printTarget(printTitle_);
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
