// The main window's document commands as the user meets them: the states
// of the edit commands, zoom, bars, the window shortcuts, the lock, Open's
// reload question and MIDI import, and a new composition with its texts.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

#include <algorithm>
#include <array>

#include "app/music_editor_page.h"
#include "document/command_registry.h"
#include "document/file_paths.h"
#include "platform/format_text.h"
#include "editor/music_editor.h"
#include "formats/midi_export.h"
#include "model/drum_map.h"
#include "model/drum_tables.h"
#include "model/instrument.h"
#include "model/page_objects.h"
#include "model/row.h"
#include "model/score_page.h"
#include "model/undo_step.h"
#include "program_module_fixture.h"
#include "widgets/command_actions.h"
#include "widgets/page_control.h"

namespace {

namespace nk = nv::platform::form_key;

// A score of one staff over two measures with a quarter C in the first.
void WriteScoreWithANote(const fs::path& path) {
  auto score = score_builder::MakeScore(1, 2);
  score_builder::AddNote(*score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0), 1, 5, 32, 0);
  score->SaveToFile(path.string());
}

// Two staves on channels 1 and 2, which export as two note tracks.
void WriteTwoTrackMidi(const fs::path& path) {
  auto score = score_builder::MakeScore(2, 2);
  for (int i = 0; i < 2; ++i) {
    score->GetInstrumentAt(i)->SetChannel(i + 1);
    score_builder::AddNote(*score->GetInstrumentAt(i)->GetRow(0)->GetMeasure(0), 1 + 2 * i, 5, 32, 0);
  }
  ExportMidiFile(*score, path.string(), false);
}

int Measures(const TECMusicScore& score) { return score.GetInstrumentAt(0)->GetRow(0)->MeasureCount(); }

std::string MainText(int n) { return nv::widgets::LanguageTexts().GetString(nk::kMainWindow, n); }

class DocumentCommandsTest : public ProgramModuleTest {
 protected:
  nv::app::DocumentPage& Open(nv::app::TFProgramModule& window, const std::string& name) {
    const fs::path file = root_ / name;
    WriteScoreWithANote(file);
    nv::app::DocumentPage* page = window.OpenDocument(file.string(), false);
    EXPECT_NE(page, nullptr) << name;
    return *page;
  }
  static bool Enabled(nv::app::TFProgramModule& window, const std::string& id) {
    return window.Actions().Action(id).isEnabled();
  }
  static int ActiveIndex(nv::app::TFProgramModule& window) {
    return window.Files().IndexOf(window.Files().ActivePage());
  }
};

TEST_F(DocumentCommandsTest, TheEditCommandsFollowTheScoreAndMailToNeverIsOn) {
  nv::app::TFProgramModule window(Services());
  EXPECT_FALSE(Enabled(window, "edit.undo"));
  EXPECT_FALSE(Enabled(window, "select.row_symbols"));
  TECMusicScore& score = Open(window, "edit.sfd").Document().Score();
  EXPECT_FALSE(Enabled(window, "edit.undo"));
  EXPECT_FALSE(Enabled(window, "edit.redo"));
  EXPECT_FALSE(Enabled(window, "edit.copy"));
  EXPECT_FALSE(Enabled(window, "edit.cut"));
  EXPECT_TRUE(Enabled(window, "edit.delete"));
  // Selecting the row's symbols gives something to copy and cut.
  window.Actions().Action("select.row_symbols").trigger();
  EXPECT_TRUE(score.CanCopy());
  EXPECT_TRUE(Enabled(window, "edit.copy"));
  EXPECT_TRUE(Enabled(window, "edit.cut"));
  window.Actions().Action("edit.copy").trigger();
  EXPECT_EQ(Enabled(window, "edit.paste"), score.CanPaste());
  window.Actions().Action("edit.cut").trigger();
  EXPECT_TRUE(Enabled(window, "edit.undo"));
  EXPECT_TRUE(Enabled(window, "edit.paste"));
  window.Actions().Action("edit.undo").trigger();
  EXPECT_TRUE(Enabled(window, "edit.redo"));
  EXPECT_FALSE(Enabled(window, "edit.undo"));
  EXPECT_FALSE(Enabled(window, "help.mail_to"));
  EXPECT_FALSE(window.Commands().Run("help.mail_to"));
}

