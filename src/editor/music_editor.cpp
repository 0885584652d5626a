#include "editor/music_editor.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>

#include "dialogs/property_dialogs.h"
#include "document/file_kind.h"
#include "document/play_error_text.h"
#include "document/recorder.h"
#include "document/tool_state.h"
#include "document/undo_captions.h"
#include "editor/dynamics_values.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_commands.h"
#include "editor/element_cursors.h"
#include "editor/export_setting_opener.h"
#include "editor/music_sequence.h"
#include "editor/music_velocity.h"
#include "editor/page_export.h"
#include "editor/preview_route.h"
#include "editor/save_file_dialog.h"
#include "editor/score_popup_menu.h"
#include "editor/stand_in_forms.h"
#include "editor/template_saving.h"
#include "editor/tracks_grid.h"
#include "library/selection_templates.h"
#include "model/instrument.h"
#include "model/page_objects.h"
#include "model/paper_sizes.h"
#include "platform/format_text.h"
#include "platform/ini_file.h"
#include "playback/midi_output.h"
#include "playback/play_clock.h"
#include "widgets/event_hook.h"
#include "widgets/logic/click_repeater.h"
#include "widgets/score_control.h"

namespace nv::editor {

namespace fs = std::filesystem;
namespace button = platform::message_button;
namespace result = platform::message_result;

namespace {

// The property dialogs over the window: their bounds in the form settings,
// Test in the timbre chooser through the note preview.
dialogs::PropertyDialogServices PropertyServices(QWidget* parent, platform::IniFile* settings,
                                                 document::NotePreview* preview) {
  dialogs::PropertyDialogServices services;
  services.Settings = settings;
  services.Parent = parent;
  services.TestSound = [preview](int program, int key) {
    if (preview != nullptr) preview->SoundNote(0, program, key, document::NotePreview::kSingle);
  };
  return services;
}

// Texts of the document window.
constexpr int kEmptyMeasureCaption = 15;
constexpr int kDeleteStaffQuestion = 19;
constexpr int kDeleteRowQuestion = 21;
constexpr int kSaveAsCaption = 27;
constexpr int kEmptyMeasureQuestion = 31;
constexpr int kReplaceQuestion = 33;
constexpr int kExportFilter = 34;
constexpr int kDeleteCaption = 35;

constexpr char kTextFont[] = "Arial";
constexpr int kTitleSize = 20;
constexpr int kSubtitleSize = 10;
constexpr int kSplitterWidth = 4;

int QtTextWidth(const std::vector<std::string>& lines, int size) {
  QFont font(kTextFont);
  font.setPointSize(size);
  const QFontMetrics metrics(font);
  int widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
  return widest;
}

QToolButton* PanelButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->setAutoRaise(true);
  button->setToolTip(tip);
  return button;
}

// The value buttons whole .. 1/64 of the notes page.
constexpr std::array<std::string_view, 7> kNoteButtons = {"CBNote",   "CBNote2",  "CBNote4", "CBNote8",
                                                          "CBNote16", "CBNote32", "CBNote64"};
constexpr std::array<std::string_view, 7> kRestButtons = {"CBPause",   "CBPause2",  "CBPause4", "CBPause8",
                                                          "CBPause16", "CBPause32", "CBPause64"};

int DownValue(const document::ToolState& tools, const std::array<std::string_view, 7>& buttons) {
  const auto down = std::ranges::find_if(buttons, [&](std::string_view name) { return tools.IsDown(name); });
  return down == buttons.end() ? -1 : static_cast<int>(down - buttons.begin());
}

ToolPagesState PagesStateOf(const document::ToolState* tools) {
  ToolPagesState state;
  if (tools == nullptr) return state;
  if (tools->ActivePage() == document::ToolPage::Notes) state.page = ToolPagesState::Page::Notes;
  if (tools->ActivePage() == document::ToolPage::Symbols) state.page = ToolPagesState::Page::Symbols;
  state.pointNotesDown = tools->IsDown("CBPointNotes");
  state.pointSymbolsDown = tools->IsDown("CBPointSymbols");
  state.noteValue = DownValue(*tools, kNoteButtons);
  state.restValue = DownValue(*tools, kRestButtons);
  return state;
}

}  // namespace

