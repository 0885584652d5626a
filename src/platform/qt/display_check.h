#pragma once

#include <string>

namespace nv::platform {

// Empty when a Qt GUI can start in this environment; otherwise one line that
// says why not. Qt itself aborts without a display, so the program asks first.
std::string missingDisplayReason();

}  // namespace nv::platform
