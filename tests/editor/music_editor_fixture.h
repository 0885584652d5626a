#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/command_registry.h"
#include "document/program_settings.h"
#include "document/startup_fixture.h"
#include "editor/editor_commands.h"
#include "editor/music_editor.h"
#include "formats/external_tools.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/row.h"
#include "model/score_builder.h"
#include "platform/ini_file.h"
#include "platform/qt/qt_ui_thread.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/fake_play_clock.h"
#include "playback/midi_output.h"

namespace music_editor_fixture {

namespace fs = std::filesystem;

class ScriptedSaveDialog : public nv::document::SaveDialog {
 public:
  std::optional<nv::document::SaveChoice> Ask(std::string_view filter, std::string_view fileName) override {
    Asked.push_back(std::string(filter) + " " + std::string(fileName));
    return Choice;
  }
  std::optional<nv::document::SaveChoice> Choice;
  std::vector<std::string> Asked;
};

class ScriptedExportDialog : public nv::editor::ExportOptionsDialog {
 public:
  std::optional<nv::editor::ExportOptions> Ask(const nv::editor::ExportOptionsRequest& request) override {
    Requests.push_back(request);
    return Options;
  }
  std::optional<nv::editor::ExportOptions> Options = nv::editor::ExportOptions{};
  std::vector<nv::editor::ExportOptionsRequest> Requests;
};

class ScriptedNewStaff : public nv::editor::NewStaffDialog {
 public:
  std::optional<nv::document::NewStaffSetup> Ask() override { return Choice; }
  std::optional<nv::document::NewStaffSetup> Choice;
};

class FakeTracks : public nv::editor::TracksSelection {
 public:
  nv::editor::TrackGridRow SelectedRow() const override { return Selected; }
  nv::editor::TrackGridRow Selected;
};

// A score of one staff, one row and `measures` 4/4 measures of quarters,
// saved to a temporary file `name`.
inline std::string ScoreFile(const std::string& name, int measures, int tempo = 120) {
  auto score = score_builder::MakeScore(1, measures);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  for (int m = 0; m < measures; ++m)
    for (int q = 0; q < 4; ++q) score_builder::AddNote(*row.GetMeasure(m), 1 + (m + q) % 7, 5, 32, 32 * q);
  score->SetTempo(tempo);
  MemoryStream stream;
  score->SaveToStream(stream);
  return external_tools::WriteTemporary(name, stream.Data()).string();
}

// The program around one document window: its output on null ports, a
// fake play clock, the registry with a stop command that counts, scripted
// answers, a settings file in memory.
class EditorHost : public startup_fixture::TempFolder {
 protected:
  nv::editor::MusicEditorServices Services() {
    return {.Output = output_,
            .Ui = ui_,
            .Commands = registry_,
            .Prompt = prompt_,
            .Texts = texts_,
            .Settings = settings_,
            .FormSettings = &ini_,
            .SaveDialog = &dialog_,
            .ExportDialog = &export_,
            .NewStaff = &newStaff_,
            .Tracks = &tracks_,
            .MeasureText =
                [](const std::vector<std::string>& lines, int size) {
                  int widest = 0;
                  for (const auto& line : lines) widest = std::max(widest, static_cast<int>(line.size()) * size);
                  return widest;
                },
            .Preview = nullptr,
            .DrumKind = {},
            .MakeClock =
                [this] {
                  auto clock = std::make_unique<FakePlayClock>();
                  clock_ = clock.get();
                  return clock;
                }};
  }

  void SetUp() override {
    TempFolder::SetUp();
    nv::document::Command stop;
    stop.Id = "score.stop";
    stop.Run = [this](const nv::document::CommandArgs&) {
      ++stops_;
      if (editor_) editor_->StopPlayback();
    };
    registry_.Add(stop);
    nv::editor::AddEditorCommands(registry_, [this] { return editor_.get(); });
    editor_ = std::make_unique<nv::editor::TFMusicEditor>(Services());
  }
  void TearDown() override {
    editor_.reset();
    TempFolder::TearDown();
  }

  nv::editor::TFMusicEditor& Editor() { return *editor_; }

  nv::platform::TestMidiPorts ports_{nv::platform::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                     std::vector<std::string>{}};
  nv::platform::QtUiThread ui_;
  TMidiOutput output_{ports_, ui_};
  nv::document::CommandRegistry registry_;
  nv::document::ProgramSettings settings_;
  nv::platform::IniFile ini_ = nv::platform::IniFile::FromText("ProgramSetting.ini", "");
  ScriptedSaveDialog dialog_;
  ScriptedExportDialog export_;
  ScriptedNewStaff newStaff_;
  FakeTracks tracks_;
  FakePlayClock* clock_ = nullptr;
  int stops_ = 0;
  std::unique_ptr<nv::editor::TFMusicEditor> editor_;
};

}  // namespace music_editor_fixture
