// Every stream of the fuzzing corpus, every input that once crashed or hung
// the reader, layout or drawing, and the hostile files found by fuzzing the
// loaded score go through what the fuzz target checks: each loads or is
// refused with a stream error, and what loads saves, loads again and saves
// to the same bytes, lays out every instrument and draws its first page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../tools/fuzz/score_exercise.h"

namespace {

std::filesystem::path CorpusFolder() { return std::filesystem::path(__FILE__).parent_path() / "corpus"; }

TEST(ScoreCorpus, EveryStreamLoadsOrIsRefusedAndWhatLoadsRoundTripsLaysOutAndDraws) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
    SCOPED_TRACE(entry.path().filename().string());
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(score_exercise::Exercise(bytes), "");
  }
  EXPECT_GT(files, 0);
}

}  // namespace
