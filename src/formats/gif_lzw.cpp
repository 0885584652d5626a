#include "formats/gif_lzw.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "formats/graphic_error.h"
#include "model/stream.h"

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeSize = 12;

// The bytes of the sub-blocks joined; a block cut short gives what is there.
std::vector<std::uint8_t> JoinSubBlocks(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> joined;
  joined.reserve(data.size());
  std::size_t i = 0;
  while (i < data.size() && data[i] != 0) {
    const std::size_t length = data[i++];
    const std::size_t take = std::min(length, data.size() - i);
    joined.insert(joined.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                  data.begin() + static_cast<std::ptrdiff_t>(i + take));
    i += take;
  }
  return joined;
}

class CodeReader {
 public:
  explicit CodeReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  // False when fewer than `size` bits are left.
  bool Read(int size, int& code) {
    if (bitPosition_ + static_cast<std::size_t>(size) > bytes_.size() * 8) return false;
    code = 0;
    for (int i = 0; i < size; ++i, ++bitPosition_) {
      const int bit = (bytes_[bitPosition_ / 8] >> (bitPosition_ % 8)) & 1;
      code |= bit << i;
    }
    return true;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t bitPosition_ = 0;
};

// Places decoded indices in storage order.
class PixelSink {
 public:
  PixelSink(GifDecodeResult& result, int width, int height, int bitsPerPixel, bool interlaced)
      : pixels_(result.Pixels), width_(width), rows_(GifRowOrder(height, interlaced)),
        mask_(static_cast<std::uint8_t>((1 << bitsPerPixel) - 1)) {}
  // A frame without columns has no pixels whatever its rows.
  bool Full() const { return width_ <= 0 || row_ >= rows_.size(); }
  void Put(int index) {
    if (Full()) return;
    pixels_[static_cast<std::size_t>(rows_[row_]) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x_)] =
        static_cast<std::uint8_t>(index) & mask_;
    if (++x_ == width_) {
      x_ = 0;
      ++row_;
    }
  }

 private:
  std::vector<std::uint8_t>& pixels_;
  int width_;
  std::vector<int> rows_;
  std::uint8_t mask_;
  std::size_t row_ = 0;
  int x_ = 0;
};

// Packs codes LSB-first and cuts them into 255-byte sub-blocks.
class CodeWriter {
 public:
  void Write(int code, int size) {
    accumulator_ |= static_cast<std::uint32_t>(code) << bits_;
    bits_ += size;
    while (bits_ >= 8) {
      Byte(static_cast<std::uint8_t>(accumulator_ & 0xFF));
      accumulator_ >>= 8;
      bits_ -= 8;
    }
  }
  std::vector<std::uint8_t> Finish() {
    if (bits_ > 0) Byte(static_cast<std::uint8_t>(accumulator_ & 0xFF));
    if (!block_.empty()) FlushBlock();
    out_.push_back(0);
    return std::move(out_);
  }

 private:
  void Byte(std::uint8_t b) {
    block_.push_back(b);
    if (block_.size() == 255) FlushBlock();
  }
  void FlushBlock() {
    out_.push_back(static_cast<std::uint8_t>(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }
  std::uint32_t accumulator_ = 0;
  int bits_ = 0;
  std::vector<std::uint8_t> block_;
  std::vector<std::uint8_t> out_;
};

}  // namespace

std::vector<int> GifRowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(std::max(height, 0)));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  // A pass whose first row lies below a short frame adds nothing.
  static constexpr std::array<std::array<int, 2>, 4> kPasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
  for (const auto& [start, step] : kPasses) {
    for (int y = start; y < height; y += step) rows.push_back(y);
  }
  return rows;
}

