#include "app/program_module.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>
#include <exception>
#include <map>

#include "app/design_page.h"
#include "app/dialog_palette_opener.h"
#include "app/library_wiring.h"
#include "app/modify_page.h"
#include "app/music_editor_page.h"
#include "app/navigator_panel.h"
#include "app/open_file_dialog.h"
#include "app/program_library_ui.h"
#include "app/startup_services.h"
#include "app/tool_pages.h"
#include "app/tool_wiring.h"
#include "app/toolbar_arrangement.h"
#include "app/wait_cursor.h"
#include "dialogs/main_stand_ins.h"
#include "dialogs/term_dialogs.h"
#include "document/command_line.h"
#include "document/date_time_format.h"
#include "document/help_pages.h"
#include "document/interface_language.h"
#include "document/main_dialogs.h"
#include "document/score_commands.h"
#include "editor/editor_commands.h"
#include "editor/library_pages.h"
#include "editor/music_editor.h"
#include "document/settings_file.h"
#include "document/window_bounds.h"
#include "library/library_store.h"
#include "model/music_score.h"
#include "platform/format_text.h"
#include "platform/sound/system_midi_ports.h"
#include "playback/play_clock.h"
#include "widgets/command_actions.h"
#include "widgets/document_signals.h"
#include "widgets/form_design.h"
#include "widgets/help_opener.h"
#include "widgets/language.h"
#include "widgets/message_block.h"
#include "widgets/page_control.h"
#include "widgets/status_panels.h"

