#include "library/template_description.h"

#include <filesystem>

#include "model/atomic_file_writer.h"
#include "model/memory_stream.h"
#include "platform/text_case.h"

namespace nv::library {

namespace fs = std::filesystem;

void TECTemplateDescription::SaveToStream(ByteStream& stream) const {
  WriteTemplateHeader(stream, Kind(), SectionCount());
  WriteSections(stream);
}

void TECTemplateDescription::LoadFromStream(ByteStream& stream) {
  Loaded = true;
  const TemplateHeader header = ReadTemplateHeader(stream, Kind());
  const std::unique_ptr<TECTemplateDescription> fresh = MakeEmpty();
  ReadTemplateBody(Kind(), [&] { fresh->ReadSections(stream, header); });
  fresh->Name = std::move(Name);
  fresh->Version = header.Version;
  Adopt(std::move(*fresh));
}

std::vector<std::uint8_t> TECTemplateDescription::Bytes() const {
  MemoryStream stream;
  SaveToStream(stream);
  return stream.Data();
}

void TECTemplateDescription::SaveToFile(const std::string& path) const { WriteFileAtomically(path, Bytes()); }

void TECTemplateDescription::LoadFromFile(const std::string& path) {
  Name = TemplateNameOfPath(path);
  MemoryStream stream(ReadTemplateFile(path));
  LoadFromStream(stream);
}

void TECTemplateDescription::SaveTemplate(const std::string& libraryFolder) const {
  const std::string fileName = TemplateFileName(Name, Kind());
  const auto existing = FindTemplateFile(libraryFolder, fileName);
  SaveToFile(existing.value_or((fs::path(TemplatesFolder(libraryFolder)) / fileName).string()));
}

void TECTemplateDescription::LoadTemplate(const std::string& libraryFolder) {
  const std::string fileName = TemplateFileName(Name, Kind());
  const auto path = FindTemplateFile(libraryFolder, fileName);
  Loaded = true;
  if (!path) {
    throw EFileOpenError("Cannot open \"" + (fs::path(TemplatesFolder(libraryFolder)) / fileName).string() +
                         "\": No such file or directory");
  }
  MemoryStream stream(ReadTemplateFile(*path));
  LoadFromStream(stream);
}

std::string TemplatesFolder(const std::string& libraryFolder) {
  return (fs::path(libraryFolder) / "Templates").string();
}

std::optional<std::string> FindTemplateFile(const std::string& libraryFolder, const std::string& fileName) {
  const fs::path folder = TemplatesFolder(libraryFolder);
  std::error_code error;
  if (fs::is_regular_file(folder / fileName, error)) return (folder / fileName).string();
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && nv::platform::SameTextIgnoringCase(it->path().filename().string(), fileName)) {
      return it->path().string();
    }
  }
  return std::nullopt;
}

}  // namespace nv::library
