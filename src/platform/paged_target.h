#pragma once

#include <string>

#include "platform/canvas.h"

namespace nv::platform {

// The sheet a document is printed on: its size in tenths of a millimetre,
// upright, and whether it is turned.
struct Sheet {
  double width = 2100;
  double height = 2970;
  bool landscape = false;
};

// A device that takes pages one after the other: a printer, a PDF file, or
// a recording for tests. Its own copy count stays 1; callers draw copies.
class PagedTarget {
 public:
  virtual ~PagedTarget() = default;
  // Starts a document on the sheet; false, with the reason in `error`, when
  // the device cannot start (no printer, a file that cannot be written).
  virtual bool beginDoc(const Sheet& sheet, std::string& error) = 0;
  // Ends the sheet drawn so far and starts the next one.
  virtual void newPage() = 0;
  virtual void endDoc() = 0;
  // The canvas of the current sheet, between beginDoc and endDoc; its
  // device capabilities give the resolution and the printable area.
  virtual Canvas& canvas() = 0;
};

}  // namespace nv::platform
