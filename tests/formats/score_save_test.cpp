// Saving a score over a user's file: concurrent savers, links, permissions
// and refused targets.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <shared_mutex>
#include <thread>

#include "formats/score_file.h"
#include "model/atomic_file_writer.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;
namespace fs = std::filesystem;

// The bytes of a regular file; nothing for anything else.
Bytes ReadFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return {};
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// A score much smaller than the full one, so that a file mixing the two, or
// holding one where the other was saved, cannot pass for either.
std::unique_ptr<TECMusicScore> MakeSmallScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->AppendInstrument()->AppendRow()->AddMeasure();
  score->Composer = "the other saver";
  return score;
}

class ScoreSave : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("score-save-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all);
    fs::remove_all(folder_);
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Saving is refused: the error names the chosen path and the reason, the
  // old bytes stay and no temporary file is left.
  void ExpectRefused(const fs::path& path, const std::string& reason) {
    const std::vector<std::string> namesBefore = Names();
    const Bytes before = ReadFile(path);
    try {
      MakeFullScore()->SaveToFile(path.string());
      ADD_FAILURE() << "saving " << path << " reported success";
    } catch (const EFileSaveError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot save \"" + path.string() + "\": " + reason);
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(Names(), namesBefore);
  }

  fs::path folder_;
};

TEST_F(ScoreSave, TwoSaversOfOneTargetNeverReportASaveThatDidNotLand) {
  const fs::path target = folder_ / "song.sfd";
  const std::unique_ptr<TECMusicScore> scores[] = {MakeFullScore(), MakeSmallScore()};
  const Bytes expected[] = {Save(*scores[0]), Save(*scores[1])};
  ASSERT_NE(expected[0].size(), expected[1].size());
  constexpr int kSaves = 1000;

  // Most saves run side by side (shared), and after each the file must hold
  // one whole score. Every tenth save runs alone (exclusive), so the file
  // must then hold exactly the score that save reported.
  std::shared_mutex gate;
  std::atomic<int> failures{0};
  auto saver = [&](int who) {
    for (int i = 0; i < kSaves && failures < 10; ++i) {
      const bool alone = i % 10 == 9;
      std::shared_lock shared(gate, std::defer_lock);
      std::unique_lock exclusive(gate, std::defer_lock);
      if (alone) {
        exclusive.lock();
      } else {
        shared.lock();
      }
      try {
        scores[who]->SaveToFile(target.string());
      } catch (const EStreamError& error) {
        ADD_FAILURE() << "save " << i << " of saver " << who << ": " << error.what();
        ++failures;
        continue;
      }
      const Bytes now = ReadFile(target);
      const bool landed = alone ? now == expected[who] : (now == expected[0] || now == expected[1]);
      if (!landed) {
        ADD_FAILURE() << "after save " << i << " of saver " << who << " the file holds " << now.size() << " bytes";
        ++failures;
      }
    }
  };
  std::thread first(saver, 0);
  std::thread second(saver, 1);
  first.join();
  second.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(Names(), std::vector<std::string>{"song.sfd"});

  // The file loads as one of the two scores.
  TECMusicScore loaded;
  loaded.LoadFromFile(target.string());
  const Bytes reloaded = Save(loaded);
  EXPECT_TRUE(reloaded == expected[0] || reloaded == expected[1]);
}

TEST_F(ScoreSave, ThroughALinkReplacesTheFileItPointsTo) {
  fs::create_directories(folder_ / "real");
  WriteFile(folder_ / "real" / "song.sfd", "old score");
  fs::create_symlink("real/song.sfd", folder_ / "song.sfd");
  auto score = MakeFullScore();
  score->SaveToFile((folder_ / "song.sfd").string());
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder_ / "song.sfd")));
  EXPECT_EQ(fs::read_symlink(folder_ / "song.sfd"), "real/song.sfd");
  EXPECT_EQ(ReadFile(folder_ / "real" / "song.sfd"), Save(*score));
  // The temporary file was made beside the real file, and is gone.
  EXPECT_EQ(Names(), (std::vector<std::string>{"real", "song.sfd"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "real"), fs::directory_iterator()), 1);
}

TEST_F(ScoreSave, KeepsThePermissionBitsOfTheFileItReplaces) {
  for (const mode_t mode : {0600, 0640, 0604, 0755}) {
    const fs::path target = folder_ / "song.sfd";
    WriteFile(target, "old score");
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    auto score = MakeFullScore();
    score->SaveToFile(target.string());
    EXPECT_EQ(ModeOf(target), mode) << std::oct << mode;
    EXPECT_EQ(ReadFile(target), Save(*score));
  }
}

TEST_F(ScoreSave, RefusesAFileWithoutWritePermission) {
  // The tests run as root, whom the system lets write anyway: the refusal
  // must come from the mode bits themselves.
  for (const mode_t mode : {0444, 0400, 0555}) {
    const fs::path target = folder_ / "song.sfd";
    WriteFile(target, "old score");
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    ExpectRefused(target, "Permission denied");
    EXPECT_EQ(ModeOf(target), mode);
    fs::remove(target);
  }
}

TEST_F(ScoreSave, RefusesAReadOnlyFolder) {
  const fs::path target = folder_ / "song.sfd";
  WriteFile(target, "old score");
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  ExpectRefused(target, "Permission denied");
  ExpectRefused(folder_ / "new.sfd", "Permission denied");
  EXPECT_FALSE(fs::exists(folder_ / "new.sfd"));
}

TEST_F(ScoreSave, ErrorsNameTheChosenFileAndTheReason) {
  WriteFile(folder_ / "plain", "a file, not a folder");
  fs::create_symlink("loop-b.sfd", folder_ / "loop-a.sfd");
  fs::create_symlink("loop-a.sfd", folder_ / "loop-b.sfd");
  fs::create_directories(folder_ / "folder.sfd");
  const struct {
    fs::path path;
    std::string reason;
  } cases[] = {
      {folder_ / "missing" / "song.sfd", "No such file or directory"},
      {folder_ / "plain" / "song.sfd", "Not a directory"},
      {folder_ / "loop-a.sfd", "Too many levels of symbolic links"},
      {folder_ / "folder.sfd", "Is a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ExpectRefused(c.path, c.reason);
  }
}

}  // namespace