TrackGridRow TFMusicEditor::GridTracks::SelectedRow() const {
  const SelectedTrack selected = editor_.PVTracks->Selection().Selected();
  if (selected.Row != nullptr && selected.Staff != nullptr)
    return {TrackGridRow::kRow, selected.Staff->IndexOfRow(selected.Row)};
  if (selected.Staff != nullptr)
    return {TrackGridRow::kStaff, editor_.document_->Score().IndexOfInstrument(selected.Staff)};
  return {};
}

void TFMusicEditor::ToolClickHost::FocusScore() { editor_.MSScore->setFocus(); }

void TFMusicEditor::ToolClickHost::ShowErrorMessage() {
  platform::ShowErrorMessage(editor_.services_.Prompt, editor_.services_.Texts);
}

TFMusicEditor::TFMusicEditor(const MusicEditorServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      document_(std::make_unique<document::ScoreDocument>()),
      backups_(services.Settings) {
  setObjectName("FMusicEditor");
  if (services_.SaveDialog == nullptr) {
    ownDialog_ = std::make_unique<FileSaveDialog>(this);
    services_.SaveDialog = ownDialog_.get();
  }
  if (services_.ExportDialog == nullptr) {
    ownExport_ = std::make_unique<ExportSettingOpener>(this, services_.FormSettings);
    services_.ExportDialog = ownExport_.get();
  }
  if (services_.NewStaff == nullptr) {
    ownNewStaff_ = std::make_unique<NewStaffFormDialog>(this, services_.FormSettings);
    services_.NewStaff = ownNewStaff_.get();
  }
  if (services_.Tracks == nullptr) services_.Tracks = &gridTracks_;
  if (!services_.MeasureText) services_.MeasureText = QtTextWidth;
  file_ =
      std::make_unique<document::DocumentFile>(*document_, services_.Prompt, services_.Texts, *services_.SaveDialog);
  document_->SetBackupKeeper(&backups_);
  document_->ConnectPlayback(services_.Output, services_.Ui, services_.MakeClock ? services_.MakeClock() : nullptr,
                             services_.Played);
  std::unique_ptr<IPlayClock> recordClock = services_.MakeRecordClock ? services_.MakeRecordClock() : nullptr;
  if (recordClock == nullptr) recordClock = std::make_unique<SteadyPlayClock>();
  // The clicks go out only while the output is open: the GUI thread opened it before the take began.
  document_->ConnectRecording(
      std::move(recordClock),
      [&output = services_.Output](std::uint8_t status, std::uint8_t key, std::uint8_t velocity) {
        if (output.IsOpen()) output.SendShort(status, key, velocity);
      },
      services_.Ui);

  EditorFormSettings form;
  if (services_.FormSettings != nullptr) form = ReadEditorFormSettings(*services_.FormSettings);
  tracksShown_ = form.LeftPanel != 0;
  leftWidth_ = tracksShown_ ? form.LeftPanel : form.LeftWidth;
  sequenceHeight_ = form.SequenceHeight;
  velocityHeight_ = form.VelocityHeight;

  TECMusicScore& score = document_->Score();
  NewPage();
  {
    // A new score starts in the meter of new compositions; no step to undo.
    const ScopedUndoLock quiet(score);
    score.SetTimeSignature(services_.Settings.ScoreSize >> 8, services_.Settings.ScoreSize & 0xFF,
                           static_cast<std::uint8_t>(services_.Settings.ScoreSizeStyle), true);
  }
  EnsureStaff();
  SetCursorLook(false);
  score.OnTestEmptyMeasure = [this](TECModelObject*, bool& aContinue) {
    aContinue = services_.Prompt.ShowMessageBlock(Text(kEmptyMeasureCaption), Text(kEmptyMeasureQuestion),
                                                  platform::message_kind::kQuestion,
                                                  button::kOk | button::kCancel) == result::kOk;
  };

  // The velocities the marks give come from the settings.
  score.OnGetDinamics = [this](TECModelObject*, int kind) { return DynamicsValue(kind, services_.Settings); };

  BuildPanels();
  TScore.setObjectName("TScore");
  TScore.setInterval(kScoreTimerMs);
  TRecord.setObjectName("TRecord");
  TRecord.setInterval(kRecordTimerMs);
  connect(&TScore, &QTimer::timeout, this, [this] { FollowPlayback(); });

  document::DocumentNotices& notices = document_->Notices();
  subscriptions_.push_back(notices.Changed.Subscribe([this] { ScoreChanged(); }));
  subscriptions_.push_back(notices.ModifiedChanged.Subscribe([this] { Refresh(); }));
  subscriptions_.push_back(notices.FileChanged.Subscribe([this] { Refresh(); }));
  subscriptions_.push_back(notices.UndoChanged.Subscribe([this] { services_.Commands.StatesChanged(); }));
  subscriptions_.push_back(notices.RedoChanged.Subscribe([this] { services_.Commands.StatesChanged(); }));
  subscriptions_.push_back(notices.SelectedChanged.Subscribe([this] { services_.Commands.StatesChanged(); }));
  subscriptions_.push_back(notices.PlayError.Subscribe([this](const std::vector<const TECMeasure*>& measures) {
    services_.Prompt.ShowMessageBlock(Text(document::kPlayErrorCaption),
                                      document::PlayErrorText(measures, services_.Texts),
                                      platform::message_kind::kWarning, button::kOk);
  }));
  // The end of playback comes to the GUI thread in the order it was raised.
  subscriptions_.push_back(notices.PlayEnded.Subscribe([this] { PlayEnded(); }));
  if (services_.Dialogs == nullptr) {
    ownDialogs_ = std::make_unique<EditorDialogs>(PropertyServices(this, services_.FormSettings, services_.Preview));
    services_.Dialogs = ownDialogs_.get();
  }
  elementActions_ = std::make_unique<document::ElementActions>(score, *services_.Dialogs, services_.Tools,
                                                               [this] { MSScore->setFocus(); });
  subscriptions_.push_back(
      notices.MouseDown.Subscribe([this](TECMouseButton button, TECShiftState shift, int x, int y) {
        // A double click opens its editor as the menu does: one place reports what the dialog raises.
        if (const auto editor = elementActions_->MouseDown(button, shift, x, y))
          services_.Commands.Run(ElementEditorCommand(*editor));
      }));
  subscriptions_.push_back(notices.PageClick.Subscribe([this](int x, int y) { elementActions_->PageClick(x, y); }));
  if (services_.Tools != nullptr) {
    toolInput_ = std::make_unique<document::DocumentToolInput>(*document_, *services_.Tools, *services_.Dialogs,
                                                               clickHost_);
    subscriptions_.push_back(notices.SetCursor.Subscribe([this](TECElement* element) {
      if (const std::optional<std::string_view> name = CursorNameOf(element))
        services_.Tools->SetToolCursor(std::string(*name));
    }));
  }

  shownCaption_ = Caption();
  shownModified_ = Modified();
  UpdateTracks();
}

TFMusicEditor::~TFMusicEditor() {
  TScore.stop();
  document_->Stop();
  if (services_.FormSettings != nullptr) WriteEditorFormSettings(FormSettings(), *services_.FormSettings);
  subscriptions_.clear();
  toolInput_.reset();
  elementActions_.reset();
  // The views go before the document they show.
  delete sequence_;
  delete velocity_;
  delete PVTracks;
  PVTracks = nullptr;
  delete MSScore;
  MSScore = nullptr;
}

std::string TFMusicEditor::Text(int n) const {
  return services_.Texts.GetString(platform::form_key::kDocumentWindow, n);
}

void TFMusicEditor::BuildPanels() {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  SLeft = new QSplitter(Qt::Horizontal, this);
  SLeft->setObjectName("SLeft");
  SLeft->setChildrenCollapsible(false);
  layout->addWidget(SLeft);

  PVTracks = new TECTracksGrid(*document_, SLeft, services_.FormSettings);
  PVTracks->setObjectName("PVTracks");
  PVTracks->setMinimumWidth(1);
  PVTracks->onSelectTrack = [this](const SelectedTrack&) { UpdateTracks(); };
  PVTracks->soundTimbre = [preview = services_.Preview](int program, int key) {
    if (preview != nullptr) preview->SoundNote(1, program, key, document::NotePreview::kSingle);
  };
  PVTracks->SetMenuCommands(&services_.Commands);
  PClient = new QFrame(SLeft);
  PClient->setObjectName("PClient");
  SLeft->addWidget(PVTracks);
  SLeft->addWidget(PClient);
  SLeft->setStretchFactor(1, 1);
  connect(SLeft, &QSplitter::splitterMoved, this, [this] {
    if (tracksShown_) leftWidth_ = SLeft->sizes().front();
  });
  new widgets::EventHook(*this, *PVTracks, QEvent::Resize, [this](QEvent&) {
    PlaceTracksButtons();
    return false;
  });

  auto* client = new QVBoxLayout(PClient);
  client->setContentsMargins(0, 0, 0, 0);
  client->setSpacing(0);
  SCenter = new QSplitter(Qt::Vertical, PClient);
  SCenter->setObjectName("SCenter");
  // A bar the user can take hold of between the score and the pane below it.
  SCenter->setHandleWidth(kSplitterWidth);
  MSScore = new widgets::ScoreControl(*document_, SCenter);
  MSScore->setObjectName("MSScore");
  MSScore->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(MSScore, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& point) { OpenScoreMenu(MSScore->mapToGlobal(point)); });
  PMScore = new TECScoreMenu(services_.Commands, this);
  PMScore->setObjectName("PMScore");
  SCenter->addWidget(MSScore);
  client->addWidget(SCenter, 1);

  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(0, 0, 0, 0);
  PLeftHide = new QFrame(PClient);
  PLeftHide->setObjectName("PLeftHide");
  auto* left = new QHBoxLayout(PLeftHide);
  left->setContentsMargins(0, 0, 0, 0);
  SBHideInstruments = PanelButton(PLeftHide, "SBHideInstruments", Qt::LeftArrow, "Hide the tracks");
  SBShowInstruments = PanelButton(PLeftHide, "SBShowInstruments", Qt::RightArrow, "Show the tracks");
  left->addWidget(SBHideInstruments);
  left->addWidget(SBShowInstruments);
  PBottomHide = new QFrame(PClient);
  PBottomHide->setObjectName("PBottomHide");
  auto* bottom = new QHBoxLayout(PBottomHide);
  bottom->setContentsMargins(0, 0, 0, 0);
  SBHideTools = PanelButton(PBottomHide, "SBHideTools", Qt::UpArrow, "Hide the tools");
  SBShowTools = PanelButton(PBottomHide, "SBShowTools", Qt::DownArrow, "Show the tools");
  bottom->addWidget(SBHideTools);
  bottom->addWidget(SBShowTools);
  strip->addWidget(PLeftHide);
  strip->addStretch(1);
  strip->addWidget(PBottomHide);
  client->addLayout(strip);

  connect(SBHideInstruments, &QToolButton::clicked, this, [this] { HideTracks(); });
  connect(SBShowInstruments, &QToolButton::clicked, this, [this] { ShowTracks(); });
  connect(SBHideTools, &QToolButton::clicked, this, [this] {
    UpdateToolsButtons(false);
    Q_EMIT ToolsRequested(false);
  });
  connect(SBShowTools, &QToolButton::clicked, this, [this] {
    UpdateToolsButtons(true);
    Q_EMIT ToolsRequested(true);
  });
  UpdateToolsButtons(true);
  BuildPaneBars();
  PlaceTracks();
  resize(826, 404);
}

