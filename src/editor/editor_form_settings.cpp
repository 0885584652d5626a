#include "editor/editor_form_settings.h"

#include "platform/ini_file.h"

namespace nv::editor {

namespace {

constexpr char kSection[] = "EditorForm";

}  // namespace

EditorFormSettings ReadEditorFormSettings(const platform::IniFile& file) {
  EditorFormSettings settings;
  settings.LeftPanel = file.ReadInteger(kSection, "LeftPanel", settings.LeftPanel);
  settings.LeftWidth = file.ReadInteger(kSection, "LeftWidth", settings.LeftWidth);
  if (settings.LeftWidth == 0) settings.LeftWidth = EditorFormSettings::kLeftWidth;
  settings.SequenceHeight = file.ReadInteger(kSection, "SequenceHeight", settings.SequenceHeight);
  settings.VelocityHeight = file.ReadInteger(kSection, "VelocityHeight", settings.VelocityHeight);
  return settings;
}

void WriteEditorFormSettings(const EditorFormSettings& settings, platform::IniFile& file) {
  file.WriteInteger(kSection, "LeftPanel", settings.LeftPanel);
  file.WriteInteger(kSection, "LeftWidth", settings.LeftWidth);
  file.WriteInteger(kSection, "SequenceHeight", settings.SequenceHeight);
  file.WriteInteger(kSection, "VelocityHeight", settings.VelocityHeight);
}

}  // namespace nv::editor
