#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/graphic_error.h"
#include "model/stream.h"
#include "platform/raster_image.h"

// GIF87a and GIF89a pictures with any number of frames: looping animation,
// comments, transparency and interlacing. Our own LZW coder does all the
// compression; deeper pictures are reduced to 256 colours first.

// One extension block as read: its label, the fixed bytes (the block size byte
// and the bytes it counts) and its sub-blocks.
struct TExtension {
  static constexpr std::uint8_t GraphicControl = 0xF9;
  static constexpr std::uint8_t PlainText = 0x01;
  static constexpr std::uint8_t Application = 0xFF;
  static constexpr std::uint8_t Comment = 0xFE;

  std::uint8_t Label = Comment;
  std::vector<std::uint8_t> Fixed;
  std::vector<std::string> SubBlocks;
};

// What image and frame data share: the LZW-coded data, as sub-blocks.
struct TGIFsItem {
  std::vector<std::uint8_t> Data;
};

struct TGIFsData : TGIFsItem {
  std::vector<nv::platform::Color> Colors;  // the colour table, 2..256 entries or none
  int BitsPerPixel = 8;
  int ColorResolution = 8;
  std::uint8_t AspectRatio = 0;
  std::uint8_t MinCodeSize = 0;
  std::vector<std::string> Comment;  // image level only
};

// A frame's pixels: one colour index a pixel, top row first.
struct GifBitmap {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 8;
  std::vector<std::uint8_t> Pixels;
};

class TGIFsImage;

class TGIFsFrame {
 public:
  explicit TGIFsFrame(TGIFsImage* owner) : Owner(owner) {}

  TGIFsImage* Owner;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::uint8_t Packed = 0;
  bool LocalColors = false;
  bool Interlaced = false;
  bool Corrupted = false;
  bool Greyscale = false;
  std::optional<nv::platform::Color> TransparentColor;
  int Disposal = 0;   // 0..7
  int Interval = 0;   // milliseconds
  std::vector<TExtension> Extensions;
  TGIFsData Data;

  // The pixels, decoded from the coded data on first use. Tolerant decoding
  // marks the frame corrupted instead of raising on bad data.
  const GifBitmap& Bitmap(bool tolerant = false);
  // Replaces the pixels (and the colour table); the coded data is made again
  // when the image is saved.
  void SetBitmap(GifBitmap bitmap, std::vector<nv::platform::Color> colors);
  // The frame in colours; transparent pixels keep their table colour.
  nv::platform::RasterImage ToRaster(bool tolerant = false);
  // The first table entry equal to the transparent colour, or -1.
  int TransparentIndex() const;

 private:
  friend class TGIFsImage;
  // Makes the coded data and the graphic-control extension from the pixels
  // and the frame's values.
  void PrepareForWriting();

  std::optional<GifBitmap> bitmap_;
};

// The payload of the clipboard: the first frame as a picture, and the GIF
// stream (length in front) when every frame has coded data.
struct GifClipboardData {
  nv::platform::RasterImage Bitmap;
  std::optional<std::vector<std::uint8_t>> Stream;
};

class TGIFsImage {
 public:
  static constexpr const char* ClipboardFormatName = "GIF Image";
  static constexpr const char* FileExtension = "gif";
  static constexpr const char* Description = "CompuServe GIF Image";
  static constexpr int MaxRepeatCount = 30000;
  // Frames with more pixels than this are refused before anything is allocated.
  static constexpr std::int64_t MaxFramePixels = std::int64_t{1} << 28;

  TGIFsImage() = default;
  TGIFsImage(const TGIFsImage&) = delete;
  TGIFsImage& operator=(const TGIFsImage&) = delete;

  std::vector<std::unique_ptr<TGIFsFrame>> Frames;
  int CurrentFrame = -1;
  int Version = 1;  // 1 "87a", 2 "89a"
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  std::optional<nv::platform::Color> BackgroundColor;
  bool Looping = false;
  int RepeatCount = 0;
  TGIFsData ImageData;
  bool PaletteModified = false;
  // Corrupt frame data marks the frame corrupted instead of raising.
  bool Tolerant = false;

  // Reads the whole stream. The first frame is decoded at once unless asked
  // not to (a caller that checks its size first); a first frame that does
  // not decode is dropped and the error raised.
  void LoadFromStream(ByteStream& stream, bool decodeFirstFrame = true);
  void SaveToStream(ByteStream& stream);
  // The GIF stream after its 32-bit length.
  void ReadData(ByteStream& stream);
  void WriteData(ByteStream& stream);

  bool GetEmpty() const { return Frames.empty(); }
  int GetWidth() const { return ScreenWidth; }
  int GetHeight() const { return ScreenHeight; }
  [[noreturn]] void SetWidth(int);
  [[noreturn]] void SetHeight(int);
  const std::vector<nv::platform::Color>& GetPalette() const { return ImageData.Colors; }
  bool GetTransparent() const;

  // The current frame as a picture; an empty image raises "Bitmap image is
  // not valid".
  void AssignTo(nv::platform::RasterImage& target);
  // Frame by frame from another GIF image, or as one frame from a picture.
  void Assign(TGIFsImage& source);
  void Assign(const nv::platform::RasterImage& picture);
  // Appends a frame made from a picture: reduced to 256 colours (greys for a
  // greyscale frame). The first frame's table becomes the global one.
  TGIFsFrame& AddFrame(const nv::platform::RasterImage& picture, bool greyscale = false);
  // Appends a frame of given indices and table (2, 4, ... 256 colours).
  TGIFsFrame& AddFrame(GifBitmap bitmap, std::vector<nv::platform::Color> colors);
  // Same saved bytes.
  bool Equals(TGIFsImage& other);

  GifClipboardData SaveToClipboardFormat();
  void LoadFromClipboardFormat(const GifClipboardData& data);

 private:
  void Clear();
};

// Bits per pixel of a colour table size; raises "Wrong number of colors;
// must be a power of 2" unless it is 2, 4, ... 256.
int GifBitsForColorCount(std::size_t count);
