#include "document/command_states.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "document/command_registry.h"
#include "document/main_commands.h"
#include "document/zoom_steps.h"
#include "model/input_state.h"

namespace {

using nv::document::CommandRules;
using nv::document::CommandState;
using nv::document::UpdateActions;

std::set<std::string> EnabledIds(const CommandState& state) {
  std::set<std::string> ids;
  for (const auto& rule : CommandRules())
    if (UpdateActions(rule.Id, state)->Enabled) ids.insert(rule.Id);
  return ids;
}

CommandState OpenDocument() {
  CommandState state;
  state.HasDocument = true;
  return state;
}

// Ids enabled in one state and not the other, either way.
std::set<std::string> Difference(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> out;
  for (const auto& id : a)
    if (!b.contains(id)) out.insert(id);
  for (const auto& id : b)
    if (!a.contains(id)) out.insert(id);
  return out;
}

const std::set<std::string> kWithoutDocument = {
    "file.new", "file.open",      "file.exit",  "window.0",   "window.1",       "window.2",
    "window.3", "window.4",       "window.5",   "window.6",   "window.7",       "window.8",
    "window.9", "tools.settings", "tools.lock", "terms.list", "terms.dynamics", "terms.tempo",
    "drums.map", "drums.default_styles", "help.news"};

TEST(UpdateActions, WithoutADocumentOnlyTheCommandsThatNeedNoneAreEnabled) {
  CommandState state;
  // What a document would allow counts for nothing without one.
  state.Modified = state.CanCopy = state.CanPaste = state.CanUndo = state.CanRedo = state.CanArrange = true;
  state.SelectionIsChord = state.SelectionHasPageObject = state.CanAddRow = state.CanAddInstrument = true;
  state.Playing = true;
  EXPECT_EQ(EnabledIds(state), kWithoutDocument);
}

TEST(UpdateActions, AnUnmodifiedIdleDocumentEnablesItsCommandsButSaveStopAndTheConditionalOnes) {
  const std::set<std::string> enabled = EnabledIds(OpenDocument());
  for (const char* id : {"file.close",          "file.close_all",      "file.save_as",
                         "file.export",         "file.print",          "file.preview",
                         "file.print_settings", "edit.delete",         "view.zoom_in",
                         "view.zoom_out",       "view.actual_size",    "score.repeats",
                         "select.row_symbols",  "select.design_units", "select.staff_symbols",
                         "staff.properties",    "row.properties",      "bar.add",
                         "bar.delete",          "score.properties",    "score.go_to_end",
                         "score.go_to_begin",   "score.play",          "score.record"})
    EXPECT_TRUE(enabled.contains(id)) << id;
  for (const char* id :
       {"file.save",     "score.stop",      "edit.undo",       "edit.redo",       "edit.copy",    "edit.cut",
        "edit.paste",    "object.to_front", "object.to_back",  "staff.add",       "staff.delete", "row.add",
        "row.duplicate", "row.delete",      "pages.increment", "pages.decrement", "chord.save",   "chord.save_as",
        "symbol.save",   "symbol.save_as",  "help.mail_to"})
    EXPECT_FALSE(enabled.contains(id)) << id;
}

struct Case {
  const char* name;
  void (*change)(CommandState&);
  // Exactly the commands whose enabled state differs from an unmodified,
  // idle document's.
  std::set<std::string> flipped;
};

const std::vector<Case> kCases = {
    {"modified", [](CommandState& s) { s.Modified = true; }, {"file.save"}},
    {"playing", [](CommandState& s) { s.Playing = true; }, {"score.play", "score.record", "score.stop"}},
    {"recording", [](CommandState& s) { s.Recording = true; }, {"score.play", "score.record", "score.stop"}},
    {"printing", [](CommandState& s) { s.Printing = true; }, {"file.print", "file.preview", "file.print_settings"}},
    {"can copy", [](CommandState& s) { s.CanCopy = true; }, {"edit.copy", "edit.cut"}},
    {"can paste", [](CommandState& s) { s.CanPaste = true; }, {"edit.paste"}},
    {"can undo", [](CommandState& s) { s.CanUndo = true; }, {"edit.undo"}},
    {"can redo", [](CommandState& s) { s.CanRedo = true; }, {"edit.redo"}},
    {"can arrange", [](CommandState& s) { s.CanArrange = true; }, {"object.to_front", "object.to_back"}},
    {"chord selected", [](CommandState& s) { s.SelectionIsChord = true; }, {"chord.save", "chord.save_as"}},
    {"page object selected",
     [](CommandState& s) { s.SelectionHasPageObject = true; },
     {"symbol.save", "symbol.save_as"}},
    {"window allows staves, rows and pages",
     [](CommandState& s) {
       s.CanAddInstrument = s.CanDeleteInstrument = s.CanAddRow = s.CanDuplicateRow = s.CanDeleteRow = true;
       s.CanIncPageCount = s.CanDecPageCount = true;
     },
     {"staff.add", "staff.delete", "row.add", "row.duplicate", "row.delete", "pages.increment", "pages.decrement"}},
    {"only adding a row", [](CommandState& s) { s.CanAddRow = true; }, {"row.add"}},
    // Locking takes away what it names even where the document allows it.
    {"locked",
     [](CommandState& s) { s.Locked = true; },
     {"file.new", "file.open", "file.close", "file.save_as", "file.export", "score.play", "view.zoom_in",
      "view.zoom_out"}},
    {"repeats checked", [](CommandState& s) { s.Repeats = true; }, {}},
};

TEST(UpdateActions, EachConditionFlipsExactlyItsCommands) {
  const std::set<std::string> baseline = EnabledIds(OpenDocument());
  for (const Case& c : kCases) {
    CommandState state = OpenDocument();
    c.change(state);
    EXPECT_EQ(Difference(baseline, EnabledIds(state)), c.flipped) << c.name;
  }
}

TEST(UpdateActions, LockedWhileModifiedAndPlayingKeepsSaveAndStopDisabled) {
  CommandState state = OpenDocument();
  state.Modified = state.Playing = true;
  EXPECT_TRUE(UpdateActions("file.save", state)->Enabled);
  EXPECT_TRUE(UpdateActions("score.stop", state)->Enabled);
  state.Locked = true;
  EXPECT_FALSE(UpdateActions("file.save", state)->Enabled);
  EXPECT_FALSE(UpdateActions("score.stop", state)->Enabled);
}

TEST(UpdateActions, MailToIsNeverEnabled) {
  CommandState all = OpenDocument();
  all.Modified = all.CanCopy = all.CanPaste = all.CanUndo = all.CanRedo = all.CanArrange = true;
  all.SelectionIsChord = all.SelectionHasPageObject = true;
  for (const CommandState& state : {CommandState{}, OpenDocument(), all})
    EXPECT_FALSE(UpdateActions("help.mail_to", state)->Enabled);
}

TEST(UpdateActions, RepeatsAndLockCarryACheckedStateAndNothingElseDoes) {
  CommandState state = OpenDocument();
  EXPECT_EQ(UpdateActions("score.repeats", state)->Checked, false);
  EXPECT_EQ(UpdateActions("tools.lock", state)->Checked, false);
  state.Repeats = state.Locked = true;
  EXPECT_EQ(UpdateActions("score.repeats", state)->Checked, true);
  EXPECT_EQ(UpdateActions("tools.lock", state)->Checked, true);
  for (const auto& rule : CommandRules()) {
    if (std::string(rule.Id) == "score.repeats" || std::string(rule.Id) == "tools.lock") continue;
    EXPECT_FALSE(UpdateActions(rule.Id, state)->Checked) << rule.Id;
  }
}

TEST(UpdateActions, AnUnknownIdHasNoState) { EXPECT_FALSE(UpdateActions("file.frobnicate", OpenDocument())); }

TEST(MainCommands, EveryCommandHasARuleAndAnIdOfItsOwn) {
  std::set<std::string> ids;
  for (const auto& command : nv::document::MainCommands()) {
    EXPECT_TRUE(UpdateActions(command.Id, {})) << command.Id;
    EXPECT_TRUE(ids.insert(command.Id).second) << command.Id;
  }
}

TEST(MainCommands, TheShortcutsAreTheMainWindowsKeys) {
  const std::vector<std::pair<std::string, nv::document::Shortcut>> expected = {{"file.new", {'N', ssCtrl}},
                                                                                {"file.open", {'O', ssCtrl}},
                                                                                {"file.save", {'S', ssCtrl}},
                                                                                {"file.print", {'P', ssCtrl}},
                                                                                {"edit.undo", {'Z', ssCtrl}},
                                                                                {"edit.redo", {'Z', ssCtrl | ssShift}},
                                                                                {"edit.delete", {'D', ssCtrl}},
                                                                                {"view.zoom_in", {'I', ssCtrl}},
                                                                                {"view.zoom_out", {'U', ssCtrl}},
                                                                                {"view.actual_size", {'Q', ssCtrl}},
                                                                                {"select.row_symbols", {'A', ssCtrl}},
                                                                                {"window.0", {'0', ssAlt}},
                                                                                {"window.9", {'9', ssAlt}},
                                                                                {"file.close", {}},
                                                                                {"score.play", {}}};
  for (const auto& [id, key] : expected) {
    const auto& commands = nv::document::MainCommands();
    const auto command = std::ranges::find_if(commands, [&](const auto& c) { return id == c.Id; });
    ASSERT_NE(command, commands.end()) << id;
    EXPECT_EQ(command->DefaultShortcut, key) << id;
  }
}

TEST(MainCommands, RegisteredCommandsRunTheirHandlersAndFollowTheState) {
  nv::document::CommandRegistry registry;
  CommandState state = OpenDocument();
  int printed = 0;
  nv::document::AddMainCommands(registry,
                                {{"file.print", [&](const nv::document::CommandArgs&) { ++printed; }},
                                 {"tools.lock", [](const nv::document::CommandArgs&) {}}},
                                [&state] { return state; });
  ASSERT_EQ(registry.Commands().size(), 2u);
  const nv::document::Command* print = registry.Find("file.print");
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->Caption, "Print");
  EXPECT_TRUE(registry.Run("file.print"));
  EXPECT_EQ(printed, 1);
  state.Printing = true;
  EXPECT_FALSE(registry.IsEnabled("file.print"));
  EXPECT_FALSE(registry.Run("file.print"));
  EXPECT_EQ(printed, 1);
  EXPECT_EQ(registry.IsChecked("tools.lock"), false);
  state.Locked = true;
  EXPECT_EQ(registry.IsChecked("tools.lock"), true);
  EXPECT_FALSE(registry.IsChecked("file.print"));
}

