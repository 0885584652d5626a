#include "library/template_save.h"

#include <gtest/gtest.h>

#include "library/accord_description.h"
#include "library/chord_code.h"
#include "library/library_store.h"
#include "library/symbol_description.h"
#include "library_fixture.h"
#include "model/memory_stream.h"

namespace nv::library {
namespace {

namespace fs = std::filesystem;

struct ScriptedSaveUi : TemplateSaveUi {
  void ReportMissingFields(const std::vector<std::string>& labels) override { Missing.push_back(labels); }
  bool AskOverwrite(const std::string& path) override {
    Asked.push_back(path);
    return AnswerYes;
  }
  void ReportError(const std::string& message) override { Errors.push_back(message); }
  std::vector<std::vector<std::string>> Missing;
  std::vector<std::string> Asked;
  std::vector<std::string> Errors;
  bool AnswerYes = false;
};

class TemplateSaveTest : public library_fixture::LibraryFolder {
 protected:
  ChordEditorValues Values(const std::string& fileName) {
    ChordEditorValues values;
    values.Pieces = {MakeChordPiece("m", 0, 1), MakeChordPiece("7", 1, 1)};
    values.Description = "minor seventh";
    values.Group = "Minor";
    values.FileName = fileName;
    values.FixedOctave = false;
    return values;
  }
  void AddChord(const std::string& name) {
    auto chord = std::make_unique<TECAccordDescription>();
    chord->Name = name;
    chord->SaveTemplate(Folder());
    store->AddChordToPalette(std::move(chord));
  }
  void SetUp() override {
    LibraryFolder::SetUp();
    store = std::make_unique<LibraryStore>(Folder(), ui_);
  }
  std::unique_ptr<LibraryStore> store;
  ScriptedSaveUi ui;
};

TEST(SafeTemplateName, RefusesNamesThatLeaveTheTemplatesFolder) {
  EXPECT_EQ(SafeTemplateName("  m7  "), "m7");
  EXPECT_EQ(SafeTemplateName("maj7(#11)"), "maj7(#11)");
  for (const char* bad : {"../x", "a/b", "a\\b", "..", "   ", "", "a\tb", "x\ny"}) EXPECT_EQ(SafeTemplateName(bad), "") << bad;
}

TEST_F(TemplateSaveTest, ASavedChordHoldsThePiecesAfterTheRootOnly) {
  TECAccordDescription chord;
  ASSERT_EQ(SaveChordTemplate(chord, Values(" m7 "), {}, *store, ui), TemplateSaveResult::SavedTemplate);
  TECAccordDescription back;
  back.LoadFromFile((Templates() / "m7.acc").string());
  ASSERT_EQ(back.Pieces.size(), 2u);
  EXPECT_EQ(back.Pieces[0].Text, "m");
  EXPECT_EQ(back.Pieces[1].Text, "7");
  EXPECT_EQ(back.GetName(), "Xm7");
  EXPECT_EQ(back.Description, "minor seventh");
  EXPECT_EQ(back.Group, "Minor");
  EXPECT_EQ(back.FixedOctave, 0);
  EXPECT_EQ(chord.Name, "m7");
}

TEST_F(TemplateSaveTest, AnExistingNameAnsweredNoKeepsTheEditorAndTheTemplate) {
  AddChord("m7");
  const auto before = library_fixture::ReadBytes(Templates() / "m7.acc");
  TECAccordDescription chord;
  EXPECT_EQ(SaveChordTemplate(chord, Values("m7"), {}, *store, ui), TemplateSaveResult::StayOpen);
  ASSERT_EQ(ui.Asked.size(), 1u);
  EXPECT_EQ(fs::path(ui.Asked[0]), Templates() / "m7.acc");
  EXPECT_EQ(library_fixture::ReadBytes(Templates() / "m7.acc"), before);
  EXPECT_TRUE(chord.Pieces.empty());  // the template took nothing
  EXPECT_EQ(store->Chords().size(), 1u);

  ui.AnswerYes = true;
  EXPECT_EQ(SaveChordTemplate(chord, Values("m7"), {}, *store, ui), TemplateSaveResult::SavedTemplate);
  EXPECT_TRUE(store->Chords().empty());  // the caller adds the new one
  EXPECT_NE(library_fixture::ReadBytes(Templates() / "m7.acc"), before);
}

TEST_F(TemplateSaveTest, RefusedFileNamesWriteNothing) {
  for (const char* bad : {"../x", "a/b", "  "}) {
    TECAccordDescription chord;
    EXPECT_EQ(SaveChordTemplate(chord, Values(bad), {}, *store, ui), TemplateSaveResult::StayOpen) << bad;
  }
  EXPECT_EQ(ui.Missing, (std::vector<std::vector<std::string>>(3, {"File name"})));
  EXPECT_FALSE(fs::exists(Folder() + "/x.acc"));
  EXPECT_TRUE(fs::is_empty(Templates()));
}

TEST_F(TemplateSaveTest, SaveAsWritesTheChosenFileOnlyWithTheEditedPieces) {
  AddChord("m");
  const auto list = library_fixture::ReadBytes(fs::path(Folder()) / "Chords.ini");
  TECAccordDescription& chord = *store->Chords()[0];
  TemplateEditorMode mode;
  mode.Browse = true;
  mode.BrowsePath = (fs::path(Folder()).parent_path() / "elsewhere").string();
  EXPECT_EQ(SaveChordTemplate(chord, Values(""), mode, *store, ui), TemplateSaveResult::SavedToFile);
  TECAccordDescription copy;
  copy.LoadFromFile(mode.BrowsePath + ".acc");
  EXPECT_EQ(copy.GetName(), "Xm7");
  // The library's template, its file and the list stay as they were.
  EXPECT_TRUE(chord.Pieces.empty());
  EXPECT_EQ(library_fixture::ReadBytes(fs::path(Folder()) / "Chords.ini"), list);
  EXPECT_EQ(store->Chords().size(), 1u);
}

TEST_F(TemplateSaveTest, ASymbolNeedsAGroupAndAFileName) {
  TECSymbolDescription symbol;
  EXPECT_EQ(SaveSymbolTemplate(symbol, {"box", "", ""}, {}, *store, ui), TemplateSaveResult::StayOpen);
  EXPECT_EQ(ui.Missing.back(), (std::vector<std::string>{"Group", "File name"}));
  EXPECT_EQ(SaveSymbolTemplate(symbol, {"box", "Shapes", "box"}, {}, *store, ui), TemplateSaveResult::SavedTemplate);
  EXPECT_TRUE(fs::exists(Templates() / "box.smb"));
}

TEST_F(TemplateSaveTest, AnEditedEntryKeepsItsName) {
  AddChord("dim");
  TemplateEditorMode mode;
  mode.FileNameVisible = false;
  TECAccordDescription& chord = *store->Chords()[0];
  EXPECT_EQ(SaveChordTemplate(chord, Values("ignored"), mode, *store, ui), TemplateSaveResult::SavedTemplate);
  EXPECT_EQ(chord.Name, "dim");
  EXPECT_TRUE(ui.Asked.empty());
  EXPECT_FALSE(fs::exists(Templates() / "ignored.acc"));
}

TEST(TemplateLists, GroupsAndTheRowAfterARefill) {
  EXPECT_EQ(LibraryGroups({"Major", "minor", "MAJOR", "", "Minor", "Sus"}),
            (std::vector<std::string>{"Major", "minor", "Sus"}));
  EXPECT_EQ(RowAfterRefill(2, 5), 2);
  EXPECT_EQ(RowAfterRefill(4, 3), 2);
  EXPECT_EQ(RowAfterRefill(-1, 3), 0);
  EXPECT_EQ(RowAfterRefill(0, 0), -1);
}

}  // namespace
}  // namespace nv::library
