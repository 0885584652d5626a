#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/template_file.h"
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

  const TemplateKind& Kind() const { return kind_; }

  virtual void SaveToStream(ByteStream& stream) const = 0;
  // Replaces what the template held; raises ETemplateFormatError for a file
  // that is not of its kind, is damaged or is newer, and keeps the old
  // contents then. Sets Loaded either way.
  virtual void LoadFromStream(ByteStream& stream) = 0;

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
  explicit TECTemplateDescription(const TemplateKind& kind) : Version(kind.Version), kind_(kind) {}

 private:
  const TemplateKind& kind_;
};

// The folder "Templates" of a library folder.
std::string TemplatesFolder(const std::string& libraryFolder);
// The template file of that name in "Templates": the exact name, else one
// that differs only in case; nothing when there is none.
std::optional<std::string> FindTemplateFile(const std::string& libraryFolder, const std::string& fileName);

}  // namespace nv::library
