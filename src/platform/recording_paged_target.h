#pragma once

#include <string>
#include <vector>

#include "platform/paged_target.h"
#include "platform/recording_canvas.h"

namespace nv::platform {

// A paged target that writes its calls to a log ("BeginDoc", "NewPage",
// "EndDoc") and its drawing to one recording canvas at the given
// capabilities (a 600-dpi A4 printer without margins unless told otherwise).
class RecordingPagedTarget : public PagedTarget {
 public:
  explicit RecordingPagedTarget(const DeviceCaps& caps = screenDeviceCaps(4961, 7016, 600, 600));
  bool beginDoc(const Sheet& sheet, std::string& error) override;
  void newPage() override;
  void endDoc() override;
  Canvas& canvas() override { return canvas_; }
  std::vector<std::string> log;
  Sheet sheet;
  // When set, beginDoc fails with this reason.
  std::string failure;

 private:
  RecordingCanvas canvas_;
};

}  // namespace nv::platform