void TFMusicEditor::PlaceTracksButtons() {
  // The grid's buttons follow its width: hide while it has room, show when it has none.
  if (SBHideInstruments == nullptr) return;
  const bool room = tracksShown_ && PVTracks->width() > 0;
  SBHideInstruments->setVisible(room);
  SBShowInstruments->setVisible(!room);
}

void TFMusicEditor::PlaceTracks() {
  PVTracks->setVisible(tracksShown_);
  PlaceTracksButtons();
  if (tracksShown_) {
    const int total = std::max(SLeft->width(), leftWidth_ + 1);
    SLeft->setSizes({leftWidth_, total - leftWidth_});
  }
}

void TFMusicEditor::HideTracks() {
  if (!tracksShown_) return;
  tracksShown_ = false;
  PlaceTracks();
}

void TFMusicEditor::ShowTracks() {
  if (tracksShown_) return;
  tracksShown_ = true;
  PlaceTracks();
}

void TFMusicEditor::UpdateToolsButtons(bool toolsShown) {
  SBHideTools->setVisible(toolsShown);
  SBShowTools->setVisible(!toolsShown);
}

EditorFormSettings TFMusicEditor::FormSettings() const {
  EditorFormSettings form;
  form.LeftPanel = TracksWidth();
  form.LeftWidth = leftWidth_;
  form.SequenceHeight = sequenceHeight_;
  form.VelocityHeight = velocityHeight_;
  return form;
}

