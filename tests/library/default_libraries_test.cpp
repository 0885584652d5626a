#include "library/default_libraries.h"

#include <gtest/gtest.h>

#include <map>

#include "library/drum_description.h"
#include "library/library_dump.h"
#include "library/library_folder.h"
#include "library/library_store.h"
#include "library_fixture.h"
#include "model/memory_stream.h"
#include "model/text_encoding.h"

namespace {

using namespace nv::library;
using namespace library_fixture;

std::map<std::string, Bytes> FilesOf(const fs::path& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path());
  }
  return files;
}

class DefaultLibraries : public LibraryFolder {
 protected:
  void SetUp() override {
    LibraryFolder::SetUp();
    defaults_ = root_ / "defaults";
    WriteDefaultLibraries(LIBRARY_TABLES_DIR, defaults_.string());
  }
  fs::path defaults_;
};

TEST_F(DefaultLibraries, TwoRunsWriteTheSameBytes) {
  WriteDefaultLibraries(LIBRARY_TABLES_DIR, (root_ / "again").string());
  const auto first = FilesOf(defaults_);
  EXPECT_EQ(first, FilesOf(root_ / "again"));
  EXPECT_EQ(first.size(), 5u + 23u + 6u + 30u);
}

TEST_F(DefaultLibraries, TheRideCymbalDumpsAsWrittenAndSavesToItsOwnBytes) {
  const fs::path ride = defaults_ / "Templates" / "RideCymbal.drm";
  EXPECT_EQ(DumpLibraryFile(ride.string()),
            "signature 122\n"
            "header \"Notavistra drum styles file\"\n"
            "version 800\n"
            "sections 6\n"
            "display name \"RideCymbal\"\n"
            "hint \"\"\n"
            "values 2 / -2\n"
            "flag 0\n"
            "elements 1\n"
            "  kind 61 text at (1000, 997) in \"Vorod Iduriza\" 16, colour 0, lines [210]\n");
  // The glyph is a byte of the music face, whatever the interface language.
  SetLegacyTextCodePage(LegacyCodePage::cp1251);
  TECDrumDescription drum;
  drum.LoadFromFile(ride.string());
  SetLegacyTextCodePage(LegacyCodePage::cp1252);
  EXPECT_EQ(drum.Bytes(), ReadBytes(ride));
}

TEST_F(DefaultLibraries, EveryShippedLibraryLoadsWithoutAMessage) {
  LibraryStore store(defaults_.string(), ui_);
  store.LoadChordLibrary();
  store.LoadSymbolLibrary();
  store.LoadDrumLibrary();
  store.LoadTermLibrary();
  store.LoadAllTemplates();
  EXPECT_TRUE(ui_.Log.empty()) << ui_.Log.front();
  ASSERT_EQ(store.Chords().size(), 23u);
  EXPECT_EQ(store.Chords()[0]->GetName(), "Xm");
  EXPECT_EQ(store.Chords()[0]->Group, "Triads");
  EXPECT_EQ(store.Chords()[14]->Name, "6-9");
  EXPECT_EQ(store.Chords()[14]->GetName(), "X6/9");
  EXPECT_EQ(store.Symbols().size(), 6u);
  EXPECT_EQ(store.Drums().size(), 30u);
  EXPECT_EQ(store.Terms().size(), 31u);
  int first = 0, second = 0;
  EXPECT_TRUE(store.GetTerms(1, "mezzo forte", first, second));
  EXPECT_EQ(second, 69);
  EXPECT_TRUE(store.GetTerms(2, "Adagio", first, second));
  EXPECT_EQ(second, -34);
  EXPECT_TRUE(store.GetTerms(1, "dim.", first, second));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, -20);
  const DrumMapFile map = store.LoadDrumMap();
  EXPECT_EQ(map.Entry(49), (DrumMapEntry{"Crash Cymbal 1", 17, 70, true}));
  EXPECT_EQ(map.Entry(35), (DrumMapEntry{"Acoustic Bass Drum", 255, 64, false}));
  EXPECT_EQ(map.Entry(82), DrumMapEntry{});
  // The chord written out on C: C Eb Gb Bb for m7b5.
  const auto& halfDiminished = *store.Chords()[8];
  ASSERT_EQ(halfDiminished.Variants.size(), 4u);
  EXPECT_EQ(halfDiminished.Variants[2]->Kind, ek::NoteC + 4);
  EXPECT_EQ(halfDiminished.Variants[2]->Octave, 5);
  ASSERT_EQ(halfDiminished.Variants[2]->Attributes.size(), 1u);
  EXPECT_EQ(halfDiminished.Variants[2]->Attributes[0]->Kind, ek::Flat);
}

TEST_F(DefaultLibraries, AReadOnlyProgramFolderSeedsTheDataFolderAtFirstStart) {
  const fs::path data = root_ / "xdg";
  // /proc takes no new file, even from a privileged process.
  const std::string folder = ChooseLibraryFolder("/proc", data.string().c_str(), "/nowhere");
  EXPECT_EQ(folder, (data / "notavistra").string());
  EXPECT_EQ(ChooseLibraryFolder("/proc", "", "/home/a"), "/home/a/.local/share/notavistra");
  EXPECT_EQ(SeedLibraryFolder(folder, defaults_.string()), "");
  EXPECT_EQ(FilesOf(folder), FilesOf(defaults_));

  LibraryStore store(folder, ui_);
  store.LoadDrumLibrary();
  store.LoadAllTemplates();
  EXPECT_EQ(store.Drums().size(), 30u);
}

TEST_F(DefaultLibraries, AWritableProgramFolderKeepsTheLibrariesBesideTheProgram) {
  EXPECT_EQ(ChooseLibraryFolder(Folder(), (root_ / "xdg").string().c_str(), "/nowhere"), Folder());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);  // only "Templates"
}

TEST_F(DefaultLibraries, SeedingNeverOverwritesTheUsersFiles) {
  WriteText(folder_ / "Chords.ini", "[Accords]\nAccordMax=0\n");
  WriteText(folder_ / "Templates" / "RideCymbal.drm", "mine");
  WriteText(folder_ / "DrumMap.ini", "[Drums]\n");
  EXPECT_EQ(SeedLibraryFolder(Folder(), defaults_.string()), "");
  const auto seeded = FilesOf(folder_);
  const auto text = [&](const std::string& name) {
    const Bytes& bytes = seeded.at(name);
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(text("Chords.ini"), "[Accords]\nAccordMax=0\n");
  EXPECT_EQ(text("Templates/RideCymbal.drm"), "mine");
  EXPECT_EQ(text("DrumMap.ini"), "[Drums]\n");
  EXPECT_FALSE(seeded.contains("Templates/m7.acc"));  // chords were the user's already
  EXPECT_TRUE(seeded.contains("Symbols.ini"));
  EXPECT_TRUE(seeded.contains("Templates/Solo.smb"));
  EXPECT_EQ(seeded.at("Terms.ini"), ReadBytes(defaults_ / "Terms.ini"));
}

}  // namespace
