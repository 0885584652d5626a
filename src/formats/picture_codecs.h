#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/picture.h"

// Our own GIF and JPEG readers as the program's picture codec: stored
// pictures of those formats are decoded here, whatever the backend.

// GIF (the current frame, its transparent colour left out) or JPEG; nothing
// for bytes of another format; an empty picture for damaged bytes or a
// picture larger than nv::platform::kMaxPicturePixels.
std::optional<nv::platform::Picture> DecodeWithOwnCodecs(std::span<const std::uint8_t> bytes);

// Installs DecodeWithOwnCodecs as the picture codec; the program calls it at
// start-up after the backend's decoder.
void InstallPictureCodecs();
