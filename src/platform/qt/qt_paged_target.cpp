#include "platform/qt/qt_paged_target.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

namespace nv::platform {

QtPagedTarget::QtPagedTarget(int dpi) : printer_(QPrinter::HighResolution) { printer_.setResolution(dpi); }

std::unique_ptr<QtPagedTarget> QtPagedTarget::pdfFile(const QString& fileName, int dpi) {
  std::unique_ptr<QtPagedTarget> target(new QtPagedTarget(dpi));
  target->printer_.setOutputFormat(QPrinter::PdfFormat);
  target->printer_.setOutputFileName(fileName);
  return target;
}

std::unique_ptr<QtPagedTarget> QtPagedTarget::printer(const QString& printerName, int dpi) {
  std::unique_ptr<QtPagedTarget> target(new QtPagedTarget(dpi));
  target->printer_.setOutputFormat(QPrinter::NativeFormat);
  target->toPrinter_ = true;
  if (!printerName.isEmpty()) target->printer_.setPrinterName(printerName);
  return target;
}

std::vector<std::string> QtPagedTarget::printerNames() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
  return names;
}

bool QtPagedTarget::beginDoc(const Sheet& sheet, std::string& error) {
  // Without a print system QPrinter falls back to writing a PDF file.
  if (toPrinter_ && (printer_.outputFormat() != QPrinter::NativeFormat || !printer_.isValid())) {
    error = "No printer is available";
    return false;
  }
  const QPageSize size(QSizeF(sheet.width / 10.0, sheet.height / 10.0), QPageSize::Millimeter, QString(),
                       QPageSize::FuzzyOrientationMatch);
  const QPageLayout layout(size, sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                           QPageLayout::Millimeter);
  printer_.setFullPage(true);
  printer_.setPageLayout(layout);
  printer_.setCopyCount(1);
  if (printer_.outputFormat() == QPrinter::PdfFormat) {
    const QFileInfo file(printer_.outputFileName());
    if (!file.absoluteDir().exists()) {
      error = "Cannot write " + printer_.outputFileName().toStdString() + ": the folder does not exist";
      return false;
    }
  }
  canvas_ = std::make_unique<QtCanvas>(printer_, pagedDeviceCaps(printer_));
  if (!canvas_->isActive()) {
    canvas_.reset();
    error = "Cannot start printing on " +
            (printer_.outputFormat() == QPrinter::PdfFormat ? printer_.outputFileName() : printer_.printerName())
                .toStdString();
    return false;
  }
  return true;
}

void QtPagedTarget::newPage() {
  // Held glyphs belong to the sheet that ends here.
  if (canvas_) canvas_->flush();
  printer_.newPage();
}

void QtPagedTarget::endDoc() { canvas_.reset(); }

}  // namespace nv::platform