namespace nv::app {

namespace {

namespace nk = nv::platform::form_key;
namespace nb = nv::platform::message_button;

// The main window's numbered texts used here.
constexpr int kErrorCaptionText = 21;
constexpr int kLanguageFileText = 23;

// The commands of the menus, menu by menu; "" stands for the Reopen menu.
// Each title's mnemonic (Alt with its underlined letter) is a key of its own:
// Alt with a tool page's letter activates that page, and a mnemonic on the
// same key would leave both unusable.
struct MenuLayout {
  const char* name;
  const char* title;
  std::vector<std::string> commands;
};
const std::vector<MenuLayout> kMenus = {
    {"MIFile", "&File", {"file.new", "file.open", "file.save", "file.save_as", "file.export", "file.print", "file.print_settings", "file.preview", "file.close", "file.close_all", "", "program.exit"}},
    {"MIEdit", "Ed&it", {"edit.undo", "edit.redo", "edit.cut", "edit.copy", "edit.paste", "edit.delete", "-", "select.row_symbols", "select.staff_symbols", "select.design_units"}},
    {"MIView", "Vie&w", {"view.zoom_in", "view.zoom_out", "view.actual_size", "-", "view.piano_roll", "view.velocity"}},
    {"MIScore", "Sco&re", {"score.play", "score.record", "score.stop", "score.repeats", "-", "score.go_to_begin", "score.go_to_end", "-", "staff.add", "staff.delete", "staff.properties", "row.add", "row.duplicate", "row.delete", "row.properties", "bar.add", "bar.delete", "pages.increment", "pages.decrement"}},
    {"MILibrary", "&Library", {"chord.save", "chord.save_as", "chords.list", "-", "symbol.save", "symbol.save_as", "symbols.list", "-", "terms.list", "terms.dynamics", "terms.tempo"}},
    {"MITools", "T&ools", {"tools.settings", "drums.map", "drums.default_styles", "tools.lock"}},
    {"MILanguage", "L&anguage", {"language.english", "language.russian", "language.deutsch"}},
    {"MIHelp", "&Help", {"help.contents", "help.references", "help.news", "help.tutorial", "help.mail_to", "-", "help.about"}},
};
// Commands that are in the window without a place in its menus or bars:
// they are run by their shortcuts.
const std::vector<std::string> kShortcutOnly = {
    "window.0",      "window.1",      "window.2",       "window.3",          "window.4",
    "window.5",      "window.6",      "window.7",       "window.8",          "window.9",
    "tools.notes",   "tools.symbols", "tools.expanded", "tools.expressions", "tools.chords",
    "tools.design",  "tools.piano",   "tools.guitar",   "tools.modify",      "tools.navigator"};
// Commands hidden in the standard layout.
const std::vector<std::string> kHidden = {"tools.lock",          "pages.increment", "pages.decrement",
                                          "file.print_settings", "row.duplicate",   "drums.default_styles",
                                          "help.tutorial"};
// The name each command's caption has in the language files.
constexpr std::pair<const char*, const char*> kCommandNames[] = {
    {"file.new", "ANew"},
    {"file.open", "AOpen"},
    {"file.close", "AClose"},
    {"file.close_all", "ACloseAll"},
    {"file.export", "AExport"},
    {"file.print", "APrint"},
    {"file.preview", "APreview"},
    {"file.save", "ASave"},
    {"file.save_as", "ASaveAs"},
    {"edit.undo", "AUndo"},
    {"edit.redo", "ARedo"},
    {"edit.cut", "ACut"},
    {"edit.copy", "ACopy"},
    {"edit.paste", "APaste"},
    {"score.play", "APlay"},
    {"score.record", "ARecord"},
    {"score.stop", "AStop"},
    {"edit.delete", "ADelete"},
    {"select.row_symbols", "ASelectRow"},
    {"select.staff_symbols", "ASelectAccords"},
    {"select.design_units", "ASelectTexts"},
    {"view.zoom_in", "AZoomIn"},
    {"view.zoom_out", "AZoomOut"},
    {"score.go_to_begin", "AGoToBegin"},
    {"score.go_to_end", "AGoToEnd"},
    {"staff.add", "AAddInstrument"},
    {"staff.delete", "ADeleteInstrument"},
    {"row.add", "AAddRow"},
    {"row.delete", "ADeleteRow"},
    {"bar.add", "AAddMeasure"},
    {"bar.delete", "ADeleteMeasure"},
    {"pages.increment", "AIncPageCount"},
    {"pages.decrement", "ADecPageCount"},
    {"chord.save", "AAccordSave"},
    {"chord.save_as", "AAccordSaveAs"},
    {"chords.list", "AChordList"},
    {"symbol.save", "ASymbolSave"},
    {"symbol.save_as", "ASymbolSaveAs"},
    {"symbols.list", "ASymbolList"},
    {"terms.list", "ATermEditor"},
    {"terms.dynamics", "ATermDynamics"},
    {"terms.tempo", "ATermTempo"},
    {"tools.settings", "ASettings"},
    {"tools.lock", "ALock"},
    {"help.mail_to", "AMailTo"},
    {"program.exit", "AExit"},
    {"help.contents", "AContents"},
    {"language.english", "AEnglish"},
    {"language.russian", "ARussian"},
    {"language.deutsch", "ADeutsch"},
    {"view.actual_size", "AActualSize"},
    {"score.repeats", "AReverce"},
    {"file.print_settings", "APrintSettings"},
    {"drums.map", "ADrumMap"},
    {"drums.default_styles", "MIDrumStyle"},
    {"help.news", "ANews"},
    {"staff.properties", "AInstrumentProperties"},
    {"row.properties", "ARowProperties"},
    {"row.duplicate", "ADuplicateRow"},
    {"help.references", "AReferences"},
    {"help.tutorial", "ATutorial"},
    {"help.about", "AAbout"},
    {"tools.notes", "ANotesActivation"},
    {"tools.symbols", "ASymbolsActivate"},
    {"tools.expanded", "AExpandedActivation"},
    {"tools.expressions", "ATermsActivation"},
    {"tools.chords", "AAccordsActivation"},
    {"tools.design", "ADesignActivation"},
    {"tools.piano", "AKeyboardActivate"},
    {"tools.guitar", "AGuitarActivation"},
    {"tools.modify", "AModifyActivation"},
    {"tools.navigator", "ANavigatorActivation"},
};
const std::vector<std::string> kEditBar = {"file.new", "file.open", "file.save", "", "edit.undo", "edit.redo"};
const std::vector<std::string> kToolsBar = {"edit.cut", "edit.copy", "edit.paste", "score.play", "score.record", "score.stop"};
const std::vector<std::string> kProgramBar = {"help.contents"};

// The designed place of the window, which settings that cannot be used keep.
constexpr nv::document::WindowBounds kDesignedBounds{0, 0, 800, 600};
constexpr int kMinimumWidth = 400;
constexpr int kMinimumHeight = 300;
// The exit button needs a screen wider than this.
constexpr int kExitButtonScreenWidth = 800;

constexpr int kZoomBoxWidth = 40;
constexpr int kMainTimerMs = 220;

std::vector<std::string> ActionIds() {
  std::vector<std::string> ids;
  auto add = [&](const std::vector<std::string>& list) {
    for (const std::string& id : list)
      if (!id.empty() && id != "-" && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  };
  for (const MenuLayout& menu : kMenus) add(menu.commands);
  add(kShortcutOnly);
  add(kEditBar);
  add(kToolsBar);
  add(kProgramBar);
  return ids;
}

ProgramServices WithDefaults(ProgramServices services) {
  if (!services.ports) services.ports = std::make_unique<nv::platform::SystemMidiPorts>();
  if (services.helpOpener == nullptr) {
    static nv::widgets::DesktopHelpOpener desktop;
    services.helpOpener = &desktop;
  }
  if (services.keyboardLayouts == nullptr) {
    static const SystemKeyboardLayouts system;
    services.keyboardLayouts = &system;
  }
  if (services.helpRoot.empty()) services.helpRoot = HelpRoot();
  return services;
}

std::vector<nv::platform::Rect> ScreenRects() {
  std::vector<nv::platform::Rect> rects;
  const QList<QScreen*> screens = QGuiApplication::screens();
  QScreen* primary = QGuiApplication::primaryScreen();
  for (QScreen* screen : screens) {
    const QRect g = screen->availableGeometry();
    const nv::platform::Rect rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    if (screen == primary)
      rects.insert(rects.begin(), rect);
    else
      rects.push_back(rect);
  }
  return rects;
}

}  // namespace

TFProgramModule::TFProgramModule(ProgramServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(WithDefaults(std::move(services))),
      MOScore(*services_.ports, ui_),
      MIScore(*services_.ports, ui_),
      notePreview_(MOScore, TKeyboard,
                   [this] {
                     return std::ranges::any_of(pages_, [](const OpenPage& open) {
                       return open.page->Document().Playing() || open.page->Document().Recording();
                     });
                   }),
      playedNotes_(ui_,
                   [this](const nv::document::PlayedNote& note) {
                     if (toolWiring_) toolWiring_->ShowPlayedNote(note);
                   }),
      autosave_(*this, services_.uptime ? *services_.uptime : nv::document::UptimeClock::System(),
                nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts()),
      printJob_(*this, nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts()),
      transport_(*this, nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts()) {
  // The components, as the form holds them before its creation handler runs.
  setObjectName(nk::kMainWindow);
  if (services_.openDialog == nullptr) ownOpenDialog_ = std::make_unique<QtOpenFileDialog>(this);
  if (services_.dialogs == nullptr) {
    ownDialogs_ = std::make_unique<nv::dialogs::MainStandIns>(
        this, services_.settings ? &services_.settings->Ini() : nullptr, [this] { return library_.get(); });
    services_.dialogs = ownDialogs_.get();
  }
  LMain = new nv::widgets::TECLanguage(this);
  AddProgramCommands();
  AddDocumentCommands();
  AddLibraryCommands();
  registry_.SetReporter(this);
  actions_ = new nv::widgets::CommandActions(registry_, ActionIds(), this);
  BuildToolbars();
  BuildMenus();
  auto* client = new QWidget(this);
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(PTop);
  // The tool pages and the documents, which the lock hides.
  PClient = new QWidget(client);
  PClient->setObjectName("PClient");
  auto* pages = new QVBoxLayout(PClient);
  pages->setContentsMargins(0, 0, 0, 0);
  pages->setSpacing(0);
  column->addWidget(PClient, 1);
  // One sheet at a time: the tool pages bound below with their tabs above,
  // the scores bound above with their tabs below.
  PCTools = new nv::widgets::TECPageControl(PClient);
  PCTools->setObjectName("PCTools");
  PCTools->SetPageSetting({.brush = PCTools->PageSetting().brush,
                           .doubleSheet = false,
                           .orientation = nv::widgets::PageOrientation::Bottom});
  // The tool pages' designed height holds two rows of palette buttons only
  // without a binding strip.
  PCTools->SetSpiralVisible(false);
  pages->addWidget(PCTools);
  PCFiles = new nv::widgets::TECPageControl(PClient);
  PCFiles->setObjectName("PCFiles");
  PCFiles->SetPageSetting(
      {.brush = PCFiles->PageSetting().brush, .doubleSheet = false, .orientation = nv::widgets::PageOrientation::Top});
  pages->addWidget(PCFiles, 1);
  setCentralWidget(client);
  // The status bar holds the five panels, whose middle three animate.
  statusBar()->setSizeGripEnabled(false);
  SBMain = new nv::widgets::StatusPanels(statusBar());
  SBMain->setObjectName("SBMain");
  statusBar()->addWidget(SBMain, 1);
  TMain.setInterval(kMainTimerMs);
  // The state panels follow what the documents do.
  connect(&TMain, &QTimer::timeout, this, [this] {
    ShowStates();
    SBMain->Tick();
    autosave_.Tick(settings_.AutoSave, settings_.IntervalAutosave);
    CloseSplashWhenDue();
  });
  // A preview that finds no output sounds nothing; the user hears why once.
  notePreview_.SetOpenFailed([this] { OutputFailed(); });
  MIScore.OnMidiInput = [this](TMidiInput*) { TakeMidiInput(); };
  connect(PCFiles, &nv::widgets::TECPageControl::PageChanged, this, [this] {
    // The score that becomes active plays by the program's effect settings.
    if (DocumentPage* page = ActiveEditor()) {
      TECMusicScore& score = page->Document().Score();
      score.AutoVelocity = settings_.AutoVelocity;
      score.AutoEffect = settings_.AutoEffect;
      score.Reverce = settings_.Reverce;
    }
    UpdateActions();
  });
  // After every command and every change the history arrows, the status
  // panels and the tempo bar follow too.
  statesChanged_ = registry_.StatesChanged.Subscribe([this] {
    TBUndoList->setEnabled(registry_.IsEnabled("edit.undo"));
    TBRedoList->setEnabled(registry_.IsEnabled("edit.redo"));
    ShowStates();
    UpdateTempoDisplay();
    FollowRecording();
    if (nv::editor::TFMusicEditor* editor = ActiveWindow()) {
      editor->UpdateToolsButtons(PCTools->height() > 0);
      EZoom->setText(QString::number(editor->Document().Score().GetZoom()));
    }
  });
  FLProgramModule = new nv::widgets::TECFormLanguage(this);
  setMinimumSize(kMinimumWidth, kMinimumHeight);

  // FormCreate.
  std::optional<WaitCursor> wait(std::in_place);
  Step("RegisterFileType");
  if (services_.registerFileType) services_.registerFileType();
  Step("LoadMusicFont");
  if (services_.loadMusicFont) services_.loadMusicFont();
  Step("ToolPages");
  BuildToolPages();
  Step("Caption");
  setWindowTitle(kCaption);
  const QScreen* screen = QGuiApplication::primaryScreen();
  exitButton_->setVisible(screen == nullptr || screen->geometry().width() > kExitButtonScreenWidth);
  // The palettes fit their pages, and the libraries' lists are made, with
  // the palettes and libraries that fill the tool pages.
  Step("FitPalettes");
  Step("ToolDefaults");
  QApplication::processEvents();
  // The date and time formats are the program's one format
  // (nv::document::ProgramDateTimeFormat), whatever the locale says.
  nv::widgets::ApplyFormDesign(this, nv::widgets::kMainWindowDesign);
  Step("RestoreSettings");
  RestoreSettings();
  ShowNewsCommand();
  Step("ChordLibrary");
  LoadChordLibrary();
  Step("ReopenList");
  if (services_.settings) recent_.Load(services_.settings->Ini(), nv::document::Today());
  RebuildReopenMenus();
  Step("ToolsActive");
  if (settings_.ToolsActive >= 0 && settings_.ToolsActive < PCTools->PageCount())
    PCTools->SetActivePage(PCTools->Pages(settings_.ToolsActive));
  if (settings_.ToolsDefHeight == 0) settings_.ToolsDefHeight = 96;
  toolWiring_ = std::make_unique<ToolWiring>(settings_, registry_, *PCTools, *PCFiles, [this]() -> QWidget* {
    return ActiveEditor() ? &ActiveEditor()->Widget() : nullptr;
  }, library_.get());
  if (library_) {
    nv::platform::IniFile* ini = services_.settings ? &services_.settings->Ini() : nullptr;
    libraries_ = std::make_unique<LibraryWiring>(LibraryWiring::Context{
        *library_, settings_, registry_, toolWiring_->State(), *PCTools, this, ini,
        [this]() -> nv::document::ScoreDocument* { return ActiveEditor() ? &ActiveEditor()->Document() : nullptr; },
        [this, ini] { return nv::dialogs::ExecuteTermList(*library_, ini, this); },
        [this](nv::document::TextInputValues& values) { return services_.dialogs->TermFont(values); }});
    libraryUi_->onPaletteChanged = [this](nv::library::LibraryKind kind) { libraries_->PaletteChanged(kind); };
    connect(PCFiles, &nv::widgets::TECPageControl::PageChanged, this, [this] { libraries_->DocumentChanged(); });
  }
  BuildModifyPage();
  BuildNavigatorPage();
  BuildDesignPage();
  Step("Devices");
  try {
    if (settings_.OutputDevice >= 0 && settings_.OutputDevice < MOScore.DeviceCount())
      MOScore.SetDeviceID(settings_.OutputDevice);
    if (settings_.InputDevice >= 0 && settings_.InputDevice < MIScore.DeviceCount())
      MIScore.SetDeviceID(settings_.InputDevice);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "notavistra: the MIDI devices of the settings are not used: %s\n", error.what());
  }
  Step("Language");
  ChooseLanguage();
  // German is not offered yet.
  actions_->Action("language.deutsch").setVisible(false);
  Step("CommandLine");
  ProcessCommandLine();
  Step("Libraries");
  LoadLibraries();
  if (libraries_) libraries_->Pages().RebuildAll();
  wait.reset();
  Step("Created");
  splashTiming_.MainWindowMade(
      (services_.uptime ? *services_.uptime : nv::document::UptimeClock::System()).NowMs());
  TMain.start();
  FormResize();
  UpdateActions();
}

TFProgramModule::~TFProgramModule() {
  FormDestroy();
  TMain.stop();
  // The reference window has no owner; it goes with the program.
  delete references_.data();
  // The pages and their listeners go before the devices they play through,
  // without a word to the commands, which are going too.
  disconnect(PCFiles, nullptr, this, nullptr);
  while (!pages_.empty()) {
    OpenPage last = std::move(pages_.back());
    pages_.pop_back();
    last.signals.reset();
  }
  // The document windows wrote their [EditorForm] as they went.
  if (services_.settings != nullptr)
    services_.settings->Save(nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts());
}

void TFProgramModule::Step(const char* name) {
  if (services_.startupTrace) services_.startupTrace(name);
}

void TFProgramModule::AddProgramCommands() {
  auto add = [this](const char* id, const char* caption, std::function<void()> run,
                    std::function<bool()> checked = {}) {
    nv::document::Command command;
    command.Id = id;
    command.Caption = caption;
    command.Run = [run = std::move(run)](const nv::document::CommandArgs&) { run(); };
    command.Checked = std::move(checked);
    registry_.Add(std::move(command));
  };
  add("program.exit", "E&xit", [this] {
    StopAll();
    close();
  });
  add("help.contents", "Contents", [this] { OpenHelpContents(); });
  struct Language {
    const char* id;
    const char* caption;
    const char* code;
  };
  for (const Language& language :
       {Language{"language.english", "English", "ENU"}, Language{"language.russian", "Русский", "RUS"},
        Language{"language.deutsch", "Deutsch", "DEU"}}) {
    const QString code = language.code;
    auto choose = [this, code] { SetInterfaceLanguage(code); };
    auto chosen = [this, code] { return InterfaceLanguage().compare(code, Qt::CaseInsensitive) == 0; };
    add(language.id, language.caption, choose, chosen);
  }
  AddInformationCommands();
}

void TFProgramModule::BuildToolbars() {
  PTop = new QWidget(this);
  PTop->setObjectName("PTop");
  auto bar = [this](const char* name, const std::vector<std::string>& ids) {
    auto* toolbar = new QToolBar(PTop);
    toolbar->setObjectName(name);
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const std::string& id : ids) {
      if (id.empty())
        toolbar->addSeparator();
      else
        toolbar->addAction(&actions_->Action(id));
    }
    return toolbar;
  };
  TBTEdit = bar("TBTEdit", kEditBar);
  // The recent files drop down from the edit bar.
  PMReopen = new QMenu(this);
  PMReopen->setObjectName("PMReopen");
  auto* reopen = new QToolButton(TBTEdit);
  reopen->setObjectName("TBReopen");
  reopen->setText("Reopen");
  reopen->setMenu(PMReopen);
  reopen->setPopupMode(QToolButton::InstantPopup);
  TBTEdit->insertWidget(TBTEdit->actions().value(3), reopen);
  // The history lists drop down from the arrows beside Undo and Redo.
  auto history = [this](const char* name, const std::string& after, bool redo) {
    auto* arrow = new QToolButton(TBTEdit);
    arrow->setObjectName(name);
    arrow->setArrowType(Qt::DownArrow);
    arrow->setAutoRaise(true);
    const int at = int(TBTEdit->actions().indexOf(&actions_->Action(after)));
    TBTEdit->insertWidget(TBTEdit->actions().value(at + 1), arrow);
    connect(arrow, &QToolButton::clicked, this, [this, arrow, redo] { ShowHistory(redo, *arrow); });
    return arrow;
  };
  TBUndoList = history("TBUndoList", "edit.undo", false);
  TBRedoList = history("TBRedoList", "edit.redo", true);
  TBTTools = bar("TBTTools", kToolsBar);
  EZoom = new QLineEdit(TBTTools);
  EZoom->setObjectName("EZoom");
  EZoom->setReadOnly(true);
  EZoom->setFocusPolicy(Qt::NoFocus);
  EZoom->setFixedWidth(kZoomBoxWidth);
  EZoom->setAlignment(Qt::AlignRight);
  TBTTools->addWidget(EZoom);
  BuildZoomMenu();
  BuildTrackBars();
  TBTProgram = bar("TBTProgram", kProgramBar);
  TBExit = new QToolButton(TBTProgram);
  TBExit->setObjectName("TBExit");
  TBExit->setDefaultAction(&actions_->Action("program.exit"));
  exitButton_ = TBTProgram->addWidget(TBExit);
  for (QToolBar* toolbar : {TBTEdit, TBTTools, TBTProgram}) toolbar->adjustSize();
}

void TFProgramModule::BuildMenus() {
  for (const MenuLayout& layout : kMenus) {
    QMenu* menu = menuBar()->addMenu(layout.title);
    menu->setObjectName(layout.name);
    for (const std::string& id : layout.commands) {
      if (id == "-") {
        menu->addSeparator();
        continue;
      }
      if (!id.empty()) {
        menu->addAction(&actions_->Action(id));
        continue;
      }
      MIReopen = menu->addMenu("Reopen");
      MIReopen->setObjectName("MIReopen");
    }
  }
  // The window's own actions, so that their shortcuts work without a menu.
  for (const std::string& id : kShortcutOnly) addAction(&actions_->Action(id));
  for (const std::string& id : kHidden) actions_->Action(id).setVisible(false);
}

void TFProgramModule::BuildToolPages() {
  // The pages stand in their final order at once; each is an empty page
  // until its palette fills it.
  for (const ToolPage& tool : kToolPages) {
    auto* page = new QWidget;
    page->setObjectName(tool.name);
    page->setWindowTitle(tool.caption);
    page->show();
    PCTools->DockForm(page);
  }
  PCTools->SetActivePage(PCTools->Pages(0));
  PCTools->setFixedHeight(settings_.ToolsHeight);
}

void TFProgramModule::BuildModifyPage() {
  arrangementOpener_ = std::make_unique<ArrangementPaletteOpener>(
      services_.settings ? &services_.settings->Ini() : nullptr, [this](QWidget& b) { ShowEffectsPalette(b); },
      [this](QWidget& b) { ShowDynamicsPalette(b); });
  auto* page = PCTools->findChild<QWidget*>("TSModify");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new ModifyPage(registry_, settings_, *arrangementOpener_,
                                    std::make_unique<nv::widgets::QtOneShotTimer>(), page));
}

