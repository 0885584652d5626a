#include "library/drum_description.h"

#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace nv::library {

void TECDrumDescription::WriteSections(ByteStream& stream) const {
  WriteStreamString(stream, DisplayName);
  WriteStreamString(stream, Hint);
  stream.WriteI32(First);
  stream.WriteI32(Second);
  WriteTemplateElements(stream, elements_);
  stream.WriteU8(Flag);
}

void TECDrumDescription::ReadSections(ByteStream& stream, const TemplateHeader& header) {
  if (header.Sections >= 1) DisplayName = ReadStoredText(stream);
  if (header.Sections >= 2) Hint = ReadStoredText(stream);
  if (header.Sections >= 3) First = stream.ReadI32();
  if (header.Sections >= 4) Second = stream.ReadI32();
  if (header.Sections >= 5) elements_ = ReadTemplateElements(stream);
  if (header.Sections >= 6) Flag = stream.ReadU8();
}

}  // namespace nv::library
