#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/score_document.h"
#include "formats/external_tools.h"
#include "playback/fake_play_clock.h"
#include "playback/midi_input.h"
#include "playback/midi_output.h"
#include "playback/play_recorder.h"
#include "model/memory_stream.h"
#include "model/score_builder.h"
#include "platform/sound/test_midi_ports.h"
#include "sent_messages.h"
#include "support/manual_ui_thread.h"

namespace {

namespace np = nv::platform;
using nv::document::ScoreDocument;
using nv::document::Subscription;

// A file of one measure with a quarter C5 at tempo 120.
std::string QuarterC5File() {
  auto score = score_builder::MakeScore(1, 1);
  score_builder::AddNote(*score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0), 1, 5, 32, 0);
  score->SetTempo(120);
  MemoryStream stream;
  score->SaveToStream(stream);
  return external_tools::WriteTemporary("quarter-c5.sfd", stream.Data()).string();
}

TEST(DocumentPlayback, AQuarterAtTempo120SoundsForHalfASecondThroughTheProgramsOutput) {
  auto clock = std::make_unique<FakePlayClock>();
  FakePlayClock& time = *clock;
  np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {"Synthesizer"}, {}, [&] { return time.Now(); });
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  ScoreDocument document;
  document.Load(QuarterC5File());
  document.ConnectPlayback(output, ui, std::move(clock));
  int ends = 0;
  const Subscription token = document.Notices().PlayEnded.Subscribe([&] {
    ++ends;
    EXPECT_FALSE(document.Playing());
  });

  document.Play();
  ASSERT_TRUE(WaitUntilClear(document.Score().Playing));
  EXPECT_EQ(ends, 0);  // handed to the GUI thread
  ui.RunPending();
  EXPECT_EQ(ends, 1);
  // Output device 0, opened by the first message: the program, then the note.
  EXPECT_EQ(output.GetDeviceID(), 0);
  EXPECT_EQ(SentMessages(ports), (std::vector<std::string>{"0 C0 00", "0 90 3C 40", "500 80 3C 40"}));
}

TEST(DocumentPlayback, TheDocumentsEndStopsPlaybackFirst) {
  auto clock = std::make_unique<FakePlayClock>();
  clock->HoldFrom(1);
  FakePlayClock& time = *clock;
  np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {"Synthesizer"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  {
    ScoreDocument document;
    document.Load(QuarterC5File());
    document.ConnectPlayback(output, ui, std::move(clock));
    document.Play();
    time.WaitUntilHeld();
  }
  // The note that sounded was ended; the end marker stayed in the process.
  const std::vector<std::string> sent = SentMessages(ports);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back().substr(sent.back().find(' ')), " 80 3C 40");
  ui.RunPending();
}

TEST(DocumentPlayback, MessagesOfTheProgramsInputReachTheDocumentsListeners) {
  np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {}, {"Keys"});
  ManualUiThread ui;
  TMidiInput input(ports, ui);
  ScoreDocument document;
  document.ListenTo(&input);
  std::vector<std::vector<int>> heard;
  const Subscription token = document.Notices().MidiIn.Subscribe(
      [&](std::uint8_t status, std::uint8_t data1, std::uint32_t, std::uint8_t data2) {
        heard.push_back({status, data1, data2});
      });
  ASSERT_TRUE(input.Open());
  input.Start();
  ASSERT_TRUE(ports.Receive(0, 0x90 | 0x3C << 8 | 0x50 << 16));
  ASSERT_TRUE(ports.Receive(0, 0x80 | 0x3C << 8 | 0x40 << 16));
  EXPECT_TRUE(heard.empty());  // the port's thread only fills the ring
  ui.RunPending();
  EXPECT_EQ(heard, (std::vector<std::vector<int>>{{0x90, 0x3C, 0x50}, {0x80, 0x3C, 0x40}}));
  document.ListenTo(nullptr);
  EXPECT_FALSE(input.OnMidiInput);
  input.Close();
}

}  // namespace
