// TECMusicScore::Print: the chosen pages and copies, drawn at the printer's
// resolution onto a paged target.
#include <algorithm>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/units.h"
#include "platform/paged_target.h"

void TECMusicScore::Print(nv::platform::PagedTarget& target, const TECPrintSettings& settings) {
  const bool landscape = page_->Orientation() == TPrinterOrientation::poLandscape;
  // The sheet upright; the stored page is already turned in landscape.
  const double pageWidth = page_->StoredValue(TECScorePage::viWidth);
  const double pageHeight = page_->StoredValue(TECScorePage::viHeight);
  nv::platform::Sheet sheet;
  sheet.width = landscape ? pageHeight : pageWidth;
  sheet.height = landscape ? pageWidth : pageHeight;
  sheet.landscape = landscape;
  std::string error;
  if (!target.beginDoc(sheet, error)) throw EPrintError(error);

  const int savedZoom = zoom_;
  struct Restore {
    TECMusicScore& score;
    nv::platform::PagedTarget& target;
    int zoom;
    ~Restore() {
      target.endDoc();
      score.zoom_ = zoom;
      score.zoomFactor_ = score.zoom_ * score.scale_;
      score.printing_ = false;
    }
  } restore{*this, target, savedZoom};

  nv::platform::Canvas& canvas = target.canvas();
  const nv::platform::DeviceCaps caps = canvas.deviceCaps();
  const int dpi = ResolutionOrDefault(resolution_);
  // Each axis at its own resolution, in landscape too. While printing the
  // painters size fonts by Scale alone, and the canvas converts points at
  // the printer's resolution: a P-point font measures P/72 inch on paper.
  const int hzoom = caps.dpiX * 100 / dpi;
  const int vzoom = caps.dpiY * 100 / dpi;
  zoom_ = hzoom;
  zoomFactor_ = zoom_ * scale_;
  printing_ = true;

  TECInstrument* instrument = CurrentInstrument();
  const int pages = instrument ? instrument->PageCount() : 0;
  const int from = settings.PageRange ? std::max(settings.FromPage, 1) : 1;
  const int to = settings.PageRange ? std::min(settings.ToPage, pages) : pages;
  const int copies = std::max(settings.Copies, 1);
  const int runs = settings.Collate ? copies : 1;
  const int sheetsPerPage = settings.Collate ? 1 : copies;
  bool firstSheet = true;
  for (int run = 0; run < runs; ++run) {
    for (int p = from - 1; p < to; ++p) {
      for (int copy = 0; copy < sheetsPerPage; ++copy) {
        // A new sheet between every two, so that no copy overprints another.
        if (!firstSheet) target.newPage();
        firstSheet = false;
        if (copy == 0) {
          activePage_ = p;
          LayoutScore(p, true);
        }
        const int level = canvas.saveDC();
        // Page coordinates are paper coordinates.
        canvas.setViewportOrigin({-caps.physicalOffsetX, -caps.physicalOffsetY});
        page_->DrawWatermark(canvas);
        DrawPage(canvas, hzoom, vzoom);
        canvas.restoreDC(level);
      }
    }
  }
}