TEST_F(DocumentCommandsTest, ZoomStepsBy20BetweenItsLimitsAndTheBoxShowsIt) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "zoom.sfd").Document().Score();
  EXPECT_EQ(window.ZoomBox().text(), "100");
  const struct {
    int from;
    const char* command;
    int to;
  } steps[] = {{299, "view.zoom_in", 319}, {300, "view.zoom_in", 300}, {50, "view.zoom_out", 30},
               {49, "view.zoom_out", 49}};
  for (const auto& step : steps) {
    score.SetZoom(step.from);
    ASSERT_TRUE(window.Commands().Run(step.command)) << step.command;
    EXPECT_EQ(score.GetZoom(), step.to) << step.from << " " << step.command;
    EXPECT_EQ(window.ZoomBox().text(), QString::number(step.to));
  }
}

TEST_F(DocumentCommandsTest, AddAndDeleteBarTakeTheirCountFromTheDialogAsOneStep) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "bars.sfd").Document().Score();
  ASSERT_EQ(Measures(score), 2);
  dialogs_.barCount = 3;
  ASSERT_TRUE(window.Commands().Run("bar.add"));
  EXPECT_EQ(Measures(score), 5);
  ASSERT_EQ(score.UndoCount(), 1);
  EXPECT_EQ(score.GetUndoStep(0)->Kind, undo_kind::InsertMeasures);
  window.Actions().Action("edit.undo").trigger();
  EXPECT_EQ(Measures(score), 2);

  dialogs_.barCount = 2;
  score.AddMeasures(3);
  const int undoSteps = score.UndoCount();
  ASSERT_TRUE(window.Commands().Run("bar.delete"));
  EXPECT_EQ(Measures(score), 3);
  EXPECT_EQ(score.UndoCount(), undoSteps + 1);
  EXPECT_EQ(score.GetUndoStep(score.UndoCount() - 1)->Kind, undo_kind::DeleteMeasures);

  // A cancelled dialog changes nothing.
  dialogs_.barCount.reset();
  ASSERT_TRUE(window.Commands().Run("bar.add"));
  ASSERT_TRUE(window.Commands().Run("bar.delete"));
  EXPECT_EQ(Measures(score), 3);
  EXPECT_EQ(score.UndoCount(), undoSteps + 1);
  EXPECT_EQ(dialogs_.asked.barCount, 4);
}

TEST_F(DocumentCommandsTest, PropertiesWritesTheScoreOnOkOnly) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "bars.sfd").Document().Score();
  const int tempo = score.GetTempo();
  ASSERT_TRUE(window.Commands().Run("score.properties"));
  EXPECT_EQ(score.GetTempo(), tempo);
  dialogs_.compositionTempo = 150;
  ASSERT_TRUE(window.Commands().Run("score.properties"));
  EXPECT_EQ(score.GetTempo(), 150);
  EXPECT_EQ(dialogs_.asked.compositionProperties, 2);
}

TEST_F(DocumentCommandsTest, AltDigitActivatesThatTabWhenThereIsOne) {
  nv::app::TFProgramModule window(Services());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (const char* name : {"a.sfd", "b.sfd", "c.sfd"}) Open(window, name);
  window.Commands().Run("window.0");
  EXPECT_EQ(ActiveIndex(window), 0);
  QTest::keyClick(&window, Qt::Key_3, Qt::AltModifier);
  EXPECT_EQ(ActiveIndex(window), 0) << "three documents have no fourth tab";
  Open(window, "d.sfd");
  window.Commands().Run("window.1");
  EXPECT_EQ(ActiveIndex(window), 1);
  QTest::keyClick(&window, Qt::Key_3, Qt::AltModifier);
  EXPECT_EQ(ActiveIndex(window), 3);
  EXPECT_EQ(window.ActiveEditor(), window.Documents()[3]);
}

