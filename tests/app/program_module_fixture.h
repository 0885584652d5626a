#pragma once

// The main window over a folder of its own: its settings file, help pages,
// scripted message box and dialogs, and a PDF file in place of the printer.
#include <QString>

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "answering_dialogs.h"
#include "app/program_module.h"
#include "document/autosave.h"
#include "document/help_pages.h"
#include "document/interface_language.h"
#include "document/settings_file.h"
#include "formats/external_tools.h"
#include "model/music_score.h"
#include "model/score_builder.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "platform/qt/qt_paged_target.h"
#include "platform/sound/test_midi_ports.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace fs = std::filesystem;
namespace np = nv::platform;
namespace nr = np::message_result;

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The page count pdfinfo reads from a PDF file, -1 when it reads none.
inline int PdfPages(const fs::path& file) {
  const external_tools::Result info = external_tools::Run("pdfinfo '" + file.string() + "'");
  std::smatch match;
  if (!std::regex_search(info.output, match, std::regex("Pages: *([0-9]+)"))) return -1;
  return std::stoi(match[1]);
}

// The uptime autosave reads, set by the test.
class SetUptime : public nv::document::UptimeClock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 0;
};

class RecordingOpener : public nv::document::HelpPageOpener {
 public:
  void OpenPage(const fs::path& page) override { pages.push_back(page); }
  std::vector<fs::path> pages;
};

class FixedLayouts : public nv::document::KeyboardLayoutSource {
 public:
  explicit FixedLayouts(std::string names) : names_(std::move(names)) {}
  std::string LayoutNames() const override { return names_; }
  std::string Locale() const override { return "C"; }

 private:
  std::string names_;
};

// A score of one staff over `pages` pages, saved at `path`.
inline void WriteScore(const fs::path& path, int pages = 1) {
  auto score = score_builder::MakeScore(1, 2);
  score->SetPageCount(pages);
  score->SaveToFile(path.string());
}

class ProgramModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("program-module-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "Help" / "English");
    WriteText(root_ / "Help" / "English" / "Help.htm", "<html></html>");
    nv::widgets::InstallMessagePrompt(&prompt_);
  }
  void TearDown() override {
    nv::widgets::InstallMessagePrompt(nullptr);
    fs::remove_all(root_);
  }

  fs::path SettingsPath() const { return root_ / "ProgramSetting.ini"; }

  // The services of one run: the settings file of the folder, the arguments,
  // these file dialogs, this layout source and opener.
  nv::app::ProgramServices Services(std::vector<std::string> arguments = {}) {
    settings_ =
        std::make_unique<nv::document::SettingsFile>(SettingsPath().string(), prompt_, nv::widgets::LanguageTexts());
    nv::app::ProgramServices services;
    services.settings = settings_.get();
    services.arguments = std::move(arguments);
    services.ports = std::make_unique<np::TestMidiPorts>(
        np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth", "Second"}, std::vector<std::string>{"Keys"});
    services.keyboardLayouts = &layouts_;
    services.helpOpener = &opener_;
    services.helpRoot = root_ / "Help";
    services.saveDialog = &saveDialog_;
    services.openDialog = &openDialog_;
    services.dialogs = &dialogs_;
    services.printTarget = [this](const QString&) -> std::unique_ptr<np::PagedTarget> {
      return np::QtPagedTarget::pdfFile(QString::fromStdString(pdfPath_.string()), 150);
    };
    return services;
  }

  // The [section] key value of the settings file on disk.
  std::string Stored(const std::string& section, const std::string& key) const {
    np::IniFile ini(SettingsPath().string());
    return ini.ReadString(section, key, "<missing>");
  }

  fs::path root_;
  ScriptedPrompt prompt_;
  RecordingOpener opener_;
  FixedLayouts layouts_{"us"};
  std::unique_ptr<nv::document::SettingsFile> settings_;
  AnsweringSaveDialog saveDialog_;
  AnsweringOpenDialog openDialog_;
  AnsweringMainDialogs dialogs_;
  fs::path pdfPath_;
};
