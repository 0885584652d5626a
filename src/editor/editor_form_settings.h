#pragma once

namespace nv::platform {
class IniFile;
}

namespace nv::editor {

// The document window's panel sizes kept in the settings file's section
// "EditorForm" between runs, with the sizes a first run starts from.
struct EditorFormSettings {
  static constexpr int kTracksWidth = 205;
  static constexpr int kLeftWidth = 213;
  // Width of the tracks panel; 0 while it is hidden.
  int LeftPanel = kTracksWidth;
  // The width the tracks panel gets back when it is shown again.
  int LeftWidth = kLeftWidth;
  int SequenceHeight = 200;
  int VelocityHeight = 164;
};

// A missing key keeps its default; "LeftWidth" 0 reads as 213, since a
// panel shown again at width 0 would stay invisible.
EditorFormSettings ReadEditorFormSettings(const platform::IniFile& file);
void WriteEditorFormSettings(const EditorFormSettings& settings, platform::IniFile& file);

}  // namespace nv::editor
