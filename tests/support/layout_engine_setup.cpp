// Linked into the test programs that lay out or draw through the score: the
// layout pass and painters become the scores' engine before any test runs.
#include "render/layout_engine.h"

namespace {

const bool engineInstalled = (nv::render::InstallLayoutEngine(), true);

}  // namespace
