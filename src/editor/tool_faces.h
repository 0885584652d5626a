#pragma once

#include <QFont>
#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

namespace nv::document {
struct ToolButton;
}

namespace nv::editor {

// The plain face of a tool: a glyph of the music font, or a short text.
struct ToolFace {
  std::optional<std::uint8_t> Glyph;
  QString Label;

  // The characters to draw and the font to draw them in, `pixels` high.
  QString Text() const;
  QFont Font(int pixels) const;
};

// The face of a tool name; an unknown name shows its first letters.
ToolFace FaceOfTool(std::string_view toolName);
// The face of a palette button: its tool's, or its own for the pointers,
// the reset buttons and the buttons whose tool follows a value.
ToolFace FaceOfButton(const nv::document::ToolButton& button);

}  // namespace nv::editor
