#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "library/library_ui.h"

// A library folder of its own per test, and a LibraryUi that records what
// the store asked and answers from a script.
namespace library_fixture {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class RecordingUi : public nv::library::LibraryUi {
 public:
  std::vector<std::string> ChooseTemplateFiles(nv::library::LibraryKind) override { return Chosen; }
  void ReportMissingFile(const std::string& path) override { Log.push_back("missing " + path); }
  void ReportUnreadableTemplate(nv::library::LibraryKind, const std::string& path,
                                const std::string& reason) override {
    Log.push_back("unreadable " + path + ": " + reason);
  }
  bool AskReplaceTemplate(nv::library::LibraryKind, const std::string& name) override {
    Log.push_back("replace " + name + "?");
    return AnswerYes;
  }
  void ReportDroppedTemplates(nv::library::LibraryKind, const std::vector<std::string>& problems) override {
    std::string line = "dropped";
    for (const auto& problem : problems) line += " [" + problem + "]";
    Log.push_back(line);
  }
  void ReportDuplicateTerms(const std::vector<std::string>& names) override {
    std::string line = "duplicates";
    for (const auto& name : names) line += " " + name;
    Log.push_back(line);
  }
  void ReportError(const std::string& message) override { Log.push_back("error " + message); }
  void PaletteChanged(nv::library::LibraryKind kind) override {
    Log.push_back("palette " + std::to_string(static_cast<int>(kind)));
  }

  std::vector<std::string> Chosen;
  bool AnswerYes = true;
  std::vector<std::string> Log;
};

class LibraryFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("library-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    folder_ = root_ / "lib";
    fs::create_directories(folder_ / "Templates");
  }
  void TearDown() override {
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (entry.is_directory()) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::remove_all(root_);
  }
  std::string Folder() const { return folder_.string(); }
  fs::path Templates() const { return folder_ / "Templates"; }

  fs::path root_;
  fs::path folder_;
  RecordingUi ui_;
};

}  // namespace library_fixture
