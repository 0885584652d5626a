// Each file, exchange, drum, playback and MIDI device service a window
// uses, run once on a document's score and judged by what it leaves: the
// file read back, the bytes written, the messages a test port received.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/note_calculations.h"
#include "document_fixture.h"
#include "formats/midi_export.h"
#include "formats/musicxml_export.h"
#include "formats/page_picture_export.h"
#include "model/drum_map.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/memory_stream.h"
#include "model/row.h"
#include "model/score_builder.h"
#include "platform/clipboard.h"
#include "platform/recording_canvas.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/fake_play_clock.h"
#include "playback/midi_input.h"
#include "playback/midi_output.h"
#include "playback/play_recorder.h"
#include "sent_messages.h"
#include "startup_fixture.h"
#include "support/manual_ui_thread.h"

namespace {

namespace fs = std::filesystem;
namespace np = nv::platform;
using document_fixture::NoteAt;
using nv::document::ScoreDocument;
using Lines = std::vector<std::string>;

// The notes of row 0 of the active staff as "step octave start length".
Lines RowNotes(TECMusicScore& score) {
  Lines notes;
  const TECRow* row = score.CurrentInstrument()->GetRow(0);
  for (int m = 0; m < row->MeasureCount(); ++m)
    for (const auto& note : row->GetMeasure(m)->Notes)
      notes.push_back(std::to_string(m) + ": " + std::to_string(note->Kind) + " " + std::to_string(note->Octave) +
                      " " + std::to_string(note->Start) + " " + std::to_string(note->Length));
  return notes;
}

std::vector<std::uint8_t> Bytes(const std::function<void(ByteStream&)>& write) {
  MemoryStream stream;
  write(stream);
  return stream.Data();
}

int BigEndian16(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes.at(at) << 8 | bytes.at(at + 1); }

// A surface that records the drawing and hands back white pixels.
class RecordedSurface : public np::RasterSurface {
 public:
  RecordedSurface(int width, int height, Lines& drawn) : width_(width), height_(height), drawn_(drawn) {}
  np::Canvas& canvas() override { return canvas_; }
  np::RasterImage pixels() override {
    drawn_ = canvas_.lines();
    return {width_, height_, 0xFFFFFF};
  }

