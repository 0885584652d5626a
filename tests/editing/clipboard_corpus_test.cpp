// Every payload of the clipboard fuzzing corpus pastes into the fuzz
// target's score whole or not at all, and what it pasted undo takes back.
#include <gtest/gtest.h>

#include <filesystem>

#include "editing/paste_target.h"
#include "support/corpus_files.h"

namespace {

std::filesystem::path CorpusFolder() { return std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "editing" / "clipboard_corpus"; }

TEST(ClipboardCorpus, EveryPayloadPastesWholeOrNotAtAll) {
  const auto files = corpus_files::ReadFolder(CorpusFolder());
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    auto score = paste_target::MakeScore();
    EXPECT_EQ(paste_target::PasteAndUndo(*score, bytes), "");
  }
  EXPECT_GT(files.size(), 0u);
}

}  // namespace
