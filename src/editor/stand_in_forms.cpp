#include "editor/stand_in_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/new_staff_dialog.h"

namespace nv::editor {

namespace {

QSpinBox* SpinBox(QWidget* parent, const char* name, int low, int high, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

QDialogButtonBox* OkCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

ExportOptionsForm::ExportOptionsForm(const ExportOptionsRequest& request, QWidget* parent)
    : QDialog(parent), pageChecks_(request.ShowPageChecks) {
  setWindowTitle("Export");
  const ExportOptions defaults;
  const int pages = std::max(1, request.PageCount);
  auto* form = new QFormLayout;
  allPages_ = new QCheckBox("All pages", this);
  allPages_->setObjectName("allPages");
  allPages_->setChecked(defaults.AllPages);
  fromPage_ = SpinBox(this, "fromPage", 1, pages, 1);
  toPage_ = SpinBox(this, "toPage", 1, pages, pages);
  scale_ = SpinBox(this, "scale", TECMusicScore::kLowestZoom, TECMusicScore::kHighestZoom, defaults.Scale);
  quality_ = SpinBox(this, "quality", 1, 100, defaults.Quality);
  pixelFormat_ = new QComboBox(this);
  pixelFormat_->setObjectName("pixelFormat");
  pixelFormat_->addItems({"8 bits", "32 bits", "Default"});
  pixelFormat_->setCurrentIndex(defaults.PixelFormat);
  doublePage_ = new QCheckBox("Double page", this);
  doublePage_->setObjectName("doublePage");
  everyPage_ = new QCheckBox("Every page in file", this);
  everyPage_->setObjectName("everyPage");
  form->addRow(allPages_);
  form->addRow("From page", fromPage_);
  form->addRow("To page", toPage_);
  form->addRow("Scale", scale_);
  if (request.ShowQuality) form->addRow("Quality", quality_);
  if (request.ShowPixelFormat) form->addRow("Pixel format", pixelFormat_);
  if (request.ShowPageChecks) {
    form->addRow(doublePage_);
    form->addRow(everyPage_);
  }
  quality_->setVisible(request.ShowQuality);
  pixelFormat_->setVisible(request.ShowPixelFormat);
  doublePage_->setVisible(request.ShowPageChecks);
  everyPage_->setVisible(request.ShowPageChecks);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(*this));
}

ExportOptions ExportOptionsForm::Options() const {
  ExportOptions options;
  options.AllPages = allPages_->isChecked();
  options.FromPage = fromPage_->value();
  options.ToPage = toPage_->value();
  options.Scale = scale_->value();
  options.Quality = quality_->value();
  options.PixelFormat = pixelFormat_->currentIndex();
  options.DoublePage = pageChecks_ && doublePage_->isChecked();
  options.EveryPageInFile = pageChecks_ && everyPage_->isChecked();
  return options;
}

std::optional<ExportOptions> ExportOptionsFormDialog::Ask(const ExportOptionsRequest& request) {
  ExportOptionsForm form(request, parent_);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Options();
}

std::optional<document::NewStaffSetup> NewStaffFormDialog::Ask() {
  dialogs::PropertyDialogServices services;
  services.Settings = settings_;
  services.Parent = parent_;
  return dialogs::AskNewStaff(services, false);
}

}  // namespace nv::editor
