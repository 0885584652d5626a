// The piano and guitar pages of the main window writing into the active
// document, with their previews, and a take recorded from the MIDI input.
#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "answering_dialogs.h"
#include "app/music_editor_page.h"
#include "app/program_module.h"
#include "document/recorder.h"
#include "document/tool_state.h"
#include "editor/guitar.h"
#include "editor/music_keyboard.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/fake_play_clock.h"
#include "support/saved_score.h"
#include "widgets/char_button.h"
#include "widgets/message_block.h"
#include "widgets/page_control.h"

namespace {

namespace np = nv::platform;
using Bytes = std::vector<std::uint8_t>;

// The window over test ports whose clock the test sets, in milliseconds,
// with a prompt that records what it is asked.
class NoteEntryWindow : public ::testing::Test {
 protected:
  void SetUp() override { nv::widgets::InstallMessagePrompt(&prompt); }
  void TearDown() override { nv::widgets::InstallMessagePrompt(nullptr); }

  void Open(std::vector<std::string> inputs = {"Keys"}, std::vector<std::string> outputs = {"Synth"}) {
    auto ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::move(outputs),
                                                     std::move(inputs), [this] { return nowMs * 1'000'000; });
    devices = ports.get();
    nv::app::ProgramServices services;
    services.ports = std::move(ports);
    auto clock = std::make_unique<FakePlayClock>();
    // The metronome clicks up to 4 s, then waits for the stop.
    clock->HoldFrom(4'000'000'000);
    auto shared = std::make_shared<std::unique_ptr<IPlayClock>>(std::move(clock));
    services.recordClock = [shared] { return std::move(*shared); };
    // Playback holds after one second.
    auto play = std::make_unique<FakePlayClock>();
    play->HoldFrom(1'000'000'000);
    playClock = play.get();
    auto playShared = std::make_shared<std::unique_ptr<IPlayClock>>(std::move(play));
    services.playClock = [playShared] { return std::move(*playShared); };
    window = std::make_unique<nv::app::TFProgramModule>(std::move(services));
    window->NewDocument();
    window->resize(1000, 700);
    window->show();
    QApplication::processEvents();
  }
  TECMusicScore& Score() { return window->ActiveEditor()->Document().Score(); }
  // The notes of measure `m` of the first row; none when it has no such measure.
  std::vector<const TECNote*> Notes(int m) {
    std::vector<const TECNote*> notes;
    if (const TECMeasure* measure = Score().CurrentInstrument()->GetRow(0)->GetMeasure(m))
      for (const auto& note : measure->Notes) notes.push_back(note.get());
    return notes;
  }
  template <typename T>
  T& Find(const char* name) {
    T* found = window->Tools().findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  // The messages sent to the output, in order, without their times.
  std::vector<Bytes> Sent() const {
    std::vector<Bytes> sent;
    for (const auto& call : devices->Calls()) sent.push_back(call.Bytes);
    return sent;
  }
  long TimesSent(const Bytes& bytes) const {
    const std::vector<Bytes> sent = Sent();
    return std::count(sent.begin(), sent.end(), bytes);
  }
  bool WasSent(const Bytes& bytes) const { return TimesSent(bytes) > 0; }

  ScriptedPrompt prompt;
  std::int64_t nowMs = 0;
  np::TestMidiPorts* devices = nullptr;
  FakePlayClock* playClock = nullptr;
  std::unique_ptr<nv::app::TFProgramModule> window;
};

TEST_F(NoteEntryWindow, APianoKeyWritesItsNoteAtTheCursorAndSoundsIt) {
  Open();
  Score().SetKeySignatureAtCursor(1);  // G major
  ASSERT_TRUE(window->Commands().Run("tools.piano"));
  auto& keyboard = Find<nv::editor::TECMusicKeyboard>("MKKeyboard");
  nv::editor::KeyboardModel& keys = keyboard.Model();
  EXPECT_EQ(keys.OffsetOctave(), 2);
  keys.SetDurationPosition(2);
  // The flat button, then the key after C5.
  QTest::mouseClick(&Find<nv::widgets::TECCharButton>("CBKBemol"), Qt::LeftButton);
  EXPECT_TRUE(window->InsertionTools().IsDown("CBKBemol"));
  devices->ClearCalls();
  keys.OnKeyClick(5, 1, 1);
  ASSERT_EQ(Notes(0).size(), 1u);
  const TECNote& flat = *Notes(0)[0];
  EXPECT_EQ(flat.Diatonic(), 5 * 7 + 2);  // D5
  EXPECT_EQ(flat.Length, 32);
  ASSERT_FALSE(flat.Attributes.empty());
  EXPECT_EQ(flat.Attributes[0]->Kind, 103);
  // The staff's program, then the clicked key C sharp 5.
  const std::vector<Bytes> sent = Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0][0], 0xC0);
  EXPECT_EQ(sent[1], (Bytes{0x80, 0x3D, 0x40}));
  EXPECT_EQ(sent[2], (Bytes{0x90, 0x3D, 0x40}));
  // A natural F in G major previews F.
  QTest::mouseClick(&Find<nv::widgets::TECCharButton>("CBKBecarre"), Qt::LeftButton);
  keys.OnKeyClick(5, 0, 4);
  EXPECT_TRUE(WasSent({0x90, 65, 0x40}));
  // One undo step per key.
  ASSERT_TRUE(window->Commands().Run("edit.undo"));
  ASSERT_TRUE(window->Commands().Run("edit.undo"));
  EXPECT_TRUE(Notes(0).empty());
}

TEST_F(NoteEntryWindow, TheKeyboardScrollsFurtherTheNarrowerItIs) {
  Open();
  ASSERT_TRUE(window->Commands().Run("tools.piano"));
  QApplication::processEvents();
  auto& piano = Find<QWidget>("PPiano");
  const int side = Find<QWidget>("PKeyboardSymbols").width() + 2;
  auto& keys = Find<nv::editor::TECMusicKeyboard>("MKKeyboard").Model();
  piano.resize(450 + side, 72);
  EXPECT_EQ(keys.MaxOffsetOttave(), 5);
  piano.resize(700 + side, 72);
  EXPECT_EQ(keys.MaxOffsetOttave(), 3);
  EXPECT_EQ(Find<QWidget>("PKeyboardSymbols").x(), keys.PreferredWidth());
}

TEST_F(NoteEntryWindow, FretsWriteEachPitchOnceAsAChord) {
  Open();
  ASSERT_TRUE(window->Commands().Run("tools.guitar"));
  auto& guitar = Find<nv::editor::TECGuitar>("GGuitar");
  EXPECT_EQ(guitar.Model().StringCount(), 6);
  devices->ClearCalls();
  guitar.Model().SetFret(0, 1);  // open E string: 76
  guitar.Model().SetFret(1, 6);  // B string, fret 5: 76 again
  guitar.Model().SetFret(2, 3);  // G string, fret 2: 69
  std::vector<int> heights;
  for (const TECNote* note : Notes(0)) heights.push_back(note->Diatonic());
  std::sort(heights.begin(), heights.end());
  EXPECT_EQ(heights, (std::vector<int>{5 * 7 + 6, 6 * 7 + 3}));  // A5 and E6, once each
  EXPECT_TRUE(WasSent({0x90, 76, 0x40}));
  EXPECT_TRUE(WasSent({0x90, 69, 0x40}));

  // The kind button gives the seven-string neck; the duration button doubles.
  const int duration = window->Settings().GuitarDuration;
  QTest::mouseClick(&Find<nv::widgets::TECCharButton>("CBGuitarKind"), Qt::LeftButton);
  EXPECT_EQ(guitar.Model().StringCount(), 7);
  auto& durationButton = Find<nv::widgets::TECCharButton>("CBGuitarDuration");
  QTest::mouseClick(&durationButton, Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_EQ(window->Settings().GuitarDuration, duration * 2);
}

TEST_F(NoteEntryWindow, ATakeFromTheInputIsOneStepThatUndoTakesOut) {
  Open();
  const SavedScore before(Score());
  ASSERT_TRUE(window->Commands().Run("score.record"));
  ASSERT_TRUE(window->Playback().Recording());
  const nv::document::RecordTiming& timing = window->ActiveEditor()->Document().GetRecorder()->Timing();
  const std::int64_t offset = window->ActiveEditor()->Document().GetRecorder()->TimeOffset();
  // Key 64 two grid steps after the first click, held four steps; echoed as it is played.
  nowMs = offset + 2 * timing.StepTime;
  ASSERT_TRUE(devices->Receive(0, 0x504090));
  QApplication::processEvents();
  EXPECT_EQ(TimesSent({0x90, 0x40, 0x40}), 1);
  EXPECT_EQ(TimesSent({0x80, 0x40, 0x40}), 1);  // before the echo's note-on
  nowMs += 4 * timing.StepTime;
  ASSERT_TRUE(devices->Receive(0, 0x004080));
  QApplication::processEvents();
  EXPECT_EQ(TimesSent({0x80, 0x40, 0x40}), 2);
  const SavedScore take(Score());
  ASSERT_NE(take, before);
  const TECNote* played = nullptr;
  for (const TECNote* note : Notes(0)) played = note;
  ASSERT_NE(played, nullptr);
  EXPECT_EQ(played->Start, 2 * timing.Quantize);
  EXPECT_EQ(played->Length, 4 * timing.Quantize);

  // Undo while recording ends the take first, and the transport with it.
  ASSERT_TRUE(window->Commands().Run("edit.undo"));
  EXPECT_FALSE(window->Playback().Recording());
  EXPECT_FALSE(devices->InputOpen(0));
  EXPECT_EQ(SavedScore(Score()), before);
  ASSERT_TRUE(window->Commands().Run("edit.redo"));
  EXPECT_EQ(SavedScore(Score()), take);
}

TEST_F(NoteEntryWindow, TheNotesPlayedLightUpOnThePianoUntilTheEnd) {
  Open();
  ASSERT_TRUE(window->Commands().Run("tools.piano"));
  auto& keys = Find<nv::editor::TECMusicKeyboard>("MKKeyboard").Model();
  keys.SetDurationPosition(0);
  keys.OnKeyClick(5, 0, 1);  // a whole C5
  Score().SetAbsolutePosition(0);
  ASSERT_TRUE(window->Commands().Run("score.play"));
  playClock->WaitUntilHeld();
  QApplication::processEvents();
  EXPECT_EQ(keys.WhiteMark(23), nv::editor::KeyboardModel::kSounding);
  ASSERT_TRUE(window->Commands().Run("score.stop"));
  QApplication::processEvents();
  for (int i = 0; i < nv::editor::KeyboardModel::kWhiteKeys; ++i) EXPECT_EQ(keys.WhiteMark(i), 0) << i;
}

TEST_F(NoteEntryWindow, RecordWithoutAnInputSaysWhyAndStartsNothing) {
  Open({});
  const SavedScore before(Score());
  window->Commands().Run("score.record");
  EXPECT_FALSE(window->Playback().Recording());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].find("MIDI input"), std::string::npos) << prompt.shown[0];
  EXPECT_EQ(SavedScore(Score()), before);
}

TEST_F(NoteEntryWindow, WithoutAnOutputNotesAreStillWrittenAndTheErrorShowsOnce) {
  Open({"Keys"}, {});
  ASSERT_TRUE(window->Commands().Run("tools.piano"));
  auto& keys = Find<nv::editor::TECMusicKeyboard>("MKKeyboard").Model();
  keys.SetDurationPosition(2);
  keys.OnKeyClick(5, 0, 1);
  keys.OnKeyClick(5, 0, 3);
  EXPECT_EQ(Notes(0).size(), 2u);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].find("MIDI output"), std::string::npos) << prompt.shown[0];
  // A take records without its clicks.
  ASSERT_TRUE(window->Commands().Run("score.record"));
  EXPECT_TRUE(window->Playback().Recording());
  EXPECT_EQ(prompt.shown.size(), 1u);
  ASSERT_TRUE(window->Commands().Run("score.stop"));
}

}  // namespace
