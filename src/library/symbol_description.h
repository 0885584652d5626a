#pragma once

#include <cstdint>
#include <string>

#include "library/template_description.h"

namespace nv::library {

// A symbol template (".smb"): page objects stored relative to the top-left
// corner of their bounding box, which is Width by Height.
class TECSymbolDescription : public TECElementTemplate<TECSymbolDescription> {
 public:
  TECSymbolDescription() : TECElementTemplate(kSymbolFile) {}

  std::string Description;
  std::string Group;
  std::int32_t Width = 0;
  std::int32_t Height = 0;

 protected:
  std::uint16_t SectionCount() const override { return 5; }
  void WriteSections(ByteStream& stream) const override;
  void ReadSections(ByteStream& stream, const TemplateHeader& header) override;
};

}  // namespace nv::library
