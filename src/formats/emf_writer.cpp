#include "formats/emf_writer.h"

#include <algorithm>
#include <cstdint>

#include "formats/dib_writer.h"

namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrStretchDiBits = 81;
constexpr std::uint32_t kHeaderSize = 88;
constexpr std::uint32_t kStretchDiBitsFixedSize = 80;
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kSrcCopy = 0x00CC0020;

void WriteRect(ByteStream& out, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  out.WriteI32(left);
  out.WriteI32(top);
  out.WriteI32(right);
  out.WriteI32(bottom);
}

}  // namespace

void WriteEmf(ByteStream& out, const nv::platform::RasterImage& image, int dpi) {
  dpi = std::max(dpi, 1);
  const std::int32_t w = image.width;
  const std::int32_t h = image.height;
  const auto dibHeader = static_cast<std::uint32_t>(DibHeaderSize(DibDepth::True32));
  const auto dibBits = static_cast<std::uint32_t>(DibBitsSize(image, DibDepth::True32));
  const std::uint32_t stretchSize = kStretchDiBitsFixedSize + dibHeader + dibBits;
  const std::uint32_t total = kHeaderSize + stretchSize + kEofSize;
  // Sizes in hundredths of a millimetre and in millimetres at the resolution.
  const auto hundredths = [dpi](std::int32_t pixels) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(pixels) * 2540 / dpi);
  };

  out.WriteU32(kEmrHeader);
  out.WriteU32(kHeaderSize);
  WriteRect(out, 0, 0, w - 1, h - 1);                                   // bounds, inclusive pixels
  WriteRect(out, 0, 0, hundredths(w) - 1, hundredths(h) - 1);           // frame, 0.01 mm
  out.WriteU32(kEmfSignature);
  out.WriteU32(0x10000);  // version
  out.WriteU32(total);
  out.WriteU32(3);  // records
  out.WriteU16(1);  // handles (entry 0 is reserved)
  out.WriteU16(0);
  out.WriteU32(0);  // no description
  out.WriteU32(0);
  out.WriteU32(0);  // no palette
  out.WriteI32(w);  // reference device in pixels and millimetres
  out.WriteI32(h);
  out.WriteI32(std::max(hundredths(w) / 100, 1));
  out.WriteI32(std::max(hundredths(h) / 100, 1));

  out.WriteU32(kEmrStretchDiBits);
  out.WriteU32(stretchSize);
  WriteRect(out, 0, 0, w - 1, h - 1);
  out.WriteI32(0);  // destination x, y
  out.WriteI32(0);
  out.WriteI32(0);  // source x, y, width, height
  out.WriteI32(0);
  out.WriteI32(w);
  out.WriteI32(h);
  out.WriteU32(kStretchDiBitsFixedSize);  // the bitmap header follows the fixed part
  out.WriteU32(dibHeader);
  out.WriteU32(kStretchDiBitsFixedSize + dibHeader);
  out.WriteU32(dibBits);
  out.WriteU32(0);  // DIB_RGB_COLORS
  out.WriteU32(kSrcCopy);
  out.WriteI32(w);  // destination width, height
  out.WriteI32(h);
  WriteDib(out, image, DibDepth::True32);

  out.WriteU32(kEmrEof);
  out.WriteU32(kEofSize);
  out.WriteU32(0);   // palette entries
  out.WriteU32(16);  // their offset
  out.WriteU32(kEofSize);
}
