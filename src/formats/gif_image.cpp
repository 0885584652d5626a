#include "formats/gif_image.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "formats/colour_reduction.h"
#include "formats/gif_lzw.h"
#include "model/memory_stream.h"

using nv::platform::Color;
using nv::platform::RasterImage;

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::size_t kMaxSubBlock = 255;

// Reads the file bytes; running past the end raises "Stream read error".
class ByteReader {
 public:
  explicit ByteReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  bool AtEnd() const { return position_ >= bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - position_; }
  std::uint8_t U8() {
    if (AtEnd()) throw EReadError();
    return bytes_[position_++];
  }
  std::uint16_t U16() {
    const std::uint8_t low = U8();
    return static_cast<std::uint16_t>(low | (U8() << 8));
  }
  std::string Text(std::size_t count) {
    if (count > Left()) throw EReadError();
    std::string text(reinterpret_cast<const char*>(bytes_.data() + position_), count);
    position_ += count;
    return text;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

void WriteTable(ByteStream& out, const std::vector<Color>& colors) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(colors.size() * 3);
  for (const Color c : colors) {
    bytes.push_back(static_cast<std::uint8_t>(nv::platform::redOf(c)));
    bytes.push_back(static_cast<std::uint8_t>(nv::platform::greenOf(c)));
    bytes.push_back(static_cast<std::uint8_t>(nv::platform::blueOf(c)));
  }
  out.WriteBuffer(bytes.data(), bytes.size());
}

void WriteText(ByteStream& out, std::string_view text) { out.WriteBuffer(text.data(), text.size()); }

std::vector<Color> ReadTable(ByteReader& in, std::size_t count) {
  if (count * 3 > in.Left()) throw EReadError();
  std::vector<Color> colors;
  colors.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const int r = in.U8();
    const int g = in.U8();
    colors.push_back(nv::platform::rgb(r, g, in.U8()));
  }
  return colors;
}

std::vector<std::string> ReadSubBlocks(ByteReader& in) {
  std::vector<std::string> blocks;
  for (std::uint8_t length = in.U8(); length != 0; length = in.U8()) blocks.push_back(in.Text(length));
  return blocks;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsLoopApplication(const TExtension& e) {
  if (e.Fixed.size() < 12) return false;
  const std::string_view id(reinterpret_cast<const char*>(e.Fixed.data() + 1), 11);
  return id == "NETSCAPE2.0" || id == "ANIMEXTS1.0";
}

void WriteExtension(ByteStream& out, const TExtension& e) {
  out.WriteU8(kExtensionIntroducer);
  out.WriteU8(e.Label);
  out.WriteBuffer(e.Fixed.data(), e.Fixed.size());
  for (const std::string& block : e.SubBlocks) {
    out.WriteU8(static_cast<std::uint8_t>(std::min(block.size(), kMaxSubBlock)));
    WriteText(out, std::string_view(block).substr(0, kMaxSubBlock));
  }
  out.WriteU8(0);
}

// The lines of a comment text, split at line breaks.
void AppendLines(std::vector<std::string>& lines, const std::string& text) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) return;
    start = end + 1;
  }
}

}  // namespace

int GifBitsForColorCount(std::size_t count) {
  for (int bits = 1; bits <= 8; ++bits) {
    if (count == (std::size_t{1} << bits)) return bits;
  }
  throw EInvalidGraphicOperation("Wrong number of colors; must be a power of 2");
}

// --- frames --------------------------------------------------------------------

const GifBitmap& TGIFsFrame::Bitmap(bool tolerant) {
  if (bitmap_) return *bitmap_;
  const bool lenient = tolerant || (Owner != nullptr && Owner->Tolerant);
  GifDecodeResult decoded = DecodeGifLzw(
      {Data.Data, Data.MinCodeSize, Width, Height, Data.BitsPerPixel, Interlaced, lenient});
  Corrupted = Corrupted || decoded.Corrupted;
  bitmap_ = GifBitmap{Width, Height, Data.BitsPerPixel, std::move(decoded.Pixels)};
  return *bitmap_;
}