GifDecodeResult DecodeGifLzw(const GifDecodeInput& input) {
  GifDecodeResult result;
  const auto corrupt = [&](const char* message) {
    if (!input.Tolerant) throw EInvalidGraphicOperation(message);
    result.Corrupted = true;
  };
  int m = input.MinCodeSize;
  if (m < 2 || m > 9) {
    corrupt("GIF code size not in range 2 to 9");
    m = std::clamp(m, 2, 9);
  }
  std::vector<std::uint8_t> codes = JoinSubBlocks(input.Data);
  const std::uint64_t pixels = static_cast<std::uint64_t>(input.Width) * static_cast<std::uint64_t>(input.Height);
  // A code takes at least m + 1 bits and stands for at most a table's
  // length of pixels: data too short for the frame is refused before its
  // pixels are allocated.
  if (!input.Tolerant && codes.size() * 8 / static_cast<std::uint64_t>(m + 1) * kMaxCodes < pixels) throw EReadError();
  result.Pixels.assign(pixels, 0);
  PixelSink sink(result, input.Width, input.Height, input.BitsPerPixel, input.Interlaced);
  CodeReader reader(std::move(codes));

  const int clear = 1 << m;
  const int end = clear + 1;
  int size = m + 1;
  int freeCode = clear + 2;
  int previous = -1;
  int first = 0;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes + 1> stack{};

  while (!sink.Full()) {
    int code = 0;
    if (!reader.Read(size, code)) {
      if (!input.Tolerant) throw EReadError();
      result.Corrupted = true;
      break;
    }
    if (code == clear) {
      size = m + 1;
      freeCode = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) {
      // The data ends before the frame's last pixel.
      if (!input.Tolerant) throw EReadError();
      result.Corrupted = true;
      break;
    }
    if (previous < 0) {
      // After a clear (or at the start) only a single pixel can follow.
      if (code > clear) {
        corrupt("GIF encoded data is corrupt");
        break;
      }
      sink.Put(code);
      previous = first = code;
      continue;
    }
    if (code > freeCode) {
      corrupt("GIF encoded data is corrupt");
      break;
    }
    std::size_t depth = 0;
    int current = code;
    if (code == freeCode) {
      stack[depth++] = static_cast<std::uint8_t>(first);
      current = previous;
    }
    while (current >= clear) {
      // Every entry points at a lower code, so a chain is at most the table long.
      stack[depth++] = suffix[static_cast<std::size_t>(current)];
      current = prefix[static_cast<std::size_t>(current)];
    }
    stack[depth++] = static_cast<std::uint8_t>(current);
    first = current;
    while (depth > 0) sink.Put(stack[--depth]);
    if (freeCode < kMaxCodes) {
      prefix[static_cast<std::size_t>(freeCode)] = static_cast<std::uint16_t>(previous);
      suffix[static_cast<std::size_t>(freeCode)] = static_cast<std::uint8_t>(first);
      ++freeCode;
      if (freeCode == (1 << size) && size < kMaxCodeSize) ++size;
    }
    previous = code;
  }
  return result;
}

namespace {

// The string table of the encoder: open addressing over (prefix, suffix).
class StringTable {
 public:
  static constexpr int kSlots = 17777;
  StringTable() { Clear(); }
  void Clear() { slots_.fill(Node{}); }
  // The slot holding (prefix, suffix), or the empty slot where it would go.
  int Find(int hash, int prefixCode, int suffix) const {
    int slot = hash;
    while (slots_[static_cast<std::size_t>(slot)].code != 0 &&
           (slots_[static_cast<std::size_t>(slot)].prefix != prefixCode ||
            slots_[static_cast<std::size_t>(slot)].suffix != suffix)) {
      slot = slot == kSlots - 1 ? 0 : slot + 1;
    }
    return slot;
  }
  int CodeAt(int slot) const { return slots_[static_cast<std::size_t>(slot)].code; }
  void Store(int slot, int prefixCode, int code, int suffix) {
    slots_[static_cast<std::size_t>(slot)] = {static_cast<std::uint16_t>(prefixCode), static_cast<std::uint16_t>(code),
                                              static_cast<std::uint8_t>(suffix)};
  }

 private:
  struct Node {
    std::uint16_t prefix = 0;
    std::uint16_t code = 0;  // 0: empty (no string ever gets code 0)
    std::uint8_t suffix = 0;
  };
  std::array<Node, kSlots> slots_;
};

}  // namespace

GifEncodeResult EncodeGifLzw(const std::vector<std::uint8_t>& pixels, int width, int height,
                              int bitsPerPixel, bool interlaced) {
  if (bitsPerPixel < 1 || bitsPerPixel > 8 || width < 0 || height < 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw EInvalidGraphicOperation("GIF image encoding error");
  }
  // A 1-bit image still uses the smallest code size GIF allows.
  const int start = std::max(bitsPerPixel + 1, 3);
  const int clear = 1 << (start - 1);
  const int end = clear + 1;
  const int mask = (1 << bitsPerPixel) - 1;
  GifEncodeResult result;
  result.MinCodeSize = static_cast<std::uint8_t>(start - 1);

  auto table = std::make_unique<StringTable>();
  CodeWriter writer;
  int size = start;
  int next = clear + 2;
  writer.Write(clear, size);

  // The decoder learns each string one code after the encoder, so the codes
  // widen once the code about to be assigned no longer fits.
  const auto WriteCode = [&](int code) {
    writer.Write(code, size);
    if (next >= (1 << size) && size < kMaxCodeSize) ++size;
  };
  int pending = -1;
  int length = 0;
  int hash = 0;
  for (const int y : GifRowOrder(height, interlaced)) {
    const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      const int e = row[x] & mask;
      if (pending < 0) {
        pending = e;
        length = 1;
        hash = e * 301 + 903;
        continue;
      }
      hash = static_cast<int>((static_cast<long long>(e + length + 1 + 4) * hash) % StringTable::kSlots);
      ++length;
      const int slot = table->Find(hash, pending, e);
      if (table->CodeAt(slot) != 0) {
        pending = table->CodeAt(slot);
        continue;
      }
      WriteCode(pending);
      if (next <= 4093) {
        table->Store(slot, pending, next, e);
        ++next;
      } else {
        writer.Write(clear, size);
        table->Clear();
        size = start;
        next = clear + 2;
      }
      pending = e;
      length = 1;
      hash = e * 301 + 903;
    }
  }
  if (pending >= 0) WriteCode(pending);
  writer.Write(end, size);
  result.Data = writer.Finish();
  return result;
}
