#include <QApplication>

#include <gtest/gtest.h>

#include "platform/qt/qt_picture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  nv::platform::installQtPictureDecoder();
  return RUN_ALL_TESTS();
}
