#include "render/layout_context.h"

#include <algorithm>
#include <cstdint>

namespace nv::render {

std::int32_t LayoutContext::ToDevice(std::int64_t base) const {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(base * ZoomFactor / 10000, INT32_MIN, INT32_MAX));
}

}  // namespace nv::render