TEST(MainCommands, AHandlerForAnUnknownIdIsRefused) {
  nv::document::CommandRegistry registry;
  EXPECT_THROW(
      nv::document::AddMainCommands(registry, {{"file.frobnicate", [](const auto&) {}}}, [] { return CommandState{}; }),
      std::invalid_argument);
  EXPECT_TRUE(registry.Commands().empty());
}

}  // namespace

TEST(MainCommands, CommandsAddedElsewhereTakeTheirStatesFromTheTable) {
  nv::document::CommandRegistry registry;
  // As the key table adds them: enabled by rules of their own.
  for (const char* id : {"edit.undo", "edit.paste", "cursor.next"}) {
    nv::document::Command command;
    command.Id = id;
    command.Run = [](const nv::document::CommandArgs&) {};
    command.Enabled = [] { return true; };
    registry.Add(std::move(command));
  }
  CommandState state = OpenDocument();
  nv::document::TakeStatesFromTable(registry, [&state] { return state; });
  EXPECT_FALSE(registry.IsEnabled("edit.undo"));
  EXPECT_FALSE(registry.IsEnabled("edit.paste"));
  state.CanUndo = true;
  EXPECT_TRUE(registry.IsEnabled("edit.undo"));
  EXPECT_FALSE(registry.IsEnabled("edit.paste"));
  state.HasDocument = false;
  EXPECT_FALSE(registry.IsEnabled("edit.undo"));
  // A command the table does not hold keeps its own rule.
  EXPECT_TRUE(registry.IsEnabled("cursor.next"));
}