 private:
  np::RecordingCanvas canvas_;
  int width_, height_;
  Lines& drawn_;
};

// The program's MIDI output and input over test ports, for playback and
// the device services.
struct Devices {
  std::unique_ptr<FakePlayClock> clock = std::make_unique<FakePlayClock>();
  FakePlayClock& time = *clock;
  np::TestMidiPorts ports{np::TestMidiPorts::Mode::Null, {"Synthesizer", "Port B"}, {"Keys"},
                          [this] { return time.Now(); }};
  ManualUiThread ui;
  TMidiOutput output{ports, ui};
  TMidiInput input{ports, ui};
};

struct Services {
  std::unique_ptr<ScoreDocument> document = document_fixture::LoadedDocument();
  fs::path folder;
  TECMusicScore& score() { return document->Score(); }
  // The C, E and G quarters as the file holds them.
  const Lines loaded = RowNotes(document->Score());
  void Select(int start) {
    score().ClearSelection();
    score().SelectElement(NoteAt(score(), start), 0);
  }
};

struct ServiceCase {
  const char* Name;
  std::function<void(Services&)> Check;
};

void PrintTo(const ServiceCase& c, std::ostream* os) { *os << c.Name; }

const ServiceCase kCases[] = {
    {"SaveToFileLoadsBack",
     [](Services& s) {
       const std::string path = (s.folder / "saved.sfd").string();
       s.document->SaveAs(path);
       ScoreDocument again;
       again.Load(path);
       EXPECT_EQ(RowNotes(again.Score()), s.loaded);
       EXPECT_FALSE(again.Modified());
     }},
    {"LoadFromFileImportsEveryMidiExtension",
     [](Services& s) {
       for (const char* extension : {".mid", ".midi", ".kar"}) {
         SCOPED_TRACE(extension);
         const std::string path = (s.folder / (std::string("exported") + extension)).string();
         ExportMidiFile(s.score(), path, false);
         ScoreDocument imported;
         imported.Load(path);
         ASSERT_GE(imported.Score().InstrumentCount(), 1);
         EXPECT_EQ(RowNotes(imported.Score()), s.loaded);
       }
     }},
    {"MidiImportChoiceOfSheetsMakesAStaffPerTrack",
     [](Services& s) {
       // Two staves on channels 1 and 2 export as two note tracks.
       auto two = score_builder::MakeScore(2, 1);
       for (int i = 0; i < 2; ++i) {
         two->GetInstrumentAt(i)->SetChannel(i + 1);
         score_builder::AddNote(*two->GetInstrumentAt(i)->GetRow(0)->GetMeasure(0), 1 + 2 * i, 5, 32, 0);
       }
       const std::string path = (s.folder / "two-tracks.mid").string();
       ExportMidiFile(*two, path, false);
       for (const bool sheets : {false, true}) {
         SCOPED_TRACE(sheets);
         ScoreDocument imported;
         imported.Score().MidiImportGrid = 8;
         imported.Score().MidiSeparateSheets = sheets;
         imported.Load(path);
         int rows = 0;
         for (int i = 0; i < imported.Score().InstrumentCount(); ++i)
           rows += imported.Score().GetInstrumentAt(i)->GetRowCount();
         EXPECT_EQ(imported.Score().InstrumentCount(), sheets ? 2 : 1);
         EXPECT_EQ(rows, 2);
       }
     }},
    {"ExportMidiIsFormatOneAt384",
     [](Services& s) {
       const auto bytes = Bytes([&](ByteStream& out) { ExportMidi(s.score(), out, true); });
       ASSERT_GE(bytes.size(), 14u);
       EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MThd");
       EXPECT_EQ(BigEndian16(bytes, 8), 1);
       EXPECT_EQ(BigEndian16(bytes, 12), 384);
     }},
    {"ExportMusicXmlIsPartwiseAndItsReadingIsRefused",
     [](Services& s) {
       const auto bytes = Bytes([&](ByteStream& out) { ExportMusicXml(s.score(), out); });
       const std::string text(bytes.begin(), bytes.end());
       EXPECT_NE(text.find("<score-partwise"), std::string::npos);
       EXPECT_EQ(text.find("<score-timewise"), std::string::npos);
       const fs::path path = s.folder / "exported.xml";
       startup_fixture::WriteText(path, text);
       // The reader reads no score yet: the open score stays as it was.
       EXPECT_THROW(s.document->Load(path.string()), std::exception);
       EXPECT_EQ(RowNotes(s.score()), s.loaded);
       EXPECT_EQ(s.document->Path(), document_fixture::ThreeNoteFile().string());
     }},
    {"ExportPictureDrawsThePageIntoABitmap",
     [](Services& s) {
       Lines drawn;
       PictureExportOptions options;
       const auto bytes = Bytes([&](ByteStream& out) {
         ExportPicture(s.score(), out, options, [&](int width, int height, int) {
           return std::make_unique<RecordedSurface>(width, height, drawn);
         });
       });
       ASSERT_GE(bytes.size(), 2u);
       EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), "BM");
       EXPECT_FALSE(drawn.empty());
     }},
    {"ExportPdfSaysItIsNotWritten",
     [](Services& s) {
       MemoryStream out;
       EXPECT_THROW(ExportPdf(s.score(), out), EPictureExportError);
       EXPECT_TRUE(out.Data().empty());
     }},
    {"ClipboardCutAndPasteBringTheNoteBack",
     [](Services& s) {
       np::MemoryClipboard clipboard;
       np::installClipboard(&clipboard);
       s.score().ClearSelection();
       EXPECT_FALSE(s.score().CanCopy());
       EXPECT_FALSE(s.score().CanArrange());
       s.Select(32);
       EXPECT_TRUE(s.score().CanCopy());
       EXPECT_TRUE(s.score().CanArrange());
       EXPECT_TRUE(s.score().CopyToClipboard());
       EXPECT_TRUE(s.score().CanPaste());
       EXPECT_TRUE(s.score().CutToClipboard());
       EXPECT_EQ(NoteAt(s.score(), 32), nullptr);
       s.score().SetCursorPosition(32);
       EXPECT_TRUE(s.score().PasteFromClipboard());
       EXPECT_EQ(RowNotes(s.score()), s.loaded);
       np::installClipboard(nullptr);
     }},
    {"AddDrumHeadKeepsOneHeadPerNameWhateverTheCase",
     [](Services& s) {
       const std::size_t before = s.score().DrumHeads().size();
       const int first = AddDrumHead(s.score(), "Cross", 3, {}, 1, -2);
       EXPECT_EQ(AddDrumHead(s.score(), "CROSS", 9, {}, 0, 0), first);
       ASSERT_EQ(s.score().DrumHeads().size(), before + 1);
       EXPECT_EQ(s.score().DrumHeads()[static_cast<std::size_t>(first)]->First, 3);
       EXPECT_EQ(s.score().DrumHeads()[static_cast<std::size_t>(first)]->Second, -2);
     }},
    {"DrumMapPlaysAWrittenKeyOnChannelTenOnAPercussionRow",
     [](Services& s) {
       // Staff position 58 is written C5, key 60; the snare sounds 38.
       SetDrumMapEntry(s.score(), 38, "Snare", true, 58, 255);
       TECDrumLookup lookup;
       lookup.Suspend(true);
       lookup.Rebuild(s.score());
       int channel = 0, key = 60;
       EXPECT_FALSE(GetDrumHead(s.score(), lookup, 255, channel, key));  // a treble row
       EXPECT_EQ(channel, 0);
       EXPECT_EQ(key, 60);
       s.score().SetCursorPosition(0);
       s.score().SetClefAtCursor(14);
       EXPECT_TRUE(GetDrumHead(s.score(), lookup, 255, channel, key));
       EXPECT_EQ(channel, 9);
       EXPECT_EQ(key, 60);  // held: the lookup was not rebuilt
       lookup.Suspend(false);
       lookup.Rebuild(s.score());
       key = 60;
       EXPECT_TRUE(GetDrumHead(s.score(), lookup, 255, channel, key));
       EXPECT_EQ(key, 38);
       DeleteDrumMapEntry(s.score(), 38);
       lookup.Rebuild(s.score());
       key = 60;
       EXPECT_TRUE(GetDrumHead(s.score(), lookup, 255, channel, key));
       EXPECT_EQ(key, 60);
     }},
    {"PlaySendsTheNotesToTheOutputAndEnds",
     [](Services& s) {
       Devices d;
       s.score().SetTempo(120);
       s.document->ConnectPlayback(d.output, d.ui, std::move(d.clock));
       s.document->Play();
       ASSERT_TRUE(WaitUntilClear(s.score().Playing));
       d.ui.RunPending();
       // A quarter at 120 lasts 500 ms: C5, E5, G5 one after the other.
       Lines sent = SentMessages(d.ports);
       std::sort(sent.begin(), sent.end());
       EXPECT_EQ(sent, (Lines{"0 90 3C 40", "0 C0 00", "1000 80 40 40", "1000 90 43 40", "1500 80 43 40",
                              "500 80 3C 40", "500 90 40 40"}));
     }},
    {"StopEndsPlaybackAndTheSoundingNote",
     [](Services& s) {
       Devices d;
       d.clock->HoldFrom(1);
       FakePlayClock& time = d.time;
       s.document->ConnectPlayback(d.output, d.ui, std::move(d.clock));
       s.document->Play();
       time.WaitUntilHeld();
       s.document->Stop();
       EXPECT_FALSE(s.document->Playing());
       const Lines sent = SentMessages(d.ports);
       ASSERT_FALSE(sent.empty());
       EXPECT_EQ(sent.back().substr(sent.back().find(' ')), " 80 3C 40");
       d.ui.RunPending();
     }},
    {"FollowPlaybackMovesTheCursorToTheSoundingNote",
     [](Services& s) {
       Devices d;
       s.score().SetTempo(120);
       // Held at 510 ms: the E at tick 32 has just begun.
       d.clock->HoldFrom(510'000'000);
       FakePlayClock& time = d.time;
       s.document->ConnectPlayback(d.output, d.ui, std::move(d.clock));
       s.document->Play();
       time.WaitUntilHeld();
       s.document->FollowPlayback();
       EXPECT_EQ(s.score().CursorMeasure(), 0);
       EXPECT_EQ(s.score().CursorTick(), 32);
       s.document->Stop();
       d.ui.RunPending();
     }},
    {"TempoKeeps8To512AndTheScaleIgnoresZero",
     [](Services& s) {
       s.score().SetTempo(8);
       s.score().SetTempo(513);
       EXPECT_EQ(s.score().GetTempo(), 8);
       s.score().SetTempo(512);
       s.score().SetTempo(7);
       EXPECT_EQ(s.score().GetTempo(), 512);
       s.score().SetTempoScale(50);
       s.score().SetTempoScale(0);
       s.score().SetTempoScale(-5);
       EXPECT_EQ(s.score().GetTempoScale(), 50);
     }},
    {"ReverceStartsAgainAtTheEnd",
     [](Services& s) {
       Devices d;
       s.score().SetTempo(120);
       s.score().Reverce = true;
       // Four measures of 4/4 at 120 last 8 s. Held early in the second
       // round: the first C5 sounded twice.
       d.clock->HoldFrom(8'100'000'000);
       FakePlayClock& time = d.time;
       s.document->ConnectPlayback(d.output, d.ui, std::move(d.clock));
       s.document->Play();
       time.WaitUntilHeld();
       int noteOns = 0;
       for (const std::string& line : SentMessages(d.ports))
         if (line.substr(line.find(' ')) == " 90 3C 40") ++noteOns;
       EXPECT_EQ(noteOns, 2);
       s.document->Stop();
       d.ui.RunPending();
     }},
    {"AutoVelocitySetsTheVelocitiesWhenADynamicMarkArrives",
     [](Services& s) {
       s.score().OnGetDinamics = [](TECModelObject*, int symbol) { return symbol == 161 ? 40 : 64; };
       s.score().AutoVelocity = true;
       TECMeasure& measure = *s.score().CurrentInstrument()->GetRow(0)->GetMeasure(0);
       measure.Items.push_back(MakeMeasureItem(161, &measure));
       s.score().FollowNewSymbolItem(measure, 0, 161);
       EXPECT_EQ(NoteAt(s.score(), 64)->Velocity, 40);
     }},
    {"AutoEffectExpandsTheNoteAnOrnamentArrivesOn",
     [](Services& s) {
       s.score().OnGetDinamics = [](TECModelObject*, int) { return 64; };
       TECMeasure& measure = *s.score().CurrentInstrument()->GetRow(0)->GetMeasure(0);
       measure.Items.push_back(MakeMeasureItem(189, &measure));  // a mordent on the E
       measure.Items.back()->Position = 32;
       s.score().FollowNewSymbolItem(measure, 32, 189);
       EXPECT_TRUE(NoteAt(s.score(), 32)->PlayNotes().empty());  // switched off
       s.score().AutoEffect = true;
       s.score().FollowNewSymbolItem(measure, 32, 189);
       EXPECT_FALSE(NoteAt(s.score(), 32)->PlayNotes().empty());
       EXPECT_TRUE(NoteAt(s.score(), 0)->PlayNotes().empty());
     }},
    {"SendProgramChangeSendsTheRowsProgram",
     [](Services& s) {
       Devices d;
       s.document->ConnectPlayback(d.output, d.ui, std::move(d.clock));
       s.score().CurrentInstrument()->SetMidiInstrument(41);
       s.score().SendProgramChange(3);
       EXPECT_EQ(SentMessages(d.ports), (Lines{"0 C3 29"}));
     }},
    {"CalcVelocitySetsTheActiveRowFromItsMarks",
     [](Services& s) {
       s.score().OnGetDinamics = [](TECModelObject*, int symbol) { return symbol == 161 ? 40 : 64; };
       TECMeasure& measure = *s.score().CurrentInstrument()->GetRow(0)->GetMeasure(0);
       measure.Items.push_back(MakeMeasureItem(161, &measure));
       s.score().ClearSelection();
       nv::document::CalcVelocity(*s.document);
       for (int start : {0, 32, 64}) EXPECT_EQ(NoteAt(s.score(), start)->Velocity, 40) << start;
     }},
    {"CalcSequenceExpandsTheSelectedNotesOnly",
     [](Services& s) {
       s.score().OnGetDinamics = [](TECModelObject*, int) { return 64; };
       for (int start : {0, 32}) score_builder::AddAttribute(*NoteAt(s.score(), start), 112);
       s.Select(32);
       nv::document::CalcSequence(*s.document);
       EXPECT_FALSE(NoteAt(s.score(), 32)->PlayNotes().empty());
       EXPECT_TRUE(NoteAt(s.score(), 0)->PlayNotes().empty());
     }},
    {"MidiOutputOpensTheChosenDeviceAndSendsFromAnyThread",
     [](Services&) {
       Devices d;
       EXPECT_EQ(d.output.DeviceCount(), 2);
       d.output.SetDeviceID(1);
       EXPECT_EQ(d.output.GetProductName(), "Port B");
       EXPECT_THROW(d.output.SetDeviceID(2), std::exception);
       EXPECT_EQ(d.output.GetDeviceID(), 1);
       ASSERT_TRUE(d.output.Open());
       EXPECT_THROW(d.output.SetDeviceID(0), std::exception);  // only while closed
       std::thread([&] { d.output.SendShort(0x90, 60, 100); }).join();
       EXPECT_EQ(d.output.LastError(), 0);
       d.output.SetVolume(0x8000, 0xFFFF);
       EXPECT_EQ(d.ports.LastVolume(), 0x8000FFFFu);
       d.output.Close();
       EXPECT_FALSE(d.output.IsOpen());
       ASSERT_EQ(d.ports.Calls().size(), 1u);
       EXPECT_EQ(d.ports.Calls()[0].Port, 1);
       EXPECT_EQ(SentMessages(d.ports), (Lines{"0 90 3C 64"}));
     }},
    {"MidiInputHandsOutTheOldestEventFirst",
     [](Services& s) {
       Devices d;
       EXPECT_EQ(d.input.DeviceCount(), 1);
       EXPECT_EQ(d.input.GetProductName(), "Keys");
       ASSERT_TRUE(d.input.Open());
       d.input.Start();
       ASSERT_TRUE(d.ports.Receive(0, 0x403C90));
       ASSERT_TRUE(d.ports.Receive(0, 0x003C80));
       Lines heard;
       const nv::document::Subscription token = s.document->Notices().MidiIn.Subscribe(
           [&](std::uint8_t message, std::uint8_t data1, std::uint32_t, std::uint8_t data2) {
             heard.push_back(std::to_string(message) + " " + std::to_string(data1) + " " + std::to_string(data2));
           });
       s.document->ListenTo(&d.input);
       d.ui.RunPending();
       EXPECT_EQ(heard, (Lines{"144 60 64", "128 60 0"}));
       EXPECT_EQ(d.input.TakeEvent(), nullptr);
       s.document->ListenTo(nullptr);
       d.input.Close();
       EXPECT_EQ(d.input.Error(), 0);
     }},
};

class ScoreExchangeServices : public testing::TestWithParam<ServiceCase> {
 protected:
  void SetUp() override {
    services_.folder = fs::temp_directory_path() /
                       ("score-services-" + std::to_string(::getpid()) + "-" + std::string(GetParam().Name));
    fs::remove_all(services_.folder);
    fs::create_directories(services_.folder);
  }
  void TearDown() override { fs::remove_all(services_.folder); }
  Services services_;
};

TEST_P(ScoreExchangeServices, RunsOnTheDocumentsScore) { GetParam().Check(services_); }

INSTANTIATE_TEST_SUITE_P(Operations, ScoreExchangeServices, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ServiceCase>& info) { return info.param.Name; });

}  // namespace
