#include "library/template_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/element_kinds.h"
#include "model/page_object_stream.h"
#include "model/stream_strings.h"
#include "platform/text_case.h"

namespace nv::library {
namespace {

constexpr std::uintmax_t kMaxTemplateFile = std::uintmax_t{64} << 20;
// An element takes at least its size and kind bytes.
constexpr std::uint64_t kMinElement = 2;

}  // namespace

void WriteTemplateHeader(ByteStream& stream, const TemplateKind& kind, std::uint16_t sections) {
  stream.WriteU8(kind.Signature);
  WriteStreamString(stream, kind.Header);
  stream.WriteU16(kind.Version);
  stream.WriteU16(sections);
}

TemplateHeader ReadTemplateHeader(ByteStream& stream, const TemplateKind& kind) {
  TemplateHeader header;
  ReadTemplateBody(kind, [&] {
    if (stream.ReadU8() != kind.Signature) throw EFileDamage();
    ReadStreamString(stream);
    header.Version = stream.ReadU16();
    if (header.Version > kind.Version) throw ETemplateFormatError(std::string(kVersionTooNew));
    header.Sections = stream.ReadU16();
  });
  return header;
}

SizedRecord ReadBoundedRecord(ByteStream& stream, std::size_t size) {
  SizedRecord record = ReadSizedRecord(stream);
  if (record.Size > size) throw EFileDamage();
  record.Size = static_cast<std::uint8_t>(size);
  return record;
}

bool IsTemplateElement(std::uint8_t kind) { return kind >= ek::PageText && kind <= ek::PageChord; }

void WriteTemplateElements(ByteStream& stream, const std::vector<std::unique_ptr<TECPageObject>>& elements) {
  WriteCount(stream, elements.size());
  for (const auto& element : elements) SavePageObject(stream, *element, PageObjectForm::ShortSize);
}

std::vector<std::unique_ptr<TECPageObject>> ReadTemplateElements(ByteStream& stream) {
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, kMinElement);
  std::vector<std::unique_ptr<TECPageObject>> elements;
  elements.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    // The size and kind bytes decide whether the record fits its kind
    // before the shared reader takes it.
    const std::int64_t start = stream.Position();
    const std::uint8_t size = stream.ReadU8();
    const std::uint8_t kind = size > 0 ? stream.ReadU8() : 0;
    const std::unique_ptr<TECPageObject> probe = MakePageObject(kind);
    if (!probe || size > probe->StoredSize()) throw EFileDamage();
    stream.SetPosition(start);
    elements.push_back(LoadPageObject(stream, PageObjectForm::ShortSize));
  }
  return elements;
}

std::vector<std::uint8_t> ReadTemplateFile(const std::string& path) {
  const auto fail = [&](const std::string& reason) {
    throw EFileOpenError("Cannot open \"" + path + "\": " + reason);
  };
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) fail(error.message());
  if (size > kMaxTemplateFile) fail("File is too large");
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(std::system_category().message(errno));
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(bytes.size())) fail("The file could not be read to its end");
  return bytes;
}

std::string TemplateFileName(std::string_view name, const TemplateKind& kind) {
  const std::string_view extension = kind.Extension;
  if (name.size() >= extension.size() &&
      nv::platform::SameTextIgnoringCase(name.substr(name.size() - extension.size()), extension)) {
    return std::string(name);
  }
  return std::string(name) + std::string(extension);
}

std::string TemplateNameOfPath(const std::string& path) { return std::filesystem::path(path).stem().string(); }

}  // namespace nv::library
