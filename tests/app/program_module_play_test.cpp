// The main window with a document it hosts: undo of an edit made with the
// keys, and playback through the program's one MIDI output.
#include <QApplication>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/program_module.h"
#include "answering_dialogs.h"
#include "app/music_editor_page.h"
#include "document/command_registry.h"
#include "formats/external_tools.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/row.h"
#include "model/score_builder.h"
#include "platform/sound/gm_synthesizer.h"
#include "platform/sound/synth_wav_render.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/fake_play_clock.h"
#include "support/drawn_places.h"
#include "support/saved_score.h"
#include "widgets/command_actions.h"
#include "widgets/language.h"
#include "widgets/page_control.h"
#include "widgets/popup_menu.h"
#include "widgets/status_panels.h"
#include "widgets/score_control.h"

namespace {

namespace np = nv::platform;

// A score of one row of two whole-note measures (the score builder's): C, E
// and G quarters, then a half-note C.
std::string FixtureFile(const std::string& name) {
  auto score = score_builder::MakeScore(1, 2);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  for (int i = 0; i < 3; ++i) score_builder::AddNote(*row.GetMeasure(0), 1 + 2 * i, 5, 32, 32 * i);
  score_builder::AddNote(*row.GetMeasure(1), 1, 5, 64, 0);
  score->SetTempo(120);
  MemoryStream stream;
  score->SaveToStream(stream);
  return external_tools::WriteTemporary(name, stream.Data()).string();
}

nv::app::MusicEditorPage& Page(nv::app::TFProgramModule& window) {
  return dynamic_cast<nv::app::MusicEditorPage&>(*window.ActiveEditor());
}

nv::widgets::ScoreControl& View(nv::app::TFProgramModule& window) { return Page(window).Editor().ScoreView(); }

void ShowAndPaint(nv::app::TFProgramModule& window) {
  // Room for the score's first page below the tool pages.
  window.resize(1400, 1100);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QApplication::processEvents();
  View(window).repaint();
}

// The window with the ports and the clock of the first document's playback.
nv::app::ProgramServices Playing(std::unique_ptr<np::MidiPortSystem> ports, std::unique_ptr<IPlayClock> clock) {
  nv::app::ProgramServices services;
  services.ports = std::move(ports);
  auto shared = std::make_shared<std::unique_ptr<IPlayClock>>(std::move(clock));
  services.playClock = [shared] { return std::move(*shared); };
  return services;
}

TECNote* NoteAt(TECMusicScore& score, int start) {
  for (const auto& note : score.CurrentInstrument()->GetRow(0)->GetMeasure(0)->Notes)
    if (note->Start == start) return note.get();
  return nullptr;
}

TEST(MainWindowUndo, CtrlZPutsBackTheNoteMovedWithCtrlUp) {
  // The file as the window lays it out and saves it.
  const std::string built = FixtureFile("undo-fixture.sfd");
  const std::string path = built + ".laid-out.sfd";
  std::filesystem::remove(path);
  {
    AnsweringSaveDialog dialog;
    dialog.path = path;
    nv::app::ProgramServices services;
    services.saveDialog = &dialog;
    nv::app::TFProgramModule window(std::move(services));
    ASSERT_NE(window.OpenDocument(built, false), nullptr);
    ShowAndPaint(window);
    ASSERT_TRUE(window.Commands().Run("file.save_as"));
  }
  TECMusicScore file;
  file.LoadFromFile(path);

  nv::app::TFProgramModule window;
  ASSERT_NE(window.OpenDocument(path, false), nullptr);
  ShowAndPaint(window);
  TECMusicScore& score = View(window).Score();
  ASSERT_EQ(SavedScore(score), SavedScore(file));
  TECNote* e = NoteAt(score, 32);
  ASSERT_NE(e, nullptr);
  const int kind = e->Kind;
  const TECPoint centre = drawn_places::Centre(e->Box);
  const int rulers = score.RulerSize();
  const QPoint click(centre.X + rulers - score.HorzScrollBar.Position,
                     centre.Y + rulers - score.VertScrollBar.Position);
  QTest::mouseClick(&View(window), Qt::LeftButton, Qt::NoModifier, click);
  ASSERT_EQ(score.Selection.size(), 1u) << "the click did not select the E";

  QTest::keyClick(&View(window), Qt::Key_Up, Qt::ControlModifier);
  ASSERT_EQ(NoteAt(score, 32)->Kind, kind + 1);
  EXPECT_TRUE(Page(window).Document().Modified());
  EXPECT_TRUE(window.Actions().Action("edit.undo").isEnabled());

  QTest::keyClick(&View(window), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(NoteAt(score, 32)->Kind, kind);
  EXPECT_EQ(SavedScore(score), SavedScore(file));
  EXPECT_FALSE(Page(window).Document().Modified());
  EXPECT_TRUE(window.Actions().Action("edit.redo").isEnabled());
}

// An edit made through the score is what Save writes, and the history list
// under Undo takes back several steps at once.
TEST(MainWindowUndo, TheEditIsSavedAndTheHistoryListUndoesBothSteps) {
  const std::string path = FixtureFile("history-fixture.sfd");
  nv::app::TFProgramModule window;
  ASSERT_NE(window.OpenDocument(path, false), nullptr);
  ShowAndPaint(window);
  TECMusicScore& score = View(window).Score();
  TECNote* e = NoteAt(score, 32);
  ASSERT_NE(e, nullptr);
  const int kind = e->Kind;
  const TECPoint centre = drawn_places::Centre(e->Box);
  const int rulers = score.RulerSize();
  QTest::mouseClick(&View(window), Qt::LeftButton, Qt::NoModifier,
                    QPoint(centre.X + rulers - score.HorzScrollBar.Position,
                           centre.Y + rulers - score.VertScrollBar.Position));
  ASSERT_EQ(score.Selection.size(), 1u) << "the click did not select the E";
  QTest::keyClick(&View(window), Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(&View(window), Qt::Key_Up, Qt::ControlModifier);
  ASSERT_EQ(NoteAt(score, 32)->Kind, kind + 2);

  ASSERT_TRUE(window.Commands().Run("file.save"));
  EXPECT_FALSE(window.Actions().Action("file.save").isEnabled());
  {
    TECMusicScore saved;
    saved.LoadFromFile(path);
    ASSERT_NE(NoteAt(saved, 32), nullptr);
    EXPECT_EQ(NoteAt(saved, 32)->Kind, kind + 2);
  }

  auto* arrow = window.findChild<QToolButton*>("TBUndoList");
  ASSERT_NE(arrow, nullptr);
  ASSERT_TRUE(arrow->isEnabled());
  arrow->click();
  auto* list = window.findChild<nv::widgets::TECPopupMenu*>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Model().Items().size(), 2u);
  list->onClick(1);
  EXPECT_EQ(NoteAt(score, 32)->Kind, kind);
  EXPECT_FALSE(window.Actions().Action("edit.undo").isEnabled());
  EXPECT_TRUE(window.Actions().Action("edit.redo").isEnabled());
  EXPECT_TRUE(window.findChild<QToolButton*>("TBRedoList")->isEnabled());
  list->CloseUp();
}

// Output 0 is the synthesizer rendering into a WAV file in the virtual time
// of `clock`.
class WavPorts final : public np::MidiPortSystem {
 public:
  WavPorts(std::filesystem::path file, std::function<std::int64_t()> clock)
      : file_(std::move(file)), clock_(std::move(clock)) {}
  int OutputCount() override { return 1; }
  int OutputCaps(int, np::MidiDeviceCaps& caps) override {
    caps.Name = "WAV";
    return np::midi_error::kNone;
  }
  int OpenOutput(int, std::unique_ptr<np::MidiOutPort>& port) override {
    std::unique_ptr<np::SynthWavRender> render;
    const int error = np::SynthWavRender::Open(file_, clock_, render);
    port = std::move(render);
    return error;
  }
  int SetOutputVolume(int, std::uint32_t) override { return np::midi_error::kNone; }
  int InputCount() override { return 0; }
  int InputCaps(int, np::MidiDeviceCaps&) override { return np::midi_error::kBadDeviceId; }
  int OpenInput(int, np::MidiInputCallback, std::unique_ptr<np::MidiInPort>&) override {
    return np::midi_error::kBadDeviceId;
  }

 private:
  std::filesystem::path file_;
  std::function<std::int64_t()> clock_;
};

// sox's figure `name` ("RMS     amplitude", ...) of a sound file.
double SoxStat(const std::filesystem::path& file, const std::string& name) {
  const external_tools::Result stat = external_tools::Run("sox '" + file.string() + "' -n stat");
  const auto at = stat.output.find(name + ":");
  if (at == std::string::npos) return -1;
  return std::stod(stat.output.substr(at + name.size() + 1));
}

TEST(MainWindowPlay, AScorePlayedThroughTheDocumentSounds) {
  if (np::GmSynthesizer::FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI sound font installed";
  const std::filesystem::path wav =
      std::filesystem::temp_directory_path() / ("notavistra-" + std::to_string(getpid()) + "-played.wav");
  auto clock = std::make_unique<FakePlayClock>();
  FakePlayClock& time = *clock;
  nv::app::TFProgramModule window(
      Playing(std::make_unique<WavPorts>(wav, [&] { return time.Now(); }), std::move(clock)));
  ASSERT_NE(window.OpenDocument(FixtureFile("play-fixture.sfd"), false), nullptr);
  ShowAndPaint(window);
  const int activeInstrument = View(window).Score().GetActiveInstrument();

  ASSERT_TRUE(window.Commands().Run("score.play"));
  for (int i = 0; i < 1000 && Page(window).Document().Playing(); ++i) QTest::qWait(5);
  ASSERT_FALSE(Page(window).Document().Playing());
  QApplication::processEvents();
  // The end came to the GUI thread: Play is offered again.
  EXPECT_TRUE(window.Actions().Action("score.play").isEnabled());
  EXPECT_EQ(View(window).Score().GetActiveInstrument(), activeInstrument);
  window.MidiOutput().Close();

  // Two whole-note measures of 2 s at tempo 120 and the render's tail.
  EXPECT_NEAR(SoxStat(wav, "Length (seconds)"), 5.0, 0.01);
  // Silence is all zeros; the synthesizer's default gain puts a piano at
  // velocity 64 about 33 dB below full scale.
  EXPECT_GT(SoxStat(wav, "Maximum amplitude"), 0.01);
  EXPECT_GT(SoxStat(wav, "RMS     amplitude"), 0.001);
  std::filesystem::remove(wav);
}

TEST(MainWindowPlay, StopIsOfferedWhilePlayingAndPlayAgainAfterTheStop) {
  auto clock = std::make_unique<FakePlayClock>();
  // Held in the second measure.
  clock->HoldFrom(2'100'000'000);
  FakePlayClock& time = *clock;
  auto ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                                   std::vector<std::string>{});
  np::TestMidiPorts& sent = *ports;
  nv::app::TFProgramModule window(Playing(std::move(ports), std::move(clock)));
  ASSERT_NE(window.OpenDocument(FixtureFile("stop-fixture.sfd"), false), nullptr);
  ShowAndPaint(window);
  QAction& play = window.Actions().Action("score.play");
  QAction& stop = window.Actions().Action("score.stop");
  EXPECT_TRUE(play.isEnabled());
  EXPECT_FALSE(stop.isEnabled());

  play.trigger();
  time.WaitUntilHeld();
  EXPECT_FALSE(play.isEnabled());
  EXPECT_TRUE(stop.isEnabled());
  // The status bar's playing panel animates on the main timer.
  using nv::widgets::StatusPanel;
  EXPECT_TRUE(window.StatusBar().Animation().Active(StatusPanel::Playing));
  EXPECT_FALSE(window.StatusBar().Animation().Active(StatusPanel::Printing));
  QTest::qWait(500);
  EXPECT_GT(window.StatusBar().Animation().Frame(StatusPanel::Playing), 0);
  // The cursor follows playback into the second measure.
  for (int i = 0; i < 200 && View(window).Score().CursorMeasure() != 1; ++i) QTest::qWait(5);
  EXPECT_EQ(View(window).Score().CursorMeasure(), 1);

  stop.trigger();
  EXPECT_FALSE(Page(window).Document().Playing());
  QApplication::processEvents();
  EXPECT_TRUE(play.isEnabled());
  EXPECT_FALSE(stop.isEnabled());
  EXPECT_FALSE(window.StatusBar().Animation().Active(StatusPanel::Playing));
  // The C of the second measure was sounding; the stop ended it.
  const auto calls = sent.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().Bytes, (std::vector<std::uint8_t>{0x80, 0x3C, 0x40}));
}

TEST(MainWindowPlay, RecordRunsTheInputUntilStopClosesItAndTheOutput) {
  auto ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                                   std::vector<std::string>{"Keys"});
  np::TestMidiPorts& devices = *ports;
  nv::app::TFProgramModule window(Playing(std::move(ports), std::make_unique<FakePlayClock>()));
  ASSERT_NE(window.OpenDocument(FixtureFile("record-fixture.sfd"), false), nullptr);
  ShowAndPaint(window);
  QAction& play = window.Actions().Action("score.play");
  QAction& record = window.Actions().Action("score.record");
  QAction& stop = window.Actions().Action("score.stop");
  EXPECT_TRUE(record.isEnabled());
  EXPECT_FALSE(devices.InputOpen(0));

  record.trigger();
  EXPECT_TRUE(window.Playback().Recording());
  EXPECT_TRUE(devices.InputOpen(0));
  EXPECT_TRUE(window.MidiOutput().IsOpen());
  // The input was started: a key pressed on it arrives.
  EXPECT_TRUE(devices.Receive(0, 0x403C90));
  EXPECT_FALSE(play.isEnabled());
  EXPECT_FALSE(record.isEnabled());
  EXPECT_TRUE(stop.isEnabled());
  using nv::widgets::StatusPanel;
  EXPECT_TRUE(window.StatusBar().Animation().Active(StatusPanel::Recording));
  EXPECT_FALSE(window.StatusBar().Animation().Active(StatusPanel::Playing));

  stop.trigger();
  QApplication::processEvents();
  EXPECT_FALSE(window.Playback().Recording());
  EXPECT_FALSE(devices.InputOpen(0));
  EXPECT_FALSE(window.MidiOutput().IsOpen());
  EXPECT_FALSE(devices.Receive(0, 0x403C90));
  EXPECT_TRUE(play.isEnabled());
  EXPECT_TRUE(record.isEnabled());
  EXPECT_FALSE(stop.isEnabled());
  EXPECT_FALSE(window.StatusBar().Animation().Active(StatusPanel::Recording));
}

TEST(MainWindowPlay, StopAfterPlayClosesTheOutput) {
  auto clock = std::make_unique<FakePlayClock>();
  clock->HoldFrom(1'000'000'000);
  FakePlayClock& time = *clock;
  nv::app::TFProgramModule window(Playing(
      std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                          std::vector<std::string>{}),
      std::move(clock)));
  ASSERT_NE(window.OpenDocument(FixtureFile("close-fixture.sfd"), false), nullptr);
  ShowAndPaint(window);
  window.Actions().Action("score.play").trigger();
  time.WaitUntilHeld();
  EXPECT_TRUE(window.Playback().Playing());
  EXPECT_TRUE(window.MidiOutput().IsOpen());
  EXPECT_FALSE(window.Actions().Action("score.record").isEnabled());

  window.Actions().Action("score.stop").trigger();
  EXPECT_FALSE(window.Playback().Playing());
  EXPECT_FALSE(window.MidiOutput().IsOpen());
  EXPECT_TRUE(window.Actions().Action("score.record").isEnabled());
}

TEST(MainWindowPlay, ClosingTheDocumentThatPlaysStopsIt) {
  auto clock = std::make_unique<FakePlayClock>();
  clock->HoldFrom(1'000'000'000);
  FakePlayClock& time = *clock;
  nv::app::TFProgramModule window(Playing(
      std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                          std::vector<std::string>{}),
      std::move(clock)));
  ASSERT_NE(window.OpenDocument(FixtureFile("closed-playing.sfd"), false), nullptr);
  ShowAndPaint(window);
  window.Actions().Action("score.play").trigger();
  time.WaitUntilHeld();
  ASSERT_TRUE(window.Playback().Playing());

  window.Actions().Action("file.close").trigger();
  ASSERT_TRUE(window.Documents().empty());
  EXPECT_FALSE(window.Playback().Playing());
  EXPECT_FALSE(window.MidiOutput().IsOpen());
  // The next score is offered Play.
  ASSERT_NE(window.OpenDocument(FixtureFile("after-closed.sfd"), false), nullptr);
  EXPECT_TRUE(window.Actions().Action("score.play").isEnabled());
}

TEST(MainWindowPlay, TheTempoBarSetsTheActiveScoresScaleAndFollowsTheTabs) {
  auto ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                                   std::vector<std::string>{});
  np::TestMidiPorts& devices = *ports;
  nv::app::TFProgramModule window(Playing(std::move(ports), std::make_unique<FakePlayClock>()));
  ASSERT_NE(window.OpenDocument(FixtureFile("tempo-first.sfd"), false), nullptr);
  TECMusicScore& first = Page(window).Document().Score();
  const QString word =
      QString::fromStdString(nv::widgets::LanguageTexts().GetString(nv::platform::form_key::kMainWindow, 22));
  QSlider& tempo = window.TempoBar();
  EXPECT_EQ(tempo.value(), 100);
  EXPECT_EQ(tempo.toolTip(), word + " = 100% * 120 = 120");

  tempo.setValue(150);
  EXPECT_EQ(first.GetTempoScale(), 225);
  EXPECT_EQ(tempo.value(), 150);
  EXPECT_EQ(tempo.toolTip(), word + " = 225% * 120 = 270");

  // Another score in its own tab shows its own scale, and the first its own
  // again when its tab comes back.
  ASSERT_NE(window.OpenDocument(FixtureFile("tempo-second.sfd"), false), nullptr);
  EXPECT_EQ(Page(window).Document().Score().GetTempoScale(), 100);
  EXPECT_EQ(tempo.value(), 100);
  window.Files().SetActivePage(window.Files().SheetOf(&window.Documents().front()->Widget()));
  EXPECT_EQ(tempo.value(), 158);
  EXPECT_EQ(tempo.toolTip(), word + " = 225% * 120 = 270");
  EXPECT_EQ(first.GetTempoScale(), 225);
  // A change of the score itself moves the bar.
  first.SetTempoScale(400);
  QApplication::processEvents();
  EXPECT_EQ(tempo.value(), 200);

  // The volume goes to both channels of the output.
  window.VolumeBar().setValue(40000);
  EXPECT_EQ(devices.LastVolume(), (40000u << 16) | 40000u);
}

}  // namespace
