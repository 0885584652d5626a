#include "dialogs/image_input_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <fstream>
#include <iterator>
#include <vector>

#include "formats/picture_types.h"
#include "platform/file_filter.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "platform/qt/qt_picture.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace nv::dialogs {
namespace {

// The language texts: the size message, the error caption, the unread file,
// the file without a picture, and the open dialog's filter of the formats
// the picture readers decode.
constexpr int kSizeText = 0;
constexpr int kErrorCaption = 1;
constexpr int kUnreadFile = 2;
constexpr int kNoPicture = 3;
constexpr int kPictureFilter = 4;

std::optional<std::vector<std::uint8_t>> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

ImagePreview::ImagePreview(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("IImage")); }

void ImagePreview::SetPicture(const nv::platform::Picture& picture) {
  picture_ = picture;
  update();
}

void ImagePreview::SetLayout(bool center, bool stretch) {
  center_ = center;
  stretch_ = stretch;
  update();
}

void ImagePreview::paintEvent(QPaintEvent*) {
  if (picture_.isEmpty()) return;
  const QImage& image = nv::platform::imageOf(picture_);
  if (image.isNull()) return;
  QPainter painter(this);
  if (stretch_) {
    painter.drawImage(rect(), image);
  } else if (center_) {
    painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
  } else {
    painter.drawImage(0, 0, image);
  }
}

TFDCImageInput::TFDCImageInput(nv::platform::IniFile* settings, FileChooser chooser, QWidget* parent)
    : DialogFrame({QStringLiteral("FDCImageInput"), {420, 360}, "ImageInputForm", BoundsMode::PositionSize, {}, 0},
                  settings, parent),
      chooser_(std::move(chooser)) {
  setWindowTitle(QStringLiteral("Image properties"));
  if (!chooser_)
    chooser_ = [this]() -> std::optional<std::string> {
      QStringList filters;
      for (const std::string& name : nv::platform::NameFilters(Language()->GetString(kPictureFilter).toStdString()))
        filters << QString::fromStdString(name);
      const QString path = QFileDialog::getOpenFileName(this, {}, {}, filters.join(QStringLiteral(";;")));
      return path.isEmpty() ? std::nullopt : std::optional<std::string>(path.toStdString());
    };
  const auto field = [this](const char* name) {
    auto* edit = new QLineEdit(QStringLiteral("32"), this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QIntValidator(0, 1 << 30, edit));
    connect(edit, &QLineEdit::textChanged, this, [this] { ApplySize(); });
    return edit;
  };
  width_ = field("EWidth");
  height_ = field("EHeight");
  center_ = new QCheckBox(QStringLiteral("Center"), this);
  center_->setObjectName(QStringLiteral("CBCenter"));
  stretch_ = new QCheckBox(QStringLiteral("Stretch"), this);
  stretch_->setObjectName(QStringLiteral("CBStretch"));
  connect(center_, &QCheckBox::toggled, this, [this] { ApplySize(); });
  connect(stretch_, &QCheckBox::toggled, this, [this] { ApplySize(); });
  auto* load = new QPushButton(QStringLiteral("&Load"), this);
  load->setObjectName(QStringLiteral("BBLoad"));
  auto* clear = new QPushButton(QStringLiteral("&Clear"), this);
  clear->setObjectName(QStringLiteral("BBClear"));
  connect(load, &QPushButton::clicked, this, [this] {
    if (const std::optional<std::string> path = chooser_()) LoadFile(*path);
  });
  connect(clear, &QPushButton::clicked, this, [this] { Clear(); });

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("SPImage"));
  frame_ = new QWidget;
  frame_->setObjectName(QStringLiteral("SImage"));
  frame_->setStyleSheet(QStringLiteral("#SImage { border: 1px solid black; }"));
  preview_ = new ImagePreview(frame_);
  preview_->move(1, 1);
  scroll_->setWidget(frame_);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Width"), this), 0, 0);
  fields->addWidget(width_, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Height"), this), 1, 0);
  fields->addWidget(height_, 1, 1);
  fields->addWidget(center_, 2, 0, 1, 2);
  fields->addWidget(stretch_, 3, 0, 1, 2);
  fields->addWidget(load, 4, 0, 1, 2);
  fields->addWidget(clear, 5, 0, 1, 2);
  fields->setRowStretch(6, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(fields);
  top->addWidget(scroll_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  auto* column = new QVBoxLayout(this);
  column->addLayout(top, 1);
  column->addLayout(buttons);
  Translate();
  ApplySize();
}

void TFDCImageInput::SetValues(const nv::document::ImageValues& values) {
  pictureType_ = values.PictureType;
  pictureBytes_ = values.Picture;
  preview_->SetPicture(nv::platform::decodePicture(pictureBytes_));
  width_->setText(QString::number(values.Width));
  height_->setText(QString::number(values.Height));
  center_->setChecked(values.Centre);
  stretch_->setChecked(values.Stretch);
  ApplySize();
}

nv::document::ImageValues TFDCImageInput::GetValues() const {
  nv::document::ImageValues values;
  values.PictureType = pictureBytes_.empty() ? 0 : pictureType_;
  values.Picture = pictureBytes_;
  values.Width = Number(*width_);
  values.Height = Number(*height_);
  values.Stretch = stretch_->isChecked();
  values.Centre = center_->isChecked();
  return values;
}

int TFDCImageInput::Number(const QLineEdit& edit) const { return edit.text().toInt(); }

// The frame and the preview take the typed size; painting scales into it.
void TFDCImageInput::ApplySize() {
  const int width = std::max(Number(*width_), 0);
  const int height = std::max(Number(*height_), 0);
  preview_->resize(width, height);
  frame_->resize(width + 2, height + 2);
  preview_->SetLayout(center_->isChecked(), stretch_->isChecked());
}

bool TFDCImageInput::LoadFile(const std::string& path) {
  const auto fail = [this, &path](int text) {
    nv::widgets::CurrentMessagePrompt().ShowMessageBlock(
        Language()->GetString(kErrorCaption).toStdString(),
        nv::platform::FormatText(Language()->GetString(text).toStdString(), path), nv::platform::message_kind::kWarning,
        nv::platform::message_button::kOk);
    return false;
  };
  std::optional<std::vector<std::uint8_t>> bytes = ReadBytes(path);
  if (!bytes) return fail(kUnreadFile);
  // Stored as it is read: a kind of picture the score keeps, whole.
  const std::optional<PictureType> type = PictureTypeOfBytes(*bytes);
  const nv::platform::Picture picture = type ? nv::platform::decodePicture(*bytes) : nv::platform::Picture();
  if (picture.isEmpty()) return fail(kNoPicture);
  pictureType_ = *type;
  pictureBytes_ = std::move(*bytes);
  preview_->SetPicture(picture);
  width_->setText(QString::number(picture.width()));
  height_->setText(QString::number(picture.height()));
  ApplySize();
  return true;
}

void TFDCImageInput::Clear() {
  pictureType_ = 0;
  pictureBytes_.clear();
  preview_->SetPicture({});
}

bool TFDCImageInput::validate() {
  if (Number(*width_) > 0 && Number(*height_) > 0) return true;
  // Caption and text stand the other way round from the other dialogs.
  nv::widgets::CurrentMessagePrompt().ShowMessageBlock(Language()->GetString(kErrorCaption).toStdString(),
                                                       Language()->GetString(kSizeText).toStdString(),
                                                       nv::platform::message_kind::kWarning,
                                                       nv::platform::message_button::kOk);
  return false;
}

}  // namespace nv::dialogs
