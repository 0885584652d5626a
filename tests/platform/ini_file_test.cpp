#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using nv::platform::FileCalls;
using nv::platform::FileReplaceError;
using nv::platform::IniFile;
using nv::platform::SystemFileCalls;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0);
  return info.st_mode & 0777;
}

// The message of the error Save raises, or "no error".
std::string SaveError(const IniFile& file, const FileCalls& calls = SystemFileCalls()) {
  try {
    file.Save(calls);
  } catch (const FileReplaceError& error) {
    return error.what();
  }
  return "no error";
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("ini-file-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all);
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST(IniFile, SectionsAndKeysIgnoreCaseAndKeepTheirSpelling) {
  const IniFile file = IniFile::FromText("x.ini", "[MainForm]\nBounds=1,2,3,4\nState = 2\n[Other]\nBounds=9\n");
  EXPECT_EQ(file.ReadString("mainform", "bounds", "none"), "1,2,3,4");
  EXPECT_EQ(file.ReadString("MAINFORM", "STATE", "none"), "2");
  EXPECT_TRUE(file.SectionExists("other"));
  EXPECT_FALSE(file.ValueExists("other", "state"));
  EXPECT_EQ(file.ReadSections(), (std::vector<std::string>{"MainForm", "Other"}));
  EXPECT_EQ(file.ReadSection("mainform"), (std::vector<std::string>{"Bounds", "State"}));
}

TEST(IniFile, AValueIsTheTrimmedTextAfterTheFirstEquals) {
  const IniFile file = IniFile::FromText("x.ini", "[S]\n  Key  =  a=b ; \"c\",d \t\nEmpty=\n=orphan\nno equals\n");
  EXPECT_EQ(file.ReadString("S", "Key", ""), "a=b ; \"c\",d");
  EXPECT_EQ(file.ReadString("S", "Empty", "fallback"), "");
  EXPECT_EQ(file.ReadSection("S"), (std::vector<std::string>{"Key", "Empty"}));
}

TEST(IniFile, IntegersAreDecimalWithASignAndAnythingElseIsTheDefault) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {{"12", 12},        {"-5", -5},   {"+7", 7},       {" 42 ", 42},
               {"12abc", 99},     {"abc", 99},  {"", 99},        {"0x10", 99},
               {"2147483647", 2147483647},      {"2147483648", 99}, {"-2147483648", -2147483647 - 1},
               {"+-3", 99},       {"1.5", 99},  {"1 2", 99}};
  for (const auto& c : cases) {
    const IniFile file = IniFile::FromText("x.ini", std::string("[S]\nN=") + c.text + "\n");
    EXPECT_EQ(file.ReadInteger("S", "N", 99), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(IniFile::FromText("x.ini", "").ReadInteger("S", "N", 99), 99);
}

TEST(IniFile, BooleansAreNonZeroIntegersAndAreWrittenAsOneOrZero) {
  const struct {
    const char* text;
    bool fallback;
    bool expected;
  } cases[] = {{"1", false, true}, {"0", true, false}, {"2", false, true},
               {"-1", false, true}, {"yes", false, false}, {"yes", true, true}, {"true", false, false}};
  for (const auto& c : cases) {
    const IniFile file = IniFile::FromText("x.ini", std::string("[S]\nB=") + c.text + "\n");
    EXPECT_EQ(file.ReadBool("S", "B", c.fallback), c.expected) << c.text;
  }
  IniFile file = IniFile::FromText("x.ini", "");
  file.WriteBool("S", "On", true);
  file.WriteBool("S", "Off", false);
  EXPECT_EQ(file.Text(), "[S]\nOn=1\nOff=0\n");
}

TEST(IniFile, TheFirstOfTwoEqualKeysWinsAndDeleteRemovesBoth) {
  IniFile file = IniFile::FromText("x.ini", "[S]\nKey=first\nKEY=second\n[s]\nkey=third\nMore=1\n");
  EXPECT_EQ(file.ReadString("S", "key", ""), "first");
  EXPECT_EQ(file.ReadSections(), std::vector<std::string>{"S"});
  EXPECT_EQ(file.ReadSection("S"), (std::vector<std::string>{"Key", "More"}));
  file.WriteString("s", "KEY", "new");
  EXPECT_EQ(file.Text(), "[S]\nKey=new\nKEY=second\n[s]\nkey=third\nMore=1\n");
  file.DeleteKey("S", "key");
  EXPECT_EQ(file.Text(), "[S]\n[s]\nMore=1\n");
  EXPECT_FALSE(file.ValueExists("S", "Key"));
}

TEST(IniFile, CommentsOrderAndUnknownSectionsSurviveAWrite) {
  IniFile file = IniFile::FromText("x.ini",
                                   "; written by hand\n"
                                   "[Unknown]\n"
                                   "Odd line without equals\n"
                                   "Z=26\n"
                                   "\n"
                                   "[Main]\n"
                                   "# a comment\n"
                                   "B = 2\n"
                                   "A=1\n"
                                   "\n"
                                   "; trailing comment\n");
  file.WriteString("main", "a", "one");
  file.WriteInteger("Main", "C", 3);
  file.WriteString("New", "K", "v");
  EXPECT_EQ(file.Text(),
            "; written by hand\n"
            "[Unknown]\n"
            "Odd line without equals\n"
            "Z=26\n"
            "\n"
            "[Main]\n"
            "# a comment\n"
            "B = 2\n"
            "A=one\n"
            "C=3\n"
            "\n"
            "; trailing comment\n"
            "[New]\n"
            "K=v\n");
  file.EraseSection("UNKNOWN");
  EXPECT_EQ(file.ReadSections(), (std::vector<std::string>{"Main", "New"}));
  EXPECT_TRUE(file.Text().starts_with("; written by hand\n[Main]\n"));
}

TEST(IniFile, AnUntouchedFileGivesBackItsOwnBytes) {
  const char* texts[] = {
      "",
      "[A]\nk=v",
      "\xEF\xBB\xBF[A]\r\nk = v\r\n\r\n;c\r\n",
      "  [ Spaced ]  \n\tKey\t=\tValue\t\n\n\n",
      "no section=1\n[A]\n",
      "[A]\r\nk=v\nx=y\r;mixed\r\n",
  };
  for (const char* text : texts) EXPECT_EQ(IniFile::FromText("x.ini", text).Text(), text);
}

TEST(IniFile, CrlfAndAByteOrderMarkAreReadAndKept) {
  IniFile file = IniFile::FromText("x.ini", "\xEF\xBB\xBF[A]\r\nk=v\r\n");
  EXPECT_EQ(file.ReadString("A", "k", ""), "v");
  file.WriteString("A", "n", "w");
  EXPECT_EQ(file.Text(), "\xEF\xBB\xBF[A]\r\nk=v\r\nn=w\r\n");
  EXPECT_EQ(IniFile::FromText("x.ini", "[ Spaced ]\n").ReadSections(), std::vector<std::string>{"Spaced"});
  // A lone CR ends a line too, so that no value holds a line break.
  const IniFile lone = IniFile::FromText("x.ini", "[A]\nk=a\rb=c\n");
  EXPECT_EQ(lone.ReadString("A", "k", ""), "a");
  EXPECT_EQ(lone.ReadString("A", "b", ""), "c");
}

TEST(IniFile, NamesAndValuesTheSyntaxCannotHoldAreRefused) {
  IniFile file = IniFile::FromText("x.ini", "[A]\nk=v\n");
  EXPECT_THROW(file.WriteString("A", "k", "two\nlines"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", "a=b", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", " k", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", ";k", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A]", "k", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("", "k", "v"), std::invalid_argument);
  EXPECT_EQ(file.Text(), "[A]\nk=v\n");
}

TEST_F(IniFileOnDisk, AMissingFileGivesDefaultsAndNoError) {
  const IniFile file((folder_ / "absent.ini").string());
  EXPECT_EQ(file.LoadError(), "");
  EXPECT_EQ(file.ReadString("A", "k", "default"), "default");
  EXPECT_EQ(file.ReadInteger("A", "n", 7), 7);
  EXPECT_TRUE(file.ReadSections().empty());
}

TEST_F(IniFileOnDisk, SaveWritesTheFileAndKeepsItsPermissions) {
  const fs::path path = folder_ / "settings.ini";
  WriteText(path, "[A]\nk=v\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  IniFile file(path.string());
  file.WriteInteger("A", "n", -3);
  file.Save();
  EXPECT_EQ(ReadText(path), "[A]\nk=v\nn=-3\n");
  EXPECT_EQ(ModeOf(path), 0600u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(IniFileOnDisk, AFailingRenameLeavesTheOldFileByteIdentical) {
  const fs::path path = folder_ / "settings.ini";
  const std::string old = "\xEF\xBB\xBF[A]\r\nk=v\r\n";
  WriteText(path, old);
  IniFile file(path.string());
  file.WriteString("A", "k", "changed");
  FileCalls calls = SystemFileCalls();
  calls.rename = [](const char*, const char*) {
    errno = EXDEV;
    return -1;
  };
  EXPECT_EQ(SaveError(file, calls), "Cannot save \"" + path.string() + "\": Invalid cross-device link");
  EXPECT_EQ(ReadText(path), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(IniFileOnDisk, AnUnwritableFolderGivesAnErrorNamingThePathAndTheReason) {
  const fs::path path = folder_ / "settings.ini";
  IniFile file(path.string());
  file.WriteString("A", "k", "v");
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(SaveError(file), "Cannot save \"" + path.string() + "\": Permission denied");
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(IniFileOnDisk, AFileThatCouldNotBeReadIsNeverOverwritten) {
  // A folder where the file should be cannot be read, whoever runs the test.
  const fs::path path = folder_ / "settings.ini";
  fs::create_directory(path);
  IniFile file(path.string());
  EXPECT_EQ(file.LoadError(), "Cannot read \"" + path.string() + "\": Is a directory");
  file.WriteString("A", "k", "v");
  EXPECT_EQ(SaveError(file), "Cannot save \"" + path.string() +
                                 "\": The file could not be read and is kept as it is (Is a directory)");
  EXPECT_TRUE(fs::is_directory(path));
}

TEST_F(IniFileOnDisk, FiveMegabytesOfRandomBytesLoadWhatParses) {
  std::mt19937 random(49);
  std::string bytes(5 << 20, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(random() % 256);
    if (c == '\n') c = '\0';
  }
  bytes.replace(1000, 14, "\n[Found]\nk=v \n");
  const fs::path path = folder_ / "random.ini";
  WriteText(path, bytes);
  IniFile file(path.string());
  EXPECT_EQ(file.LoadError(), "");
  EXPECT_EQ(file.ReadString("Found", "k", ""), "v");
  EXPECT_EQ(file.Text(), bytes);
}

}  // namespace