void TFMusicEditor::OpenScoreMenu(const QPoint& globalPos) {
  PMScore->Open(document_->Score(), ToolPages(), globalPos);
}

bool TFMusicEditor::CanSaveChord() const {
  return services_.Templates != nullptr && document_->Score().SelectionIsChord();
}

bool TFMusicEditor::CanSaveSymbol() const {
  return services_.Templates != nullptr && document_->Score().SelectionHasKind(61, 65);
}

void TFMusicEditor::SaveChord(bool saveAs) {
  if (CanSaveChord()) services_.Templates->SaveChord(library::ChordFromSelection(document_->Score()), saveAs);
}

void TFMusicEditor::SaveSymbol(bool saveAs) {
  if (!CanSaveSymbol()) return;
  // A text takes its widest line by its line count times the height of "A".
  const auto measure = [](const TECPageText& text) {
    QFont font(QString::fromStdString(text.FontName));
    font.setPointSize(std::max<int>(1, text.FontSize));
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const std::string& line : text.Lines)
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    return library::TextExtent{widest, static_cast<int>(text.Lines.size()) * metrics.boundingRect('A').height()};
  };
  services_.Templates->SaveSymbol(library::SymbolFromSelection(document_->Score(), measure), saveAs);
}

ToolPagesState TFMusicEditor::ToolPages() const { return PagesStateOf(services_.Tools); }

