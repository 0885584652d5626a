#include <gtest/gtest.h>

#include "library/library_store.h"
#include "library_fixture.h"

namespace nv::library {
namespace {

namespace fs = std::filesystem;

class LibraryRemovalTest : public library_fixture::LibraryFolder {
 protected:
  void AddChord(const std::string& name) {
    auto chord = std::make_unique<TECAccordDescription>();
    chord->Name = name;
    chord->SaveTemplate(Folder());
    store->AddChordToPalette(std::move(chord));
  }
  std::vector<std::string> Names(const LibraryStore& from) {
    std::vector<std::string> names;
    for (const auto& chord : from.Chords()) names.push_back(chord->Name);
    return names;
  }
  void SetUp() override {
    LibraryFolder::SetUp();
    store = std::make_unique<LibraryStore>(Folder(), ui_);
  }
  std::unique_ptr<LibraryStore> store;
};

TEST_F(LibraryRemovalTest, ARemovedChordStaysRemovedAfterARestartAndKeepsItsFile) {
  AddChord("dim");
  AddChord("m");
  AddChord("sus4");  // the list: sus4, m, dim
  ASSERT_TRUE(store->RemoveChords({1}, false));
  EXPECT_EQ(Names(*store), (std::vector<std::string>{"sus4", "dim"}));
  EXPECT_TRUE(fs::exists(Templates() / "m.acc"));

  LibraryStore restarted(Folder(), ui_);
  restarted.LoadChordLibrary();
  EXPECT_EQ(Names(restarted), (std::vector<std::string>{"sus4", "dim"}));
}

TEST_F(LibraryRemovalTest, RemovingSeveralWithTheirFilesDeletesThem) {
  AddChord("dim");
  AddChord("m");
  AddChord("sus4");
  ASSERT_TRUE(store->RemoveChords({0, 2, 9}, true));
  EXPECT_EQ(Names(*store), (std::vector<std::string>{"m"}));
  EXPECT_FALSE(fs::exists(Templates() / "sus4.acc"));
  EXPECT_FALSE(fs::exists(Templates() / "dim.acc"));
  EXPECT_TRUE(fs::exists(Templates() / "m.acc"));
}

TEST_F(LibraryRemovalTest, AChosenTemplateMovesToTheFront) {
  AddChord("dim");
  AddChord("m");
  AddChord("sus4");
  store->MoveChordToFront(2);
  EXPECT_EQ(Names(*store), (std::vector<std::string>{"dim", "sus4", "m"}));
  store->MoveChordToFront(7);
  EXPECT_EQ(Names(*store), (std::vector<std::string>{"dim", "sus4", "m"}));
  store->SetTerms({{"piano", 1, 0, 44}, {"forte", 1, 0, 84}});
  store->MoveTermToFront(1);
  EXPECT_EQ(store->Terms()[0].Name, "forte");
  // The name tree follows the moved list.
  ASSERT_NE(store->FindTermByName("piano"), nullptr);
  EXPECT_EQ(store->FindTermByName("piano")->Second, 44);
}

}  // namespace
}  // namespace nv::library
