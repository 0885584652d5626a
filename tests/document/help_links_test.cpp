// The help pages the program ships: every topic a window names exists in
// every language, and every relative link of every page resolves.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "document/help_pages.h"
#include "platform/asset_paths.h"
#include "startup_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST(HelpPages, EveryTopicInEveryLanguageWithEveryLinkResolving) {
  const fs::path root = nv::platform::assetPath("Help");
  const std::regex link(R"re((?:href|src)\s*=\s*"([^"#]*)(#[^"]*)?")re", std::regex::icase);
  for (const char* language : {"English", "Russian", "Deutsch"}) {
    SCOPED_TRACE(language);
    const fs::path folder = root / language;
    ASSERT_TRUE(fs::is_regular_file(folder / nv::document::kHelpStartPage));
    for (const char* topic : nv::document::help_topic::kAll)
      EXPECT_TRUE(fs::is_regular_file(folder / (std::string(topic) + ".htm"))) << topic;
    int links = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".htm") continue;
      const std::string text = startup_fixture::ReadText(entry.path());
      for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
        const std::string target = (*it)[1];
        if (target.empty() || target.find(':') != std::string::npos) continue;
        ++links;
        // The redirect page is written by the program when help opens.
        if (target == nv::document::kContextHelpPage) continue;
        EXPECT_TRUE(fs::is_regular_file(folder / target)) << entry.path().filename() << " -> " << target;
      }
    }
    EXPECT_GT(links, 20);
  }
}

// The quick reference in every language and the news pages: their local
// links and pictures resolve.
TEST(HelpPages, ReferenceAndNewsPagesWithEveryLinkResolving) {
  const std::regex link(R"re((?:href|src)\s*=\s*"([^"#]*)(#[^"]*)?")re", std::regex::icase);
  std::vector<fs::path> pages;
  for (const char* language : {"English", "Russian", "Deutsch"})
    pages.push_back(nv::platform::assetPath("Help") / language / "References" / "References.htm");
  for (const char* code : {"ENU", "RUS", "DEU"})
    pages.push_back(nv::platform::assetPath("News") / (std::string(code) + "News.html"));
  for (const fs::path& page : pages) {
    ASSERT_TRUE(fs::is_regular_file(page)) << page;
    const std::string text = startup_fixture::ReadText(page);
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
      const std::string target = (*it)[1];
      if (target.empty() || target.find(':') != std::string::npos) continue;
      EXPECT_TRUE(fs::is_regular_file(page.parent_path() / target)) << page << " -> " << target;
    }
  }
}

}  // namespace