void TGIFsFrame::SetBitmap(GifBitmap bitmap, std::vector<Color> colors) {
  const int bits = GifBitsForColorCount(colors.size());
  if (bitmap.Width < 1 || bitmap.Height < 1 || bitmap.Width > 0xFFFF || bitmap.Height > 0xFFFF ||
      bitmap.Pixels.size() != static_cast<std::size_t>(bitmap.Width) * static_cast<std::size_t>(bitmap.Height)) {
    throw EInvalidGraphicOperation("GIF image encoding error");
  }
  bitmap.BitsPerPixel = bits;
  Width = bitmap.Width;
  Height = bitmap.Height;
  Data.Colors = std::move(colors);
  Data.BitsPerPixel = bits;
  Data.Data.clear();
  bitmap_ = std::move(bitmap);
}

RasterImage TGIFsFrame::ToRaster(bool tolerant) {
  const GifBitmap& bitmap = Bitmap(tolerant);
  RasterImage raster(bitmap.Width, bitmap.Height);
  for (std::size_t i = 0; i < bitmap.Pixels.size(); ++i) {
    const std::size_t index = bitmap.Pixels[i];
    raster.pixels[i] = index < Data.Colors.size() ? Data.Colors[index] : nv::platform::colors::black;
  }
  return raster;
}

int TGIFsFrame::TransparentIndex() const {
  if (!TransparentColor) return -1;
  const auto found = std::find(Data.Colors.begin(), Data.Colors.end(), *TransparentColor);
  return found == Data.Colors.end() ? -1 : static_cast<int>(found - Data.Colors.begin());
}

void TGIFsFrame::PrepareForWriting() {
  if (Data.Data.empty()) {
    if (!bitmap_) throw EInvalidGraphicOperation("GIF image encoding error");
    GifEncodeResult encoded = EncodeGifLzw(bitmap_->Pixels, Width, Height, Data.BitsPerPixel, Interlaced);
    Data.MinCodeSize = encoded.MinCodeSize;
    Data.Data = std::move(encoded.Data);
  }
  std::erase_if(Extensions, [](const TExtension& e) {
    if (e.Label == TExtension::GraphicControl) return true;
    return e.Label == TExtension::Comment &&
           std::all_of(e.SubBlocks.begin(), e.SubBlocks.end(), [](const std::string& s) { return s.empty(); });
  });
  const int transparent = TransparentIndex();
  if (Interval > 0 || transparent >= 0 || Disposal != 0) {
    const int delay = std::min(Interval / 10, 0xFFFF);
    TExtension control;
    control.Label = TExtension::GraphicControl;
    control.Fixed = {4, static_cast<std::uint8_t>(((Disposal & 7) << 2) | (transparent >= 0 ? 1 : 0)),
                     static_cast<std::uint8_t>(delay & 0xFF), static_cast<std::uint8_t>(delay >> 8),
                     static_cast<std::uint8_t>(std::max(transparent, 0))};
    Extensions.insert(Extensions.begin(), std::move(control));
  }
}

// --- reading -------------------------------------------------------------------

namespace {

TExtension ReadExtension(ByteReader& in, std::uint8_t label) {
  TExtension e;
  e.Label = label;
  if (label != TExtension::Comment) {
    const std::uint8_t size = in.U8();
    e.Fixed.push_back(size);
    const std::string fixed = in.Text(size);
    e.Fixed.insert(e.Fixed.end(), fixed.begin(), fixed.end());
  }
  e.SubBlocks = ReadSubBlocks(in);
  return e;
}

bool IsKnownExtension(std::uint8_t label) {
  return label == TExtension::GraphicControl || label == TExtension::PlainText ||
         label == TExtension::Application || label == TExtension::Comment;
}

// Copies the data sub-blocks as they stand; a block running past the end is
// cut to what is there and marks the frame corrupted.
void ReadFrameData(ByteReader& in, TGIFsFrame& frame) {
  std::vector<std::uint8_t>& data = frame.Data.Data;
  for (;;) {
    if (in.AtEnd()) {
      frame.Corrupted = true;
      data.push_back(0);
      return;
    }
    const std::uint8_t length = in.U8();
    const std::size_t take = std::min<std::size_t>(length, in.Left());
    data.push_back(static_cast<std::uint8_t>(take));
    if (length == 0) return;
    const std::string block = in.Text(take);
    data.insert(data.end(), block.begin(), block.end());
    if (take < length) {
      frame.Corrupted = true;
      data.push_back(0);
      return;
    }
  }
}

void ApplyGraphicControl(TGIFsFrame& frame) {
  for (const TExtension& e : frame.Extensions) {
    if (e.Label != TExtension::GraphicControl || e.Fixed.size() < 5) continue;
    const std::uint8_t packed = e.Fixed[1];
    const int delay = e.Fixed[2] | (e.Fixed[3] << 8);
    const std::size_t index = e.Fixed[4];
    // An index outside the table names no colour.
    if ((packed & 1) != 0 && index < frame.Data.Colors.size()) frame.TransparentColor = frame.Data.Colors[index];
    frame.Interval = std::max(frame.Interval, delay * 10);
    frame.Disposal = (packed >> 2) & 7;
  }
}

}  // namespace

