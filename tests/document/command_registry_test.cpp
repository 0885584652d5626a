#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/command_registry.h"
#include "document/score_commands.h"
#include "document_fixture.h"
#include "editing/key_commands.h"
#include "model/measure_items.h"
#include "platform/clipboard.h"
#include "support/saved_score.h"

namespace {

using document_fixture::LoadedDocument;
using document_fixture::NoteAt;
using nv::document::Command;
using nv::document::CommandRegistry;
using nv::document::ScoreDocument;

// Records what the registry reports.
struct RecordingReporter : nv::document::ErrorReporter {
  std::vector<std::string> reports;
  void Report(const std::string& id, const std::string& message) override { reports.push_back(id + ": " + message); }
};

// Every byte the score file stores, the cursor included.
std::vector<std::uint8_t> BytesOf(const TECMusicScore& score) {
  MemoryStream stream;
  score.SaveToStream(stream);
  return stream.Data();
}

void SelectE(TECMusicScore& s) { s.SelectElement(NoteAt(s, 32), 0); }

// The situations each key is tried in.
const std::vector<std::pair<std::string, std::function<void(TECMusicScore&)>>> kSituations = {
    {"the cursor on the E", [](TECMusicScore& s) { s.SetCursorPosition(32); }},
    {"the E selected", SelectE},
    {"the E copied and the cursor on the G",
     [](TECMusicScore& s) {
       SelectE(s);
       s.CopyToClipboard();
       s.ClearSelection();
       s.SetCursorPosition(64);
     }},
    {"a crescendo selected",
     [](TECMusicScore& s) {
       TECMeasure& first = *s.CurrentRow()->GetMeasure(0);
       first.Items.push_back(MakeMeasureItem(ek::Crescendo, &first));
       first.Items.back()->Second = 32;
       s.LayoutScore(0, false);
       s.SelectElement(first.Items.back().get(), 0);
     }},
    {"the E selected in the velocity view",
     [](TECMusicScore& s) {
       s.SetVelocityMode(1);
       SelectE(s);
     }},
    {"an undone edit",
     [](TECMusicScore& s) {
       document_fixture::RaiseE(s);
       s.Undo(1);
     }},
    {"the last of three pages",
     [](TECMusicScore& s) {
       s.SetPageCount(3);
       s.SetActivePage(2);
     }},
    {"previewed pages", [](TECMusicScore& s) { s.SetStyle(TScoreStyle::ssPreviewPages); }},
};

TEST(ScoreCommands, EveryKeyOfTheKeyTableLeavesTheSameScoreThroughTheRegistry) {
  nv::platform::MemoryClipboard clipboard;
  nv::platform::installClipboard(&clipboard);
  for (const auto& [situation, setUp] : kSituations)
    for (const nv::editing::KeyCommand& key : nv::editing::ScoreKeyCommands()) {
      SCOPED_TRACE(situation + ", " + key.Id);
      clipboard.Clear();
      auto byKey = LoadedDocument();
      setUp(byKey->Score());
      std::uint16_t code = key.Key;
      byKey->Score().KeyDown(code, key.Modifiers);
      EXPECT_EQ(code, 0);

      clipboard.Clear();
      auto byCommand = LoadedDocument();
      setUp(byCommand->Score());
      CommandRegistry registry;
      nv::document::AddScoreCommands(registry, [&] { return byCommand.get(); });
      const Command* command = registry.Find(key.Id);
      ASSERT_NE(command, nullptr);
      EXPECT_EQ(command->DefaultShortcut, (nv::document::Shortcut{key.Key, key.Modifiers}));
      // Refused only where the key's command does nothing to the music:
      // Undo and Redo with nothing to undo or redo (the key still lets the
      // selection go), Cut and Copy with nothing to copy, Paste with nothing
      // to paste.
      const bool ran = registry.Run(key.Id);
      EXPECT_TRUE(BytesOf(byKey->Score()) == BytesOf(byCommand->Score()))
          << "key:\n" << DumpScore(byKey->Score()) << "command:\n" << DumpScore(byCommand->Score());
      if (ran) {
        EXPECT_EQ(byKey->Score().Selection.size(), byCommand->Score().Selection.size());
      }
    }
  nv::platform::installClipboard(nullptr);
}

TEST(CommandRegistry, ADisabledCommandDoesNotRunAndSaysSo) {
  CommandRegistry registry;
  int runs = 0;
  bool enabled = false;
  registry.Add({"test.count", "Count", 1, {}, [&](const nv::document::CommandArgs&) { ++runs; },
                [&] { return enabled; }, nullptr});
  EXPECT_FALSE(registry.Run("test.count"));
  EXPECT_EQ(runs, 0);
  enabled = true;
  EXPECT_TRUE(registry.Run("test.count"));
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(registry.Run("test.unknown"));

  // A score command without a document, and Undo with nothing to undo.
  ScoreDocument* active = nullptr;
  nv::document::AddScoreCommands(registry, [&] { return active; });
  EXPECT_FALSE(registry.Run("cursor.next"));
  auto document = LoadedDocument();
  active = document.get();
  EXPECT_FALSE(registry.Run("edit.undo"));
  document_fixture::RaiseE(document->Score());
  EXPECT_TRUE(registry.Run("edit.undo"));
  EXPECT_EQ(document->Score().UndoCount(), 0);
  EXPECT_THROW(registry.Add({"edit.undo", "Again", 0, {}, [](const nv::document::CommandArgs&) {}, nullptr, nullptr}),
               std::invalid_argument);
}

TEST(CommandRegistry, ACommandThatRaisesIsReportedOnceAndLeavesTheScoreAsItWas) {
  auto document = LoadedDocument();
  document_fixture::RaiseE(document->Score());
  CommandRegistry registry;
  RecordingReporter reporter;
  registry.SetReporter(&reporter);
  nv::document::AddScoreCommands(registry, [&] { return document.get(); });
  int statesChanged = 0;
  const auto token = registry.StatesChanged.Subscribe([&] { ++statesChanged; });
  const SavedScore before(document->Score());
  const std::string missingFolder = "/nonexistent-notavistra-folder/score.sfd";
  EXPECT_FALSE(registry.Run("file.save_as", {missingFolder}));
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].rfind("file.save_as: ", 0), 0u) << reporter.reports[0];
  EXPECT_EQ(SavedScore(document->Score()), before);
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(document->Path(), document_fixture::ThreeNoteFile().string());
  EXPECT_EQ(statesChanged, 1);

  // Without a reporter the caller gets the error.
  registry.SetReporter(nullptr);
  EXPECT_THROW(registry.Run("file.save_as", {missingFolder}), std::exception);
  EXPECT_EQ(reporter.reports.size(), 1u);
}

TEST(CommandRegistry, CheckedStatesAreAskedOfTheCommand) {
  CommandRegistry registry;
  bool on = false;
  registry.Add({"view.rulers", "Rulers", 7, {}, [&](const nv::document::CommandArgs&) { on = !on; }, nullptr,
                [&] { return on; }});
  registry.Add({"view.plain", "Plain", 8, {}, [](const nv::document::CommandArgs&) {}, nullptr, nullptr});
  EXPECT_EQ(registry.IsChecked("view.rulers"), false);
  registry.Run("view.rulers");
  EXPECT_EQ(registry.IsChecked("view.rulers"), true);
  EXPECT_EQ(registry.IsChecked("view.plain"), std::nullopt);
}

}  // namespace
