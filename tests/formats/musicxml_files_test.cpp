// Exported files checked by outside tools: xmllint against the MusicXML DTD
// and schema, and a python3-lxml script (musicxml_check.py) for durations
// and for values worked out by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "musicxml_fixtures.h"
#include "run_command.h"

namespace {

using namespace musicxml_fixtures;
namespace fs = std::filesystem;

struct ExportedFile {
  std::string Name;
  // Measures (from 1) whose length differs from the time signature's.
  std::string Lengths;
};

// The shared-channel score starts with a quarter pickup (32 ticks), and its
// third measure holds a half note from tick 96, which makes it 160 ticks
// long; its triplet makes three divisions of a tick.
const std::vector<ExportedFile> kFiles = {
    {"one_part.xml", ""}, {"two_staff.xml", ""}, {"shared_channel.xml", " 1=96 3=480"}};

class MusicXmlFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("musicxml-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    Write("one_part.xml", *MakeOnePartScore());
    Write("two_staff.xml", *MakeTwoStaffScore());
    Write("shared_channel.xml", *MakeSharedChannelScore());
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Write(const std::string& name, const TECMusicScore& score) {
    std::ofstream(folder_ / name, std::ios::binary) << Export(score);
  }
  std::string File(const std::string& name) const { return ShellQuoted((folder_ / name).string()); }
  // The system's interpreter, for which the python3-lxml package installs
  // lxml (a python3 found first on PATH may lack it).
  static std::string Checker() {
    return "/usr/bin/python3 " + ShellQuoted((fs::path(NOTAVISTRA_TESTS_DIR) / "formats" / "musicxml_check.py").string());
  }

  fs::path folder_;
};

TEST_F(MusicXmlFiles, ValidAgainstTheDtdAndTheSchema) {
  const fs::path schema = NOTAVISTRA_MUSICXML_SCHEMA_DIR;
  if (!fs::is_directory(schema))
    GTEST_SKIP() << "The MusicXML schema folder " << schema << " is absent: exported files are not validated";
  const std::string lint = "XML_CATALOG_FILES=" + ShellQuoted((schema / "catalog.xml").string()) +
                           " xmllint --noout --nonet ";
  for (const ExportedFile& file : kFiles) {
    SCOPED_TRACE(file.Name);
    const CommandResult dtd = RunCommand(lint + "--dtdvalid " + ShellQuoted((schema / "partwise.dtd").string()) +
                                         " " + File(file.Name));
    EXPECT_EQ(dtd.Status, 0) << dtd.Output;
    const CommandResult xsd =
        RunCommand(lint + "--schema " + ShellQuoted((schema / "musicxml.xsd").string()) + " " + File(file.Name));
    EXPECT_EQ(xsd.Status, 0) << xsd.Output;
  }
}

TEST_F(MusicXmlFiles, EveryVoiceFillsEveryMeasure) {
  for (const ExportedFile& file : kFiles) {
    SCOPED_TRACE(file.Name);
    const CommandResult result = RunCommand(Checker() + " durations " + File(file.Name) + file.Lengths);
    EXPECT_EQ(result.Status, 0) << result.Output;
  }
}

TEST_F(MusicXmlFiles, TwoStaffPartHoldsTheValuesWorkedOutByHand) {
  const CommandResult result = RunCommand(Checker() + " two-staff " + File("two_staff.xml"));
  EXPECT_EQ(result.Status, 0) << result.Output;
}

}  // namespace