TEST_F(DocumentCommandsTest, LockingHidesTheDocumentsAndTakesTheirCommandsAway) {
  nv::app::TFProgramModule window(Services());
  window.show();
  Open(window, "lock.sfd").Document().Score().AddMeasures(1);
  EXPECT_FALSE(window.Actions().Action("tools.lock").isVisible());
  EXPECT_EQ(window.LockImage(), 1);
  const std::array<const char*, 9> locked = {"file.new",   "file.open",    "file.close",   "file.save", "file.save_as",
                                             "file.export", "score.play", "view.zoom_in", "view.zoom_out"};
  for (const char* id : locked) EXPECT_TRUE(Enabled(window, id)) << id;
  ASSERT_TRUE(window.Commands().Run("tools.lock"));
  EXPECT_TRUE(window.Locked());
  EXPECT_FALSE(window.ClientPanel().isVisible());
  EXPECT_FALSE(window.EditBar().isEnabled());
  for (const char* id : locked) EXPECT_FALSE(Enabled(window, id)) << id;
  EXPECT_EQ(window.LockImage(), 2);
  ASSERT_TRUE(window.Commands().Run("tools.lock"));
  EXPECT_TRUE(window.ClientPanel().isVisible());
  EXPECT_TRUE(window.EditBar().isEnabled());
  for (const char* id : locked) EXPECT_TRUE(Enabled(window, id)) << id;
  EXPECT_EQ(window.LockImage(), 1);
}

TEST_F(DocumentCommandsTest, OpeningAFileAlreadyOpenAsksWhetherToReloadIt) {
  nv::app::TFProgramModule window(Services());
  nv::app::DocumentPage& page = Open(window, "twice.sfd");
  TECMusicScore& score = page.Document().Score();
  score.AddMeasures(4);
  const std::string path = nv::document::CanonicalPath((root_ / "twice.sfd").string());
  openDialog_.paths = {(root_ / "twice.sfd").string()};
  prompt_.answers = {nr::kNo};
  window.OpenFiles();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0], MainText(3) + ": " + nv::platform::FormatText(MainText(2), path));
  EXPECT_EQ(Measures(score), 6) << "No leaves the document as it is";
  EXPECT_EQ(window.Documents().size(), 1u);

  prompt_.answers = {nr::kYes};
  window.OpenFiles();
  EXPECT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(window.Documents().size(), 1u);
  EXPECT_EQ(Measures(window.ActiveEditor()->Document().Score()), 2) << "Yes reads the file again";
  EXPECT_FALSE(window.ActiveEditor()->Document().Modified());
  // From the command line the file is not asked about again.
  EXPECT_EQ(window.OpenDocument(path, false), window.ActiveEditor());
  EXPECT_EQ(prompt_.shown.size(), 2u);
}

TEST_F(DocumentCommandsTest, AMidiFileOpensThroughTheImportDialogOrNotAtAll) {
  const fs::path midi = root_ / "song.mid";
  WriteTwoTrackMidi(midi);
  nv::app::TFProgramModule window(Services());
  openDialog_.paths = {midi.string()};

  dialogs_.midiImport.reset();
  window.OpenFiles();
  EXPECT_EQ(dialogs_.asked.midiImport, 1);
  EXPECT_TRUE(window.Documents().empty());
  EXPECT_TRUE(prompt_.shown.empty());

  dialogs_.midiImport = nv::document::MidiImportChoices{.TracksOnSeparateSheets = true, .QuantizeDuration = 16};
  window.OpenFiles();
  ASSERT_EQ(window.Documents().size(), 1u);
  EXPECT_EQ(dialogs_.midiPath, nv::document::CanonicalPath(midi.string()));
  const TECMusicScore& opened = window.ActiveEditor()->Document().Score();
  EXPECT_TRUE(opened.MidiSeparateSheets);
  EXPECT_EQ(opened.MidiImportGrid, 16);
  EXPECT_EQ(opened.InstrumentCount(), 2) << "one staff per track";
  EXPECT_EQ(window.Files().ActivePage()->Caption(), "song");
}

// The texts of a new composition's first page as "x,y font size lines".
std::vector<std::string> PageTexts(const TECMusicScore& score) {
  std::vector<std::string> texts;
  for (int i = 0; i < score.InstrumentCount(); ++i)
    for (const auto& object : score.GetInstrumentAt(i)->TextsRow().Objects)
      if (const auto* text = dynamic_cast<const TECPageText*>(object.get())) {
        std::string lines;
        for (const std::string& line : text->Lines) lines += (lines.empty() ? "" : "|") + line;
        texts.push_back(std::to_string(text->X) + "," + std::to_string(text->Y) + " " + text->FontName + " " +
                        std::to_string(text->FontSize) + " " + lines);
      }
  std::ranges::sort(texts);
  return texts;
}