void TGIFsImage::Clear() {
  Frames.clear();
  CurrentFrame = -1;
  Version = 1;
  ScreenWidth = ScreenHeight = 0;
  BackgroundColor.reset();
  Looping = false;
  RepeatCount = 0;
  ImageData = TGIFsData{};
  PaletteModified = false;
}

void TGIFsImage::LoadFromStream(ByteStream& stream, bool decodeFirstFrame) {
  Clear();
  const std::int64_t left = stream.Remaining();
  ByteReader in(stream.ReadBytes(static_cast<std::size_t>(left)));

  if (!EqualsNoCase(in.Text(3), "GIF")) throw EInvalidGraphicOperation("Unknown GIF version");
  const std::string version = in.Text(3);
  if (EqualsNoCase(version, "87a")) {
    Version = 1;
  } else if (EqualsNoCase(version, "89a")) {
    Version = 2;
  } else {
    throw EInvalidGraphicOperation("Unknown GIF version");
  }
  ScreenWidth = in.U16();
  ScreenHeight = in.U16();
  const std::uint8_t packed = in.U8();
  const std::uint8_t background = in.U8();
  ImageData.AspectRatio = in.U8();
  ImageData.ColorResolution = ((packed >> 4) & 7) + 1;
  if (packed & 0x80) {
    ImageData.Colors = ReadTable(in, std::size_t{2} << (packed & 7));
    ImageData.BitsPerPixel = (packed & 7) + 1;
    if (background < ImageData.Colors.size()) BackgroundColor = ImageData.Colors[background];
  }

  std::vector<TExtension> held;
  while (!in.AtEnd()) {
    const std::uint8_t introducer = in.U8();
    if (introducer == kTrailer) break;
    if (introducer == 0) continue;
    if (introducer == kExtensionIntroducer) {
      const std::uint8_t label = in.U8();
      if (!IsKnownExtension(label)) {
        // Its blocks are sub-blocks whatever it is; skip them.
        ReadSubBlocks(in);
        continue;
      }
      TExtension e = ReadExtension(in, label);
      if (label == TExtension::PlainText) {
        held.clear();
      } else if (label == TExtension::Application) {
        if (IsLoopApplication(e) && !e.SubBlocks.empty() && e.SubBlocks[0].size() >= 3 && e.SubBlocks[0][0] == 1) {
          const auto& b = e.SubBlocks[0];
          Looping = true;
          RepeatCount = std::min(static_cast<std::uint8_t>(b[1]) | (static_cast<std::uint8_t>(b[2]) << 8),
                                 MaxRepeatCount);
        }
      } else {
        held.push_back(std::move(e));
      }
      continue;
    }
    if (introducer != kImageSeparator) break;  // what follows the last frame is not ours

    auto frame = std::make_unique<TGIFsFrame>(this);
    frame->Extensions = std::move(held);
    held.clear();
    frame->Left = in.U16();
    frame->Top = in.U16();
    frame->Width = in.U16();
    frame->Height = in.U16();
    frame->Packed = in.U8();
    frame->LocalColors = (frame->Packed & 0x80) != 0;
    frame->Interlaced = (frame->Packed & 0x40) != 0;
    if (frame->Width == 0) frame->Width = ScreenWidth;
    if (frame->Height == 0) frame->Height = ScreenHeight;
    if (static_cast<std::int64_t>(frame->Width) * frame->Height > MaxFramePixels) {
      throw EInvalidGraphicOperation("GIF frame is too large");
    }
    frame->Data.Colors = frame->LocalColors ? ReadTable(in, std::size_t{2} << (frame->Packed & 7)) : ImageData.Colors;
    // The frame's own table, local or global, gives its depth.
    frame->Data.BitsPerPixel = GifBitsForColorCount(frame->Data.Colors.size());
    frame->Data.MinCodeSize = in.U8();
    ReadFrameData(in, *frame);
    if (frame->Corrupted && !Tolerant) throw EReadError();
    ApplyGraphicControl(*frame);
    Frames.push_back(std::move(frame));
  }

  std::string comment;
  for (const TExtension& e : held) {
    if (e.Label != TExtension::Comment) continue;
    if (!comment.empty()) comment += "\r\n\r\n";
    for (const std::string& block : e.SubBlocks) comment += block;
  }
  if (!comment.empty()) AppendLines(ImageData.Comment, comment);

  if (Frames.empty()) return;
  CurrentFrame = 0;
  if (!decodeFirstFrame) return;
  try {
    Frames[0]->Bitmap();
  } catch (...) {
    // A first frame that does not decode is not kept; the caller learns why.
    Frames.erase(Frames.begin());
    CurrentFrame = Frames.empty() ? -1 : 0;
    throw;
  }
}

