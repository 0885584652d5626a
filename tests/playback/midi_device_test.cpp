#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/midi_input.h"
#include "playback/midi_output.h"
#include "platform/sound/test_midi_ports.h"
#include "support/manual_ui_thread.h"

namespace {

namespace np = nv::platform;
using Mode = np::TestMidiPorts::Mode;

std::string RaisedText(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(nothing raised)";
}

TMyMidiEvent ShortEvent(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  TMyMidiEvent event;
  event.MidiMessage = status;
  event.Data1 = data1;
  event.Data2 = data2;
  return event;
}

struct InputFixture {
  np::TestMidiPorts ports{Mode::Loopback, {"Synth", "Port A"}, {"Keys", "Pads"}};
  ManualUiThread ui;
  TMidiInput input{ports, ui};
  int inputs = 0;
  int overflows = 0;
  InputFixture() {
    input.OnMidiInput = [this](TMidiInput*) { ++inputs; };
    input.OnOverflow = [this](TMidiInput*) { ++overflows; };
  }
  void OpenAndStart() {
    ASSERT_TRUE(input.Open());
    input.Start();
  }
};

TEST(MidiInput, AFullRingKeepsItsCapacityAndReportsEachLostEventOnce) {
  InputFixture f;
  f.OpenAndStart();
  for (int i = 0; i < 1025; ++i) f.ports.Receive(0, 0x403C90);
  EXPECT_EQ(f.input.PendingCount(), 1024);
  EXPECT_EQ(f.inputs, 0);  // nothing fires off the GUI thread
  f.ui.RunPending();
  EXPECT_EQ(f.inputs, 1);
  EXPECT_EQ(f.overflows, 1);
  EXPECT_EQ(f.input.PendingCount(), 1024);
}

TEST(MidiInput, ActiveSensingAndTimingClockAreNeverStored) {
  InputFixture f;
  f.OpenAndStart();
  f.ports.Receive(0, 0xFE);
  f.ports.Receive(0, 0xF8);
  f.ports.Receive(0, 0x7F3C90);
  ASSERT_EQ(f.input.PendingCount(), 1);
  const auto event = f.input.TakeEvent();
  ASSERT_TRUE(event);
  EXPECT_EQ(event->MidiMessage, 0x90);
  EXPECT_EQ(event->Data1, 0x3C);
  EXPECT_EQ(event->Data2, 0x7F);
  EXPECT_FALSE(f.input.TakeEvent());
}

TEST(MidiInput, SysexOnlyStoresNoShortMessage) {
  InputFixture f;
  f.input.SetSysexOnly(true);
  f.OpenAndStart();
  f.ports.Receive(0, 0x403C90);
  EXPECT_EQ(f.input.PendingCount(), 0);
  const std::uint8_t block[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  f.ports.ReceiveBlock(0, block, sizeof block);
  EXPECT_EQ(f.input.PendingCount(), 1);
}

TEST(MidiInput, ABlockThroughLoopbackArrivesWholeAndItsBufferGoesBack) {
  InputFixture f;
  f.OpenAndStart();
  TMidiOutput output(f.ports, f.ui);
  ASSERT_TRUE(output.Open());
  const std::vector<std::uint8_t> block = {0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0x12, 0xF7};
  const int buffers = f.ports.WaitingBuffers(0);
  EXPECT_EQ(buffers, 16);
  output.SendLong(block.data(), static_cast<std::uint16_t>(block.size()));
  EXPECT_EQ(f.ports.WaitingBuffers(0), buffers - 1);
  f.ui.RunPending();
  EXPECT_EQ(f.inputs, 1);
  const auto event = f.input.TakeEvent();
  ASSERT_TRUE(event);
  EXPECT_EQ(event->MidiMessage, 0xF0);
  EXPECT_EQ(event->Data1, 0);
  EXPECT_EQ(event->Data2, 0);
  EXPECT_EQ(event->SysexLength, 10);
  EXPECT_EQ(event->Sysex, block);
  EXPECT_EQ(f.ports.WaitingBuffers(0), buffers);
}

TEST(MidiInput, ShortMessagesThroughLoopbackKeepTheirOrder) {
  InputFixture f;
  f.OpenAndStart();
  TMidiOutput output(f.ports, f.ui);
  ASSERT_TRUE(output.Open());
  output.SendShort(0x90, 60, 100);
  output.SendShort(0xC0, 5, 0);
  output.SendShort(0x80, 60, 64);
  std::vector<std::uint8_t> statuses;
  f.input.OnMidiInput = [&](TMidiInput* sender) {
    while (auto event = static_cast<TMidiInput*>(sender)->TakeEvent()) statuses.push_back(event->MidiMessage);
  };
  f.ui.RunPending();
  EXPECT_EQ(statuses, (std::vector<std::uint8_t>{0x90, 0xC0, 0x80}));
}

TEST(MidiInput, DeviceIdOutOfRangeOrWhileOpenIsRefused) {
  InputFixture f;
  EXPECT_EQ(f.input.GetDeviceID(), 0);
  EXPECT_EQ(f.input.GetProductName(), "Keys");
  EXPECT_EQ(RaisedText([&] { f.input.SetDeviceID(5); }), "Invalid device ID");
  EXPECT_EQ(RaisedText([&] { f.input.SetDeviceID(-1); }), "Invalid device ID");
  f.input.SetDeviceID(1);
  EXPECT_EQ(f.input.GetProductName(), "Pads");
  ASSERT_TRUE(f.input.Open());
  EXPECT_EQ(RaisedText([&] { f.input.SetDeviceID(0); }), "Change to DeviceID while device was open");
  EXPECT_EQ(RaisedText([&] { f.input.SetProductName("Keys"); }), "Change to ProductName while device was open");
  EXPECT_EQ(RaisedText([&] { f.input.SetSysexBufferSize(10); }), "Change to SysexBufferSize while device was open");
  EXPECT_EQ(RaisedText([&] { f.input.SetSysexBufferCount(1); }), "Change to SysexBuffercount while device was open");
}

TEST(MidiInput, ProductNameSelectsItsDevice) {
  InputFixture f;
  f.input.SetProductName("Pads");
  EXPECT_EQ(f.input.GetDeviceID(), 1);
  EXPECT_EQ(RaisedText([&] { f.input.SetProductName("Drums"); }), "MIDI Input Device Drums not installed ");
  EXPECT_EQ(f.input.GetDeviceID(), 1);
}

TEST(MidiInput, SysexBufferSizeAboveWhatAnEventCarriesIsRefused) {
  InputFixture f;
  f.input.SetSysexBufferSize(65535);
  EXPECT_EQ(RaisedText([&] { f.input.SetSysexBufferSize(65536); }), "Invalid SysexBufferSize");
  EXPECT_EQ(f.input.GetSysexBufferSize(), 65535);
}

TEST(MidiInput, ClosingFreesTheRing) {
  InputFixture f;
  f.OpenAndStart();
  f.ports.Receive(0, 0x403C90);
  ASSERT_EQ(f.input.PendingCount(), 1);
  f.input.Close();
  EXPECT_FALSE(f.input.IsOpen());
  EXPECT_FALSE(f.ports.InputOpen(0));
  EXPECT_EQ(f.input.PendingCount(), 0);
  EXPECT_FALSE(f.input.TakeEvent());
  // The wake given before closing finds nothing to announce.
  f.ui.RunPending();
  EXPECT_EQ(f.inputs, 0);
}

TEST(MidiInput, CloseTakesEveryStepThenRaisesTheFirstError) {
  InputFixture f;
  f.OpenAndStart();
  f.ports.Fail.Reset = np::midi_error::kNotReady;
  f.ports.Fail.Close = np::midi_error::kInvalidHandle;
  EXPECT_EQ(RaisedText([&] { f.input.Close(); }), "The MIDI device is busy. Try again later.");
  EXPECT_FALSE(f.input.IsOpen());
  EXPECT_FALSE(f.ports.InputOpen(0));
}

TEST(MidiInput, AFailedOpenLeavesItClosedWithTheCode) {
  InputFixture f;
  f.ports.Fail.AddBuffer = np::midi_error::kNotEnabled;
  EXPECT_FALSE(f.input.Open());
  EXPECT_EQ(f.input.Error(), np::midi_error::kNotEnabled);
  EXPECT_FALSE(f.input.IsOpen());
  EXPECT_FALSE(f.ports.InputOpen(0));
}

TEST(MidiInput, AFailedReAddStillRemovesTheSlot) {
  InputFixture f;
  f.OpenAndStart();
  const std::uint8_t block[] = {0xF0, 0x01, 0xF7};
  f.ports.ReceiveBlock(0, block, sizeof block);
  f.ports.Fail.AddBuffer = np::midi_error::kNotReady;
  EXPECT_EQ(RaisedText([&] { f.input.TakeEvent(); }), "The MIDI device is busy. Try again later.");
  EXPECT_EQ(f.input.PendingCount(), 0);
}

TEST(MidiInput, AnUnknownCodeHasTheOutOfRangeText) {
  InputFixture f;
  ASSERT_TRUE(f.input.Open());
  f.ports.Fail.Start = 9999;
  EXPECT_EQ(RaisedText([&] { f.input.Start(); }), "Specified error number is out of range");
}

TEST(MidiOutput, ProductNameSelectsADeviceOrTheMapper) {
  np::TestMidiPorts ports(Mode::Null, {"Synth", "Port A"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  output.SetProductName("Port A");
  EXPECT_EQ(output.GetDeviceID(), 1);
  output.SetProductName(np::kMidiMapperName);
  EXPECT_EQ(output.GetDeviceID(), -1);
  EXPECT_EQ(RaisedText([&] { output.SetProductName("Organ"); }), "MIDI output Device Organ not installed");
  EXPECT_EQ(output.GetDeviceID(), -1);
  output.Loading = true;
  output.SetProductName("Organ");
  EXPECT_EQ(output.GetDeviceID(), -1);
}

TEST(MidiOutput, DeviceRulesAndTexts) {
  np::TestMidiPorts ports(Mode::Null, {"Synth", "Port A"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  EXPECT_EQ(RaisedText([&] { output.SetDeviceID(2); }), "Invalid device ID");
  output.SetDeviceID(-1);
  EXPECT_EQ(output.GetProductName(), np::kMidiMapperName);
  EXPECT_EQ(RaisedText([&] { output.SendEvent(ShortEvent(0x90, 60, 64)); }), "MIDI Output device not open");
  ASSERT_TRUE(output.Open());
  EXPECT_EQ(RaisedText([&] { output.SetDeviceID(0); }), "Change to DeviceID while device was open");
  EXPECT_EQ(RaisedText([&] { output.SetProductName("Synth"); }), "Change to ProductName while device was open");
  output.SendEvent(ShortEvent(0x90, 60, 64));
  ASSERT_EQ(ports.Calls().size(), 1u);
  EXPECT_EQ(ports.Calls()[0].Port, 0);  // the mapper plays on device 0
  EXPECT_EQ(ports.Calls()[0].Bytes, (std::vector<std::uint8_t>{0x90, 60, 64}));
  output.SetVolume(0x1234, 0xABCD);
  EXPECT_EQ(ports.LastVolume(), 0x1234ABCDu);
  ports.Fail.Close = np::midi_error::kNotEnabled;
  EXPECT_EQ(RaisedText([&] { output.Close(); }), "The MIDI device is not enabled.");
  EXPECT_FALSE(output.IsOpen());
}

TEST(MidiOutput, AFailedOpenReportsByItsResult) {
  np::TestMidiPorts ports(Mode::Null, {"Synth"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  ports.Fail.Open = np::midi_error::kAllocated;
  EXPECT_FALSE(output.Open());
  EXPECT_EQ(output.LastError(), np::midi_error::kAllocated);
  EXPECT_FALSE(output.IsOpen());
}

TEST(MidiOutput, InvalidShortMessagesNeverLeave) {
  np::TestMidiPorts ports(Mode::Null, {"Synth"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  ASSERT_TRUE(output.Open());
  output.SendShort(0xFF, 47, 0);
  EXPECT_EQ(output.LastError(), np::midi_error::kInvalidMessage);
  output.SendShort(0x90, 0x80, 1);
  EXPECT_EQ(output.LastError(), np::midi_error::kInvalidMessage);
  EXPECT_TRUE(ports.Calls().empty());
  // A program change is two bytes: the third is not sent, whatever it holds.
  output.SendShort(0xC3, 5, 0xFF);
  EXPECT_EQ(output.LastError(), np::midi_error::kNone);
  ASSERT_EQ(ports.Calls().size(), 1u);
  EXPECT_EQ(ports.Calls()[0].Bytes, (std::vector<std::uint8_t>{0xC3, 5}));
}

TEST(MidiOutput, ABlockSentFiresOnmidioutputOnTheGuiThread) {
  np::TestMidiPorts ports(Mode::Null, {"Synth"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  int done = 0;
  output.Onmidioutput = [&](TMidiOutput*) { ++done; };
  ASSERT_TRUE(output.Open());
  const std::uint8_t block[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  output.SendLong(block, sizeof block);
  EXPECT_EQ(done, 0);
  ui.RunPending();
  EXPECT_EQ(done, 1);
  const std::uint8_t broken[] = {0xF0, 0x80, 0xF7};
  EXPECT_EQ(RaisedText([&] { output.SendLong(broken, sizeof broken); }),
            "The message is not a valid MIDI message for this call.");
}

}  // namespace