int ArialWidth(const std::string& line, int size) {
  QFont font("Arial");
  font.setPointSize(size);
  return QFontMetrics(font).horizontalAdvance(QString::fromStdString(line));
}

TEST_F(DocumentCommandsTest, ANewCompositionPutsItsTitleAuthorAndInstrumentBetweenTheMargins) {
  nv::app::TFProgramModule window(Services());
  nv::document::NewStaffSetup composition;
  composition.Timbre = 40;
  composition.Tempo = 96;
  composition.Numerator = 3;
  composition.Name = "Violin";
  composition.Title = {"Sonata"};
  composition.Author = {"J. Doe"};
  dialogs_.newComposition = composition;
  ASSERT_TRUE(window.Commands().Run("file.new"));
  ASSERT_EQ(window.Documents().size(), 1u);
  nv::app::DocumentPage& page = *window.ActiveEditor();
  TECMusicScore& score = page.Document().Score();
  TECScorePage& setup = score.Page();
  setup.SetUnitOverride(TECMetrix::rmPixels);
  const int left = static_cast<int>(setup.LeftMargin());
  const int right = static_cast<int>(setup.RightMargin());
  const int usable = static_cast<int>(setup.Width()) - left - right;
  setup.ClearUnitOverride();
  const int title = ArialWidth("Sonata", 20);
  const int author = ArialWidth("J. Doe", 10);
  std::vector<std::string> expected = {
      std::to_string((usable - title) / 2) + ",40 Arial 20 Sonata",
      std::to_string(usable - author - right + 24) + ",80 Arial 10 J. Doe",
      std::to_string(left + 24) + ",80 Arial 10 Violin",
  };
  std::ranges::sort(expected);
  EXPECT_EQ(PageTexts(score), expected);
  EXPECT_EQ(score.GetTempo(), 96);
  EXPECT_EQ(score.GetNumerator(), 3);
  EXPECT_EQ(score.GetInstrumentAt(0)->MidiInstrument(), 40);
  EXPECT_EQ(score.GetInstrumentAt(0)->Name(), "Violin");
  // The texts are the composition, not a step to undo.
  EXPECT_FALSE(score.CanUndo());
  EXPECT_EQ(window.Files().ActivePage()->Caption(), "Untitled");
  EXPECT_TRUE(page.Document().Modified() || dynamic_cast<nv::app::MusicEditorPage&>(page).Editor().Modified());
  const QColor tab = window.Files().ActivePage()->TabBrush().color();
  const unsigned value = unsigned(tab.red()) | unsigned(tab.green()) << 8 | unsigned(tab.blue()) << 16;
  EXPECT_TRUE(std::ranges::count(std::array<unsigned, 6>{11061209, 13552563, 11653043, 13220030, 12310747, 15125479},
                                 value) == 1)
      << value;
}

TEST_F(DocumentCommandsTest, ANewCompositionWithoutTextsHasNoneAndACancelMakesNone) {
  nv::app::TFProgramModule window(Services());
  dialogs_.newComposition = nv::document::NewStaffSetup{};
  ASSERT_TRUE(window.Commands().Run("file.new"));
  ASSERT_EQ(window.Documents().size(), 1u);
  EXPECT_TRUE(PageTexts(window.ActiveEditor()->Document().Score()).empty());
  dialogs_.newComposition.reset();
  ASSERT_TRUE(window.Commands().Run("file.new"));
  EXPECT_EQ(window.Documents().size(), 1u);
  EXPECT_EQ(dialogs_.asked.newComposition, 2);
}

TEST_F(DocumentCommandsTest, MovingTheTempoBarShowsTheNewTempoAtOnce) {
  nv::app::TFProgramModule window(Services());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Open(window, "tempo.sfd").Document().Score().SetTempo(120);
  window.TempoBar().setValue(50);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text().toStdString(), MainText(22) + " = 25% * 120 = 30");
  QToolTip::hideText();

  // 150 sets 225 %; the display that follows the next command leaves the bar there.
  window.TempoBar().setValue(150);
  EXPECT_EQ(window.ActiveEditor()->Document().Score().GetTempoScale(), 225);
  window.UpdateActions();
  EXPECT_EQ(window.TempoBar().value(), 150);
  EXPECT_EQ(window.TempoBar().toolTip().toStdString(), MainText(22) + " = 225% * 120 = 270");
  QToolTip::hideText();
}

