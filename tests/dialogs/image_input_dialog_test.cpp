#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "dialogs/image_input_dialog.h"
#include "formats/picture_types.h"
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
    nv::document::ImageValues values;
    values.Width = width;
    values.Height = height;
    dialog.SetValues(values);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << width << "x" << height;
  }
  EXPECT_EQ(answers.shown, 2);
  // A new picture object: no picture yet, 32 x 32.
  dialog.SetValues({});
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.GetValues().Picture.empty());
  EXPECT_EQ(dialog.GetValues().Width, 32);
}

std::vector<std::uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A loaded file is kept as it is stored, its bytes and its kind, and shown
// decoded; a file that cannot be read, a damaged one and a picture of a
// kind the score does not keep are refused by name, and change nothing.
TEST(ImageDialog, LoadingTakesThePicturesSizeAndABadFileChangesNothing) {
  QTemporaryDir dir;
  const std::string bmp = Picture(dir, "wide.bmp", 100, 50, "BMP");
  const std::string jpeg = Picture(dir, "cut.jpg", 64, 64, "JPG");
  std::filesystem::resize_file(jpeg, std::filesystem::file_size(jpeg) / 3);
  const std::string png = Picture(dir, "other.png", 10, 10, "PNG");
  RecordedMessages answers;
  TFDCImageInput dialog(nullptr, [&] { return std::optional<std::string>(bmp); });
  dialog.findChild<QPushButton*>("BBLoad")->click();
  nv::document::ImageValues values = dialog.GetValues();
  EXPECT_EQ(values.Width, 100);
  EXPECT_EQ(values.Height, 50);
  EXPECT_EQ(values.PictureType, ptBitmap);
  EXPECT_EQ(values.Picture, Bytes(bmp));
  EXPECT_EQ(dialog.Preview().Picture().width(), 100);

  for (const std::string& bad : {jpeg, dir.filePath("missing.gif").toStdString(), png}) {
    EXPECT_FALSE(dialog.LoadFile(bad)) << bad;
    EXPECT_NE(answers.lastText.find(bad), std::string::npos) << answers.lastText;
    const nv::document::ImageValues after = dialog.GetValues();
    EXPECT_EQ(after.Width, 100);
    EXPECT_EQ(after.Height, 50);
    EXPECT_EQ(after.Picture, values.Picture);
  }
  EXPECT_EQ(answers.shown, 3);
  dialog.Clear();
  EXPECT_TRUE(dialog.GetValues().Picture.empty());
  EXPECT_TRUE(dialog.Preview().Picture().isEmpty());
  // A stored picture given to the dialog shows decoded.
  dialog.SetValues(values);
  EXPECT_EQ(dialog.Preview().Picture().height(), 50);
  EXPECT_EQ(dialog.GetValues().Picture, values.Picture);
}

// The preview paints into the typed size; no copy at that size is made, so
// a huge size shows like any other.
TEST(ImageDialog, AHugeSizePaintsWithoutACopyOfThatSize) {
  QTemporaryDir dir;
  const std::string bmp = Picture(dir, "small.bmp", 40, 20, "BMP");
  TFDCImageInput dialog(nullptr);
  ASSERT_TRUE(dialog.LoadFile(bmp));
  nv::document::ImageValues values = dialog.GetValues();
  values.Width = values.Height = 30000;
  values.Stretch = true;
  dialog.SetValues(values);
  dialog.show();
  const QImage shot = dialog.grab().toImage();
  EXPECT_FALSE(shot.isNull());
  EXPECT_EQ(dialog.Preview().width(), 30000);
}

}  // namespace
}  // namespace nv::dialogs
