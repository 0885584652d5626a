#include "document/note_preview.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <string>
#include <thread>
#include <vector>

#include "document/played_notes.h"
#include "playback/midi_output.h"
#include "platform/sound/test_midi_ports.h"
#include "sent_messages.h"
#include "support/manual_ui_thread.h"

namespace nv::document {
namespace {

namespace np = nv::platform;

// A timer the test fires by hand, and a clock in milliseconds it moves.
struct HandTimer final : OneShotTimer {
  void Start(int ms, std::function<void()> fire) override {
    due = now + ms;
    fire_ = std::move(fire);
  }
  void Stop() override { fire_ = nullptr; }
  bool Running() const { return static_cast<bool>(fire_); }
  // Moves the clock to the due time and fires.
  void Fire() {
    ASSERT_TRUE(Running());
    now = due;
    auto fire = std::move(fire_);
    fire_ = nullptr;
    fire();
  }
  std::int64_t now = 0;
  std::int64_t due = 0;

 private:
  std::function<void()> fire_;
};

struct Preview {
  HandTimer timer;
  np::TestMidiPorts ports{np::TestMidiPorts::Mode::Null, {"Synthesizer"}, {},
                          [this] { return timer.now * 1'000'000; }};
  ManualUiThread ui;
  TMidiOutput output{ports, ui};
  bool busy = false;
  NotePreview preview{output, timer, [this] { return busy; }};

  std::vector<std::string> Sent() const { return SentMessages(ports); }
};

using Lines = std::vector<std::string>;

TEST(NotePreview, APreviewEndsAfterTwoSecondsAndClosesTheOutput) {
  Preview p;
  EXPECT_TRUE(p.preview.SoundNote(0, 0, 61, NotePreview::kSingle));
  EXPECT_TRUE(p.output.IsOpen());
  p.timer.Fire();
  EXPECT_EQ(p.Sent(), (Lines{"0 C0 00", "0 80 3D 40", "0 90 3D 40", "2000 80 3D 40"}));
  EXPECT_FALSE(p.output.IsOpen());
}

TEST(NotePreview, AChordEndsEveryNoteItSounded) {
  Preview p;
  p.preview.SoundNote(1, 24, 64, NotePreview::kFirst);
  p.preview.SoundNote(1, 24, 67, NotePreview::kFurther);
  p.timer.now = 5;
  p.preview.SoundNote(1, 24, 71, NotePreview::kLast);
  p.timer.Fire();  // restarted by each: due at 2005
  EXPECT_EQ(p.Sent(), (Lines{"0 C1 18", "0 81 40 40", "0 91 40 40", "0 81 43 40", "0 91 43 40", "5 81 47 40",
                             "5 91 47 40", "2005 81 40 40", "2005 81 43 40", "2005 81 47 40"}));
}

TEST(NotePreview, TheOutputStaysOpenWhilePlaying) {
  Preview p;
  p.preview.SoundNote(0, -1, 60, NotePreview::kSingle);
  p.busy = true;
  p.timer.Fire();
  EXPECT_TRUE(p.output.IsOpen());
  EXPECT_TRUE(p.preview.Sounding().empty());
}

TEST(NotePreview, PlayStopsTheTimerAndEndsThePreviews) {
  Preview p;
  p.preview.SoundNote(0, -1, 60, NotePreview::kSingle);
  p.preview.StopTimer();
  EXPECT_FALSE(p.timer.Running());
  EXPECT_EQ(p.Sent(), (Lines{"0 80 3C 40", "0 90 3C 40", "0 80 3C 40"}));
  EXPECT_TRUE(p.output.IsOpen());
}

TEST(NotePreview, AnEchoEndsWithItsKeysNoteOff) {
  Preview p;
  p.preview.EchoNoteOn(0, -1, 60);
  p.timer.now = 300;
  p.preview.EchoNoteOff(0, 60);
  p.preview.EchoNoteOff(0, 62);  // never sounded
  EXPECT_EQ(p.Sent(), (Lines{"0 80 3C 40", "0 90 3C 40", "300 80 3C 40"}));
  p.timer.Fire();  // nothing left to end
  EXPECT_EQ(p.Sent().size(), 3u);
}

TEST(NotePreview, ANoteIsDroppedWhenTheOutputDoesNotOpen) {
  Preview p;
  p.ports.Fail.Open = 2;
  int failures = 0;
  p.preview.SetOpenFailed([&] { ++failures; });
  EXPECT_FALSE(p.preview.SoundNote(0, 0, 60, NotePreview::kSingle));
  EXPECT_TRUE(p.Sent().empty());
  EXPECT_FALSE(p.timer.Running());
  EXPECT_EQ(failures, 1);
}

TEST(PlayedNotes, MessagesGiveTheirNotes) {
  using K = PlayedNote::Kind;
  auto kind = [](std::uint8_t s, std::uint8_t d1, std::uint8_t d2) {
    const std::optional<PlayedNote> note = PlayedNote::Of(s, d1, d2);
    return note ? std::optional<std::pair<K, int>>({note->kind, note->key}) : std::nullopt;
  };
  EXPECT_EQ(kind(0x93, 64, 90), std::make_pair(K::kOn, 64));
  EXPECT_EQ(kind(0x93, 64, 0), std::make_pair(K::kOff, 64));
  EXPECT_EQ(kind(0x80, 64, 64), std::make_pair(K::kOff, 64));
  EXPECT_EQ(kind(0xFF, 0x2F, 0), std::make_pair(K::kEndOfTrack, 0));
  EXPECT_EQ(kind(0xC0, 5, 0), std::nullopt);
  EXPECT_EQ(kind(0xB0, 7, 100), std::nullopt);
}

TEST(PlayedNotes, ReachTheGuiThreadInArrivalOrder) {
  ManualUiThread ui;
  std::vector<int> shown;
  int lit = 0;
  PlayedNotes notes(ui, [&](const PlayedNote& n) {
    shown.push_back(n.kind == PlayedNote::kOn ? n.key : -n.key);
    lit += n.kind == PlayedNote::kOn ? 1 : -1;
  });
  std::thread play([&] {
    for (int i = 0; i < 1000; ++i) {
      notes.Push({PlayedNote::kOn, static_cast<std::uint8_t>(40 + i % 50)});
      notes.Push({PlayedNote::kOff, static_cast<std::uint8_t>(40 + i % 50)});
      if (i % 100 == 0) std::this_thread::yield();
    }
  });
  while (shown.size() < 2000) ui.RunPending();
  play.join();
  ui.RunPending();
  ASSERT_EQ(shown.size(), 2000u);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_EQ(shown[2 * i], 40 + i % 50);
    EXPECT_EQ(shown[2 * i + 1], -(40 + i % 50));
  }
  EXPECT_EQ(lit, 0);
}

}  // namespace
}  // namespace nv::document
