#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status;
  std::string output;
};

ToolRun RunTool(const std::string& command) {
  ToolRun run{-1, {}};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  run.status = pclose(pipe);
  return run;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Lrfc : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lrfc_test_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return dir_ / name;
  }
  ToolRun Compile(const std::vector<fs::path>& sources, const fs::path& out) {
    std::string command = std::string(LRFC_PATH) + " " + out.string() + " notavistra";
    for (const auto& source : sources) command += " " + source.string();
    return RunTool(command);
  }

  fs::path dir_;
};

TEST_F(Lrfc, RefusesBadSourcesNamingTheFileAndLine) {
  const std::string good = "[FForm]\nA.text = \"a\"\n#0 = \"zero\"\n";
  struct Case {
    const char* what;
    std::string enu, rus;  // rus empty: one source only
    const char* where;     // "ENU.txt:3" or "RUS.txt:2"
    const char* message;
  };
  const std::vector<Case> cases = {
      {"text over 1024 bytes", "[FForm]\n\nA.text = \"" + std::string(1025, 'x') + "\"\n", "", "ENU.txt:3",
       "over 1024"},
      {"1024 bytes is fine in a numbered text, 1025 is not",
       "[FForm]\n#0 = \"" + std::string(1024, 'x') + "\"\n#1 = \"" + std::string(1025, 'y') + "\"\n", "",
       "ENU.txt:3", "over 1024"},
      {"form over 1024 entries",
       [] {
         std::string text = "[FForm]\n";
         for (int i = 0; i <= 1024; ++i) text += "A" + std::to_string(i) + ".text = \"x\"\n";
         return text;
       }(),
       "", "ENU.txt:1026", "more than 1024 entries"},
      {"gap in the numbered texts", "[FForm]\n#0 = \"a\"\n#2 = \"c\"\n", "", "ENU.txt:3", "#1 is missing"},
      {"duplicate number", "[FForm]\n#0 = \"a\"\n#0 = \"b\"\n", "", "ENU.txt:3", "appears twice"},
      {"form the other lacks", good + "[FOther]\n", good, "ENU.txt:4", "missing in"},
      {"path the other lacks", good, "[FForm]\n#0 = \"null\"\n", "ENU.txt:2", "path A.text"},
      {"number the other lacks", good, "[FForm]\nA.text = \"a\"\n#0 = \"z\"\n#1 = \"eins\"\n", "RUS.txt:4",
       "#1"},
      {"syntax", "[FForm]\nA.text \"a\"\n", "", "ENU.txt:2", "expected '='"},
      {"entry before a form", "A.text = \"a\"\n", "", "ENU.txt:1", "before the first"},
  };
  for (const Case& c : cases) {
    std::vector<fs::path> sources = {Write("ENU.txt", c.enu)};
    if (!c.rus.empty()) sources.push_back(Write("RUS.txt", c.rus));
    const ToolRun run = Compile(sources, dir_ / "out");
    EXPECT_NE(run.status, 0) << c.what;
    EXPECT_NE(run.output.find(c.where), std::string::npos) << c.what << ": " << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.what << ": " << run.output;
    EXPECT_FALSE(fs::exists(dir_ / "out" / "notavistra.ENU.lrf")) << c.what;
  }
}

TEST_F(Lrfc, RefusesATreeLinkOverItsRangeAtTheFormBelowIt) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "[M" + std::to_string(100000 + i) + std::string(20, 'k') + "]\n";
  text += "[Z]\n";
  const ToolRun run = Compile({Write("ENU.txt", text)}, dir_ / "out");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("ENU.txt:"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("65535"), std::string::npos) << run.output;
}

TEST_F(Lrfc, TwoRunsWriteTheBytesTheBuildWrote) {
  const fs::path sources = fs::path(NOTAVISTRA_ASSETS_DIR) / "lang";
  fs::create_directories(dir_ / "again");
  const std::vector<fs::path> all = {sources / "ENU.txt", sources / "RUS.txt", sources / "DEU.txt"};
  ASSERT_EQ(Compile(all, dir_ / "out").status, 0);
  ASSERT_EQ(Compile(all, dir_ / "again").status, 0);
  for (const std::string code : {"ENU", "RUS", "DEU"}) {
    const std::string name = "notavistra." + code + ".lrf";
    const std::string first = Read(dir_ / "out" / name);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, Read(dir_ / "again" / name)) << code;
    EXPECT_EQ(first, Read(fs::path(NOTAVISTRA_ASSETS_DIR) / name)) << code;
  }
}

TEST_F(Lrfc, DumpOfTheCompiledFileEqualsTheNormalizedSource) {
  const fs::path assets(NOTAVISTRA_ASSETS_DIR);
  for (const std::string code : {"ENU", "RUS", "DEU"}) {
    const ToolRun dump = RunTool(std::string(LRFDUMP_PATH) + " " + (assets / ("notavistra." + code + ".lrf")).string());
    const ToolRun normalized =
        RunTool(std::string(LRFC_PATH) + " --normalize " + (assets / "lang" / (code + ".txt")).string());
    ASSERT_EQ(dump.status, 0) << dump.output;
    ASSERT_EQ(normalized.status, 0) << normalized.output;
    EXPECT_EQ(dump.output, normalized.output) << code;
  }
  const ToolRun one =
      RunTool(std::string(LRFDUMP_PATH) + " " + (assets / "notavistra.ENU.lrf").string() + " FMessageBlock 2");
  EXPECT_EQ(one.output, "#2 = \"Yes\"\n");
}

TEST_F(Lrfc, DumpRefusesADamagedFile) {
  std::string bytes = Read(fs::path(NOTAVISTRA_ASSETS_DIR) / "notavistra.ENU.lrf");
  bytes.resize(bytes.size() / 2);
  const ToolRun dump = RunTool(std::string(LRFDUMP_PATH) + " " + Write("cut.lrf", bytes).string());
  EXPECT_NE(dump.status, 0);
  EXPECT_NE(dump.output.find("cut.lrf"), std::string::npos) << dump.output;
  EXPECT_NE(dump.output.find("offset"), std::string::npos) << dump.output;
}

}  // namespace
