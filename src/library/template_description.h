#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "library/template_file.h"
#include "model/page_objects.h"
#include "model/stream.h"

namespace nv::library {

// A chord, symbol or drum-style template: what the three share. A template
// named by a list file is created unloaded and loaded when first needed; one
// built in memory counts as loaded.
class TECTemplateDescription {
 public:
  virtual ~TECTemplateDescription() = default;
  TECTemplateDescription(const TECTemplateDescription&) = delete;
  TECTemplateDescription& operator=(const TECTemplateDescription&) = delete;

  const TemplateKind& Kind() const { return *kind_; }

  // The header and the sections.
  void SaveToStream(ByteStream& stream) const;
  // Replaces what the template held, keeping its name; raises
  // ETemplateFormatError for a file that is not of its kind, is damaged or
  // is newer, and keeps the old contents then. Sets Loaded either way.
  void LoadFromStream(ByteStream& stream);

  // The bytes SaveToStream writes.
  std::vector<std::uint8_t> Bytes() const;
  // Replaces the file through the atomic save: the old file survives any
  // failure, which raises EFileSaveError naming the path and the reason.
  void SaveToFile(const std::string& path) const;
  // Takes the name from the path.
  void LoadFromFile(const std::string& path);
  // The same in the folder "Templates" of a library folder, under the name.
  void SaveTemplate(const std::string& libraryFolder) const;
  void LoadTemplate(const std::string& libraryFolder);

  std::string Name;
  std::uint16_t Version = 0;
  bool Loaded = true;

 protected:
  explicit TECTemplateDescription(const TemplateKind& kind) : Version(kind.Version), kind_(&kind) {}
  TECTemplateDescription(TECTemplateDescription&&) = default;
  TECTemplateDescription& operator=(TECTemplateDescription&&) = default;

  virtual std::uint16_t SectionCount() const = 0;
  virtual void WriteSections(ByteStream& stream) const = 0;
  // Reads the sections the header announces into this fresh template.
  virtual void ReadSections(ByteStream& stream, const TemplateHeader& header) = 0;
  virtual std::unique_ptr<TECTemplateDescription> MakeEmpty() const = 0;
  // Takes the contents of a template of the same class.
  virtual void Adopt(TECTemplateDescription&& fresh) = 0;

 private:
  const TemplateKind* kind_;
};

// The template class's own creation and adoption, written once.
template <typename Derived>
class TECTemplateOf : public TECTemplateDescription {
 protected:
  using TECTemplateDescription::TECTemplateDescription;
  std::unique_ptr<TECTemplateDescription> MakeEmpty() const override { return std::make_unique<Derived>(); }
  void Adopt(TECTemplateDescription&& fresh) override {
    static_cast<Derived&>(*this) = std::move(static_cast<Derived&>(fresh));
  }
};

// A template made of page objects (symbols and drum styles).
template <typename Derived>
class TECElementTemplate : public TECTemplateOf<Derived> {
 public:
  // Raises std::invalid_argument for an element that is no page object
  // (kinds 61..68), which the file could not hold.
  void AddElement(std::unique_ptr<TECPageObject> element) {
    if (!element || !IsTemplateElement(element->Kind)) {
      throw std::invalid_argument("A template holds page objects only (kinds 61 to 68)");
    }
    elements_.push_back(std::move(element));
  }
  const std::vector<std::unique_ptr<TECPageObject>>& Elements() const { return elements_; }

 protected:
  using TECTemplateOf<Derived>::TECTemplateOf;
  std::vector<std::unique_ptr<TECPageObject>> elements_;
};

// The folder "Templates" of a library folder.
std::string TemplatesFolder(const std::string& libraryFolder);
// The template file of that name in "Templates": the exact name, else one
// that differs only in case; nothing when there is none.
std::optional<std::string> FindTemplateFile(const std::string& libraryFolder, const std::string& fileName);

}  // namespace nv::library