// --- writing -------------------------------------------------------------------

void TGIFsImage::SaveToStream(ByteStream& stream) {
  if (Frames.empty()) throw EInvalidGraphicOperation("No GIF Data to write");
  bool extensions = false;
  for (auto& frame : Frames) {
    frame->PrepareForWriting();
    extensions = extensions || !frame->Extensions.empty();
  }
  const bool hasComment = std::any_of(ImageData.Comment.begin(), ImageData.Comment.end(),
                                      [](const std::string& line) { return !line.empty(); });
  const bool loopBlock = Looping && Frames.size() > 1;
  // The loop block is a GIF89a extension too.
  if (hasComment || extensions || loopBlock) Version = 2;

  // Built in memory, so a failure leaves the target stream untouched.
  MemoryStream out;
  WriteText(out, "GIF");
  WriteText(out, Version == 2 ? "89a" : "87a");
  out.WriteU16(static_cast<std::uint16_t>(ScreenWidth));
  out.WriteU16(static_cast<std::uint16_t>(ScreenHeight));
  const std::vector<Color>& global = ImageData.Colors;
  if (global.empty()) {
    out.WriteU8(0);
  } else {
    const int bits = GifBitsForColorCount(global.size());
    out.WriteU8(static_cast<std::uint8_t>(0x80 | ((bits - 1) << 4) | (bits - 1)));
  }
  std::uint8_t background = 0;
  if (BackgroundColor) {
    const auto found = std::find(global.begin(), global.end(), *BackgroundColor);
    if (found != global.end()) background = static_cast<std::uint8_t>(found - global.begin());
  }
  out.WriteU8(background);
  out.WriteU8(ImageData.AspectRatio);
  WriteTable(out, global);

  if (loopBlock) {
    const int count = std::clamp(RepeatCount, 0, MaxRepeatCount);
    out.WriteU8(kExtensionIntroducer);
    out.WriteU8(TExtension::Application);
    out.WriteU8(11);
    WriteText(out, "NETSCAPE2.0");
    out.WriteU8(3);
    out.WriteU8(1);
    out.WriteU16(static_cast<std::uint16_t>(count));
    out.WriteU8(0);
  }

  for (const auto& frame : Frames) {
    for (const TExtension& e : frame->Extensions) WriteExtension(out, e);
    const int bits = GifBitsForColorCount(frame->Data.Colors.size());
    out.WriteU8(kImageSeparator);
    out.WriteU16(static_cast<std::uint16_t>(frame->Left));
    out.WriteU16(static_cast<std::uint16_t>(frame->Top));
    out.WriteU16(static_cast<std::uint16_t>(frame->Width));
    out.WriteU16(static_cast<std::uint16_t>(frame->Height));
    out.WriteU8(static_cast<std::uint8_t>((frame->LocalColors ? 0x80 | (bits - 1) : 0) | (frame->Interlaced ? 0x40 : 0)));
    if (frame->LocalColors) WriteTable(out, frame->Data.Colors);
    out.WriteU8(frame->Data.MinCodeSize);
    out.WriteBuffer(frame->Data.Data.data(), frame->Data.Data.size());
  }

  if (hasComment) {
    out.WriteU8(kExtensionIntroducer);
    out.WriteU8(TExtension::Comment);
    for (const std::string& line : ImageData.Comment) {
      if (line.empty()) continue;
      const std::size_t length = std::min(line.size(), kMaxSubBlock);
      out.WriteU8(static_cast<std::uint8_t>(length));
      WriteText(out, std::string_view(line).substr(0, length));
    }
    out.WriteU8(0);
  }
  out.WriteU8(kTrailer);
  stream.WriteBuffer(out.Data().data(), out.Data().size());
}

