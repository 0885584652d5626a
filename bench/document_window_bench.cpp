// A score of 20 staves of 1,000 measures in a document window: opening it
// (load, layout and the first paint of the window) and saving it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <memory>
#include <string>

#include "dense_score.h"
#include "document/command_registry.h"
#include "document/program_settings.h"
#include "editor/music_editor.h"
#include "large_score.h"
#include "platform/message_prompt.h"
#include "platform/qt/qt_ui_thread.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/midi_output.h"
#include "widgets/score_control.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStaves = 20;

class NoAnswers : public nv::platform::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view, std::string_view, int, int) override {
    return nv::platform::message_result::kCancel;
  }
};

class NoTexts : public nv::platform::FormTexts {
 public:
  std::string GetString(std::string_view, int) const override { return {}; }
};

// The program around the window, and the score file it opens.
struct Host {
  Host() {
    dense_score::EnsureApplication();
    folder = fs::temp_directory_path() / ("notavistra-window-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    file = (folder / "large.sfd").string();
    large_score::MakeScore(kStaves, 1)->SaveToFile(file);
    settings.SaveBackUp = false;
  }
  ~Host() { fs::remove_all(folder); }
  std::unique_ptr<nv::editor::TFMusicEditor> Window() {
    return std::make_unique<nv::editor::TFMusicEditor>(nv::editor::MusicEditorServices{.Output = output,
                                                                                       .Ui = ui,
                                                                                       .Commands = registry,
                                                                                       .Prompt = prompt,
                                                                                       .Texts = texts,
                                                                                       .Settings = settings,
                                                                                       .FormSettings = nullptr,
                                                                                       .SaveDialog = nullptr,
                                                                                       .ExportDialog = nullptr,
                                                                                       .NewStaff = nullptr,
                                                                                       .Tracks = nullptr,
                                                                                       .MeasureText = {},
                                                                                       .Preview = nullptr,
                                                                                       .DrumKind = {},
                                                                                       .MakeClock = {}});
  }

  fs::path folder;
  std::string file;
  nv::platform::TestMidiPorts ports{nv::platform::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                    std::vector<std::string>{}};
  nv::platform::QtUiThread ui;
  TMidiOutput output{ports, ui};
  nv::document::CommandRegistry registry;
  NoAnswers prompt;
  NoTexts texts;
  nv::document::ProgramSettings settings;
};

Host& TheHost() {
  static Host host;
  return host;
}

void BM_OpenLargeScoreInAWindow(benchmark::State& state) {
  Host& host = TheHost();
  QImage target(1200, 800, QImage::Format_RGB32);
  for (auto _ : state) {
    auto window = host.Window();
    window->resize(target.size());
    if (!window->OpenDocument(QString::fromStdString(host.file)).isEmpty()) state.SkipWithError("did not load");
    window->render(&target);
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_OpenLargeScoreInAWindow)->Unit(benchmark::kMillisecond);

void BM_SaveLargeScoreFromAWindow(benchmark::State& state) {
  Host& host = TheHost();
  auto window = host.Window();
  if (!window->OpenDocument(QString::fromStdString(host.file)).isEmpty()) state.SkipWithError("did not load");
  for (auto _ : state)
    if (!window->Save()) state.SkipWithError("did not save");
}
BENCHMARK(BM_SaveLargeScoreFromAWindow)->Unit(benchmark::kMillisecond);

}  // namespace
