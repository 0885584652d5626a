#pragma once

#include <QMenu>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "dialogs/logic/timbre_selection.h"
#include "dialogs/volume_balance.h"
#include "editor/tracks_model.h"
#include "widgets/property_view.h"

namespace nv::document {
class CommandRegistry;
}
namespace nv::platform {
class IniFile;
}
namespace nv::widgets {
class CommandActions;
}

namespace nv::editor {

// The tracks grid of a document window: the staves and their rows with
// name, program, channel, mute, volume and pan (TracksModel). The
// program's ellipsis opens the timbre chooser, volume's and pan's the
// volume pop-up under the cell; choosing a grid row makes its staff and row
// the score's active ones.
class TECTracksGrid : public nv::widgets::TECPropertyView {
  Q_OBJECT
 public:
  // `settings` keeps the timbre chooser's place (none: nothing is kept).
  explicit TECTracksGrid(nv::document::ScoreDocument& document, QWidget* parent = nullptr,
                         nv::platform::IniFile* settings = nullptr);

  TracksModel& Model() { return model_; }
  // What the window's staff and row actions read: the selected grid row.
  const TrackSelection& Selection() const { return model_; }

  // A grid row was chosen and its staff and row made active.
  std::function<void(const SelectedTrack&)> onSelectTrack;
  // How the timbre chooser's Test sounds a program on a key.
  std::function<void(int program, int key)> soundTimbre;
  // Opens the timbre chooser modally; nothing when cancelled. The chooser
  // itself unless replaced (tests script it).
  std::function<std::optional<int>(const nv::dialogs::TimbreChoice&)> chooseTimbre;

  // The commands of the grid's context menu (`PMTracks`), in menu order:
  // move up, move down, add, delete and edit a staff, add, duplicate,
  // delete and edit a row, mute all, play all.
  static constexpr std::array<const char*, 11> kMenuCommands = {
      "tracks.move_up", "tracks.move_down", "staff.add",      "staff.delete",   "staff.properties", "row.add",
      "row.duplicate",  "row.delete",       "row.properties", "staff.mute_all", "staff.play_all"};
  // The context menu runs these commands of `registry` (those it holds
  // when the menu opens); without a registry the grid has no menu.
  void SetMenuCommands(nv::document::CommandRegistry* registry) { registry_ = registry; }
  // Opens the context menu at `globalPos`; the menu while it is open.
  void OpenMenu(const QPoint& globalPos);
  QMenu* Menu() const { return menu_; }

  // The volume pop-up while it is open.
  nv::dialogs::TFVolumeBalance* VolumePopup() const { return popup_; }

 protected:
  void CellPressed(int column, int row, const QPoint& point, bool doubleClick) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void EditButton();
  void ChooseProgram(const SelectedTrack& track);
  void OpenVolumePopup(const SelectedTrack& track, int column);
  // After a click or key: another cell ends the typing, another row is chosen.
  void FollowCurrentRow(int before, int beforeColumn);

  TracksModel model_;
  nv::platform::IniFile* settings_;
  QPointer<nv::dialogs::TFVolumeBalance> popup_;
  nv::document::CommandRegistry* registry_ = nullptr;
  QPointer<QMenu> menu_;
};

}  // namespace nv::editor
