// Every stream of the fuzzing corpus, every input that once crashed or hung
// the reader, layout or drawing, and the hostile files found by fuzzing the
// loaded score go through what the fuzz target checks: each loads or is
// refused with a stream error, and what loads saves, loads again and saves
// to the same bytes, lays out every instrument and draws its first page.
#include <gtest/gtest.h>

#include <filesystem>

#include "../../tools/fuzz/score_exercise.h"
#include "support/corpus_files.h"

namespace {

std::filesystem::path CorpusFolder() { return std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus"; }

TEST(ScoreCorpus, EveryStreamLoadsOrIsRefusedAndWhatLoadsRoundTripsLaysOutAndDraws) {
  const auto files = corpus_files::ReadFolder(CorpusFolder());
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    EXPECT_EQ(score_exercise::Exercise(bytes), "");
  }
  EXPECT_GT(files.size(), 0u);
}

}  // namespace