void TFMusicEditor::PressPointTool() {
  if (services_.Tools == nullptr) return;
  const ToolPagesState pages = ToolPages();
  if (pages.page == ToolPagesState::Page::Notes) services_.Tools->Press("CBPointNotes");
  else if (pages.page == ToolPagesState::Page::Symbols) services_.Tools->Press("CBPointSymbols");
}

void TFMusicEditor::PressDuration(int item) {
  if (services_.Tools == nullptr || item < 0 || item >= static_cast<int>(kNoteButtons.size())) return;
  const ValueButton button = DurationItemButton(item, ToolPages());
  services_.Tools->Press((button.rest ? kRestButtons : kNoteButtons)[static_cast<std::size_t>(button.value)]);
}

void TFMusicEditor::EditElement(document::ElementEditor editor) { elementActions_->Edit(editor); }

bool TFMusicEditor::ElementOffered(document::ElementEditor editor) const {
  return document::ElementEditorOffered(document_->Score(), editor);
}

void TFMusicEditor::DocumentSwitched() {
  if (toolInput_) toolInput_->Inserter().ForgetSlurStart();
}

// --- the file -------------------------------------------------------------------------

QString TFMusicEditor::Caption() const { return QString::fromStdString(file_->Caption()); }

void TFMusicEditor::Refresh() {
  const QString caption = Caption();
  const bool modified = Modified();
  if (caption == shownCaption_ && modified == shownModified_) return;
  shownCaption_ = caption;
  shownModified_ = modified;
  services_.Commands.StatesChanged();
  Q_EMIT StateChanged();
}