void TGIFsImage::ReadData(ByteStream& stream) {
  const std::uint32_t length = stream.ReadU32();
  StreamLimit limit(stream, length);
  LoadFromStream(stream);
  limit.SkipToEnd();
}

void TGIFsImage::WriteData(ByteStream& stream) {
  MemoryStream gif;
  SaveToStream(gif);
  stream.WriteU32(static_cast<std::uint32_t>(gif.Data().size()));
  stream.WriteBuffer(gif.Data().data(), gif.Data().size());
}

// --- the rest of the graphic ------------------------------------------------------

void TGIFsImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the Size of a GIF image"); }
void TGIFsImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the Size of a GIF image"); }

bool TGIFsImage::GetTransparent() const {
  return CurrentFrame >= 0 && static_cast<std::size_t>(CurrentFrame) < Frames.size() &&
         Frames[static_cast<std::size_t>(CurrentFrame)]->TransparentColor.has_value();
}

void TGIFsImage::AssignTo(RasterImage& target) {
  if (CurrentFrame < 0 || static_cast<std::size_t>(CurrentFrame) >= Frames.size()) {
    throw EInvalidGraphicOperation("Bitmap image is not valid");
  }
  target = Frames[static_cast<std::size_t>(CurrentFrame)]->ToRaster();
}

void TGIFsImage::Assign(TGIFsImage& source) {
  if (&source == this) return;
  if (source.GetEmpty()) {
    Clear();
    return;
  }
  MemoryStream copy;
  source.SaveToStream(copy);
  copy.SetPosition(0);
  LoadFromStream(copy);
}

void TGIFsImage::Assign(const RasterImage& picture) {
  Clear();
  AddFrame(picture);
}

TGIFsFrame& TGIFsImage::AddFrame(const RasterImage& picture, bool greyscale) {
  ReducedImage reduced = greyscale ? ReduceToGrey(picture) : ReduceByFrequency(picture);
  TGIFsFrame& frame =
      AddFrame(GifBitmap{picture.width, picture.height, 8, std::move(reduced.Indices)}, std::move(reduced.Palette));
  frame.Greyscale = greyscale;
  return frame;
}

TGIFsFrame& TGIFsImage::AddFrame(GifBitmap bitmap, std::vector<Color> colors) {
  auto frame = std::make_unique<TGIFsFrame>(this);
  frame->SetBitmap(std::move(bitmap), std::move(colors));
  if (ImageData.Colors.empty()) {
    ImageData.Colors = frame->Data.Colors;
    ImageData.BitsPerPixel = frame->Data.BitsPerPixel;
    ImageData.ColorResolution = frame->Data.BitsPerPixel;
  }
  frame->LocalColors = frame->Data.Colors != ImageData.Colors;
  ScreenWidth = std::max(ScreenWidth, frame->Width);
  ScreenHeight = std::max(ScreenHeight, frame->Height);
  Frames.push_back(std::move(frame));
  if (CurrentFrame < 0) CurrentFrame = 0;
  return *Frames.back();
}

bool TGIFsImage::Equals(TGIFsImage& other) {
  if (GetEmpty() || other.GetEmpty()) return GetEmpty() == other.GetEmpty();
  MemoryStream mine;
  MemoryStream theirs;
  SaveToStream(mine);
  other.SaveToStream(theirs);
  return mine.Data() == theirs.Data();
}

GifClipboardData TGIFsImage::SaveToClipboardFormat() {
  GifClipboardData data;
  if (Frames.empty()) throw EInvalidGraphicOperation("No GIF Data to write");
  data.Bitmap = Frames[0]->ToRaster();
  const bool coded = std::all_of(Frames.begin(), Frames.end(), [](const auto& f) { return !f->Data.Data.empty(); });
  if (coded) {
    MemoryStream stream;
    WriteData(stream);
    data.Stream = stream.Data();
  }
  return data;
}

void TGIFsImage::LoadFromClipboardFormat(const GifClipboardData& data) {
  if (data.Stream) {
    MemoryStream stream(*data.Stream);
    ReadData(stream);
  } else {
    Assign(data.Bitmap);
  }
}
