#include "document/help_pages.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "startup_fixture.h"

namespace {

namespace fs = std::filesystem;
using startup_fixture::ReadText;
using startup_fixture::WriteText;

class RecordingOpener : public nv::document::HelpPageOpener {
 public:
  void OpenPage(const fs::path& page) override { Opened.push_back(page); }
  std::vector<fs::path> Opened;
};

class HelpTest : public startup_fixture::TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    for (const char* language : {"English", "Deutsch"}) {
      fs::create_directories(root_ / language);
      WriteText(root_ / language / "Help.htm", "<html></html>");
    }
    fs::create_directories(root_ / "Russian");  // no start page
  }
  RecordingOpener opener_;
};

TEST(ContextHelpPage, IsTheRedirectOnOneLine) {
  EXPECT_EQ(nv::document::ContextHelpPageText("TextProp"),
            "<HTML><SCRIPT LANGUAGE=\"JavaScript\">function PageActivate() { window.open(\"TextProp.htm\", "
            "\"Help_right\");}</SCRIPT><BODY OnLoad=\"PageActivate();\"></BODY></HTML>");
}

TEST_F(HelpTest, ALanguageWithoutItsStartPageOpensEnglishAtTheTopic) {
  nv::document::ShowHelpTopic(root_, "RUS", "Entrance", opener_);
  ASSERT_EQ(opener_.Opened.size(), 1u);
  EXPECT_EQ(opener_.Opened[0], root_ / "English" / "Help.htm");
  EXPECT_EQ(ReadText(root_ / "English" / "ContextHelp.htm"), nv::document::ContextHelpPageText("Entrance"));
  EXPECT_FALSE(fs::exists(root_ / "Russian" / "ContextHelp.htm"));

  nv::document::OpenHelpContents(root_, "DEU", opener_);
  EXPECT_EQ(opener_.Opened.back(), root_ / "Deutsch" / "Help.htm");
  EXPECT_EQ(ReadText(root_ / "Deutsch" / "ContextHelp.htm"), nv::document::ContextHelpPageText("Introduction"));
  nv::document::OpenHelpContents(root_, "XYZ", opener_);
  EXPECT_EQ(opener_.Opened.back(), root_ / "English" / "Help.htm");
}

TEST_F(HelpTest, TwoTopicsInARowShowTheSecond) {
  nv::document::ShowHelpTopic(root_, "ENU", "TextProp", opener_);
  nv::document::ShowHelpTopic(root_, "ENU", "GraceNoteProp", opener_);
  EXPECT_EQ(ReadText(root_ / "English" / "ContextHelp.htm"), nv::document::ContextHelpPageText("GraceNoteProp"));
}

TEST_F(HelpTest, AFolderThatCannotBeWrittenOpensTheTopicPageItself) {
  ::chmod((root_ / "English").c_str(), 0555);
  nv::document::ShowHelpTopic(root_, "ENU", "TextProp", opener_);
  ASSERT_EQ(opener_.Opened.size(), 1u);
  EXPECT_EQ(opener_.Opened[0], root_ / "English" / "TextProp.htm");
  EXPECT_FALSE(fs::exists(root_ / "English" / "ContextHelp.htm"));
}

}  // namespace