TEST(ZoomSteps, InBelow300AndOutFrom50By20) {
  const struct {
    int zoom;
    std::optional<int> in, out;
  } cases[] = {{100, 120, 80}, {299, 319, 279}, {300, std::nullopt, 280}, {50, 70, 30}, {49, 69, std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(nv::document::ZoomedIn(c.zoom), c.in) << c.zoom;
    EXPECT_EQ(nv::document::ZoomedOut(c.zoom), c.out) << c.zoom;
  }
}

TEST(ZoomSteps, TheMenuRunsFrom20To300AndEachCaptionGivesItsZoomBack) {
  const auto percents = nv::document::ZoomMenuPercents();
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.front(), 20);
  EXPECT_EQ(percents.back(), 300);
  EXPECT_TRUE(std::ranges::is_sorted(percents));
  for (const int percent : percents)
    EXPECT_EQ(nv::document::ZoomFromCaption(nv::document::ZoomMenuCaption(percent)), percent) << percent;
  EXPECT_EQ(nv::document::ZoomMenuCaption(150), "150 %");
  // A translated caption keeps its number; one without a number (or one too
  // long for an int) names no zoom.
  EXPECT_EQ(nv::document::ZoomFromCaption("&150 %"), 150);
  EXPECT_EQ(nv::document::ZoomFromCaption("Zoom"), std::nullopt);
  EXPECT_EQ(nv::document::ZoomFromCaption(""), std::nullopt);
  EXPECT_EQ(nv::document::ZoomFromCaption("99999999999999 %"), std::nullopt);
}