// Gives a score one drum head, "Cross", counting the scores it was given to.
struct DrumLibrary {
  void operator()(TECMusicScore& score) {
    ++given;
    AddDrumHead(score, "Cross", 0, {}, 0, 0);
  }
  int given = 0;
};

bool HasCross(TECMusicScore& score) {
  return std::ranges::any_of(score.DrumHeads(), [](const auto& head) { return head->Name == "Cross"; });
}

TEST_F(DocumentCommandsTest, NewAndOpenGiveTheDrumLibraryToAScoreWithoutDrumHeads) {
  auto library = std::make_shared<DrumLibrary>();
  auto services = Services();
  services.addDrums = [library](TECMusicScore& score) { (*library)(score); };
  nv::app::TFProgramModule window(std::move(services));
  ASSERT_TRUE(window.Commands().Run("file.new"));
  EXPECT_TRUE(HasCross(window.ActiveEditor()->Document().Score()));
  EXPECT_EQ(library->given, 1);

  // A file without drum heads gets them; one with its own keeps them alone.
  TECMusicScore& opened = Open(window, "plain.sfd").Document().Score();
  EXPECT_TRUE(HasCross(opened));
  EXPECT_EQ(library->given, 2);
  opened.SaveToFile((root_ / "drums.sfd").string());
  ASSERT_NE(window.OpenDocument((root_ / "drums.sfd").string(), false), nullptr);
  EXPECT_TRUE(HasCross(window.ActiveEditor()->Document().Score()));
  EXPECT_EQ(library->given, 2);
}

// An imported file whose score file would replace another one is not saved
// by the timer behind the user's back, nor does the timer ask: only once
// nothing stands in the way does autosave write it.
TEST_F(DocumentCommandsTest, AutosaveLeavesAnImportAloneWhileItsScoreFileWouldReplaceAnother) {
  WriteText(SettingsPath(), "[Editor]\nAutoSave=1\nIntervalAutosave=0\n");
  WriteTwoTrackMidi(root_ / "song.mid");
  WriteText(root_ / "song.sfd", "another piece of work");
  SetUptime uptime;
  uptime.now = 1'000;
  auto services = Services();
  services.uptime = &uptime;
  nv::app::TFProgramModule window(std::move(services));
  nv::app::DocumentPage* page = window.OpenDocument((root_ / "song.mid").string(), false);
  ASSERT_NE(page, nullptr);
  page->Document().Score().AddMeasures(1);
  uptime.now = 10 * 60'000;
  QTest::qWait(500);
  EXPECT_EQ(ReadText(root_ / "song.sfd"), "another piece of work");
  EXPECT_TRUE(prompt_.shown.empty());

  fs::remove(root_ / "song.sfd");
  uptime.now = 20 * 60'000;
  QTest::qWait(500);
  EXPECT_TRUE(fs::exists(root_ / "song.sfd"));
  EXPECT_FALSE(page->Document().Modified());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(DocumentCommandsTest, PrintPrintsTheChosenPagesAsOftenAsAsked) {
  WriteScore(root_ / "three.sfd", 3);
  pdfPath_ = root_ / "copies.pdf";
  dialogs_.printAnswer =
      nv::document::PrintChoices{.MinPage = 1, .MaxPage = 3, .FromPage = 2, .ToPage = 3, .Copies = 2, .Collate = true};
  nv::app::TFProgramModule window(Services());
  ASSERT_NE(window.OpenDocument((root_ / "three.sfd").string(), false), nullptr);
  window.Actions().Action("file.print").trigger();
  ASSERT_EQ(dialogs_.printOffers.size(), 1u);
  EXPECT_EQ(dialogs_.printOffers[0], (nv::document::PrintChoices{.MinPage = 1, .MaxPage = 3, .FromPage = 1, .ToPage = 3}));
  EXPECT_FALSE(window.Actions().Action("file.preview").isEnabled());
  QApplication::processEvents();
  EXPECT_FALSE(window.Printing());
  EXPECT_TRUE(window.Actions().Action("file.preview").isEnabled());
  EXPECT_EQ(PdfPages(pdfPath_), 4);
}

}  // namespace

