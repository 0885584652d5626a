#pragma once

#include <memory>
#include <string>

#include "app/document_page.h"
#include "editor/music_editor.h"

namespace nv::app {

// A tab of the document notebook that is a whole document window: the
// score, its tracks and panels, its file with its questions and backups.
// The tab's caption is the window's title, which follows the document's
// file name.
class MusicEditorPage : public DocumentPage {
 public:
  explicit MusicEditorPage(const nv::editor::MusicEditorServices& services);

  QWidget& Widget() override { return *editor_; }
  nv::document::ScoreDocument& Document() override { return editor_->Document(); }
  nv::editor::TFMusicEditor& Editor() const { return *editor_; }

  std::string LoadFile(const std::string& path) override;
  std::string ReloadFile() override;
  bool Save() override;
  bool SaveAs() override;
  bool QuerySave() override;
  bool Play() override;
  void Stop() override;

 private:
  std::unique_ptr<nv::editor::TFMusicEditor> editor_;
};

}  // namespace nv::app
