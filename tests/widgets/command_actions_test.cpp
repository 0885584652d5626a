#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include "document/command_registry.h"
#include "document/score_commands.h"
#include "document/score_document.h"
#include "widgets/command_actions.h"

namespace {

using nv::document::CommandArgs;
using nv::document::CommandRegistry;

TEST(CommandActions, FollowThePredicateWhenTheStatesChange) {
  CommandRegistry registry;
  bool enabled = false;
  bool on = false;
  int runs = 0;
  registry.Add({"test.run", "&Run", 1, {'R', ssCtrl}, [&](const CommandArgs&) { ++runs; }, [&] { return enabled; },
                nullptr});
  registry.Add({"test.toggle", "Toggle", 2, {}, [&](const CommandArgs&) { on = !on; }, nullptr, [&] { return on; }});
  nv::widgets::CommandActions actions(registry, {"test.run", "test.toggle"});
  QAction& run = actions.Action("test.run");
  QAction& toggle = actions.Action("test.toggle");
  EXPECT_EQ(run.text(), QString("&Run"));
  EXPECT_EQ(run.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
  EXPECT_FALSE(run.isEnabled());
  EXPECT_FALSE(run.isCheckable());
  EXPECT_TRUE(toggle.isCheckable());

  enabled = true;
  EXPECT_FALSE(run.isEnabled());  // nobody said so yet
  registry.StatesChanged();
  EXPECT_TRUE(run.isEnabled());
  run.trigger();
  EXPECT_EQ(runs, 1);
  enabled = false;
  registry.StatesChanged();
  EXPECT_FALSE(run.isEnabled());

  // Running a command refreshes the states itself.
  toggle.trigger();
  EXPECT_TRUE(toggle.isChecked());
  EXPECT_THROW(nv::widgets::CommandActions(registry, {"test.missing"}), std::invalid_argument);
}

TEST(CommandActions, UndoIsEnabledOnceTheDocumentHasAStep) {
  nv::document::ScoreDocument document;
  CommandRegistry registry;
  nv::document::AddScoreCommands(registry, [&] { return &document; });
  nv::widgets::CommandActions actions(registry, {"edit.undo", "edit.redo", "cursor.previous"});
  EXPECT_EQ(actions.Action("edit.undo").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(actions.Action("edit.redo").shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  EXPECT_EQ(actions.Action("cursor.previous").shortcut(), QKeySequence(Qt::Key_Left));
  EXPECT_FALSE(actions.Action("edit.undo").isEnabled());
  const auto relay = document.Notices().UndoChanged.Subscribe([&] { registry.StatesChanged(); });
  document.Score().AddInstrument();
  EXPECT_TRUE(actions.Action("edit.undo").isEnabled());
  actions.Action("edit.undo").trigger();
  EXPECT_EQ(document.Score().InstrumentCount(), 0);
  EXPECT_FALSE(actions.Action("edit.undo").isEnabled());
  EXPECT_TRUE(actions.Action("edit.redo").isEnabled());
}

}  // namespace
