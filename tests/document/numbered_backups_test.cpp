#include "document/numbered_backups.h"

#include <gtest/gtest.h>

#include <set>

#include "document/program_settings.h"
#include "document_fixture.h"
#include "startup_fixture.h"

namespace {

using nv::document::NumberedBackups;
using nv::document::ProgramSettings;
using nv::document::ScoreDocument;
namespace fs = std::filesystem;

class NumberedBackupsTest : public startup_fixture::TempFolder {
 protected:
  // The file names in `folder`.
  static std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
  }

  // Saves the score at `path` (loaded first when it exists) `times` times.
  void SaveTimes(const fs::path& path, int times) {
    ScoreDocument document;
    NumberedBackups backups(settings_);
    document.SetBackupKeeper(&backups);
    if (fs::exists(path)) document.Load(path.string());
    for (int i = 0; i < times; ++i) document.SaveAs(path.string());
  }

  fs::path Song() {
    const fs::path song = root_ / "song.sfd";
    fs::copy_file(document_fixture::ThreeNoteFile(), song);
    return song;
  }

  ProgramSettings settings_;
};

TEST_F(NumberedBackupsTest, EachSaveCopiesThePreviousVersionAndTheCountLimitsTheCopies) {
  struct Case {
    bool save;
    bool limit;
    int count;
    int saves;
    std::set<std::string> left;
  };
  const Case cases[] = {
      {true, true, 2, 3, {"song.sfd", "song.v2.sfd", "song.v3.sfd"}},
      {true, true, 1, 3, {"song.sfd", "song.v3.sfd"}},
      {true, true, 0, 3, {"song.sfd", "song.v3.sfd"}},
      {true, true, -5, 3, {"song.sfd", "song.v3.sfd"}},
      {true, false, 1, 3, {"song.sfd", "song.v1.sfd", "song.v2.sfd", "song.v3.sfd"}},
      {false, true, 1, 3, {"song.sfd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "save " << c.save << " limit " << c.limit << " count " << c.count);
    fs::remove_all(root_);
    fs::create_directories(root_);
    settings_.SaveBackUp = c.save;
    settings_.LimitBackUp = c.limit;
    settings_.CountBackUp = c.count;
    SaveTimes(Song(), c.saves);
    EXPECT_EQ(Names(root_), c.left);
  }
}

TEST_F(NumberedBackupsTest, TheNewCopyIsNumberedAboveTheHighestAndHoldsThePreviousVersion) {
  settings_.LimitBackUp = false;
  const fs::path song = Song();
  startup_fixture::WriteText(root_ / "song.v7.sfd", "old");
  startup_fixture::WriteText(root_ / "song.vx.sfd", "not numbered");
  const std::string before = startup_fixture::ReadText(song);
  SaveTimes(song, 1);
  EXPECT_EQ(startup_fixture::ReadText(root_ / "song.v8.sfd"), before);
  EXPECT_EQ(Names(root_), (std::set<std::string>{"song.sfd", "song.v7.sfd", "song.v8.sfd", "song.vx.sfd"}));
}

TEST_F(NumberedBackupsTest, ABackupAScoreInAFolderWithTheMarkAndANewFileGetNoCopies) {
  const fs::path backup = root_ / "song.v3.sfd";
  fs::copy_file(document_fixture::ThreeNoteFile(), backup);
  SaveTimes(backup, 2);
  EXPECT_EQ(Names(root_), std::set<std::string>{"song.v3.sfd"});

  const fs::path folder = root_ / "a.vx";
  fs::create_directories(folder);
  fs::copy_file(document_fixture::ThreeNoteFile(), folder / "song.sfd");
  SaveTimes(folder / "song.sfd", 2);
  EXPECT_EQ(Names(folder), std::set<std::string>{"song.sfd"});

  const fs::path fresh = root_ / "fresh";
  fs::create_directories(fresh);
  SaveTimes(fresh / "new.sfd", 1);
  EXPECT_EQ(Names(fresh), std::set<std::string>{"new.sfd"});
}

TEST_F(NumberedBackupsTest, ACopyThatCannotBeWrittenDoesNotStopTheSave) {
  // The longest name a file may have: its copy's name is longer still.
  const fs::path song = root_ / (std::string(251, 'a') + ".sfd");
  fs::copy_file(document_fixture::ThreeNoteFile(), song);
  ScoreDocument document;
  NumberedBackups backups(settings_);
  document.SetBackupKeeper(&backups);
  document.Load(song.string());
  document_fixture::RaiseE(document.Score());
  ASSERT_TRUE(document.Modified());
  EXPECT_NO_THROW(document.Save());
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(Names(root_), std::set<std::string>{song.filename().string()});
  EXPECT_NE(startup_fixture::ReadText(song), startup_fixture::ReadText(document_fixture::ThreeNoteFile()));
}

TEST_F(NumberedBackupsTest, ASaveThatFailsKeepsEveryCopyAndMakesNone) {
  settings_.LimitBackUp = true;
  settings_.CountBackUp = 1;
  for (const char* name : {"song.v1.sfd", "song.v2.sfd"}) fs::copy_file(document_fixture::ThreeNoteFile(), root_ / name);
  // A folder where the score file should be: the copy cannot be made and
  // the write fails.
  fs::create_directory(root_ / "song.sfd");
  ScoreDocument document;
  NumberedBackups backups(settings_);
  document.SetBackupKeeper(&backups);
  document.Load(document_fixture::ThreeNoteFile().string());
  EXPECT_ANY_THROW(document.SaveAs((root_ / "song.sfd").string()));
  EXPECT_EQ(Names(root_), (std::set<std::string>{"song.sfd", "song.v1.sfd", "song.v2.sfd"}));

  // A failed write after the copy was made takes the copy back.
  fs::remove(root_ / "song.sfd");
  const fs::path song = Song();
  backups.BeforeReplace(song.string());
  EXPECT_TRUE(fs::exists(root_ / "song.v3.sfd"));
  backups.AfterReplace(song.string(), false);
  EXPECT_EQ(Names(root_), (std::set<std::string>{"song.sfd", "song.v1.sfd", "song.v2.sfd"}));
}

}  // namespace
