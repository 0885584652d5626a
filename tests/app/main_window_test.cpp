#include "app/main_window.h"

#include <gtest/gtest.h>

TEST(MainWindow, IsCaptionedWithTheProgramName) {
  nv::app::MainWindow window;
  EXPECT_EQ(window.windowTitle(), QString("Notavistra"));
}
