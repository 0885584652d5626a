// The MusicXML documents of four scores, one per feature, against reference
// documents under tests/formats/musicxml_reference: the same elements one by
// one, valid against the DTD and the schema, and read back by an
// independent lxml reader into the notes the score holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "musicxml_fixtures.h"
#include "run_command.h"

namespace {

using namespace musicxml_fixtures;
namespace fs = std::filesystem;

struct ReferenceCase {
  const char* Name;
  std::function<std::unique_ptr<TECMusicScore>()> Make;
  // What a reader takes from the document: "part staff voice onset duration
  // key", in quarters from the start of the part.
  const char* Notes;
};

void PrintTo(const ReferenceCase& c, std::ostream* os) { *os << c.Name; }

const fs::path kFolder = fs::path(NOTAVISTRA_TESTS_DIR) / "formats";

std::string Checker() { return "/usr/bin/python3 " + ShellQuoted((kFolder / "musicxml_check.py").string()); }

class MusicXmlReference : public ::testing::TestWithParam<ReferenceCase> {
 protected:
  void SetUp() override {
    file_ = fs::temp_directory_path() / ("musicxml-reference-" + std::to_string(::getpid()) + "-" +
                                         GetParam().Name + ".xml");
    std::ofstream(file_, std::ios::binary) << Export(*GetParam().Make());
  }
  void TearDown() override { fs::remove(file_); }

  std::string Reference() const {
    return (kFolder / "musicxml_reference" / (std::string(GetParam().Name) + ".xml")).string();
  }

  fs::path file_;
};

TEST_P(MusicXmlReference, MatchesItsReferenceElementByElement) {
  const CommandResult result =
      RunCommand(Checker() + " same " + ShellQuoted(file_.string()) + " " + ShellQuoted(Reference()));
  EXPECT_EQ(result.Status, 0) << result.Output;
}

TEST_P(MusicXmlReference, ReadsBackIntoTheScoresNotes) {
  const CommandResult result = RunCommand(Checker() + " notes " + ShellQuoted(file_.string()));
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Output, GetParam().Notes);
}

TEST_P(MusicXmlReference, ValidAgainstTheDtdAndTheSchema) {
  const fs::path schema = NOTAVISTRA_MUSICXML_SCHEMA_DIR;
  if (!fs::is_directory(schema))
    GTEST_SKIP() << "The MusicXML schema folder " << schema << " is absent: exported files are not validated";
  const std::string lint =
      "XML_CATALOG_FILES=" + ShellQuoted((schema / "catalog.xml").string()) + " xmllint --noout --nonet ";
  for (const std::string& file : {file_.string(), Reference()}) {
    const CommandResult dtd =
        RunCommand(lint + "--dtdvalid " + ShellQuoted((schema / "partwise.dtd").string()) + " " + ShellQuoted(file));
    EXPECT_EQ(dtd.Status, 0) << dtd.Output;
    const CommandResult xsd =
        RunCommand(lint + "--schema " + ShellQuoted((schema / "musicxml.xsd").string()) + " " + ShellQuoted(file));
    EXPECT_EQ(xsd.Status, 0) << xsd.Output;
  }
}

// Middle C is key 60 (C4). Triplet members last a third (eighths) or two
// thirds (quarters) of a quarter exactly; graces take no time; the lower
// staff of the piano counts its voices from 5.
INSTANTIATE_TEST_SUITE_P(
    Features, MusicXmlReference,
    ::testing::Values(
        ReferenceCase{"tied_melody", MakeTiedMelodyScore,
                      "P1 1 1 0 1 60\n"
                      "P1 1 1 1 3/2 62\n"
                      "P1 1 1 5/2 1/2 64\n"
                      "P1 1 1 3 1 65\n"
                      "P1 1 1 4 2 65 tied\n"
                      "P1 1 1 6 1 67\n"
                      "P1 1 1 7 1 67 tied\n"},
        ReferenceCase{"two_staff", MakeTwoStaffScore,
                      "P1 1 1 0 1 60\n"
                      "P1 1 1 0 1 64\n"
                      "P1 1 1 0 1 67\n"
                      "P1 1 1 1 1 66\n"
                      "P1 1 1 2 1 65\n"
                      "P1 1 2 0 2 57\n"
                      "P1 2 5 0 3 43\n"
                      "P1 2 5 0 3 50\n"
                      "P1 1 1 3 1 64\n"
                      "P1 1 1 4 1 64\n"
                      "P1 1 1 5 1 72\n"
                      "P1 2 5 3 1 38\n"
                      "P1 2 5 5 1 36\n"},
        ReferenceCase{"quartet", MakeQuartetScore,
                      "P1 1 1 0 4 67\n"
                      "P1 1 1 4 4 67\n"
                      "P2 1 1 0 4 64\n"
                      "P2 1 1 4 4 64\n"
                      "P3 1 1 0 4 60\n"
                      "P3 1 1 4 2 60\n"
                      "P3 1 1 6 2 60\n"
                      "P4 1 1 0 4 48\n"
                      "P4 1 1 4 4 48\n"},
        ReferenceCase{"triplets_and_graces", MakeTupletGraceScore,
                      "P1 1 1 0 1/3 60\n"
                      "P1 1 1 1/3 1/3 62\n"
                      "P1 1 1 2/3 1/3 64\n"
                      "P1 1 1 1 grace 67\n"
                      "P1 1 1 1 1 65\n"
                      "P1 1 1 2 grace 62\n"
                      "P1 1 1 2 grace 64\n"
                      "P1 1 1 2 2/3 69\n"
                      "P1 1 1 8/3 2/3 71\n"
                      "P1 1 1 10/3 2/3 72\n"}));

}  // namespace