void TFMusicEditor::NewPage() {
  // A score starts on A4 portrait with the page setup's margins; only a
  // score file brings a page of its own.
  TECScorePage& page = document_->Score().Page();
  page.SetOrientation(TPrinterOrientation::poPortrait);
  page.SetPaperSize(TECPaperSize::A4);
}

void TFMusicEditor::EnsureStaff() {
  TECMusicScore& score = document_->Score();
  // Plain list edits: a score without staves is shown with one, which is no change of the user's.
  if (score.InstrumentCount() == 0) score.AppendInstrument()->AppendRow();
  score.LayoutScore(0, false);
}

QString TFMusicEditor::OpenDocument(const QString& path) {
  // The document's file again loads nothing.
  bool loaded = false;
  const document::Subscription heard = document_->Notices().FileChanged.Subscribe([&loaded] { loaded = true; });
  try {
    file_->Open(path.toStdString());
  } catch (const std::exception& error) {
    UpdateTracks();
    return path + ": " + QString::fromStdString(error.what());
  }
  if (loaded) Loaded(path);
  return {};
}

QString TFMusicEditor::ReloadDocument() {
  const QString path = QString::fromStdString(file_->Source());
  try {
    file_->Reload();
  } catch (const std::exception& error) {
    return path + ": " + QString::fromStdString(error.what());
  }
  Loaded(path);
  return {};
}

void TFMusicEditor::Loaded(const QString& path) {
  TECMusicScore& score = document_->Score();
  // A MIDI file has no page: its score starts on the page a new one does.
  if (document::KindOfFileName(path.toStdString()) == document::FileKind::Midi) NewPage();
  EnsureStaff();
  TScore.setInterval(std::max(1, score.GetTempo()));
  UpdateTracks();
  Refresh();
  if (score.MidiImportDamaged)
    services_.Prompt.ShowMessageBlock(Caption().toStdString(),
                                      path.toStdString() + ": the file is damaged; what could be read is shown",
                                      platform::message_kind::kWarning, button::kOk);
}

bool TFMusicEditor::Save() {
  const bool saved = file_->Save();
  Refresh();
  return saved;
}

bool TFMusicEditor::SaveAs() {
  const bool saved = file_->SaveAs();
  Refresh();
  return saved;
}

bool TFMusicEditor::QuerySave() {
  const bool close = file_->QuerySave();
  Refresh();
  if (close) StopPlayback();
  return close;
}

bool TFMusicEditor::Ask(int caption, int text) {
  return services_.Prompt.ShowMessageBlock(Text(caption), Text(text), platform::message_kind::kQuestion,
                                           button::kOk | button::kCancel) == result::kOk;
}

bool TFMusicEditor::ExportPicture() {
  const std::optional<document::SaveChoice> choice =
      services_.SaveDialog->Ask(Text(kExportFilter), fs::path(file_->FileName()).replace_extension().string());
  if (!choice) return false;
  const std::string name = NameForExportFilter(choice->path, choice->filterIndex);
  if (fs::exists(name) &&
      services_.Prompt.ShowMessageBlock(Text(kSaveAsCaption), platform::FormatText(Text(kReplaceQuestion), name),
                                        platform::message_kind::kQuestion, button::kYes | button::kNo) != result::kYes)
    return false;
  const std::optional<ExportOptions> options =
      services_.ExportDialog->Ask(ExportRequestFor(choice->filterIndex, document_->Score().PageCount()));
  if (!options) return false;
  try {
    ExportPages(document_->Score(), name, choice->filterIndex, *options);
  } catch (const std::exception& error) {
    platform::ShowErrorMessage(services_.Prompt, services_.Texts, error.what());
    return false;
  }
  return true;
}

