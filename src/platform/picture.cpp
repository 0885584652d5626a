#include "platform/picture.h"

namespace nv::platform {

std::string toString(const Picture& p) {
  if (p.isEmpty()) return "no picture";
  return "picture " + std::to_string(p.width()) + "x" + std::to_string(p.height());
}

}  // namespace nv::platform
