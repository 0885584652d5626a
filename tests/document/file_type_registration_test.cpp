#include "document/file_type_registration.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/asset_paths.h"
#include "startup_fixture.h"

namespace {

namespace fs = std::filesystem;
using startup_fixture::ReadText;

class FileTypeTest : public startup_fixture::TempFolder {
 protected:
  std::vector<std::vector<std::string>> ran_;
  nv::document::ToolRunner Recorder() {
    return [this](const std::vector<std::string>& command) {
      ran_.push_back(command);
      return true;
    };
  }
  fs::path Desktop() const { return root_ / "applications" / "notavistra.desktop"; }
};

TEST_F(FileTypeTest, WritesTheThreeFilesOnceAndUpdatesTheDatabases) {
  const std::string icon = ReadText(nv::platform::assetPath("icons/notavistra.svg"));
  ASSERT_FALSE(icon.empty());
  EXPECT_EQ(nv::document::RegisterFileType(root_, "/opt/Nota Vistra/notavistra", icon, Recorder()), "");
  EXPECT_EQ(ReadText(root_ / "mime" / "packages" / "notavistra.xml"), nv::document::ScoreMimePackage());
  const std::string desktop = ReadText(Desktop());
  EXPECT_NE(desktop.find("Exec=\"/opt/Nota Vistra/notavistra\" %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("Exec=\"/opt/Nota Vistra/notavistra\" /a %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("Exec=\"/opt/Nota Vistra/notavistra\" /p %f\n"), std::string::npos);
  EXPECT_EQ(ReadText(root_ / "icons" / "hicolor" / "scalable" / "mimetypes" / "application-x-notavistra-score.svg"),
            icon);
  ASSERT_EQ(ran_.size(), 2u);
  EXPECT_EQ(ran_[0], (std::vector<std::string>{"update-mime-database", (root_ / "mime").string()}));
  EXPECT_EQ(ran_[1], (std::vector<std::string>{"update-desktop-database", (root_ / "applications").string()}));

  // A second start changes nothing and runs nothing.
  const auto written = fs::last_write_time(Desktop());
  const auto mime = fs::last_write_time(root_ / "mime" / "packages" / "notavistra.xml");
  ran_.clear();
  EXPECT_EQ(nv::document::RegisterFileType(root_, "/opt/Nota Vistra/notavistra", icon, Recorder()), "");
  EXPECT_TRUE(ran_.empty());
  EXPECT_EQ(fs::last_write_time(Desktop()), written);
  EXPECT_EQ(fs::last_write_time(root_ / "mime" / "packages" / "notavistra.xml"), mime);

  // A program that moved rewrites the desktop entry only.
  nv::document::RegisterFileType(root_, "/usr/bin/notavistra", icon, Recorder());
  ASSERT_EQ(ran_.size(), 1u);
  EXPECT_EQ(ran_[0][0], "update-desktop-database");
}

TEST_F(FileTypeTest, AMissingIconIsReportedAndNotWritten) {
  EXPECT_EQ(nv::document::RegisterFileType(root_, "/usr/bin/notavistra", "", Recorder()),
            "The icon is missing from the data folder\n");
  EXPECT_FALSE(fs::exists(root_ / "icons"));
  EXPECT_TRUE(fs::exists(Desktop()));
}

TEST_F(FileTypeTest, TheDesktopEntryQuotesWhatTheExecKeyReserves) {
  const std::string desktop = nv::document::DesktopEntry("/a$b/100%/c\"d\\e");
  EXPECT_NE(desktop.find("Exec=\"/a\\\\$b/100%%/c\\\\\"d\\\\\\\\e\" %f\n"), std::string::npos) << desktop;
}

TEST_F(FileTypeTest, TheInstalledToolsAcceptTheFiles) {
  const std::string icon = ReadText(nv::platform::assetPath("icons/notavistra.svg"));
  EXPECT_EQ(nv::document::RegisterFileType(root_, "/usr/bin/notavistra", icon), "");
  if (std::system("command -v desktop-file-validate >/dev/null") != 0) GTEST_SKIP() << "desktop-file-validate";
  EXPECT_EQ(std::system(("desktop-file-validate '" + Desktop().string() + "'").c_str()), 0);
  if (std::system("command -v update-mime-database >/dev/null") == 0) {
    EXPECT_TRUE(fs::exists(root_ / "mime" / "mime.cache"));
    EXPECT_NE(ReadText(root_ / "mime" / "globs2").find("application/x-notavistra-score:*.sfd"), std::string::npos);
  }
}

}  // namespace