void TFProgramModule::BuildDesignPage() {
  lookOpener_ = std::make_unique<LookPaletteOpener>([this] { return LMain->Language(); });
  auto* page = PCTools->findChild<QWidget*>("TSDesign");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new DesignPage(registry_, toolWiring_->State(), *lookOpener_, page));
}

void TFProgramModule::BuildNavigatorPage() {
  auto* page = PCTools->findChild<QWidget*>("TSNavigator");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* panel = new NavigatorPanel(
      [this]() -> TECMusicScore* { return ActiveEditor() ? &ActiveEditor()->Document().Score() : nullptr; }, page);
  layout->addWidget(panel);
  connect(PCFiles, &nv::widgets::TECPageControl::PageChanged, panel, [panel] { panel->update(); });
}

void TFProgramModule::RestoreSettings() {
  if (services_.settings == nullptr) return;
  settings_ = services_.settings->ReadMainSettings(settings_);
  const nv::document::WindowBounds bounds =
      nv::document::FitWindowBounds(nv::document::ParseWindowBounds(settings_.Bounds, kDesignedBounds), kDesignedBounds,
                                    kMinimumWidth, kMinimumHeight, ScreenRects());
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  if (settings_.WindowState == "wsMaximized")
    setWindowState(Qt::WindowMaximized);
  else if (settings_.WindowState == "wsMinimized")
    setWindowState(Qt::WindowMinimized);
  PCTools->setFixedHeight(std::max(0, settings_.ToolsHeight));
  // The expanded palettes named by ExDinamics .. ExBends open with their
  // buttons.
  Step("ExpandedPalettes");
}

