// Every stream of the fuzzing corpus, and every input that once crashed the
// reader, either loads or fails with a stream error; what loads saves, and
// what was saved loads again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

std::filesystem::path CorpusFolder() { return std::filesystem::path(__FILE__).parent_path() / "corpus"; }

TEST(ScoreCorpus, EveryStreamLoadsOrFailsCleanly) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
    SCOPED_TRACE(entry.path().filename().string());
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TECMusicScore score;
    try {
      Load(score, bytes);
    } catch (const EStreamError&) {
      continue;
    }
    Bytes saved;
    try {
      saved = Save(score);
    } catch (const EWriteError&) {
      continue;
    }
    TECMusicScore again;
    EXPECT_NO_THROW(Load(again, saved));
  }
  EXPECT_GT(files, 0);
}

}  // namespace
