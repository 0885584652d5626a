#include "formats/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

using nv::platform::RasterImage;

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return;
// ours jumps back to the call that set up the codec, which cleans up and
// raises. The jump passes only through libjpeg's C frames and the small row
// functions below, which own nothing.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, error->message);
  std::longjmp(error->jump, 1);
}

// Warnings are dropped, except that the data ended early: libjpeg would
// fill the rest with grey and call it a picture.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) ErrorExit(info);
}

void InstallErrorManager(ErrorManager& error) {
  jpeg_std_error(&error.pub);
  error.pub.error_exit = ErrorExit;
  error.pub.emit_message = OnMessage;
  error.message[0] = '\0';
}

void CompressRows(jpeg_compress_struct& info, const RasterImage& image, int quality, bool grey,
                  std::vector<JSAMPLE>& row) {
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  if (grey) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < image.width; ++x) {
      const nv::platform::Color c = image.at(x, y);
      row[static_cast<std::size_t>(x) * 3] = static_cast<JSAMPLE>(nv::platform::redOf(c));
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<JSAMPLE>(nv::platform::greenOf(c));
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>(nv::platform::blueOf(c));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
}

// a × b / 255, rounded.
int Scaled(int a, int b) { return (a * b + 127) / 255; }

// One pixel of a row libjpeg decoded as CMYK (a YCCK file too). Files with
// an Adobe marker store the inks inverted, so that a sample is already 255
// less the ink; libjpeg converts neither to RGB.
nv::platform::Color FromCmyk(const JSAMPLE* p, bool inverted) {
  const auto left = [inverted](JSAMPLE sample) { return inverted ? int{sample} : 255 - int{sample}; };
  const int white = left(p[3]);
  return nv::platform::rgb(Scaled(left(p[0]), white), Scaled(left(p[1]), white), Scaled(left(p[2]), white));
}

// False when the declared size is beyond the limits.
bool DecompressRows(jpeg_decompress_struct& info, RasterImage& image, std::vector<JSAMPLE>& row) {
  jpeg_read_header(&info, TRUE);
  const std::int64_t width = info.image_width;
  const std::int64_t height = info.image_height;
  if (width > kMaxJpegSide || height > kMaxJpegSide || width * height > kMaxJpegPixels) return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  const bool inverted = cmyk && info.saw_Adobe_marker;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  image = RasterImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  const std::size_t components = cmyk ? 4 : 3;
  row.resize(static_cast<std::size_t>(info.output_width) * components);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < image.width; ++x) {
      const JSAMPLE* p = row.data() + static_cast<std::size_t>(x) * components;
      image.at(x, y) = cmyk ? FromCmyk(p, inverted) : nv::platform::rgb(p[0], p[1], p[2]);
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const RasterImage& image, int quality, bool grey) {
  if (image.width < 1 || image.height < 1 || image.width > kMaxJpegSide || image.height > kMaxJpegSide) {
    throw EInvalidGraphicOperation("JPEG image size out of range");
  }
  ErrorManager error;
  jpeg_compress_struct info{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width) * 3);
  info.err = &error.pub;
  InstallErrorManager(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw EInvalidGraphicOperation(error.message);
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  CompressRows(info, image, quality, grey, row);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

RasterImage DecodeJpeg(const std::vector<std::uint8_t>& data) {
  if (data.empty()) throw EInvalidGraphicOperation("Empty JPEG image");
  ErrorManager error;
  jpeg_decompress_struct info{};
  RasterImage image;
  std::vector<JSAMPLE> row;
  info.err = &error.pub;
  InstallErrorManager(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    throw EInvalidGraphicOperation(error.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  const bool fits = DecompressRows(info, image, row);
  jpeg_destroy_decompress(&info);
  if (!fits) throw EInvalidGraphicOperation("JPEG image is too large");
  return image;
}