// --- notices -----------------------------------------------------------------------------

void TFMusicEditor::ScoreChanged() {
  UpdateTracks();
  Refresh();
}

void TFMusicEditor::UpdateTracks() {
  tracks_ = TrackActions(document_->Score(), services_.Tracks->SelectedRow());
  services_.Commands.StatesChanged();
}

std::vector<std::string> TFMusicEditor::GetUndoList() const {
  return document::UndoCaptions(document_->Score(), services_.Texts);
}

std::vector<std::string> TFMusicEditor::GetRedoList() const {
  return document::RedoCaptions(document_->Score(), services_.Texts);
}

// --- playback --------------------------------------------------------------------------------

void TFMusicEditor::SetCursorLook(bool playing) {
  TECMusicScore& score = document_->Score();
  score.SetCursorType(playing ? TECCursorType::ctInstrument : TECCursorType::ctRow);
  score.SetCursorColor(playing ? kPlayingColor : kEditingColor);
}

bool TFMusicEditor::StartPlayback() {
  // The play thread only sends: the device opens here, before it starts.
  if (!services_.Output.IsOpen() && !services_.Output.Open()) return false;
  SetCursorLook(true);
  document_->Play();
  // A score that refused to play (its bad bars were shown) or already
  // ended is seen at the first tick.
  TScore.start();
  return true;
}

void TFMusicEditor::StopPlayback() {
  TScore.stop();
  document_->Stop();
  SetCursorLook(false);
}

bool TFMusicEditor::PreviewNote(int key, [[maybe_unused]] int length, int mode) {
  if (services_.Preview == nullptr) return false;
  const PreviewRoute route = Route(key, mode);
  return services_.Preview->SoundNote(route.Channel, route.Program, route.Key, route.Mode);
}

PreviewRoute TFMusicEditor::Route(int key, int mode) const {
  constexpr int kNormalHead = 255;
  return RoutePreview(document_->Score(), key, mode, services_.DrumKind ? services_.DrumKind() : kNormalHead);
}

bool TFMusicEditor::EchoNoteOn(int key) { return PreviewNote(key, kEchoLength, document::NotePreview::kFirst); }

void TFMusicEditor::EchoNoteOff(int key) {
  if (services_.Preview == nullptr) return;
  const PreviewRoute route = Route(key, document::NotePreview::kFirst);
  services_.Preview->EchoNoteOff(route.Channel, route.Key);
}

std::int64_t TFMusicEditor::RecordClock() { return document_->GetRecorder()->NowMs(); }

void TFMusicEditor::StartRecord(std::int64_t commandTick) {
  const document::ProgramSettings& s = services_.Settings;
  document_->GetRecorder()->StartRecord(commandTick, {.Quantize = s.Quantize,
                                                     .AccentFirst = s.AccentFirst,
                                                     .FirstVelocity = s.FirstVelocity,
                                                     .OtherVelocity = s.OtherVelocity,
                                                     .Duration = s.Duration});
}

void TFMusicEditor::MidiInEvent(std::uint8_t status, std::uint8_t key, std::int64_t time, std::uint8_t velocity) {
  document_->GetRecorder()->MidiInEvent(status, key, time, velocity);
}

void TFMusicEditor::FollowPlayback() {
  if (document_->Playing()) {
    document_->FollowPlayback();
    return;
  }
  TScore.stop();
  SetCursorLook(false);
}

void TFMusicEditor::PlayEnded() {
  TScore.stop();
  if (services_.Commands.Find("score.stop") != nullptr) services_.Commands.Run("score.stop");
  document_->Stop();
  SetCursorLook(false);
}

// --- staff and row actions ------------------------------------------------------------------

