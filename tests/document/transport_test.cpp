#include "document/transport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "document/command_states.h"
#include "startup_fixture.h"

namespace {

using nv::document::Transport;

// The devices and the document window, as a log of what was done to them.
class Devices : public nv::document::TransportHost {
 public:
  bool HasDocument() const override { return document; }
  bool OpenOutput() override {
    log.push_back("open output");
    outputOpen = outputWorks;
    return outputOpen;
  }
  void CloseOutput() override {
    log.push_back("close output");
    outputOpen = false;
  }
  bool OpenInput() override {
    log.push_back("open input");
    inputOpen = inputWorks;
    return inputOpen;
  }
  void CloseInput() override {
    log.push_back("close input");
    inputOpen = false;
  }
  std::string InputError() const override { return "The MIDI input \"Keys\" is in use"; }
  void OutputFailed() override { log.push_back("output failed"); }
  void StartPlayback() override {
    log.push_back("start playback");
    if (startFails) throw std::runtime_error("bar 3 of staff 1 cannot be played");
  }
  void StopPlayback() override { log.push_back("stop playback"); }
  std::int64_t RecordClock() override {
    log.push_back("clock");
    return 1234;
  }
  void StartRecord(std::int64_t start) override { log.push_back("start record at " + std::to_string(start)); }
  void StopRecord() override { log.push_back("stop record"); }
  void RepaintStatus() override {}
  void UpdateActions() override {
    ASSERT_NE(transport, nullptr);
    nv::document::CommandState state;
    state.HasDocument = document;
    state.Playing = transport->Playing();
    state.Recording = transport->Recording();
    playEnabled = nv::document::UpdateActions("score.play", state)->Enabled;
    stopEnabled = nv::document::UpdateActions("score.stop", state)->Enabled;
    ++updates;
  }

  const Transport* transport = nullptr;
  std::vector<std::string> log;
  bool document = true;
  bool outputWorks = true;
  bool inputWorks = true;
  bool startFails = false;
  bool outputOpen = false;
  bool inputOpen = false;
  bool playEnabled = true;
  bool stopEnabled = false;
  int updates = 0;
};

class TransportTest : public ::testing::Test {
 protected:
  TransportTest() { devices_.transport = &transport_; }
  Devices devices_;
  startup_fixture::RecordingPrompt prompt_;
  startup_fixture::NumberedTexts texts_;
  Transport transport_{devices_, prompt_, texts_};
};

TEST_F(TransportTest, PlayThenStopSwapsTheCommandsAndClosesTheOutput) {
  transport_.Play();
  EXPECT_TRUE(transport_.Playing());
  EXPECT_TRUE(transport_.Animating());
  EXPECT_FALSE(devices_.playEnabled);
  EXPECT_TRUE(devices_.stopEnabled);
  transport_.Stop();
  EXPECT_FALSE(transport_.Playing());
  EXPECT_FALSE(transport_.Animating());
  EXPECT_TRUE(devices_.playEnabled);
  EXPECT_FALSE(devices_.stopEnabled);
  EXPECT_FALSE(devices_.outputOpen);
  EXPECT_EQ(devices_.log, (std::vector<std::string>{"open output", "start playback", "stop playback", "close output"}));
}

TEST_F(TransportTest, AnOutputThatDoesNotOpenStartsNothingAndSaysNothing) {
  devices_.outputWorks = false;
  transport_.Play();
  EXPECT_FALSE(transport_.Playing());
  EXPECT_FALSE(transport_.Animating());
  EXPECT_TRUE(prompt_.Shown.empty());
  EXPECT_EQ(devices_.log, std::vector<std::string>{"open output"});
}

TEST_F(TransportTest, AStartThatRaisesShowsTheErrorAndLeavesPlayEnabled) {
  devices_.startFails = true;
  transport_.Play();
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_EQ(prompt_.Shown[0], "text 21: text 7\nbar 3 of staff 1 cannot be played");
  EXPECT_FALSE(transport_.Playing());
  EXPECT_FALSE(transport_.Animating());
  EXPECT_FALSE(devices_.outputOpen);
  EXPECT_TRUE(devices_.playEnabled);
  EXPECT_FALSE(devices_.stopEnabled);
  // And it can be tried again.
  devices_.startFails = false;
  transport_.Play();
  EXPECT_TRUE(transport_.Playing());
}

TEST_F(TransportTest, RecordOpensTheInputThenTheOutputAndStopClosesThemInTheSameOrder) {
  transport_.Record();
  EXPECT_TRUE(transport_.Recording());
  EXPECT_FALSE(devices_.playEnabled);
  EXPECT_TRUE(devices_.stopEnabled);
  transport_.Play();
  EXPECT_FALSE(transport_.Playing());
  transport_.Stop();
  EXPECT_FALSE(transport_.Recording());
  EXPECT_EQ(devices_.log, (std::vector<std::string>{"open input", "clock", "open output", "start record at 1234",
                                                    "stop record", "close input", "close output"}));
}

TEST_F(TransportTest, AnInputThatDoesNotOpenLeavesRecordingUnstartedAndSaysWhy) {
  devices_.inputWorks = false;
  transport_.Record();
  EXPECT_FALSE(transport_.Recording());
  EXPECT_EQ(devices_.log, (std::vector<std::string>{"open input", "clock"}));
  EXPECT_EQ(devices_.updates, 1);
  EXPECT_EQ(prompt_.Shown, (std::vector<std::string>{"text 21: text 7\nThe MIDI input \"Keys\" is in use"}));
}

TEST_F(TransportTest, WithoutAnOutputTheTakeRecordsSilently) {
  devices_.outputWorks = false;
  transport_.Record();
  EXPECT_TRUE(transport_.Recording());
  EXPECT_EQ(devices_.log, (std::vector<std::string>{"open input", "clock", "open output", "output failed",
                                                    "start record at 1234"}));
  EXPECT_TRUE(prompt_.Shown.empty());
}

TEST_F(TransportTest, WithoutADocumentNothingHappens) {
  devices_.document = false;
  transport_.Play();
  transport_.Record();
  transport_.Stop();
  EXPECT_TRUE(devices_.log.empty());
}

TEST_F(TransportTest, PlaybackThatEndsByItselfClearsTheFlags) {
  transport_.Play();
  transport_.PlaybackEnded();
  EXPECT_FALSE(transport_.Playing());
  EXPECT_FALSE(transport_.Animating());
  EXPECT_TRUE(devices_.playEnabled);
}

}  // namespace
