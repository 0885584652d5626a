#include "render/layout_context.h"

#include <cstdint>

#include "model/units.h"

namespace nv::render {

std::int32_t LayoutContext::ToDevice(std::int64_t base) const {
  return ByZoomFactor(base, ZoomFactor);
}

}  // namespace nv::render
