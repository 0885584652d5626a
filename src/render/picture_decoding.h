#pragma once

#include <memory>

#include "model/decoded_picture.h"
#include "model/page_objects.h"
#include "platform/picture.h"

namespace nv::render {

// The raster picture of a stored picture (bitmap, GIF, JPEG or icon bytes),
// decoded at its first draw and kept with it against `budget`; empty for a
// metafile, bytes that do not decode and a picture past the budget.
const nv::platform::Picture& DecodedPicture(const TECPicture& picture, const std::shared_ptr<DecodedPixelBudget>& budget);

}  // namespace nv::render
