#include "editor/tracks_grid.h"

#include <QContextMenuEvent>

#include <string>
#include <vector>

#include "dialogs/timbre_chooser.h"
#include "dialogs/volume_balance.h"
#include "document/command_registry.h"
#include "editor/track_images.h"
#include "model/instrument.h"
#include "model/row.h"
#include "widgets/command_actions.h"

namespace nv::editor {

namespace {

// The grid's cream.
constexpr QColor kCream{255, 251, 240};

}  // namespace

TECTracksGrid::TECTracksGrid(nv::document::ScoreDocument& document, QWidget* parent, nv::platform::IniFile* settings)
    : TECPropertyView(parent), model_(document, Tree()), settings_(settings) {
  setObjectName(QStringLiteral("PVTracks"));
  QPalette cream = palette();
  cream.setColor(QPalette::Base, kCream);
  setPalette(cream);
  SetImages(TrackImages());
  chooseTimbre = [this](const nv::dialogs::TimbreChoice& choice) {
    return nv::dialogs::TFDCChooseTimbre::Choose(choice, soundTimbre, settings_, this);
  };
  model_.onTreeChanged = [this] {
    // Text that reads as no value yet (emptied to type anew) stays in the
    // editor; any other shows what the score kept.
    if (settingFromEditor && !ParseTrackValue(Editor().text().toStdString()))
      viewport()->update();
    else
      Refresh();
  };
  onEditButtonClick = [this] { EditButton(); };
  Refresh();
}

void TECTracksGrid::CellPressed(int column, int row, const QPoint& point, bool doubleClick) {
  const int before = Tree().CurrentRow();
  const int beforeColumn = CurrentColumn();
  TECPropertyView::CellPressed(column, row, point, doubleClick);
  FollowCurrentRow(before, beforeColumn);
}

void TECTracksGrid::keyPressEvent(QKeyEvent* event) {
  const int before = Tree().CurrentRow();
  const int beforeColumn = CurrentColumn();
  TECPropertyView::keyPressEvent(event);
  FollowCurrentRow(before, beforeColumn);
}

void TECTracksGrid::FollowCurrentRow(int before, int beforeColumn) {
  if (CurrentColumn() != beforeColumn || Tree().CurrentRow() != before) model_.EndTyping();
  if (Tree().CurrentRow() == before) return;
  model_.SelectRow(Tree().CurrentRow());
  if (onSelectTrack) onSelectTrack(model_.Selected());
}

void TECTracksGrid::contextMenuEvent(QContextMenuEvent* event) { OpenMenu(event->globalPos()); }

void TECTracksGrid::OpenMenu(const QPoint& globalPos) {
  if (!registry_) return;
  std::vector<std::string> ids;
  for (const char* id : kMenuCommands)
    if (registry_->Find(id)) ids.push_back(id);
  if (ids.empty()) return;
  if (menu_) menu_->deleteLater();
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PMTracks"));
  menu_->setAttribute(Qt::WA_DeleteOnClose);
  // The actions go with the menu.
  auto* actions = new nv::widgets::CommandActions(*registry_, ids, menu_);
  for (const std::string& id : ids) menu_->addAction(&actions->Action(id));
  menu_->popup(globalPos);
}

void TECTracksGrid::EditButton() {
  const SelectedTrack track = model_.Selected();
  if (!track.Staff) return;
  const int column = CurrentColumn();
  if (column == TracksModel::kProgram + 1) ChooseProgram(track);
  if (column == TracksModel::kVolume + 1 || column == TracksModel::kPan + 1) OpenVolumePopup(track, column);
}

void TECTracksGrid::ChooseProgram(const SelectedTrack& track) {
  const TECModelObject* stave = track.Row ? static_cast<const TECModelObject*>(track.Row) : track.Staff;
  const int program = track.Row ? track.Row->MidiInstrument() : track.Staff->MidiInstrument();
  const std::optional<int> chosen = chooseTimbre({program, track.Row == nullptr});
  // The dialog ran modally: the stave may have gone meanwhile.
  nv::widgets::PropertyNode* node = model_.NodeOf(stave);
  if (chosen && node) Tree().SetValue(*node, TracksModel::kProgram, *chosen);
}

void TECTracksGrid::OpenVolumePopup(const SelectedTrack& track, int column) {
  const TECModelObject* stave = track.Row ? static_cast<const TECModelObject*>(track.Row) : track.Staff;
  if (popup_) popup_->close();
  popup_ = new nv::dialogs::TFVolumeBalance(this);
  popup_->SetValue(ParseTrackValue(Tree().CellText(column, CurrentRow())).value_or(-1));
  popup_->onChange = [this, stave, column](int value) {
    // The cell of the stave the pop-up opened on, wherever it is now.
    nv::widgets::PropertyNode* node = model_.NodeOf(stave);
    if (!node) return;
    Tree().SetValue(*node, static_cast<std::size_t>(column - 1),
                    value < 0 ? nv::widgets::PropertyValue(std::string("--")) : nv::widgets::PropertyValue(value));
  };
  popup_->PlaceUnderRect(CellRect(column, CurrentRow()), viewport(), nv::dialogs::PalettePlacement::GridCell);
  popup_->Open();
}

}  // namespace nv::editor
