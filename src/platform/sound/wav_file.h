#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace nv::platform {

// Writes 16-bit PCM samples (interleaved when stereo) as a WAV file; false
// when the file cannot be written whole.
bool WriteWavFile(const std::filesystem::path& file, const std::vector<std::int16_t>& samples, int channels,
                  int sampleRate);

}  // namespace nv::platform
