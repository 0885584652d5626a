// The news window on a real display under a window manager: a click on
// another window of the program closes it, and it frees itself.

#include <QPointer>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "dialogs/page_windows.h"

namespace {

namespace fs = std::filesystem;

TEST(NewsWindow, AClickOutsideClosesAndFreesIt) {
  const fs::path data = fs::temp_directory_path() / ("news-focus-" + std::to_string(::getpid()));
  fs::create_directories(data / "News");
  std::ofstream(data / "News" / "ENUNews.html") << "<html><body><h1>What is new</h1></body></html>";

  QWidget main;
  main.setWindowTitle("Notavistra");
  main.setGeometry(0, 0, 420, 360);
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QPointer<nv::dialogs::TFNewsModule> news = nv::dialogs::ShowLastNews(data, "ENU", nullptr, {}, &main);
  ASSERT_TRUE(news);
  news->move(480, 40);
  ASSERT_TRUE(QTest::qWaitForWindowActive(news));

  const QPoint outside = main.mapToGlobal(QPoint(100, 300));
  QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(outside.x()), QString::number(outside.y())});
  QProcess::execute("xdotool", {"click", "1"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return news.isNull(); }, 3000));
  fs::remove_all(data);
}

}  // namespace
