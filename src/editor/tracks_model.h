#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/notice.h"
#include "model/music_score.h"
#include "widgets/logic/property_tree.h"

namespace nv::document {
class ScoreDocument;
}

namespace nv::editor {

// What a program, volume or pan cell's text asks for: nothing for "" or
// text that is no number, -1 (none) for "--" or "-", else the number.
std::optional<int> ParseTrackValue(std::string_view text);

// The staff and row of one grid row: a staff row has both, a staff's own
// row no Row, the empty grid neither.
struct SelectedTrack {
  TECInstrument* Staff = nullptr;
  TECRow* Row = nullptr;
};

// What the document window's staff and row actions read of the tracks grid.
class TrackSelection {
 public:
  virtual ~TrackSelection() = default;
  // The grid's selected row.
  virtual SelectedTrack Selected() const = 0;
};

// The tracks grid without its window: one node a staff, with a child node
// for each of its rows, in the property tree; the columns name, program,
// channel, mute, volume and pan. It follows the document's staff events,
// writes edited cells to the score as undoable steps, and makes the staff
// and row of a selected node the score's active ones.
class TracksModel : public TrackSelection {
 public:
  // Value columns of a node (grid column - 1).
  enum Value { kProgram = 0, kChannel = 1, kMute = 2, kVolume = 3, kPan = 4 };

  TracksModel(nv::document::ScoreDocument& document, nv::widgets::PropertyTree& tree);
  TracksModel(const TracksModel&) = delete;
  TracksModel& operator=(const TracksModel&) = delete;

  // The tree's nodes changed or another node became current: the window
  // shows the tree again.
  std::function<void()> onTreeChanged;

  // The six columns of the grid.
  static std::vector<nv::widgets::PropertyColumn> Columns();

  SelectedTrack Selected() const override;
  SelectedTrack TrackOf(const nv::widgets::PropertyNode* node) const;
  nv::widgets::PropertyNode* NodeOf(const TECModelObject* stave) const;

  // The grid made grid row `row` current: its staff (and row) become active.
  void SelectRow(int row);
  // Rebuilds every node from the score.
  void Reload();
  // The typing in a cell ended: the next edit is a step of its own. Until
  // then each further edit of the same value joins the step of the first,
  // so that one undo takes back what was typed into the cell.
  void EndTyping() { typing_ = {}; }

 private:
  struct Entry {
    nv::widgets::PropertyNode* Node;
    bool IsRow;
  };

  void StaveChanged(TECStaveOperation operation, TECModelObject* stave);
  // After any change: the nodes match the score's staves and rows again
  // (they may have gone unreported, as while a file loads) and show their values.
  void Resync();
  bool Matches() const;
  void CellChanged(nv::widgets::PropertyNode& node);
  void Edit(nv::widgets::PropertyNode& node, TECModelObject& stave, std::size_t value);
  // A staff's node with its rows' nodes.
  nv::widgets::PropertyNode& AddStaff(TECInstrument& staff);
  // One node at `index` among its siblings.
  nv::widgets::PropertyNode& AddNode(nv::widgets::PropertyNode* parent, TECModelObject& stave, bool isRow, int index);
  void Show(nv::widgets::PropertyNode& node);
  void Forget(nv::widgets::PropertyNode& node);
  void Remove(const TECModelObject* stave);
  void TreeChanged();

  nv::document::ScoreDocument& document_;
  nv::widgets::PropertyTree& tree_;
  std::unordered_map<const TECModelObject*, Entry> entries_;
  struct Typing {
    const TECModelObject* Stave = nullptr;
    std::size_t Value = 0;
    // The undo step the first edit made.
    std::uint64_t Step = 0;
  };
  Typing typing_;
  // Set while the grid writes to the score or the score to the grid.
  bool syncingGrid_ = false;
  // Set while a selected node makes its staff or row active.
  bool selectingCell_ = false;
  std::vector<nv::document::Subscription> subscriptions_;
};

}  // namespace nv::editor