void TFProgramModule::ChooseLanguage() {
  try {
    SetInterfaceLanguage(QString::fromStdString(nv::document::ChooseInterfaceLanguage(
        settings_.Language, nv::document::HasRussianKeyboardLayout(*services_.keyboardLayouts))));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "notavistra: the interface language is not set: %s\n", error.what());
  }
}

void TFProgramModule::SetInterfaceLanguage(const QString& code) {
  if (code.compare(LMain->Language(), Qt::CaseInsensitive) != 0) {
    LMain->SetLanguage(code);
    TranslateCommands();
    // The bars' widths follow their captions.
    FormResize();
    if (LMain->LastLoad() == nv::widgets::TECLanguage::LoadResult::Refused) {
      const auto& texts = nv::widgets::LanguageTexts();
      nv::widgets::ShowMessageBlock(
          QString::fromStdString(texts.GetString(nk::kMainWindow, kErrorCaptionText)),
          QString::fromStdString(nv::platform::FormatText(texts.GetString(nk::kMainWindow, kLanguageFileText),
                                                          LMain->LanguageFilePath(code).string())),
          nv::platform::message_kind::kWarning, nb::kOk);
    }
  }
  UpdateActions();
}

void TFProgramModule::TranslateCommands() {
  const auto record = LMain->FindForm(nk::kMainWindow);
  if (!record) return;
  std::map<std::string, std::string, std::less<>> captions;
  for (const nv::platform::LanguageEntry& entry : LMain->Image().Entries(*record).entries)
    captions[entry.path] = entry.text;
  for (const auto& [id, name] : kCommandNames) {
    const auto caption = captions.find(std::string(name) + ".text");
    if (caption != captions.end()) actions_->Action(id).setText(QString::fromStdString(caption->second));
  }
  // The recent files' button is named as their menu.
  findChild<QToolButton*>("TBReopen")->setText(MIReopen->title());
}

