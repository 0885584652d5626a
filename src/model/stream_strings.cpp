#include "model/stream_strings.h"

#include <cstdint>
#include <utility>

namespace {

// Each stored string takes at least its two length bytes.
constexpr std::uint64_t kMinStoredStringSize = 2;

void CheckStorable(std::string_view text) {
  if (text.size() > kMaxStreamStringLength) {
    throw EWriteError("String of " + std::to_string(text.size()) + " bytes is too long to store");
  }
}

}  // namespace

std::string ReadStreamString(ByteStream& stream) {
  const std::uint16_t length = stream.ReadU16();
  stream.CheckAvailable(length);
  std::string text(length, '\0');
  stream.ReadBuffer(text.data(), length);
  return text;
}

void WriteStreamString(ByteStream& stream, std::string_view text) {
  CheckStorable(text);
  stream.WriteU16(static_cast<std::uint16_t>(text.size()));
  stream.WriteBuffer(text.data(), text.size());
}

void ReadStreamStrings(ByteStream& stream, std::vector<std::string>& list) {
  list.clear();
  const std::uint16_t count = stream.ReadU16();
  if (count > kMaxStreamStrings) throw EFileDamage();
  stream.CheckAvailable(count, kMinStoredStringSize);
  std::vector<std::string> read;
  read.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) read.push_back(ReadStreamString(stream));
  list = std::move(read);
}

std::size_t StoredStringsSize(const std::vector<std::string>& list) {
  std::size_t size = 2;
  for (const std::string& text : list) size += StoredStringSize(text);
  return size;
}

void WriteStreamStrings(ByteStream& stream, const std::vector<std::string>& list) {
  if (list.size() > kMaxStreamStrings) {
    throw EWriteError("List of " + std::to_string(list.size()) + " strings is too long to store");
  }
  for (const std::string& text : list) CheckStorable(text);
  stream.WriteU16(static_cast<std::uint16_t>(list.size()));
  for (const std::string& text : list) WriteStreamString(stream, text);
}
