#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/sound/midi_ports.h"
#include "platform/sound/system_midi_ports.h"
#include "platform/sound/test_midi_ports.h"

namespace {

namespace np = nv::platform;

TEST(MidiPorts, ShortMessageLengthsComeFromTheStatus) {
  struct Case {
    std::uint8_t Status;
    int Length;
  };
  const Case cases[] = {
      {0x00, 0}, {0x7F, 0}, {0x80, 3}, {0x9F, 3}, {0xA0, 3}, {0xB5, 3}, {0xC0, 2}, {0xDF, 2}, {0xE0, 3},
      {0xF0, 0}, {0xF1, 2}, {0xF2, 3}, {0xF3, 2}, {0xF4, 0}, {0xF5, 0}, {0xF6, 1}, {0xF7, 0}, {0xF8, 1},
      {0xFA, 1}, {0xFC, 1}, {0xFD, 0}, {0xFE, 1}, {0xFF, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(np::ShortMessageLength(c.Status), c.Length) << int{c.Status};
}

TEST(MidiPorts, RefusedMessagesNeverReachTheDevice) {
  np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {"Out"}, {});
  std::unique_ptr<np::MidiOutPort> port;
  ASSERT_EQ(ports.OpenOutput(0, port), np::midi_error::kNone);
  for (std::uint32_t packed : {0xFFu, 0x2FFFu, 0xF4u, 0xF5u, 0xF7u, 0xF0u, 0x3Cu, 0x3C8090u,
                               0x803C90u, 0x00F190u})
    EXPECT_EQ(port->SendShort(packed), np::midi_error::kInvalidMessage) << std::hex << packed;
  const std::uint8_t unterminated[] = {0xF0, 0x01, 0x02};
  EXPECT_EQ(port->SendLong(unterminated, sizeof unterminated), np::midi_error::kInvalidMessage);
  EXPECT_TRUE(ports.Calls().empty());
  EXPECT_EQ(port->SendShort(0xFE), np::midi_error::kNone);
  ASSERT_EQ(ports.Calls().size(), 1u);
  EXPECT_EQ(ports.Calls()[0].Bytes, std::vector<std::uint8_t>{0xFE});
}

TEST(MidiPorts, SendsFromManyThreadsArriveWhole) {
  np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {"Out"}, {});
  std::unique_ptr<np::MidiOutPort> port;
  ASSERT_EQ(ports.OpenOutput(0, port), np::midi_error::kNone);
  std::vector<std::thread> senders;
  for (int t = 0; t < 4; ++t)
    senders.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) port->SendShort((0x90u + t) | (i % 128) << 8 | 64u << 16);
    });
  for (auto& sender : senders) sender.join();
  const auto calls = ports.Calls();
  ASSERT_EQ(calls.size(), 2000u);
  for (const auto& call : calls) {
    ASSERT_EQ(call.Bytes.size(), 3u);
    EXPECT_EQ(call.Bytes[0] & 0xF0, 0x90);
    EXPECT_EQ(call.Bytes[2], 64);
  }
}

TEST(MidiPorts, AnUnknownCodeHasNoText) {
  std::string text;
  EXPECT_TRUE(np::MidiErrorText(np::midi_error::kBadDeviceId, text));
  EXPECT_FALSE(np::MidiErrorText(12345, text));
}

TEST(SystemMidiPorts, TheSynthesizerIsOutputZeroAndTheMappersTarget) {
  np::SystemMidiPorts ports;
  np::MidiDeviceCaps caps;
  ASSERT_EQ(ports.OutputCaps(0, caps), np::midi_error::kNone);
  EXPECT_EQ(caps.Name, np::SystemMidiPorts::kSynthesizerName);
  ASSERT_EQ(ports.OutputCaps(-1, caps), np::midi_error::kNone);
  EXPECT_EQ(caps.Name, np::kMidiMapperName);
  EXPECT_EQ(ports.OutputCaps(-2, caps), np::midi_error::kBadDeviceId);
  EXPECT_EQ(ports.OutputCaps(ports.OutputCount(), caps), np::midi_error::kBadDeviceId);
  if (!std::filesystem::exists("/dev/snd/seq")) {
    EXPECT_EQ(ports.OutputCount(), 1);
    EXPECT_EQ(ports.InputCount(), 0);
  }
}

TEST(SystemMidiPorts, OpeningTheSynthesizerWithoutSoundFailsWithAClearText) {
  np::SystemMidiPorts ports;
  std::unique_ptr<np::MidiOutPort> port;
  const int result = ports.OpenOutput(-1, port);
  if (result == np::midi_error::kNone) GTEST_SKIP() << "this machine has an audio output";
  std::string text;
  ASSERT_TRUE(np::MidiErrorText(result, text));
  if (np::GmSynthesizer::FindSoundfont().empty()) {
    EXPECT_EQ(result, np::midi_error::kNoSoundfont);
  } else {
    EXPECT_EQ(result, np::midi_error::kNoAudioDevice);
    EXPECT_EQ(text, "No audio output could be opened (PipeWire, PulseAudio and ALSA were tried).");
  }
  EXPECT_FALSE(port);
  // A second try fails the same way; the sound font is not loaded again.
  EXPECT_EQ(ports.OpenOutput(0, port), result);
}

}  // namespace
