#include "document/command_line.h"

#include <gtest/gtest.h>

namespace {

using nv::document::CommandLine;
using nv::document::CommandLineMode;

// Files exist unless named "missing".
bool Exists(const std::string& path) { return path.find("missing") == std::string::npos; }

TEST(CommandLine, SwitchesWithoutCaseTheLastWinningAndExistingScoresInOrder) {
  struct Case {
    std::vector<std::string> arguments;
    CommandLine expected;
  };
  const Case cases[] = {
      {{}, {CommandLineMode::kOpen, {}}},
      {{"/p", "x.sfd", "/a"}, {CommandLineMode::kPlay, {"x.sfd"}}},
      {{"/A", "x.sfd", "/P"}, {CommandLineMode::kPrint, {"x.sfd"}}},
      {{"x.txt", "missing.sfd"}, {CommandLineMode::kOpen, {}}},
      {{"X.SFD", "b.Sfd"}, {CommandLineMode::kOpen, {"X.SFD", "b.Sfd"}}},
      {{"/a/x.sfd", "-a", "/ap", ".sfd", "sfd"}, {CommandLineMode::kOpen, {"/a/x.sfd"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nv::document::ParseCommandLine(c.arguments, Exists), c.expected) << ::testing::PrintToString(c.arguments);
  }
}

}  // namespace
