// The benchmarks lay out and draw through the score: the layout pass and
// painters become the scores' engine before any benchmark runs.
#include "render/layout_engine.h"

namespace {

const bool engineInstalled = (nv::render::InstallLayoutEngine(), true);

}  // namespace