QString TFProgramModule::InterfaceLanguage() const { return LMain->Language(); }

nv::document::ToolState& TFProgramModule::InsertionTools() { return toolWiring_->State(); }

void TFProgramModule::ShowHelpTopic(const char* topic) {
  nv::document::ShowHelpTopic(services_.helpRoot, InterfaceLanguage().toStdString(), topic, *services_.helpOpener);
}

void TFProgramModule::OpenHelpContents() {
  nv::document::OpenHelpContents(services_.helpRoot, InterfaceLanguage().toStdString(), *services_.helpOpener);
}

void TFProgramModule::ProcessCommandLine() {
  const nv::document::CommandLine line = nv::document::ParseCommandLine(services_.arguments);
  for (const std::string& file : line.files) OpenDocument(file, false);
  DocumentPage* active = ActiveEditor();
  if (active == nullptr) return;
  if (line.mode == nv::document::CommandLineMode::kPlay) {
    transport_.Play();
  } else if (line.mode == nv::document::CommandLineMode::kPrint) {
    PrintActiveDocument();
  }
}

bool TFProgramModule::ExitButtonShown() const { return exitButton_->isVisible(); }

void TFProgramModule::UpdateActions() { registry_.StatesChanged(); }

void TFProgramModule::SetLocked(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  // One repaint once everything has changed.
  setUpdatesEnabled(false);
  PClient->setVisible(!locked);
  TBTEdit->setEnabled(!locked);
  UpdateActions();
  setUpdatesEnabled(true);
}

