#include "library/library_store.h"

#include <gtest/gtest.h>

#include "library/chord_code.h"
#include "library_fixture.h"
#include "model/element_kinds.h"

namespace {

using namespace nv::library;
using namespace library_fixture;

std::unique_ptr<TECAccordDescription> Chord(const std::string& name, const std::string& group = "Sevenths") {
  auto chord = std::make_unique<TECAccordDescription>();
  chord->Name = name;
  chord->Group = group;
  chord->Pieces.push_back(MakeChordPiece(name, 1, 1));
  return chord;
}

std::unique_ptr<TECSymbolDescription> Symbol(const std::string& name, const std::string& description) {
  auto symbol = std::make_unique<TECSymbolDescription>();
  symbol->Name = name;
  symbol->Description = description;
  return symbol;
}

std::vector<std::string> Names(const auto& list) {
  std::vector<std::string> names;
  for (const auto& entry : list) names.push_back(entry->Name);
  return names;
}

using LibraryStoreTest = LibraryFolder;

TEST_F(LibraryStoreTest, ListsNameOnlyTemplatesThatExistAndLoadThemLater) {
  Chord("m7")->SaveTemplate(Folder());
  Chord("Am7.b5")->SaveTemplate(Folder());
  WriteText(folder_ / "Chords.ini",
            "[Accords]\nAccordMax=2000000000\nAccord0=m7\nAccord1=missing\nAccord2=Am7.b5\nAccord3=\n");
  TECDrumDescription drum;
  drum.Name = "Drum1.drm";
  drum.DisplayName = "Drum1";
  drum.SaveTemplate(Folder());
  WriteText(folder_ / "Drums.ini", "[Drums]\nDrumMax=1\nDrum0=Drum1.drm\n");
  Symbol("Solo", "Solo")->SaveTemplate(Folder());
  WriteText(folder_ / "Symbols.ini", "[Symbols]\nSymbolMax=1\nSymbol0=SOLO\n");

  LibraryStore store(Folder(), ui_);
  store.LoadChordLibrary();
  store.LoadDrumLibrary();
  store.LoadSymbolLibrary();
  EXPECT_EQ(Names(store.Chords()), (std::vector<std::string>{"m7", "Am7.b5"}));
  EXPECT_EQ(Names(store.Drums()), std::vector<std::string>{"Drum1.drm"});
  EXPECT_EQ(Names(store.Symbols()), std::vector<std::string>{"SOLO"});
  EXPECT_FALSE(store.Chords()[0]->Loaded);

  store.LoadAllTemplates();
  EXPECT_TRUE(ui_.Log.empty()) << ui_.Log.front();
  EXPECT_EQ(store.Chords()[1]->GetName(), "XAm7.b5");
  EXPECT_EQ(store.Drums()[0]->DisplayName, "Drum1");
  EXPECT_EQ(store.Symbols()[0]->Description, "Solo");

  // The list file keeps the user's lines and loses the missing entry's slot.
  ASSERT_TRUE(store.SaveChordLibrary());
  LibraryStore again(Folder(), ui_);
  again.LoadChordLibrary();
  EXPECT_EQ(Names(again.Chords()), (std::vector<std::string>{"m7", "Am7.b5"}));
}

TEST_F(LibraryStoreTest, TheChordListComesFromTheSettingsFileWhileItHoldsOne) {
  Chord("m7")->SaveTemplate(Folder());
  Chord("7")->SaveTemplate(Folder());
  WriteText(folder_ / "Chords.ini", "[Accords]\nAccordMax=1\nAccord0=7\n");
  WriteText(folder_ / "ProgramSetting.ini", "[Accords]\nAccordMax=1\nAccord0=m7\n");
  LibraryStore store(Folder(), ui_);
  store.LoadChordLibraryAtStartUp("ProgramSetting.ini");
  EXPECT_EQ(Names(store.Chords()), std::vector<std::string>{"m7"});
  ASSERT_TRUE(store.SaveChordLibrary());
  EXPECT_EQ(ReadBytes(folder_ / "Chords.ini"), ReadBytes(folder_ / "ProgramSetting.ini"));

  WriteText(folder_ / "ProgramSetting.ini", "[Accords]\nAccordMax=0\n");
  store.LoadChordLibraryAtStartUp("ProgramSetting.ini");
  EXPECT_EQ(Names(store.Chords()), std::vector<std::string>{"m7"});
}

TEST_F(LibraryStoreTest, ADamagedTemplateAtStartUpIsLeftOutWithOneMessage) {
  Chord("m7")->SaveTemplate(Folder());
  WriteText(Templates() / "bad.acc", "not a chord");
  WriteText(Templates() / "worse.acc", std::string(1, '\x33'));
  WriteText(folder_ / "Chords.ini", "[Accords]\nAccordMax=3\nAccord0=bad\nAccord1=m7\nAccord2=worse\n");
  LibraryStore store(Folder(), ui_);
  store.LoadChordLibrary();
  store.LoadAllTemplates();
  EXPECT_EQ(Names(store.Chords()), std::vector<std::string>{"m7"});
  EXPECT_EQ(ui_.Log, std::vector<std::string>{"dropped [bad: File is not accord] [worse: File is not accord]"});
}

TEST_F(LibraryStoreTest, ChordImportsCopyAskAndReplace) {
  LibraryStore store(Folder(), ui_);
  const fs::path outside = root_ / "m7.acc";
  Chord("m7", "mine")->SaveToFile(outside.string());
  WriteText(root_ / "broken.acc", "xx");

  ui_.Chosen = {(root_ / "absent.acc").string()};
  EXPECT_FALSE(store.AddChordTemplates());
  ui_.Chosen = {(root_ / "broken.acc").string()};
  EXPECT_FALSE(store.AddChordTemplates());
  EXPECT_EQ(ui_.Log, (std::vector<std::string>{"missing " + (root_ / "absent.acc").string(),
                                               "unreadable " + (root_ / "broken.acc").string() + ": File is not accord"}));

  ui_.Log.clear();
  ui_.Chosen = {outside.string()};
  EXPECT_TRUE(store.AddChordTemplates());
  EXPECT_EQ(ReadBytes(Templates() / "m7.acc"), ReadBytes(outside));
  EXPECT_EQ(Names(store.Chords()), std::vector<std::string>{"m7"});
  EXPECT_EQ(ui_.Log, std::vector<std::string>{"palette 0"});

  // Another file of that name: asked by the chord's spelled name.
  Chord("m7", "theirs")->SaveToFile(outside.string());
  ui_.Log.clear();
  ui_.AnswerYes = false;
  EXPECT_FALSE(store.AddChordTemplates());
  EXPECT_EQ(ui_.Log, std::vector<std::string>{"replace Xm7?"});
  EXPECT_EQ(store.Chords()[0]->Group, "mine");
  ui_.AnswerYes = true;
  EXPECT_TRUE(store.AddChordTemplates());
  EXPECT_EQ(Names(store.Chords()), std::vector<std::string>{"m7"});
  EXPECT_EQ(store.Chords()[0]->Group, "theirs");
  EXPECT_EQ(ReadBytes(Templates() / "m7.acc"), ReadBytes(outside));

  // The library's own file: nothing copied, no second entry.
  ui_.Log.clear();
  ui_.Chosen = {(Templates() / "m7.acc").string()};
  EXPECT_TRUE(store.AddChordTemplates());
  EXPECT_EQ(Names(store.Chords()), std::vector<std::string>{"m7"});
  EXPECT_TRUE(ui_.Log.empty());
}

TEST_F(LibraryStoreTest, ASymbolImportAnsweredYesReplacesTheSameNamedEntry) {
  LibraryStore store(Folder(), ui_);
  Symbol("Solo", "old solo")->SaveTemplate(Folder());
  store.AddSymbolToPalette(Symbol("Solo", "old solo"));
  const fs::path outside = root_ / "Solo.smb";
  Symbol("Solo", "new solo")->SaveToFile(outside.string());
  ui_.Log.clear();
  ui_.Chosen = {outside.string()};
  EXPECT_TRUE(store.AddSymbolTemplates());
  EXPECT_EQ(ui_.Log, (std::vector<std::string>{"replace new solo?", "palette 1"}));
  ASSERT_EQ(store.Symbols().size(), 1u);
  EXPECT_EQ(store.Symbols()[0]->Description, "new solo");
}

TEST_F(LibraryStoreTest, TheDefaultDrumStylesReplaceTheirNamesakesAndLoadBack) {
  LibraryStore store(Folder(), ui_);
  store.CreateDefaultDrumLibrary();
  store.CreateDefaultDrumLibrary();
  EXPECT_EQ(store.Drums().size(), 30u);
  EXPECT_EQ(std::distance(fs::directory_iterator(Templates()), fs::directory_iterator()), 30);
  EXPECT_TRUE(ui_.Log.empty());

  LibraryStore next(Folder(), ui_);
  next.LoadDrumLibrary();
  next.LoadAllTemplates();
  ASSERT_EQ(next.Drums().size(), 30u);
  const TECDrumDescription& ride = *next.Drums()[16];
  EXPECT_EQ(ride.Name, "RideCymbal.drm");
  EXPECT_EQ(ride.DisplayName, "RideCymbal");
  EXPECT_EQ(ride.First, 2);
  EXPECT_EQ(ride.Second, -2);
  ASSERT_EQ(ride.Elements().size(), 1u);
  const auto& glyph = static_cast<const TECPageText&>(*ride.Elements()[0]);
  EXPECT_EQ(glyph.Lines, std::vector<std::string>{"\xD2"});
  EXPECT_EQ(next.Drums()[29]->Flag, 128);
  EXPECT_EQ(next.Drums()[29]->DisplayName, "QuietlyDrum3");
}

TEST_F(LibraryStoreTest, RemovingATermRowAndOkWritesExactlyTheRemainingTerms) {
  WriteText(folder_ / "Terms.ini", "[Terms]\nTermMax=3\nTerm0=p,1,0,49\nTerm1=cresc.,1,1,20\nTerm2=Largo,2,0,-50\n");
  LibraryStore store(Folder(), ui_);
  store.LoadTermLibrary();
  std::vector<TECTermDescription> remaining = store.Terms();
  remaining.erase(remaining.begin());
  store.SetTerms(remaining);
  ASSERT_TRUE(store.SaveTermLibrary());
  LibraryStore next(Folder(), ui_);
  next.LoadTermLibrary();
  EXPECT_EQ(next.Terms(), (std::vector<TECTermDescription>{{"cresc.", 1, 1, 20}, {"Largo", 2, 0, -50}}));
  int first = 0, second = 0;
  EXPECT_TRUE(next.GetTerms(1, "CRESC.", first, second));
  EXPECT_EQ(first, 1);
  EXPECT_FALSE(next.GetTerms(1, "p", first, second));
  EXPECT_EQ(next.FindTermByName("largo")->Second, -50);
}

TEST_F(LibraryStoreTest, DuplicateTermsAreReportedOnceAndTheFirstWins) {
  WriteText(folder_ / "Terms.ini", "[Terms]\nTermMax=3\nTerm0=mf,1,0,69\nTerm1=MF,1,0,1\nTerm2=Mf,2,0,2\n");
  LibraryStore store(Folder(), ui_);
  store.LoadTermLibrary();
  EXPECT_EQ(ui_.Log, std::vector<std::string>{"duplicates MF Mf"});
  EXPECT_EQ(store.FindTermByName("mf")->Second, 69);
}

TEST_F(LibraryStoreTest, AFailedListSaveNamesTheFileAndKeepsTheOldOne) {
  WriteText(folder_ / "Terms.ini", "[Terms]\nTermMax=0\n");
  const Bytes old = ReadBytes(folder_ / "Terms.ini");
  LibraryStore store(Folder(), ui_);
  store.SetTerms({{"p", 1, 0, 49}});
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(store.SaveTermLibrary());
  EXPECT_EQ(ui_.Log, std::vector<std::string>{"error Cannot save \"" + (folder_ / "Terms.ini").string() +
                                              "\": Permission denied"});
  EXPECT_EQ(ReadBytes(folder_ / "Terms.ini"), old);

  fs::permissions(folder_, fs::perms::owner_all);
  ui_.Log.clear();
  store.SetTerms({{"a,b", 1, 0, 49}});
  EXPECT_FALSE(store.SaveTermLibrary());
  EXPECT_EQ(ReadBytes(folder_ / "Terms.ini"), old);
  ASSERT_EQ(ui_.Log.size(), 1u);
}

TEST_F(LibraryStoreTest, TheDrumMapRefusesACommaAndKeepsTheFile) {
  LibraryStore store(Folder(), ui_);
  DrumMapFile map = store.LoadDrumMap();
  EXPECT_EQ(map.Entry(36), DrumMapEntry{});
  map.Entry(36) = {"Bass Drum 1", 255, 61, true};
  ASSERT_TRUE(store.SaveDrumMap(map));
  const Bytes saved = ReadBytes(folder_ / "DrumMap.ini");
  map.Entry(38).Name = "Snare, loud";
  EXPECT_THROW(store.SaveDrumMap(map), EDrumMapError);
  EXPECT_EQ(ReadBytes(folder_ / "DrumMap.ini"), saved);
  EXPECT_EQ(store.LoadDrumMap().Entry(36), (DrumMapEntry{"Bass Drum 1", 255, 61, true}));
}

}  // namespace
