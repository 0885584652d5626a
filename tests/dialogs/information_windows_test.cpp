// The information windows as the user meets them: the reference and news
// pages with their links, the about window, the splash and the tutorial.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "dialogs/about_windows.h"
#include "dialogs/page_windows.h"
#include "dialogs/tutorial_window.h"
#include "document/information_pages.h"
#include "platform/asset_paths.h"
#include "platform/ini_file.h"
#include "widgets/form_designer.h"

namespace nv::dialogs {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A data folder of its own: English and Russian references (the English one
// links to a second page, the web, a mail address and a page that is not
// there), English news.
class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("info-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    const fs::path english = root_ / "Help/English/References";
    Write(english / "References.htm",
          "<html><body><h1>Quick reference</h1>"
          "<p><a href=\"Second.htm\">second</a> <a href=\"https://example.org/notes\">web</a> "
          "<a href=\"mailto:someone@example.org\">mail</a> <a href=\"Missing.htm\">missing</a> "
          "<a href=\"ftp://example.org/\">ftp</a></p></body></html>");
    Write(english / "Second.htm", "<html><body><h1>Second page</h1></body></html>");
    Write(root_ / "Help/Russian/References/References.htm", "<html><body><h1>Краткий справочник</h1></body></html>");
    Write(root_ / "News/ENUNews.html", "<html><body><h1>What is new</h1></body></html>");
  }
  void TearDown() override { fs::remove_all(root_); }

  widgets::UrlOpener Recorder() {
    return [this](const QUrl& url) { opened_.push_back(url.toString()); };
  }
  static QString Shown(const PageBrowserWindow& window) { return window.Browser().toPlainText(); }

  fs::path root_;
  std::vector<QString> opened_;
};

TEST_F(DataFolder, TheReferenceShowsThePageOfTheLanguageAndEnglishForOthers) {
  const struct {
    const char* language;
    const char* heading;
  } cases[] = {{"ENU", "Quick reference"}, {"RUS", "Краткий справочник"}, {"DEU", "Quick reference"},
               {"XYZ", "Quick reference"}};
  for (const auto& c : cases) {
    TFReferenceModule window(root_, c.language, nullptr, Recorder());
    EXPECT_TRUE(window.HasPage()) << c.language;
    EXPECT_TRUE(Shown(window).startsWith(QString::fromUtf8(c.heading))) << c.language;
  }
}

TEST_F(DataFolder, WithoutAnyReferencePageTheWindowSaysItIsNotInstalled) {
  fs::remove_all(root_ / "Help");
  TFReferenceModule window(root_, "RUS", nullptr, Recorder());
  EXPECT_FALSE(window.HasPage());
  EXPECT_EQ(Shown(window), "The reference pages are not installed.");
}

TEST_F(DataFolder, LocalLinksOpenInsideAndWebAndMailGoToTheDesktop) {
  TFReferenceModule window(root_, "ENU", nullptr, Recorder());
  window.FollowLink(QUrl("https://example.org/notes"));
  window.FollowLink(QUrl("mailto:someone@example.org"));
  EXPECT_TRUE(Shown(window).startsWith("Quick reference"));  // the page stays
  // Neither a page that is not there nor another scheme goes anywhere.
  window.FollowLink(QUrl("Missing.htm"));
  window.FollowLink(QUrl("ftp://example.org/"));
  EXPECT_TRUE(Shown(window).startsWith("Quick reference"));
  EXPECT_EQ(opened_, (std::vector<QString>{"https://example.org/notes", "mailto:someone@example.org"}));

  window.FollowLink(QUrl("Second.htm"));
  EXPECT_TRUE(Shown(window).startsWith("Second page"));
  EXPECT_EQ(opened_.size(), 2u);
}

TEST_F(DataFolder, TheCaptionsForwardAndBackButtonsWalkTheHistory) {
  TFReferenceModule window(root_, "ENU", nullptr, Recorder());
  window.FollowLink(QUrl("Second.htm"));
  const widgets::TECFormDesigner* designer = widgets::TECFormDesigner::Of(&window);
  ASSERT_NE(designer, nullptr);
  // Close, then forward, then back, from the right.
  ASSERT_EQ(designer->Buttons().size(), 3u);
  widgets::TECFormDesigner::Of(&window)->RunButton(2);  // back
  EXPECT_TRUE(Shown(window).startsWith("Quick reference"));
  widgets::TECFormDesigner::Of(&window)->RunButton(1);  // forward
  EXPECT_TRUE(Shown(window).startsWith("Second page"));
  // Forward at the end of the history stays.
  widgets::TECFormDesigner::Of(&window)->RunButton(1);
  EXPECT_TRUE(Shown(window).startsWith("Second page"));
}

TEST_F(DataFolder, TheReferenceStaysOnTopAndKeepsItsBounds) {
  auto settings = platform::IniFile::FromText((root_ / "ProgramSetting.ini").string(), "");
  {
    TFReferenceModule window(root_, "ENU", &settings, Recorder());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window.setGeometry(40, 50, 500, 400);
  }
  EXPECT_EQ(settings.ReadString("ReferenceModule", "Bounds", ""), "40,50,500,400");
  TFReferenceModule again(root_, "ENU", &settings, Recorder());
  EXPECT_EQ(again.geometry(), QRect(40, 50, 500, 400));
}

TEST_F(DataFolder, NewsShowTheLanguagesPageOrNothing) {
  TFNewsModule* news = ShowLastNews(root_, "ENU", nullptr, Recorder());
  ASSERT_NE(news, nullptr);
  EXPECT_TRUE(news->isVisible());
  EXPECT_TRUE(Shown(*news).startsWith("What is new"));
  EXPECT_EQ(news->windowTitle(), " Last news ");
  delete news;
  // No German news: no window.
  EXPECT_EQ(ShowLastNews(root_, "DEU", nullptr, Recorder()), nullptr);
  EXPECT_TRUE(std::ranges::none_of(QApplication::topLevelWidgets(),
                                   [](QWidget* w) { return qobject_cast<TFNewsModule*>(w) != nullptr; }));
}

TEST_F(DataFolder, NewsCloseAndFreeThemselvesWhenAnotherWindowIsActivated) {
  QPointer<TFNewsModule> news = ShowLastNews(root_, "ENU", nullptr, Recorder());
  ASSERT_TRUE(news);
  QApplication::setActiveWindow(news);
  ASSERT_TRUE(QTest::qWaitFor([&] { return news->isActiveWindow(); }, 2000));
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  EXPECT_TRUE(QTest::qWaitFor([&] { return news.isNull(); }, 2000));
}

// --- about and splash ---------------------------------------------------------

TEST(AboutWindow, APressOrAKeyClosesIt) {
  for (const bool key : {false, true}) {
    QPointer<TFormAbout> about = new TFormAbout(platform::assetPath("About.bmp"), {}, {});
    about->show();
    EXPECT_EQ(about->size(), QSize(506, 342));
    EXPECT_TRUE(about->windowFlags().testFlag(Qt::FramelessWindowHint));
    if (key)
      QTest::keyClick(about, Qt::Key_A);
    else
      QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(100, 300));
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }, 2000)) << key;
  }
}

