#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "document/tool_sink.h"

namespace nv::widgets {
class ScoreControl;
}

namespace nv::editor {

// What the tool state says, shown on the windows: the active score
// control's cursor, ghost note and insert flag, the screen's cursor while a
// document tab is active, the piano keyboard's cursor and the piano roll's
// note length. Each target may be missing (null, empty): then that part
// changes nothing.
class ScoreToolSink : public nv::document::ToolSink {
 public:
  struct Targets {
    // The score control of the active document tab.
    std::function<nv::widgets::ScoreControl*()> ActiveScore;
    std::function<QWidget*()> Keyboard;
    // The active document's piano roll.
    std::function<void(int)> NoteLength;
  };

  explicit ScoreToolSink(Targets targets) : targets_(std::move(targets)) {}
  // An override cursor of the screen goes with the sink.
  ~ScoreToolSink() override;
  ScoreToolSink(const ScoreToolSink&) = delete;
  ScoreToolSink& operator=(const ScoreToolSink&) = delete;

  void SetCurrentTool(const std::string& name) override;
  void SetToolCursor(const std::string& name) override;
  void SetKeyboardCursor(const std::string& name) override;
  void SetScoreNoteCursor(bool on) override;
  void SetNoteDuration(int value) override;
  void SetScoreInsertFlag(bool on) override;

 private:
  nv::widgets::ScoreControl* Score() const;
  void RestoreScreenCursor();

  Targets targets_;
  bool overriding_ = false;
};

}  // namespace nv::editor
