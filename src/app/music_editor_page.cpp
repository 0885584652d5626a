#include "app/music_editor_page.h"

namespace nv::app {

MusicEditorPage::MusicEditorPage(const nv::editor::MusicEditorServices& services)
    : editor_(std::make_unique<nv::editor::TFMusicEditor>(services)) {
  nv::editor::TFMusicEditor* editor = editor_.get();
  editor->setWindowTitle(editor->Caption());
  QObject::connect(editor, &nv::editor::TFMusicEditor::StateChanged, editor,
                   [editor] { editor->setWindowTitle(editor->Caption()); });
}

std::string MusicEditorPage::LoadFile(const std::string& path) {
  return editor_->OpenDocument(QString::fromStdString(path)).toStdString();
}

std::string MusicEditorPage::ReloadFile() { return editor_->ReloadDocument().toStdString(); }

bool MusicEditorPage::Save() { return editor_->Save(); }

bool MusicEditorPage::SaveAs() { return editor_->SaveAs(); }

bool MusicEditorPage::QuerySave() { return editor_->QuerySave(); }

bool MusicEditorPage::Play() { return editor_->StartPlayback(); }

void MusicEditorPage::Stop() { editor_->StopPlayback(); }

}  // namespace nv::app
