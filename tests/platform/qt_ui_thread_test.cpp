#include "platform/qt/qt_ui_thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

void ProcessEventsFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(QtUiThread, PostedTasksRunOnTheGuiThreadInOrder) {
  nv::platform::QtUiThread ui;
  std::vector<int> ran;
  const auto gui = std::this_thread::get_id();
  std::thread other([&] {
    for (int i = 0; i < 3; ++i) ui.Post([&, i] {
      EXPECT_EQ(std::this_thread::get_id(), gui);
      ran.push_back(i);
    });
  });
  other.join();
  EXPECT_TRUE(ran.empty());
  ProcessEventsFor(50);
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

TEST(QtUiThread, WakesFromAnotherThreadMergeIntoOneRunOnTheGuiThread) {
  nv::platform::QtUiThread ui;
  int runs = 0;
  const auto gui = std::this_thread::get_id();
  auto signal = ui.MakeWakeSignal([&] {
    EXPECT_EQ(std::this_thread::get_id(), gui);
    ++runs;
  });
  std::thread other([&] {
    for (int i = 0; i < 100; ++i) signal->Wake();
  });
  other.join();
  ProcessEventsFor(50);
  EXPECT_EQ(runs, 1);
  signal->Wake();
  ProcessEventsFor(50);
  EXPECT_EQ(runs, 2);
}

}  // namespace