void TFMusicEditor::AddInstrument() {
  if (!tracks_.AddInstrument) return;
  const std::optional<document::NewStaffSetup> setup = services_.NewStaff->Ask();
  if (!setup) return;
  try {
    // The staff as the dialog built it: its rows, clefs, keys, program and name.
    if (document::AppendNewStaff(*setup, document_->Score()) == nullptr) return;
    AddStaffTexts({setup->Name, setup->Timbre, setup->Title, setup->Author});
  } catch (const std::exception& error) {
    platform::ShowErrorMessage(services_.Prompt, services_.Texts, error.what());
  }
  UpdateTracks();
}

void TFMusicEditor::AddStaffTexts(const NewStaffChoice& choice, TitleWidth across) {
  TECMusicScore& score = document_->Score();
  TECScorePage& page = score.Page();
  page.SetUnitOverride(TECMetrix::rmPixels);
  const int leftMargin = static_cast<int>(page.LeftMargin());
  const int rightMargin = static_cast<int>(page.RightMargin());
  int width = static_cast<int>(page.Width());
  if (across == TitleWidth::BetweenMargins) width -= leftMargin + rightMargin;
  page.ClearUnitOverride();
  const NewStaffTextPlaces places =
      PlaceNewStaffTexts(width, leftMargin, rightMargin, services_.MeasureText(choice.Title, kTitleSize),
                         services_.MeasureText(choice.Author, kSubtitleSize));
  if (!choice.Title.empty())
    score.AddPageText(places.Title.X, places.Title.Y, 0, 0, kTitleSize, kTextFont, choice.Title);
  if (!choice.Author.empty())
    score.AddPageText(places.Author.X, places.Author.Y, 0, 0, kSubtitleSize, kTextFont, choice.Author);
  if (!choice.Name.empty())
    score.AddPageText(places.Name.X, places.Name.Y, 0, 0, kSubtitleSize, kTextFont, {choice.Name});
}

void TFMusicEditor::EditStaffProperties() {
  dialogs::EditInstrumentProperties(*document_, PropertyServices(this, services_.FormSettings, services_.Preview));
  UpdateTracks();
}

void TFMusicEditor::EditRowProperties() {
  dialogs::EditRowProperties(*document_, PropertyServices(this, services_.FormSettings, services_.Preview));
  UpdateTracks();
}

void TFMusicEditor::DeleteInstrument() {
  if (!tracks_.DeleteInstrument || !Ask(kDeleteCaption, kDeleteStaffQuestion)) return;
  TECMusicScore& score = document_->Score();
  score.DeleteInstrument(score.GetActiveInstrument());
  UpdateTracks();
}

void TFMusicEditor::AddRow() {
  TECInstrument* staff = document_->Score().CurrentInstrument();
  if (staff == nullptr) return;
  staff->AddRow(true);
  staff->SetActiveRow(staff->GetRowCount() - 1);
  UpdateTracks();
}

void TFMusicEditor::DeleteRow() {
  TECInstrument* staff = document_->Score().CurrentInstrument();
  if (staff == nullptr || !tracks_.DeleteRow || !Ask(kDeleteCaption, kDeleteRowQuestion)) return;
  staff->DeleteRow(staff->GetActiveRowIndex());
  UpdateTracks();
}

void TFMusicEditor::DuplicateRow() {
  TECInstrument* staff = document_->Score().CurrentInstrument();
  if (staff == nullptr || !tracks_.DuplicateRow) return;
  staff->DuplicateRow(-1);
  UpdateTracks();
}

void TFMusicEditor::MoveTrack(int delta) {
  const TrackGridRow selected = services_.Tracks->SelectedRow();
  TECMusicScore& score = document_->Score();
  if (selected.What == TrackGridRow::kRow) {
    if (TECInstrument* staff = score.CurrentInstrument()) staff->MoveActiveRow(delta);
  } else if (selected.What == TrackGridRow::kStaff) {
    score.MoveInstrument(delta);
  }
  UpdateTracks();
}

void TFMusicEditor::SetAllMuted(bool mute) { document_->Score().SetAllMuted(mute); }

void TFMusicEditor::ChangePageCount(int delta) {
  TECMusicScore& score = document_->Score();
  score.SetPageCount(score.PageCount() + delta);
}

}  // namespace nv::editor
