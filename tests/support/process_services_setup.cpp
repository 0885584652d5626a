// Linked into the test programs that lay out, draw, edit or play through the
// score: the program's process-wide services serve their scores before any
// test runs.
#include "app/process_services.h"

namespace {

const bool servicesInstalled = (nv::app::InstallProcessServices(), true);

}  // namespace
