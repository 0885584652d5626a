#pragma once

#include <QPrinter>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "platform/paged_target.h"
#include "platform/qt/qt_canvas.h"

namespace nv::platform {

// Pages through QPrinter: to a PDF file when a file name is given, else to
// the named printer (the default one for an empty name), at `dpi`. The sheet
// is used whole, without margins.
class QtPagedTarget : public PagedTarget {
 public:
  static std::unique_ptr<QtPagedTarget> pdfFile(const QString& fileName, int dpi);
  static std::unique_ptr<QtPagedTarget> printer(const QString& printerName, int dpi);
  // The names of the printers the print system offers.
  static std::vector<std::string> printerNames();
  // The job's title in the printer's queue.
  void setDocName(const QString& title) { printer_.setDocName(title); }
  bool beginDoc(const Sheet& sheet, std::string& error) override;
  void newPage() override;
  void endDoc() override;
  Canvas& canvas() override { return *canvas_; }

 private:
  explicit QtPagedTarget(int dpi);
  QPrinter printer_;
  bool toPrinter_ = false;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace nv::platform
