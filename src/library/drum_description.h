#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/template_description.h"
#include "model/page_objects.h"

namespace nv::library {

// A drum style (".drm"): the head a drum note is drawn with. The score's
// drum-head table takes its display name, its two placement values, its
// elements and its flag (0 or 128).
class TECDrumDescription : public TECTemplateDescription {
 public:
  TECDrumDescription() : TECTemplateDescription(kDrumFile) {}

  void SaveToStream(ByteStream& stream) const override;
  void LoadFromStream(ByteStream& stream) override;

  // Raises std::invalid_argument for an element that is no page object.
  void AddElement(std::unique_ptr<TECPageObject> element);
  const std::vector<std::unique_ptr<TECPageObject>>& Elements() const { return elements_; }

  std::string DisplayName;
  std::string Hint;
  std::int32_t First = 0;
  std::int32_t Second = 0;
  std::uint8_t Flag = 0;

 private:
  std::vector<std::unique_ptr<TECPageObject>> elements_;
};

}  // namespace nv::library
