#include "library/symbol_description.h"

#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace nv::library {

void TECSymbolDescription::WriteSections(ByteStream& stream) const {
  WriteStreamString(stream, Description);
  WriteStreamString(stream, Group);
  stream.WriteI32(Width);
  stream.WriteI32(Height);
  WriteTemplateElements(stream, elements_);
}

void TECSymbolDescription::ReadSections(ByteStream& stream, const TemplateHeader& header) {
  if (header.Sections >= 1) Description = ReadStoredText(stream);
  if (header.Sections >= 2) Group = ReadStoredText(stream);
  if (header.Sections >= 3) Width = stream.ReadI32();
  if (header.Sections >= 4) Height = stream.ReadI32();
  if (header.Sections >= 5) elements_ = ReadTemplateElements(stream);
}

}  // namespace nv::library
