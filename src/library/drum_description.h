#pragma once

#include <cstdint>
#include <string>

#include "library/template_description.h"

namespace nv::library {

// A drum style (".drm"): the head a drum note is drawn with. The score's
// drum-head table takes its display name, its two placement values, its
// elements and its flag (0 or 128).
class TECDrumDescription : public TECElementTemplate<TECDrumDescription> {
 public:
  TECDrumDescription() : TECElementTemplate(kDrumFile) {}

  std::string DisplayName;
  std::string Hint;
  std::int32_t First = 0;
  std::int32_t Second = 0;
  std::uint8_t Flag = 0;

 protected:
  std::uint16_t SectionCount() const override { return 6; }
  void WriteSections(ByteStream& stream) const override;
  void ReadSections(ByteStream& stream, const TemplateHeader& header) override;
};

}  // namespace nv::library
