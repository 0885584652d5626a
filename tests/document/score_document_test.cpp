#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "document/file_kind.h"
#include "document_fixture.h"
#include "formats/external_tools.h"
#include "model/instrument.h"
#include "model/row.h"
#include "support/saved_score.h"

namespace {

using document_fixture::LoadedDocument;
using document_fixture::RaiseE;
using nv::document::FileKind;
using nv::document::ScoreDocument;
using nv::document::Subscription;

TEST(ScoreDocumentNotices, TwoListenersHearEachEventInTheOrderTheySubscribed) {
  auto document = LoadedDocument();
  TECMusicScore& score = document->Score();
  std::vector<std::string> heard;
  std::vector<Subscription> tokens;
  for (const std::string who : {"first", "second"}) {
    tokens.push_back(document->Notices().Changed.Subscribe([&heard, who] { heard.push_back(who + " changed"); }));
    tokens.push_back(
        document->Notices().SelectedChanged.Subscribe([&heard, who] { heard.push_back(who + " selected"); }));
    tokens.push_back(document->Notices().StaveChanged.Subscribe(
        [&heard, who](TECStaveOperation op, TECModelObject*) {
          heard.push_back(who + " stave " + std::to_string(static_cast<int>(op)));
        }));
  }
  score.FireChanged(&score);
  score.NotifySelectedChanged();
  score.AddInstrument();
  const std::vector<std::string> expected = {"first changed", "second changed", "first selected", "second selected"};
  ASSERT_GE(heard.size(), expected.size() + 2);
  EXPECT_EQ(std::vector<std::string>(heard.begin(), heard.begin() + 4), expected);
  // Adding an instrument tells both, first the first.
  const auto stave = std::find(heard.begin() + 4, heard.end(), "first stave 0");
  ASSERT_NE(stave, heard.end());
  ASSERT_NE(stave + 1, heard.end());
  EXPECT_EQ(*(stave + 1), "second stave 0");
}

TEST(ScoreDocumentNotices, AListenerThatUnsubscribesInItsOwnCallbackHearsNothingMore) {
  ScoreDocument document;
  TECMusicScore& score = document.Score();
  int first = 0;
  int second = 0;
  Subscription late;
  Subscription early = document.Notices().Changed.Subscribe([&] {
    ++first;
    early.Reset();
    // The listener after it, removed during this delivery, is not called.
    late.Reset();
  });
  late = document.Notices().Changed.Subscribe([&] { ++second; });
  Subscription third;
  int thirds = 0;
  third = document.Notices().Changed.Subscribe([&] { ++thirds; });
  score.FireChanged(&score);
  score.FireChanged(&score);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  EXPECT_EQ(thirds, 2);
  EXPECT_EQ(document.Notices().Changed.ListenerCount(), 1u);
}

TEST(ScoreDocumentNotices, ATokenMayOutliveItsDocument) {
  Subscription token;
  {
    ScoreDocument document;
    token = document.Notices().Changed.Subscribe([] {});
  }
  token.Reset();
}

TEST(ScoreDocumentNotices, LoadingGivesEachListenerOneChangedAfterTheLoadAndNoneDuringIt) {
  ScoreDocument document;
  std::vector<int> instrumentsSeen[2];
  int others = 0;
  std::vector<Subscription> tokens;
  for (auto& seen : instrumentsSeen)
    tokens.push_back(document.Notices().Changed.Subscribe(
        [&document, &seen] { seen.push_back(document.Score().InstrumentCount()); }));
  for (auto* notice : {&document.Notices().SelectedChanged, &document.Notices().PositionChanged,
                       &document.Notices().UndoChanged, &document.Notices().RedoChanged,
                       &document.Notices().ActivePageChanged, &document.Notices().PageCountChanged})
    tokens.push_back(notice->Subscribe([&] { ++others; }));
  document.Load(document_fixture::ThreeNoteFile().string());
  for (const auto& seen : instrumentsSeen) EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_EQ(others, 0);
}

TEST(ScoreDocumentNotices, PagesThatCutStavesAreHeardAfterEachLayout) {
  // Four staves need 104 mm of the new score's 60 mm usable height.
  ScoreDocument document;
  TECMusicScore& score = document.Score();
  score.LayoutSuspended = true;
  TECInstrument* instrument = score.AppendInstrument();
  for (int r = 0; r < 4; ++r) instrument->AppendRow()->AddMeasure();
  score.LayoutSuspended = false;
  std::vector<std::vector<std::int32_t>> heard;
  const Subscription token =
      document.Notices().OverfullPages.Subscribe([&heard](const std::vector<std::int32_t>& pages) {
        heard.push_back(pages);
      });
  score.LayoutScore(0, false);
  EXPECT_EQ(heard, (std::vector<std::vector<std::int32_t>>{{0}}));
}

TEST(ScoreDocumentFile, ADamagedFileLeavesScorePathAndFlagAsTheyWereAndRaisesOnce) {
  auto document = LoadedDocument();
  RaiseE(document->Score());
  ASSERT_TRUE(document->Modified());
  const SavedScore before(document->Score());
  const std::string path = document->Path();
  const auto damaged = external_tools::WriteTemporary("damaged.sfd", {'n', 'o', 't', ' ', 's', 'c', 'o', 'r', 'e'});
  int changed = 0;
  const Subscription token = document->Notices().Changed.Subscribe([&] { ++changed; });
  int raised = 0;
  try {
    document->Load(damaged.string());
  } catch (const std::exception&) {
    ++raised;
  }
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(SavedScore(document->Score()), before);
  EXPECT_EQ(document->Path(), path);
  EXPECT_TRUE(document->Modified());
  // Undo still reaches the state loaded.
  document->Score().Undo(1);
  EXPECT_FALSE(document->Modified());
}

TEST(ScoreDocumentFile, TheModifiedFlagFollowsTheSavePoint) {
  auto document = LoadedDocument();
  TECMusicScore& score = document->Score();
  int flips = 0;
  const Subscription token = document->Notices().ModifiedChanged.Subscribe([&] { ++flips; });
  EXPECT_FALSE(document->Modified());
  RaiseE(score);
  EXPECT_TRUE(document->Modified());
  score.Undo(1);
  EXPECT_FALSE(document->Modified());
  score.Redo(1);
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(flips, 3);

  // A save moves the save point: undoing past it sets the flag, redoing
  // back clears it.
  const auto copy = external_tools::WriteTemporary("modified-flag.sfd", {});
  document->SaveAs(copy.string());
  EXPECT_FALSE(document->Modified());
  EXPECT_EQ(document->Path(), copy.string());
  score.Undo(1);
  EXPECT_TRUE(document->Modified());
  score.Redo(1);
  EXPECT_FALSE(document->Modified());
  // An edit after an undo past the save point leaves no way back to it.
  score.Undo(1);
  RaiseE(score);
  EXPECT_TRUE(document->Modified());
  score.Undo(1);
  EXPECT_TRUE(document->Modified());
}

TEST(ScoreDocumentFile, AStepDroppedFromAFullListIsNotTheStateSaved) {
  auto document = LoadedDocument();
  TECMusicScore& score = document->Score();
  score.SetMaxUndo(2);
  for (int i = 0; i < 3; ++i) RaiseE(score);
  ASSERT_EQ(score.UndoCount(), 2);
  score.Undo(2);
  EXPECT_EQ(score.UndoCount(), 0);
  EXPECT_TRUE(document->Modified());
}

TEST(ScoreDocumentFile, SaveWritesTheFileItCameFromAndSaveAsTakesTheNewName) {
  auto document = LoadedDocument();
  const auto copy = external_tools::WriteTemporary("save-target.sfd", {});
  document->SaveAs(copy.string());
  RaiseE(document->Score());
  document->Save();
  EXPECT_FALSE(document->Modified());
  ScoreDocument reread;
  reread.Load(copy.string());
  EXPECT_EQ(SavedScore(reread.Score()), SavedScore(document->Score()));
  EXPECT_EQ(reread.Kind(), FileKind::Score);
}

TEST(ScoreDocumentFile, SaveRefusesWithoutAFileReadOnlyOrNotAScoreFile) {
  ScoreDocument unnamed;
  EXPECT_THROW(unnamed.Save(), std::runtime_error);
  EXPECT_THROW(unnamed.SaveAs("/tmp/notavistra-not-a-score.mid"), std::runtime_error);
  auto document = LoadedDocument();
  document->SetReadOnly(true);
  RaiseE(document->Score());
  EXPECT_THROW(document->Save(), std::runtime_error);
  EXPECT_TRUE(document->Modified());
}

TEST(ScoreDocumentFile, TheBackupKeeperIsToldBeforeAFileIsReplaced) {
  struct Keeper : nv::document::BackupKeeper {
    std::vector<std::string> told;
    void BeforeReplace(const std::string& path) override { told.push_back(path); }
    void AfterReplace(const std::string& path, bool written) override {
      told.push_back(path + (written ? " written" : " failed"));
    }
  } keeper;
  auto document = LoadedDocument();
  document->SetBackupKeeper(&keeper);
  const auto fresh = std::filesystem::temp_directory_path() / ("notavistra-" + std::to_string(getpid()) + "-new.sfd");
  std::filesystem::remove(fresh);
  document->SaveAs(fresh.string());
  EXPECT_TRUE(keeper.told.empty());
  document->Save();
  EXPECT_EQ(keeper.told, (std::vector<std::string>{fresh.string(), fresh.string() + " written"}));
}

TEST(ScoreDocumentFile, AnEditInANewDocumentRecordsAStep) {
  // The document's score records undo steps from the start.
  ScoreDocument document;
  document.Score().AddInstrument();
  EXPECT_EQ(document.Score().UndoCount(), 1);
  EXPECT_TRUE(document.Modified());
}

TEST(FileKind, IsToldByTheExtensionInAnyCase) {
  EXPECT_EQ(nv::document::KindOfFileName(""), FileKind::None);
  EXPECT_EQ(nv::document::KindOfFileName("/a/b.SFD"), FileKind::Score);
  EXPECT_EQ(nv::document::KindOfFileName("song.Mid"), FileKind::Midi);
  EXPECT_EQ(nv::document::KindOfFileName("song.midi"), FileKind::Midi);
  EXPECT_EQ(nv::document::KindOfFileName("part.xml"), FileKind::MusicXml);
  EXPECT_EQ(nv::document::KindOfFileName("notes.txt"), FileKind::Other);
}

}  // namespace
