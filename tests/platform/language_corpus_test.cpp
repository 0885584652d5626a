// Every input of the language reader's fuzzing corpus goes through what the
// fuzz target does with it.
#include <gtest/gtest.h>

#include <filesystem>

#include "../../tools/fuzz/language_exercise.h"
#include "support/corpus_files.h"

namespace {

TEST(LanguageCorpus, EveryInputIsRefusedOrReadsAndRewritesTheSame) {
  const auto files = corpus_files::ReadFolder(LANGUAGE_CORPUS_DIR);
  EXPECT_FALSE(files.empty());
  for (const auto& [name, bytes] : files) EXPECT_EQ(language_exercise::Exercise(bytes), "") << name;
}

}  // namespace
