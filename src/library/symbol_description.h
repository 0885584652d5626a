#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/template_description.h"
#include "model/page_objects.h"

namespace nv::library {

// A symbol template (".smb"): page objects stored relative to the top-left
// corner of their bounding box, which is Width by Height.
class TECSymbolDescription : public TECTemplateDescription {
 public:
  TECSymbolDescription() : TECTemplateDescription(kSymbolFile) {}

  void SaveToStream(ByteStream& stream) const override;
  void LoadFromStream(ByteStream& stream) override;

  // Raises std::invalid_argument for an element that is no page object
  // (kinds 61..68), which the file could not hold.
  void AddElement(std::unique_ptr<TECPageObject> element);
  const std::vector<std::unique_ptr<TECPageObject>>& Elements() const { return elements_; }

  std::string Description;
  std::string Group;
  std::int32_t Width = 0;
  std::int32_t Height = 0;

 private:
  std::vector<std::unique_ptr<TECPageObject>> elements_;
};

}  // namespace nv::library
