#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "formats/score_file.h"
#include "model/atomic_file_writer.h"
#include "model/file_stream.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;
namespace fs = std::filesystem;

class ScoreFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("score-file-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

TEST_F(ScoreFile, SavesOverTheOldFileAndLoadsItBack) {
  const std::string path = (folder_ / "song.sfd").string();
  std::ofstream(path) << "old contents";
  auto score = MakeFullScore();
  score->SaveToFile(path);
  EXPECT_EQ(Names(), std::vector<std::string>{"song.sfd"});
  TECMusicScore loaded;
  loaded.LoadFromFile(path);
  // Loading lays the score out; so is the original, for the values in force.
  score->LayoutScore(0, false);
  EXPECT_EQ(FullDump(loaded), FullDump(*score));
}

TEST_F(ScoreFile, MissingFileOrFolderRaisesNamingPathAndReason) {
  fs::create_directories(folder_ / "folder.sfd");
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {{"absent.sfd", "No such file or directory"}, {"folder.sfd", "Is a directory"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto score = MakeFullScore();
    const std::string before = FullDump(*score);
    const std::string path = (folder_ / c.name).string();
    try {
      score->LoadFromFile(path);
      ADD_FAILURE() << "no error";
    } catch (const EFileOpenError& error) {
      EXPECT_NE(std::string(error.what()).find("\"" + path + "\""), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
    }
    EXPECT_EQ(FullDump(*score), before);
  }
}

TEST_F(ScoreFile, FailedRenameKeepsTheOldTargetAndSaysWhy) {
  // The target is a folder that holds a file: no rename can replace it,
  // whatever the rights of the user who runs the tests.
  const fs::path target = folder_ / "song.sfd";
  fs::create_directories(target);
  std::ofstream(target / "keep.txt") << "kept";
  try {
    SaveScoreToFile(*MakeFullScore(), target.string());
    ADD_FAILURE() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_NE(std::string(error.what()).find(target.string()), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("directory"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(fs::is_regular_file(target / "keep.txt"));
  // No temporary file is left behind.
  EXPECT_EQ(Names(), std::vector<std::string>{"song.sfd"});
}

TEST_F(ScoreFile, FailedWriteKeepsTheOldTarget) {
  const std::string path = (folder_ / "song.sfd").string();
  std::ofstream(path) << "old contents";
  auto score = MakeFullScore();
  score->Composer = std::string(70000, 'c');
  try {
    SaveScoreToFile(*score, path);
    ADD_FAILURE() << "no error";
  } catch (const EFileSaveError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot save \"" + path + "\": String of 70000 bytes is too long to store");
  }
  std::ifstream in(path);
  std::string contents;
  std::getline(in, contents);
  EXPECT_EQ(contents, "old contents");
  EXPECT_EQ(Names(), std::vector<std::string>{"song.sfd"});
}

// A file is read from memory; the stream is left just past the score.
TEST_F(ScoreFile, ScoreStreamOfAFileIsReadUpToItsEnd) {
  const Bytes saved = Save(*MakeFullScore());
  const std::string path = (folder_ / "song.sfd").string();
  {
    FileStream out(path, FileMode::fmCreate);
    out.WriteBuffer(saved.data(), saved.size());
    out.WriteU8(7);
  }
  FileStream in(path, FileMode::fmOpenRead);
  TECMusicScore score;
  LoadScoreFromStream(score, in);
  EXPECT_EQ(Save(score), saved);
  EXPECT_EQ(in.Position(), static_cast<std::int64_t>(saved.size()));
  EXPECT_EQ(in.ReadU8(), 7);
}

TEST_F(ScoreFile, DamagedFileLeavesTheOpenScore) {
  const std::string path = (folder_ / "bad.sfd").string();
  std::ofstream(path) << "not a score";
  auto score = MakeFullScore();
  const std::string before = FullDump(*score);
  EXPECT_THROW(LoadScoreFromFile(*score, path), EFileDamage);
  EXPECT_EQ(FullDump(*score), before);
}

}  // namespace
