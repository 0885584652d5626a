#pragma once

#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "dialogs/dialog_frame.h"
#include "document/element_dialogs.h"
#include "platform/picture.h"

class QCheckBox;
class QLineEdit;
class QScrollArea;

namespace nv::dialogs {

// The image dialog's preview: the picture drawn into the typed size while
// it paints (scaled when stretched, else at its own size, centred or not),
// with no copy made at that size.
class ImagePreview : public QWidget {
  Q_OBJECT
 public:
  explicit ImagePreview(QWidget* parent);
  void SetPicture(const nv::platform::Picture& picture);
  const nv::platform::Picture& Picture() const { return picture_; }
  void SetLayout(bool center, bool stretch);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  nv::platform::Picture picture_;
  bool center_ = false;
  bool stretch_ = false;
};

// "Image properties": loads a picture and sets its width, height and layout.
// It takes and gives the picture as stored (its type and the file's bytes)
// and shows it decoded.
class TFDCImageInput : public DialogFrame {
  Q_OBJECT
 public:
  // Asks for a picture file to open; nothing when the user cancels.
  using FileChooser = std::function<std::optional<std::string>()>;

  TFDCImageInput(nv::platform::IniFile* settings, FileChooser chooser = {}, QWidget* parent = nullptr);

  void SetValues(const nv::document::ImageValues& values);
  nv::document::ImageValues GetValues() const;
  // Loads a picture file (BMP, GIF or JPEG) into the preview and takes its
  // size; a file that is not read or holds no such picture is named in an
  // error, and nothing changes. True when loaded.
  bool LoadFile(const std::string& path);
  // Empties the picture.
  void Clear();

  ImagePreview& Preview() const { return *preview_; }

 protected:
  bool validate() override;

 private:
  void ApplySize();
  int Number(const QLineEdit& edit) const;

  FileChooser chooser_;
  // The picture as stored: its type and bytes (none when empty).
  std::uint16_t pictureType_ = 0;
  std::vector<std::uint8_t> pictureBytes_;
  QLineEdit* width_;
  QLineEdit* height_;
  QCheckBox* center_;
  QCheckBox* stretch_;
  QScrollArea* scroll_;
  QWidget* frame_;
  ImagePreview* preview_;
};

}  // namespace nv::dialogs
