#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/image_input_dialog.h"
#include "support/recorded_messages.h"

namespace nv::dialogs {
namespace {


std::string Picture(const QTemporaryDir& dir, const char* name, int width, int height, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  const QString path = dir.filePath(QString::fromLatin1(name));
  EXPECT_TRUE(image.save(path, format));
  return path.toStdString();
}

TEST(ImageDialog, SizeMustBeAboveZero) {
  RecordedMessages answers;
  TFDCImageInput dialog(nullptr);
  dialog.show();
  for (auto [width, height] : {std::pair{0, 32}, {32, 0}}) {
    dialog.SetValues({{}, width, height, false, false});
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << width << "x" << height;
  }
  EXPECT_EQ(answers.shown, 2);
  dialog.SetValues({});
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.GetValues().Picture.isEmpty());
}

TEST(ImageDialog, LoadingTakesThePicturesSizeAndABadFileChangesNothing) {
  QTemporaryDir dir;
  const std::string bmp = Picture(dir, "wide.bmp", 100, 50, "BMP");
  const std::string jpeg = Picture(dir, "cut.jpg", 64, 64, "JPG");
  std::filesystem::resize_file(jpeg, std::filesystem::file_size(jpeg) / 3);
  RecordedMessages answers;
  TFDCImageInput dialog(nullptr, [&] { return std::optional<std::string>(bmp); });
  dialog.findChild<QPushButton*>("BBLoad")->click();
  ImageInputValues values = dialog.GetValues();
  EXPECT_EQ(values.Width, 100);
  EXPECT_EQ(values.Height, 50);
  EXPECT_EQ(values.Picture.width(), 100);

  for (const std::string& bad : {jpeg, dir.filePath("missing.gif").toStdString()}) {
    EXPECT_FALSE(dialog.LoadFile(bad)) << bad;
    EXPECT_NE(answers.lastText.find(bad), std::string::npos) << answers.lastText;
    const ImageInputValues after = dialog.GetValues();
    EXPECT_EQ(after.Width, 100);
    EXPECT_EQ(after.Height, 50);
    EXPECT_TRUE(after.Picture == values.Picture);
  }
  EXPECT_EQ(answers.shown, 2);
  dialog.Clear();
  EXPECT_TRUE(dialog.GetValues().Picture.isEmpty());
}

// The preview paints into the typed size; no copy at that size is made, so
// a huge size shows like any other.
TEST(ImageDialog, AHugeSizePaintsWithoutACopyOfThatSize) {
  QTemporaryDir dir;
  const std::string bmp = Picture(dir, "small.bmp", 40, 20, "BMP");
  TFDCImageInput dialog(nullptr);
  ASSERT_TRUE(dialog.LoadFile(bmp));
  dialog.SetValues({dialog.GetValues().Picture, 30000, 30000, false, true});
  dialog.show();
  const QImage shot = dialog.grab().toImage();
  EXPECT_FALSE(shot.isNull());
  EXPECT_EQ(dialog.Preview().width(), 30000);
}

}  // namespace
}  // namespace nv::dialogs
