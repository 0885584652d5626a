// The benchmarks lay out and draw through the score: the Qt picture decoder
// and the layout engine are installed before any benchmark runs.
#include "platform/qt/qt_picture.h"
#include "render/layout_engine.h"

namespace {

const bool backendsInstalled = (nv::platform::installQtPictureDecoder(), nv::render::InstallLayoutEngine(), true);

}  // namespace
