#include "library/symbol_description.h"

#include <stdexcept>

#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace nv::library {
namespace {
constexpr std::uint16_t kSections = 5;
}

void TECSymbolDescription::AddElement(std::unique_ptr<TECPageObject> element) {
  if (!element || !IsTemplateElement(element->Kind)) {
    throw std::invalid_argument("A symbol holds page objects only");
  }
  elements_.push_back(std::move(element));
}

void TECSymbolDescription::SaveToStream(ByteStream& stream) const {
  WriteTemplateHeader(stream, Kind(), kSections);
  WriteStreamString(stream, Description);
  WriteStreamString(stream, Group);
  stream.WriteI32(Width);
  stream.WriteI32(Height);
  WriteTemplateElements(stream, elements_);
}

void TECSymbolDescription::LoadFromStream(ByteStream& stream) {
  Loaded = true;
  const TemplateHeader header = ReadTemplateHeader(stream, Kind());
  TECSymbolDescription read;
  ReadTemplateBody(Kind(), [&] {
    if (header.Sections >= 1) read.Description = ReadStoredText(stream);
    if (header.Sections >= 2) read.Group = ReadStoredText(stream);
    if (header.Sections >= 3) read.Width = stream.ReadI32();
    if (header.Sections >= 4) read.Height = stream.ReadI32();
    if (header.Sections >= 5) read.elements_ = ReadTemplateElements(stream);
  });
  Version = header.Version;
  Description = std::move(read.Description);
  Group = std::move(read.Group);
  Width = read.Width;
  Height = read.Height;
  elements_ = std::move(read.elements_);
}

}  // namespace nv::library