namespace {

TEST_F(DocumentCommandsTest, TheActiveScorePlaysByTheProgramsEffectSettings) {
  WriteText(SettingsPath(), "[Effects]\nAutoVelocity=0\nAutoEffect=1\n");
  nv::app::TFProgramModule window(Services());
  TECMusicScore& first = Open(window, "first.sfd").Document().Score();
  EXPECT_FALSE(first.AutoVelocity);
  EXPECT_TRUE(first.AutoEffect);
  TECMusicScore& second = Open(window, "second.sfd").Document().Score();
  first.AutoVelocity = true;
  EXPECT_FALSE(second.AutoVelocity);
  ASSERT_TRUE(window.Commands().Run("window.0"));
  EXPECT_FALSE(first.AutoVelocity) << "set again as its tab becomes active";
}

}  // namespace

namespace {

class SettingsCommandTest : public ProgramModuleTest {};

TEST_F(SettingsCommandTest, OffersTheOptionsAndDevicesAndCancelChangesNothing) {
  nv::app::TFProgramModule window(Services());
  const nv::document::ProgramSettings before = window.Settings();
  const int output = window.MidiOutput().GetDeviceID();
  dialogs_.settingsAnswer = std::optional<nv::document::ProgramOptions>{};
  ASSERT_TRUE(window.Commands().Run("tools.settings"));
  ASSERT_EQ(dialogs_.settingsOffers.size(), 1u);
  const nv::document::ProgramOptions& offer = dialogs_.settingsOffers[0];
  EXPECT_EQ(offer.OutputNames, (std::vector<std::string>{"Synth", "Second"}));
  EXPECT_EQ(offer.InputNames, (std::vector<std::string>{"Keys"}));
  EXPECT_EQ(offer.Output, output);
  EXPECT_EQ(offer.Quantize, before.Quantize);
  EXPECT_EQ(window.MidiOutput().GetDeviceID(), output);
  EXPECT_EQ(window.Settings().Quantize, before.Quantize);
  EXPECT_EQ(window.Settings().AutoSave, before.AutoSave);
}

TEST_F(SettingsCommandTest, OkSelectsTheDevicesAndStoresTheOptions) {
  nv::app::TFProgramModule window(Services());
  nv::document::ProgramOptions chosen = nv::document::OptionsFromSettings(window.Settings());
  chosen.OutputNames = {"Synth", "Second"};
  chosen.InputNames = {"Keys"};
  chosen.Output = 1;
  chosen.Input = 0;
  chosen.Quantize = 4;
  chosen.AutoSave = !window.Settings().AutoSave;
  dialogs_.settingsAnswer = chosen;
  ASSERT_TRUE(window.Commands().Run("tools.settings"));
  EXPECT_EQ(window.MidiOutput().GetDeviceID(), 1);
  EXPECT_EQ(window.MidiOutput().GetProductName(), "Second");
  EXPECT_EQ(window.Settings().OutputDevice, 1);
  EXPECT_EQ(window.Settings().Quantize, 4);
  EXPECT_EQ(window.Settings().AutoSave, chosen.AutoSave);
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SettingsCommandTest, AFailingDeviceStillStoresTheRestAndIsShownOnce) {
  nv::app::ProgramServices services = Services();
  auto* ports = static_cast<np::TestMidiPorts*>(services.ports.get());
  nv::app::TFProgramModule window(std::move(services));
  const int output = window.MidiOutput().GetDeviceID();
  nv::document::ProgramOptions chosen = nv::document::OptionsFromSettings(window.Settings());
  chosen.OutputNames = {"Synth", "Second"};
  chosen.Output = output == 1 ? 0 : 1;
  chosen.Quantize = 2;
  dialogs_.settingsAnswer = chosen;
  ports->Fail.Caps = 6;
  prompt_.shown.clear();
  EXPECT_FALSE(window.Commands().Run("tools.settings"));
  EXPECT_EQ(window.MidiOutput().GetDeviceID(), output);
  EXPECT_EQ(window.Settings().Quantize, 2);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  const std::string& shown = prompt_.shown[0];
  EXPECT_NE(shown.find(chosen.OutputNames[static_cast<std::size_t>(chosen.Output)]), std::string::npos) << shown;
}

}  // namespace
