// Opening a ".xml" file raises and leaves the open score as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "formats/musicxml_import.h"
#include "formats/score_file.h"
#include "musicxml_fixtures.h"
#include "score_fixtures.h"

namespace {

namespace fs = std::filesystem;

class MusicXmlOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("musicxml-open-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Opens the file into a full score and gives back the error; the score's
  // bytes and dump must be as before.
  std::string OpenAndExpectUnchanged(const fs::path& path) {
    auto score = score_fixtures::MakeFullScore();
    const auto bytes = score_fixtures::Save(*score);
    const std::string dump = score_fixtures::FullDump(*score);
    std::string message;
    try {
      score->LoadFromFile(path.string());
      ADD_FAILURE() << "no error";
    } catch (const EStreamError& error) {
      message = error.what();
    }
    EXPECT_EQ(score_fixtures::Save(*score), bytes);
    EXPECT_EQ(score_fixtures::FullDump(*score), dump);
    return message;
  }

  fs::path folder_;
};

TEST_F(MusicXmlOpen, ExportedFileIsNotImported) {
  const std::string exported = musicxml_fixtures::Export(*musicxml_fixtures::MakeTwoStaffScore());
  for (const char* name : {"song.xml", "SONG.XML", "song.Xml"}) {
    SCOPED_TRACE(name);
    std::ofstream(folder_ / name, std::ios::binary) << exported;
    EXPECT_EQ(OpenAndExpectUnchanged(folder_ / name), "MusicXML import is not supported");
  }
}

TEST_F(MusicXmlOpen, AnyXmlFileIsRefusedTheSameWay) {
  for (const std::string contents : {"", "not xml at all", "\x01\x02\xFF", "<a><b></a>"}) {
    std::ofstream(folder_ / "other.xml", std::ios::binary) << contents;
    EXPECT_EQ(OpenAndExpectUnchanged(folder_ / "other.xml"), "MusicXML import is not supported");
  }
}

TEST_F(MusicXmlOpen, UncompressedAndCompressedExtensionsAreRefusedLikeXml) {
  const std::string exported = musicxml_fixtures::Export(*musicxml_fixtures::MakeTwoStaffScore());
  // A compressed file is a zip archive: its bytes are no XML document.
  for (const auto& [name, contents] : {std::pair<const char*, std::string>{"a.musicxml", exported},
                                       {"A.MusicXML", exported},
                                       {"a.mxl", std::string("PK\x03\x04\x14\0\0\0<<<", 11)},
                                       {"b.MXL", exported}}) {
    SCOPED_TRACE(name);
    std::ofstream(folder_ / name, std::ios::binary) << contents;
    EXPECT_EQ(OpenAndExpectUnchanged(folder_ / name), "MusicXML import is not supported");
  }
}

TEST_F(MusicXmlOpen, DocumentPastTheReadersLimitsSaysSo) {
  std::string deep;
  for (int i = 0; i < 1000; ++i) deep += "<a>";
  std::ofstream(folder_ / "deep.xml", std::ios::binary) << deep;
  EXPECT_EQ(OpenAndExpectUnchanged(folder_ / "deep.xml"), "XML elements nested deeper than 100 levels");
}

TEST(MusicXmlImport, ReadsTheWholeStreamThenRaises) {
  const std::string text = "<score-partwise><part-list/></score-partwise>";
  MemoryStream stream(std::vector<std::uint8_t>(text.begin(), text.end()));
  try {
    ImportMusicXml(stream);
    ADD_FAILURE() << "no error";
  } catch (const EStreamError& error) {
    EXPECT_STREQ(error.what(), "MusicXML import is not supported");
  }
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(text.size()));
}

}  // namespace
