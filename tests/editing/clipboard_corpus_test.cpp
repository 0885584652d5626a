// Every payload of the clipboard fuzzing corpus pastes into the fuzz
// target's score whole or not at all, and what it pasted undo takes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "editing/paste_target.h"

namespace {

std::filesystem::path CorpusFolder() { return std::filesystem::path(__FILE__).parent_path() / "clipboard_corpus"; }

TEST(ClipboardCorpus, EveryPayloadPastesWholeOrNotAtAll) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
    SCOPED_TRACE(entry.path().filename().string());
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto score = paste_target::MakeScore();
    EXPECT_EQ(paste_target::PasteAndUndo(*score, bytes), "");
  }
  EXPECT_GT(files, 0);
}

}  // namespace
