#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "fake_play_clock.h"
#include "playback/score_player.h"
#include "platform/sound/synth_wav_render.h"
#include "play_fixtures.h"
#include "play_recorder.h"

namespace {

namespace np = nv::platform;

// What a shell command prints.
std::string Output(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return text;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
  pclose(pipe);
  return text;
}

double Seconds(const std::string& command) { return std::stod("0" + Output(command)); }

// Where sound starts at or after `from` seconds: sox trims the silence
// that follows `from`, and the length it took off is the gap.
double OnsetAfter(const std::filesystem::path& file, double from) {
  const std::string trimmed = (std::filesystem::path(file).replace_extension(".trim.wav")).string();
  const double rest = Seconds("sox --i -D '" + file.string() + "'") - from;
  Output("sox '" + file.string() + "' '" + trimmed + "' trim " + std::to_string(from) + " silence 1 0.0005 -50d");
  const double left = Seconds("sox --i -D '" + trimmed + "'");
  std::filesystem::remove(trimmed);
  return from + rest - left;
}

TEST(SynthRender, FourQuartersAndARestRenderInVirtualTime) {
  if (np::GmSynthesizer::FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI sound font installed";
  auto score = score_builder::MakeScore(1, 2);
  // A short percussive sound (a wood block), so each onset follows silence.
  score->GetInstrumentAt(0)->SetMidiInstrument(115);
  TECMeasure& first = play_fixtures::MeasureOf(*score, 0, 0, 0);
  for (int i = 0; i < 4; ++i) score_builder::AddNote(first, 1, 6, 32, 32 * i);
  score->SetTempo(120);
  auto clock = std::make_unique<FakePlayClock>();
  FakePlayClock& time = *clock;
  InstallPlayback(*score, std::move(clock));

  const std::filesystem::path file = std::filesystem::temp_directory_path() / "notavistra_four_quarters.wav";
  std::unique_ptr<np::SynthWavRender> render;
  ASSERT_EQ(np::SynthWavRender::Open(file, [&] { return time.Now(); }, render), np::midi_error::kNone);
  score->OnPlayShort = [&](TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t data2) {
    if (message != 0xFF) render->SendShort(message | data1 << 8 | data2 << 16);
  };
  score->Play();
  ASSERT_TRUE(WaitUntilClear(score->Playing));
  score->Stop();
  ASSERT_EQ(render->Close(), np::midi_error::kNone);

  // Two measures of 2 s at tempo 120, then the tail.
  EXPECT_NEAR(Seconds("sox --i -D '" + file.string() + "'"), 4.0 + 1.0, 1.0 / 44100);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(OnsetAfter(file, i * 0.5 - (i ? 0.1 : 0)), i * 0.5, 0.005) << "note " << i;
  std::filesystem::remove(file);
}

}  // namespace
