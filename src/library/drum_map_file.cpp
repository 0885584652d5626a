#include "library/drum_map_file.h"

#include <string_view>

#include "model/text_encoding.h"

namespace nv::library {
namespace {

constexpr std::string_view kSection = "Drums";

std::string KeyOf(int pitch) { return "Pitch" + std::to_string(pitch); }

std::string_view Field(std::string_view& rest) {
  const auto comma = rest.find(',');
  const std::string_view field = rest.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  return field;
}

}  // namespace

DrumMapFile DrumMapFile::Read(const nv::platform::IniFile& file) {
  DrumMapFile map;
  for (int pitch = kFirstPitch; pitch <= kLastPitch; ++pitch) {
    const std::string value = file.ReadString(kSection, KeyOf(pitch), "");
    std::string_view rest = value;
    DrumMapEntry& entry = map.Entry(pitch);
    const std::string_view name = Field(rest);
    entry.Name = DecodeStoredText(name.substr(0, name.find_last_not_of(" \t") + 1), LegacyTextCodePage());
    entry.Head = nv::platform::ParseIniInteger(Field(rest)).value_or(255);
    entry.Pos = nv::platform::ParseIniInteger(Field(rest)).value_or(64);
    // The rest, whatever commas it holds, says whether the pitch is used.
    entry.Use = rest.substr(0, rest.find_last_not_of(" \t") + 1) == "1";
  }
  return map;
}

void DrumMapFile::Write(nv::platform::IniFile& file) const {
  for (int pitch = kFirstPitch; pitch <= kLastPitch; ++pitch) {
    const std::string& name = Entry(pitch).Name;
    if (name.find_first_of(",\r\n") != std::string::npos) {
      throw EDrumMapError("The drum name \"" + name + "\" cannot hold a \",\" or a line break");
    }
  }
  for (int pitch = kFirstPitch; pitch <= kLastPitch; ++pitch) {
    const DrumMapEntry& entry = Entry(pitch);
    if (entry.Name.empty()) {
      file.DeleteKey(kSection, KeyOf(pitch));
      continue;
    }
    file.WriteString(kSection, KeyOf(pitch),
                     entry.Name + "," + std::to_string(entry.Head) + "," + std::to_string(entry.Pos) + "," +
                         (entry.Use ? "1" : "0"));
  }
}

}  // namespace nv::library
