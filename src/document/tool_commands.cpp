#include "document/tool_commands.h"

#include "document/tool_state.h"
#include "model/input_state.h"

namespace nv::document {

void AddToolPageCommands(CommandRegistry& registry, std::function<ToolState*()> state) {
  struct PageCommand {
    const char* Id;
    const char* Caption;
    int CaptionText;
    char Key;
    ToolPage Page;
  };
  // Caption text numbers follow the main window's command table.
  static constexpr PageCommand kCommands[] = {
      {"tools.notes", "Notes page", 257, 'N', ToolPage::Notes},
      {"tools.symbols", "Symbols page", 258, 'S', ToolPage::Symbols},
      {"tools.expanded", "Expanded page", 259, 'E', ToolPage::Expanded},
      {"tools.expressions", "Expressions page", 260, 'T', ToolPage::Expressions},
      {"tools.chords", "Chords page", 261, 'C', ToolPage::Chords},
      {"tools.design", "Design page", 262, 'D', ToolPage::Design},
      {"tools.piano", "Piano page", 263, 'P', ToolPage::Piano},
      {"tools.guitar", "Guitar page", 264, 'G', ToolPage::Guitar},
      {"tools.modify", "Modify page", 265, 'M', ToolPage::Modify},
      {"tools.navigator", "Navigator page", 266, 'V', ToolPage::Navigator},
  };
  for (const PageCommand& entry : kCommands) {
    Command command;
    command.Id = entry.Id;
    command.Caption = entry.Caption;
    command.CaptionText = entry.CaptionText;
    command.DefaultShortcut = {static_cast<std::uint16_t>(entry.Key), ssAlt};
    // Activating the page that is already active still chooses its tool again.
    command.Run = [state, page = entry.Page](const CommandArgs&) { state()->SetActivePage(page); };
    command.Enabled = [state] { return state() != nullptr; };
    command.Checked = [state, page = entry.Page] {
      const ToolState* tools = state();
      return tools != nullptr && tools->ActivePage() == page;
    };
    registry.Add(std::move(command));
  }
}

}  // namespace nv::document
