#include "library/drum_description.h"

#include <stdexcept>

#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace nv::library {
namespace {
constexpr std::uint16_t kSections = 6;
}

void TECDrumDescription::AddElement(std::unique_ptr<TECPageObject> element) {
  if (!element || !IsTemplateElement(element->Kind)) {
    throw std::invalid_argument("A drum style holds page objects only");
  }
  elements_.push_back(std::move(element));
}

void TECDrumDescription::SaveToStream(ByteStream& stream) const {
  WriteTemplateHeader(stream, Kind(), kSections);
  WriteStreamString(stream, DisplayName);
  WriteStreamString(stream, Hint);
  stream.WriteI32(First);
  stream.WriteI32(Second);
  WriteTemplateElements(stream, elements_);
  stream.WriteU8(Flag);
}

void TECDrumDescription::LoadFromStream(ByteStream& stream) {
  Loaded = true;
  const TemplateHeader header = ReadTemplateHeader(stream, Kind());
  TECDrumDescription read;
  ReadTemplateBody(Kind(), [&] {
    if (header.Sections >= 1) read.DisplayName = ReadStoredText(stream);
    if (header.Sections >= 2) read.Hint = ReadStoredText(stream);
    if (header.Sections >= 3) read.First = stream.ReadI32();
    if (header.Sections >= 4) read.Second = stream.ReadI32();
    if (header.Sections >= 5) read.elements_ = ReadTemplateElements(stream);
    if (header.Sections >= 6) read.Flag = stream.ReadU8();
  });
  Version = header.Version;
  DisplayName = std::move(read.DisplayName);
  Hint = std::move(read.Hint);
  First = read.First;
  Second = read.Second;
  elements_ = std::move(read.elements_);
  Flag = read.Flag;
}

}  // namespace nv::library