void TFProgramModule::ShowStates() {
  SBMain->SetStates(printJob_.Printing(), transport_.Playing(), transport_.Recording());
}

bool TFProgramModule::OpenMidiOutput() {
  if (!outputOpen_) outputOpen_ = MOScore.Open() && MOScore.LastError() == 0;
  return outputOpen_;
}

void TFProgramModule::CloseMidiOutput() {
  if (!outputOpen_) return;
  outputOpen_ = false;
  try {
    MOScore.Close();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "notavistra: the MIDI output did not close cleanly: %s\n", error.what());
  }
}

bool TFProgramModule::OpenMidiInput() {
  if (!inputOpen_) inputOpen_ = MIScore.Open() && MIScore.Error() == 0;
  return inputOpen_;
}

void TFProgramModule::CloseMidiInput() {
  if (!inputOpen_) return;
  inputOpen_ = false;
  MIScore.Close();
}

void TFProgramModule::FormResize() {
  if (PTop == nullptr) return;
  const QSize edit = TBTEdit->sizeHint();
  const QSize tools = TBTTools->sizeHint();
  const QSize program = TBTProgram->sizeHint();
  TBTEdit->setGeometry(0, 0, edit.width(), edit.height());
  const ToolbarArrangement place = ArrangeToolbars({.panelWidth = centralWidget()->width(),
                                                    .editWidth = edit.width(),
                                                    .editHeight = edit.height(),
                                                    .toolsWidth = tools.width(),
                                                    .toolsHeight = tools.height(),
                                                    .programWidth = program.width()});
  PTop->setFixedHeight(place.panelHeight);
  TBTTools->setGeometry(place.tools.left, place.tools.top, tools.width(), tools.height());
  TBTProgram->setGeometry(place.program.left, place.program.top, program.width(), program.height());
}

