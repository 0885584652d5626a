#include "document/score_commands.h"

#include <stdexcept>
#include <string_view>

#include "document/score_document.h"
#include "editing/key_commands.h"

namespace nv::document {

namespace {

// Caption text numbers of the document's own commands follow the key table's.
constexpr int kFirstDocumentCaption = 101;

// What a key command needs besides a document, where its menu entry shows it.
std::function<bool(const TECMusicScore&)> Precondition(std::string_view id) {
  if (id == "edit.undo") return [](const TECMusicScore& s) { return s.CanUndo(); };
  if (id == "edit.redo") return [](const TECMusicScore& s) { return s.CanRedo(); };
  if (id == "edit.copy" || id == "edit.cut") return [](const TECMusicScore& s) { return s.CanCopy(); };
  if (id == "edit.paste") return [](const TECMusicScore& s) { return s.CanPaste(); };
  return nullptr;
}

}  // namespace

void AddScoreKeyCommands(CommandRegistry& registry, std::function<ScoreDocument*()> active) {
  for (const nv::editing::KeyCommand& key : nv::editing::ScoreKeyCommands()) {
    Command command;
    command.Id = key.Id;
    command.Caption = key.Caption;
    command.CaptionText = key.CaptionText;
    command.DefaultShortcut = {key.Key, key.Modifiers};
    const bool history = key.Id == std::string_view("edit.undo") || key.Id == std::string_view("edit.redo");
    command.Run = [active, &key, history](const CommandArgs&) {
      // A take in progress ends first, so that it is undone as its one step.
      if (history) active()->StopRecording();
      nv::editing::RunKeyCommand(active()->Score(), key);
    };
    command.Enabled = [active, needs = Precondition(key.Id)] {
      const ScoreDocument* document = active();
      return document != nullptr && (!needs || needs(document->Score()));
    };
    registry.Add(std::move(command));
  }
}

void AddScoreCommands(CommandRegistry& registry, std::function<ScoreDocument*()> active) {
  AddScoreKeyCommands(registry, active);
  auto add = [&](const char* id, const char* caption, int text, Shortcut shortcut,
                 std::function<void(ScoreDocument&, const CommandArgs&)> run,
                 std::function<bool(const ScoreDocument&)> enabled) {
    Command command;
    command.Id = id;
    command.Caption = caption;
    command.CaptionText = kFirstDocumentCaption + text;
    command.DefaultShortcut = shortcut;
    command.Run = [active, run = std::move(run)](const CommandArgs& args) { run(*active(), args); };
    command.Enabled = [active, enabled = std::move(enabled)] {
      const ScoreDocument* document = active();
      return document != nullptr && enabled(*document);
    };
    registry.Add(std::move(command));
  };
  const auto always = [](const ScoreDocument&) { return true; };
  add("file.save", "Save", 0, {'S', ssCtrl}, [](ScoreDocument& d, const CommandArgs&) { d.Save(); },
      [](const ScoreDocument& d) { return d.Modified(); });
  // The file name is the first argument.
  add("file.save_as", "Save &As...", 1, {},
      [](ScoreDocument& d, const CommandArgs& args) {
        if (args.empty()) throw std::invalid_argument("Save As needs a file name");
        d.SaveAs(args.front());
      },
      always);
  add("score.play", "Play", 2, {}, [](ScoreDocument& d, const CommandArgs&) { d.Play(); },
      [](const ScoreDocument& d) { return !d.Playing(); });
  add("score.stop", "Stop", 3, {}, [](ScoreDocument& d, const CommandArgs&) { d.Stop(); },
      [](const ScoreDocument& d) { return d.Playing(); });
}

}  // namespace nv::document
