#include "document/information_pages.h"

#include <gtest/gtest.h>

#include "startup_fixture.h"

namespace {

namespace fs = std::filesystem;
using nv::document::newsPath;
using nv::document::referencePath;
using startup_fixture::WriteText;

// A data folder with English and Russian references and English and Russian
// news, as a program without German pages has them.
class InformationPages : public startup_fixture::TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    for (const char* language : {"English", "Russian"}) {
      fs::create_directories(root_ / "Help" / language / "References");
      WriteText(root_ / "Help" / language / "References" / "References.htm", "<html></html>");
    }
    fs::create_directories(root_ / "Help" / "Deutsch");  // help, but no reference
    fs::create_directories(root_ / "News");
    for (const char* page : {"ENUNews.html", "RUSNews.html"}) WriteText(root_ / "News" / page, "<html></html>");
  }
};

TEST_F(InformationPages, ReferenceOfEachLanguage) {
  const fs::path english = "Help/English/References/References.htm";
  const struct {
    const char* language;
    fs::path page;
  } cases[] = {
      {"ENU", english},
      {"RUS", "Help/Russian/References/References.htm"},
      {"rus", "Help/Russian/References/References.htm"},
      {"DEU", english},  // no German page
      {"XYZ", english},
      {"", english},
  };
  for (const auto& c : cases) EXPECT_EQ(referencePath(root_, c.language), root_ / c.page) << c.language;
}

TEST_F(InformationPages, WithoutAnyReferenceTheEnglishPathIsGiven) {
  fs::remove_all(root_ / "Help");
  EXPECT_EQ(referencePath(root_, "RUS"), root_ / "Help/English/References/References.htm");
}

TEST_F(InformationPages, NewsOfEachLanguage) {
  EXPECT_EQ(newsPath(root_, "ENU"), root_ / "News/ENUNews.html");
  EXPECT_EQ(newsPath(root_, "RUS"), root_ / "News/RUSNews.html");
  EXPECT_EQ(newsPath(root_, "rus"), root_ / "News/RUSNews.html");
  EXPECT_EQ(newsPath(root_, "DEU"), std::nullopt);  // none in this folder
  EXPECT_EQ(newsPath(root_, ""), std::nullopt);
  // A code that would reach outside the folder names nothing.
  WriteText(root_ / "News.html", "<html></html>");
  EXPECT_EQ(newsPath(root_, "../"), std::nullopt);
}

TEST(InformationFiles, TutorialAndPicture) {
  EXPECT_EQ(nv::document::tutorialPath("/data"), fs::path("/data/Tutorial/Tutorial.avi"));
  EXPECT_EQ(nv::document::aboutPicturePath("/data"), fs::path("/data/About.bmp"));
}

}  // namespace
