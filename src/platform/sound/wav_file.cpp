#include "platform/sound/wav_file.h"

#include <fstream>
#include <string>

namespace nv::platform {

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

bool WriteWavFile(const std::filesystem::path& file, const std::vector<std::int16_t>& samples, int channels,
                  int sampleRate) {
  const std::uint64_t dataBytes = samples.size() * sizeof(std::int16_t);
  if (dataBytes > 0xFFFFFFFFull - 36) return false;
  std::string header = "RIFF";
  PutLittleEndian(header, static_cast<std::uint32_t>(36 + dataBytes), 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);
  PutLittleEndian(header, 1, 2);  // PCM
  PutLittleEndian(header, static_cast<std::uint32_t>(channels), 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(sampleRate), 4);
  PutLittleEndian(header, static_cast<std::uint32_t>(sampleRate * channels * 2), 4);
  PutLittleEndian(header, static_cast<std::uint32_t>(channels * 2), 2);
  PutLittleEndian(header, 16, 2);
  header += "data";
  PutLittleEndian(header, static_cast<std::uint32_t>(dataBytes), 4);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(header.data(), static_cast<std::streamsize>(header.size()));
  // Samples are written as they lie in memory, which is little-endian here.
  out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(dataBytes));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace nv::platform
