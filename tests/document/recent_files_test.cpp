#include "document/recent_files.h"

#include <gtest/gtest.h>

#include <set>

#include "document/date_time_format.h"
#include "platform/ini_file.h"

namespace {

using namespace std::chrono;
using nv::document::RecentFile;
using nv::document::RecentFiles;
using nv::platform::IniFile;

constexpr year_month_day kToday{2026y, December, 10d};
constexpr year_month_day kMarch{2024y, March, 7d};

// Files exist unless named "gone".
bool Exists(const std::string& path) { return path.find("gone") == std::string::npos; }

RecentFiles Loaded(std::string_view text) {
  RecentFiles recent;
  recent.Load(IniFile::FromText("x.ini", text), kToday);
  return recent;
}

std::vector<std::string> Captions(const RecentFiles& recent) {
  std::vector<std::string> captions;
  for (const RecentFile& item : recent.Items()) captions.push_back(RecentFiles::Caption(item));
  return captions;
}

TEST(RecentFiles, LoadsUpToTheFirstGapWithoutACountAndSkipsEmptyEntriesWithOne) {
  EXPECT_EQ(Captions(Loaded("[Reopen]\nReopen0=07/03/2024,/a.sfd\nReopen2=07/03/2024,/c.sfd\n")),
            (std::vector<std::string>{"0 /a.sfd"}));
  EXPECT_EQ(Captions(Loaded("[Reopen]\nReopenCount=3\nReopen0=07/03/2024,/a.sfd\nReopen1=\n"
                            "Reopen2=07/03/2024,/c.sfd\n")),
            (std::vector<std::string>{"0 /a.sfd", "2 /c.sfd"}));
}

TEST(RecentFiles, ADateThatDoesNotParseLoadsAsToday) {
  const RecentFiles recent = Loaded("[Reopen]\nReopen0=07/03/2024,/a.sfd\nReopen1=07.03.2024,/b.sfd\n"
                                    "Reopen2=31/02/2024,/c.sfd\n");
  ASSERT_EQ(recent.Items().size(), 3u);
  EXPECT_EQ(recent.Items()[0].date, kMarch);
  EXPECT_EQ(recent.Items()[1].date, kToday);
  EXPECT_EQ(recent.Items()[2].date, kToday);
}

TEST(RecentFiles, AddingSkipsUntitledMissingAndListedFiles) {
  RecentFiles recent = Loaded("[Reopen]\nReopen0=07/03/2024,/a.sfd\nReopen1=07/03/2024,/b.sfd\n");
  EXPECT_FALSE(recent.Add("/home/u/UNTITLED.SFD", kToday, Exists));
  EXPECT_FALSE(recent.Add("/home/u/gone.sfd", kToday, Exists));
  EXPECT_FALSE(recent.Add("/b.sfd", kToday, Exists));
  EXPECT_EQ(recent.Items()[1], (RecentFile{1, "/b.sfd", kMarch}));
  // Names that differ in case are two files; "&" stays as it is.
  EXPECT_TRUE(recent.Add("/B.sfd", kToday, Exists));
  EXPECT_TRUE(recent.Add("/Rock & Roll.sfd", kToday, Exists));
  EXPECT_EQ(Captions(recent), (std::vector<std::string>{"0 /Rock & Roll.sfd", "1 /B.sfd", "2 /a.sfd", "3 /b.sfd"}));
}

TEST(RecentFiles, TwentyOneClosesLeaveTwenty) {
  RecentFiles recent;
  for (int i = 0; i < 21; ++i) recent.Add("/f" + std::to_string(i) + ".sfd", kToday, Exists);
  ASSERT_EQ(recent.Items().size(), 20u);
  EXPECT_EQ(RecentFiles::Caption(recent.Items().front()), "0 /f20.sfd");
  EXPECT_EQ(RecentFiles::Caption(recent.Items().back()), "19 /f1.sfd");
}

TEST(RecentFiles, OpenDocumentsComeFirstAndNineteenEntriesAreWritten) {
  std::string text = "[Reopen]\nReopenCount=30\n";
  for (int i = 0; i < 30; ++i) text += "Reopen" + std::to_string(i) + "=07/03/2024,/m" + std::to_string(i) + ".sfd\n";
  RecentFiles recent = Loaded(text);
  for (int i = 20; i < 30; ++i) recent.Add("/m" + std::to_string(i) + ".sfd", kToday, Exists);
  EXPECT_EQ(recent.Items().size(), 20u);

  IniFile file = IniFile::FromText("x.ini", text + "Reopen19=keep out\n");
  const std::vector<std::string> open = {"/doc1.sfd", "/home/Untitled.sfd", "/doc2.sfd"};
  recent.Save(file, open, kToday, Exists);
  EXPECT_EQ(file.ReadInteger("Reopen", "ReopenCount", 0), 19);
  EXPECT_EQ(file.ReadString("Reopen", "Reopen0", ""), "10/12/2026,/doc1.sfd");
  EXPECT_EQ(file.ReadString("Reopen", "Reopen1", ""), "10/12/2026,/doc2.sfd");
  EXPECT_EQ(file.ReadString("Reopen", "Reopen2", ""), "10/12/2026,/m29.sfd");
  EXPECT_EQ(file.ReadString("Reopen", "Reopen18", ""), "07/03/2024,/m6.sfd");
  EXPECT_FALSE(file.ValueExists("Reopen", "Reopen19"));
  // The items after the 17th are left out.
  EXPECT_EQ(Loaded(file.Text()).Items().size(), 19u);
}

TEST(RecentFiles, RemovingRenumbersTheRest) {
  RecentFiles recent = Loaded("[Reopen]\nReopen0=07/03/2024,/a.sfd\nReopen1=07/03/2024,/b.sfd\n"
                              "Reopen2=07/03/2024,/A.sfd\nReopen3=07/03/2024,/c.sfd\n");
  EXPECT_TRUE(recent.Remove("/a.sfd"));
  EXPECT_FALSE(recent.Remove("/x.sfd"));
  recent.RemoveAt(0);
  recent.RemoveAt(9);
  EXPECT_EQ(Captions(recent), (std::vector<std::string>{"0 /A.sfd", "1 /c.sfd"}));
}

TEST(DateTimeFormat, WritesAndReadsTheProgramsFormat) {
  const auto& format = nv::document::ProgramDateTimeFormat();
  EXPECT_EQ(format.FormatDate(kMarch), "07/03/2024");
  EXPECT_EQ(format.ParseDate("07/03/2024"), kMarch);
  EXPECT_EQ(format.FormatTime(hh_mm_ss<seconds>(seconds(9 * 3600 + 5 * 60))), "09:05:00");
  for (const char* bad : {"7/3/2024", "07-03-2024", "07/13/2024", "aa/03/2024", "07/03/2024x", ""})
    EXPECT_FALSE(format.ParseDate(bad)) << bad;
}

}  // namespace