TEST(AboutWindow, WithoutAddressesTheContactLabelsAreHidden) {
  TFormAbout about(platform::assetPath("About.bmp"), {}, {});
  about.show();
  EXPECT_FALSE(about.MailLabel()->isVisible());
  EXPECT_FALSE(about.WebLabel()->isVisible());
  EXPECT_EQ(about.findChild<QLabel*>("LCopyright")->text(), QString("© 2026 the Notavistra developers"));
}

TEST(AboutWindow, AContactLabelClosesTheWindowAndThenWritesAMail) {
  std::vector<QString> events;
  QPointer<TFormAbout> about = new TFormAbout(platform::assetPath("About.bmp"), {"team@example.org", ""},
                                              [&](const QUrl& url) {
                                                events.push_back(about && about->isVisible() ? "open while shown"
                                                                                             : url.toString());
                                              });
  about->show();
  ASSERT_TRUE(about->MailLabel()->isVisible());
  QTest::mouseClick(about, Qt::LeftButton, {}, about->MailLabel()->geometry().center());
  EXPECT_EQ(events, std::vector<QString>{"mailto:team@example.org"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }, 2000));
}

class SplashFiles : public DataFolder {};

TEST_F(SplashFiles, TheShippedPictureMakesA506By342Splash) {
  TFLogoModule splash(platform::assetPath("About.bmp"));
  EXPECT_TRUE(splash.HasPicture());
  EXPECT_EQ(splash.size(), QSize(506, 342));
  EXPECT_EQ(TFLogoModule::Current(), &splash);
}

