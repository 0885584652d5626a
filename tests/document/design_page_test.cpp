#include "document/design_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document/command_registry.h"
#include "document/program_settings.h"
#include "document/tool_buttons.h"

namespace nv::document {
namespace {

using nv::editing::Look;

// Each call the commands make, as text.
struct RecordedEdits final : PageObjectEdits {
  std::vector<std::string> calls;
  void ChangeLook(Look look, int value) override {
    calls.push_back("look " + std::to_string(static_cast<int>(look)) + " " + std::to_string(value));
  }
  void ChangeFontName(const std::string& name) override { calls.push_back("font " + name); }
  void Reorder(bool front) override { calls.push_back(front ? "front" : "back"); }
};

struct Commands {
  ProgramSettings settings;
  CommandRegistry registry;
  RecordedEdits edits;
  bool open = true;
  Commands() {
    AddDesignCommands(registry, [this]() -> PageObjectEdits* { return open ? &edits : nullptr; }, settings);
  }
  std::vector<std::string> Click(const char* name) {
    edits.calls.clear();
    const DesignButton* button = FindDesignButton(name);
    EXPECT_NE(button, nullptr) << name;
    if (button != nullptr) registry.Run(std::string(button->CommandId), ArgsOf(*button));
    return edits.calls;
  }
};

std::string LookCall(Look look, int value) {
  return "look " + std::to_string(static_cast<int>(look)) + " " + std::to_string(value);
}

TEST(DesignPage, EveryCommandButtonMakesItsCall) {
  Commands c;
  const std::pair<const char*, std::string> cases[] = {
      {"CBAlignLeft", LookCall(Look::TextAlign, 0)},  {"CBAlignCenter", LookCall(Look::TextAlign, 1)},
      {"CBAlignRight", LookCall(Look::TextAlign, 2)}, {"CBAlignFull", LookCall(Look::TextAlign, 3)},
      {"CBAllPages", LookCall(Look::OnePage, 0)},     {"CBCurrentPage", LookCall(Look::OnePage, 1)},
      {"CBBrToFront", "front"},                       {"CBSnToBack", "back"},
  };
  for (const auto& [name, call] : cases) EXPECT_EQ(c.Click(name), std::vector<std::string>{call}) << name;
}

TEST(DesignPage, ALookButtonAppliesTheValueTheSettingsHoldWhenItRuns) {
  Commands c;
  c.settings.LineColor = 0x0000FF;
  c.settings.BrushColor = 0x00FF00;
  c.settings.FontBold = true;
  c.settings.FontUnderlite = true;
  c.settings.LineWidth = 4;
  c.settings.PointStyle = 0x13;
  c.settings.TextRotate = 90;
  c.settings.TextSize = 14;
  c.settings.TextName = "Times New Roman";
  const std::pair<const char*, std::string> cases[] = {
      {"CBLineColor", LookCall(Look::LineColor, 0x0000FF)}, {"CBBrushColor", LookCall(Look::BrushColor, 0x00FF00)},
      {"CBTextStyle", LookCall(Look::FontStyle, 5)},        {"CBLineWidth", LookCall(Look::LineWidth, 4)},
      {"CBPointStyles", LookCall(Look::PointStyle, 0x13)},  {"CBTextRotate", LookCall(Look::Rotation, 90)},
      {"CBTextSize", LookCall(Look::FontSize, 14)},         {"CBTextName", "font Times New Roman"},
  };
  for (const auto& [name, call] : cases) EXPECT_EQ(c.Click(name), std::vector<std::string>{call}) << name;
  // A value stored later is the one applied.
  c.settings.LineColor = 0x123456;
  EXPECT_EQ(c.Click("CBLineColor"), std::vector<std::string>{LookCall(Look::LineColor, 0x123456)});
}

TEST(DesignPage, WithoutADocumentTheCommandsAreOffAndDoNothing) {
  Commands c;
  c.open = false;
  for (const DesignButton& button : DesignButtons()) {
    if (button.Part == DesignPart::Tool) continue;
    EXPECT_FALSE(c.registry.IsEnabled(std::string(button.CommandId))) << button.Name;
    EXPECT_TRUE(c.Click(std::string(button.Name).c_str()).empty()) << button.Name;
  }
}

TEST(DesignPage, EveryToolIsAButtonOfTheToolStateAndEveryLookHasItsCommand) {
  int tools = 0;
  for (const DesignButton& button : DesignButtons()) {
    if (button.Part == DesignPart::Tool) {
      ++tools;
      const ToolButton* tool = FindToolButton(button.Name);
      ASSERT_NE(tool, nullptr) << button.Name;
      EXPECT_EQ(tool->Page, ToolPage::Design);
    }
    if (button.Look) {
      EXPECT_EQ(DesignCommand(*button.Look), button.CommandId) << button.Name;
    }
  }
  // The pointer, eleven shapes, text, comment and picture.
  EXPECT_EQ(tools, 15);
}

TEST(DesignPage, TheFontStyleIsKeptInItsFourSettings) {
  ProgramSettings s;
  for (int mask = 0; mask < 16; ++mask) {
    SetDesignValue(s, DesignLook::FontStyle, mask);
    EXPECT_EQ(DesignValue(s, DesignLook::FontStyle), mask);
  }
  SetDesignValue(s, DesignLook::FontStyle, 2);
  EXPECT_TRUE(s.FontItalic);
  EXPECT_FALSE(s.FontBold || s.FontUnderlite || s.FontStrikeOut);
}

TEST(DesignPage, TypedSizesAndNamesThatCannotBeUsedAreRefused) {
  const std::pair<const char*, std::optional<int>> sizes[] = {
      {"abc", std::nullopt}, {"0", std::nullopt},  {"5000", std::nullopt}, {"", std::nullopt},
      {"3", std::nullopt},   {"12x", std::nullopt}, {"-8", std::nullopt},  {"4", 4},
      {" 12 ", 12},          {"72", 72},           {"73", std::nullopt},
  };
  for (const auto& [typed, size] : sizes) EXPECT_EQ(FontSizeOf(typed), size) << '"' << typed << '"';
  EXPECT_EQ(FontNameOf(""), std::nullopt);
  EXPECT_EQ(FontNameOf("   "), std::nullopt);
  EXPECT_EQ(FontNameOf(" Courier New "), "Courier New");
}

}  // namespace
}  // namespace nv::document