void TFProgramModule::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TFProgramModule::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    ShowHelpTopic(nv::document::help_topic::kEntrance);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TFProgramModule::closeEvent(QCloseEvent* event) {
  // A job that is printing finishes first; the close comes again after it.
  if (!printJob_.FinishBeforeExit()) {
    event->ignore();
    QTimer::singleShot(kMainTimerMs, this, [this] { close(); });
    return;
  }
  if (!QueryClose()) {
    event->ignore();
    return;
  }
  if (references_) references_->close();
  event->accept();
}

void TFProgramModule::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  StopAll();
  // The print job runs on this thread; one still waiting runs now.
  printJob_.FinishBeforeExit();
  StoreSettings();
}

void TFProgramModule::StoreSettings() {
  if (services_.settings == nullptr) return;
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  const nv::document::WindowBounds bounds =
      nv::document::PullBackOnScreen({normal.left(), normal.top(), normal.width(), normal.height()});
  settings_.Bounds = nv::document::FormatWindowBounds(bounds);
  settings_.WindowState = isMaximized() ? "wsMaximized" : isMinimized() ? "wsMinimized" : "wsNormal";
  settings_.ToolsHeight = PCTools->height();
  settings_.ToolsActive = PCTools->IndexOf(PCTools->ActivePage());
  settings_.OutputDevice = MOScore.GetDeviceID();
  settings_.InputDevice = MIScore.GetDeviceID();
  if (toolWiring_) toolWiring_->StoreSettings();
  if (libraries_) libraries_->StoreSettings();
  settings_.Language = InterfaceLanguage().toStdString();
  services_.settings->WriteMainSettings(settings_);
  std::vector<std::string> open;
  for (DocumentPage* page : Documents()) open.push_back(page->Document().Path());
  recent_.Save(services_.settings->Ini(), open, nv::document::Today());
}

void TFProgramModule::Report(const std::string&, const std::string& message) { nv::widgets::ShowErrorMessage(message); }

}  // namespace nv::app