TEST_F(SplashFiles, AMissingCutOrWrongFileShowsNoSplash) {
  const fs::path truncated = root_ / "cut.bmp";
  std::ifstream in(platform::assetPath("About.bmp"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Write(truncated, bytes.substr(0, 40));
  Write(root_ / "text.bmp", "this is no picture");
  for (const fs::path& file : {root_ / "none.bmp", truncated, root_ / "text.bmp"}) {
    EXPECT_FALSE(TFLogoModule(file).HasPicture()) << file;
    EXPECT_EQ(ShowSplash(file), nullptr) << file;
    EXPECT_EQ(TFLogoModule::Current(), nullptr);
  }
}

TEST_F(SplashFiles, AKeyClosesItOnlyOnceTheMainWindowAllows) {
  QPointer<TFLogoModule> splash = ShowSplash(platform::assetPath("About.bmp"));
  ASSERT_TRUE(splash);
  EXPECT_TRUE(splash->windowFlags().testFlag(Qt::SplashScreen));
  QTest::keyClick(splash, Qt::Key_Space);
  QTest::mouseClick(splash, Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_TRUE(splash);
  EXPECT_TRUE(splash->isVisible());
  CloseSplash();
  EXPECT_TRUE(splash->Done());
  QTest::keyClick(splash, Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
  EXPECT_EQ(TFLogoModule::Current(), nullptr);
}

// --- tutorial -------------------------------------------------------------------

class RecordingPlayer : public TutorialPlayer {
 public:
  void SetFileName(const std::string& file) override { calls.push_back("file " + file); }
  void SetDisplayRect(const platform::Rect& r) override {
    calls.push_back("rect " + std::to_string(r.width()) + "x" + std::to_string(r.height()));
  }
  bool Open() override {
    calls.push_back("open");
    return opens;
  }
  void Play() override { calls.push_back("play"); }
  void Stop() override { calls.push_back("stop"); }
  bool opens = true;
  std::vector<std::string> calls;
};

TEST(TutorialWindow, WithoutAPlayerItSaysSoAndOffersTheReferences) {
  int references = 0;
  TFTutorialModule tutorial(nullptr, [&] { ++references; });
  tutorial.show();
  EXPECT_FALSE(tutorial.PlayTutorial("/nowhere/Tutorial/Tutorial.avi"));
  EXPECT_TRUE(tutorial.Message().isVisible());
  EXPECT_TRUE(tutorial.Message().text().startsWith("No tutorial video is installed."));
  ASSERT_TRUE(tutorial.ReferencesButton().isVisible());
  tutorial.ReferencesButton().click();
  EXPECT_EQ(references, 1);
}

TEST(TutorialWindow, AVideoThatDoesNotOpenGivesTheSameAnswer) {
  RecordingPlayer player;
  player.opens = false;
  TFTutorialModule tutorial(&player, {});
  tutorial.show();
  EXPECT_FALSE(tutorial.PlayTutorial("/nowhere/Tutorial.avi"));
  EXPECT_EQ(tutorial.Message().text(), "No tutorial video is installed.");
  EXPECT_TRUE(tutorial.ReferencesButton().isVisible());
}

TEST(TutorialWindow, PlaysInThePanelFollowsItsSizeAndStopsOnClosing) {
  RecordingPlayer player;
  {
    TFTutorialModule tutorial(&player, {});
    tutorial.show();
    const QSize panel = tutorial.Panel().size();
    ASSERT_TRUE(tutorial.PlayTutorial("/data/Tutorial/Tutorial.avi"));
    EXPECT_FALSE(tutorial.Message().isVisible());
    const std::string first = "rect " + std::to_string(panel.width()) + "x" + std::to_string(panel.height());
    EXPECT_EQ(player.calls,
              (std::vector<std::string>{"file /data/Tutorial/Tutorial.avi", first, "open", "play"}));
    player.calls.clear();
    tutorial.resize(tutorial.width() + 40, tutorial.height() + 30);
    QApplication::processEvents();
    const QSize grown = tutorial.Panel().size();
    ASSERT_FALSE(player.calls.empty());
    EXPECT_EQ(player.calls.back(), "rect " + std::to_string(grown.width()) + "x" + std::to_string(grown.height()));
    player.calls.clear();
    tutorial.reject();
    EXPECT_EQ(player.calls, std::vector<std::string>{"stop"});
  }
  EXPECT_EQ(player.calls, std::vector<std::string>{"stop"});  // not stopped twice
}

}  // namespace
}  // namespace nv::dialogs

namespace nv::dialogs {
namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(DataFolder, TheAboutPictureIsDrawnTheSameTwiceAs24BitBitmap) {
  fs::create_directories(root_);
  for (const char* name : {"first.bmp", "second.bmp"}) {
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 '") +
                                ABOUT_PICTURE_GENERATOR + "' '" + (root_ / name).string() + "' '" + MUSIC_FONT_FILE +
                                "' 1.2";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  const std::string first = ReadBytes(root_ / "first.bmp");
  EXPECT_EQ(first, ReadBytes(root_ / "second.bmp"));
  // "BM", then the width, height and bits per pixel of the info header.
  ASSERT_GT(first.size(), 30u);
  auto number = [&](std::size_t at, int bytes) {
    int value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(first[at + i]);
    return value;
  };
  EXPECT_EQ(first.substr(0, 2), "BM");
  EXPECT_EQ(number(18, 4), 506);
  EXPECT_EQ(number(22, 4), 342);
  EXPECT_EQ(number(28, 2), 24);
}

}  // namespace
}  // namespace nv::dialogs
