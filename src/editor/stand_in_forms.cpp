#include "editor/stand_in_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <vector>

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

std::vector<std::string> Lines(const QPlainTextEdit& edit) {
  std::vector<std::string> lines;
  const QString text = edit.toPlainText();
  if (text.trimmed().isEmpty()) return lines;
  for (const QString& line : text.split('\n')) lines.push_back(line.toStdString());
  return lines;
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

NewStaffForm::NewStaffForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Add music staff");
  name_ = new QLineEdit(this);
  name_->setObjectName("name");
  program_ = SpinBox(this, "program", 0, 127, 0);
  title_ = new QPlainTextEdit(this);
  title_->setObjectName("title");
  author_ = new QPlainTextEdit(this);
  author_->setObjectName("author");
  auto* form = new QFormLayout;
  form->addRow("Staff name", name_);
  form->addRow("Program", program_);
  form->addRow("Title", title_);
  form->addRow("Author", author_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(*this));
}

NewStaffChoice NewStaffForm::Choice() const {
  NewStaffChoice choice;
  choice.Name = name_->text().toStdString();
  choice.Program = program_->value();
  choice.Title = Lines(*title_);
  choice.Author = Lines(*author_);
  return choice;
}

std::optional<ExportOptions> ExportOptionsFormDialog::Ask(const ExportOptionsRequest& request) {
  ExportOptionsForm form(request, parent_);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Options();
}

std::optional<NewStaffChoice> NewStaffFormDialog::Ask() {
  NewStaffForm form(parent_);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Choice();
}

}  // namespace nv::editor
