#include "document/tool_commands.h"

#include "document/tool_state.h"
#include "model/input_state.h"

namespace nv::document {

void AddToolPageCommands(CommandRegistry& registry, ToolState& state) {
  struct PageCommand {
    const char* Id;
    const char* Caption;
    char Key;
    ToolPage Page;
  };
  static constexpr PageCommand kCommands[] = {
      {"tools.notes", "Notes", 'N', ToolPage::Notes},
      {"tools.symbols", "Symbols", 'S', ToolPage::Symbols},
      {"tools.expanded", "Expanded", 'E', ToolPage::Expanded},
      {"tools.expressions", "Expressions", 'T', ToolPage::Expressions},
      {"tools.design", "Design", 'D', ToolPage::Design},
      {"tools.piano", "Piano", 'P', ToolPage::Piano},
      {"tools.guitar", "Guitar", 'G', ToolPage::Guitar},
      {"tools.navigator", "Navigator", 'V', ToolPage::Navigator},
  };
  for (const PageCommand& entry : kCommands) {
    Command command;
    command.Id = entry.Id;
    command.Caption = entry.Caption;
    command.DefaultShortcut = {static_cast<std::uint16_t>(entry.Key), ssAlt};
    command.Run = [&state, page = entry.Page](const CommandArgs&) { state.SetActivePage(page); };
    command.Checked = [&state, page = entry.Page] { return state.ActivePage() == page; };
    registry.Add(std::move(command));
  }
}

}  // namespace nv::document
