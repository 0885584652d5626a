#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

// A folder of its own per test, a message prompt that records what it was
// asked, and the texts it shows.
namespace startup_fixture {

namespace fs = std::filesystem;

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Records each question as "caption: text" and gives the scripted answers
// in turn, Ok once they run out.
class RecordingPrompt : public nv::platform::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view caption, std::string_view text, int, int) override {
    Shown.push_back(std::string(caption) + ": " + std::string(text));
    if (Answers.empty()) return nv::platform::message_result::kOk;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  std::vector<std::string> Shown;
  std::deque<int> Answers;
};

class NumberedTexts : public nv::platform::FormTexts {
 public:
  std::string GetString(std::string_view, int n) const override { return "text " + std::to_string(n); }
};

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("startup-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (entry.is_directory() && !entry.is_symlink())
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root_);
  }

  fs::path root_;
  RecordingPrompt prompt_;
  NumberedTexts texts_;
};

}  // namespace startup_fixture
