// Every input of the library fuzz corpora goes through what its target
// checks: templates are refused with the format error or round-trip to the
// same bytes, list files read back what they wrote, chord codes stay in
// bounds and give a stable toolbar code.
#include <gtest/gtest.h>

#include "../../tools/fuzz/library_exercise.h"
#include "support/corpus_files.h"

namespace {

template <typename Exercise>
void ReplayCorpus(const char* folder, Exercise exercise) {
  const auto files = corpus_files::ReadFolder(std::filesystem::path(LIBRARY_CORPUS_DIR) / folder);
  for (const auto& [name, bytes] : files) EXPECT_EQ(exercise(bytes), "") << name;
  EXPECT_GT(files.size(), 0u);
}

TEST(LibraryCorpus, EveryTemplateIsRefusedOrRoundTrips) {
  ReplayCorpus("templates", library_exercise::ExerciseTemplate);
}

TEST(LibraryCorpus, EveryListFileReadsBackWhatItWrote) { ReplayCorpus("lists", library_exercise::ExerciseListFile); }

TEST(LibraryCorpus, EveryChordCodeStaysInBounds) { ReplayCorpus("chord_codes", library_exercise::ExerciseChordCode); }

}  // namespace
