#pragma once

#include <functional>
#include <optional>

#include "model/input_state.h"

class TECMusicScore;

namespace nv::document {

class ElementDialogs;
class ToolState;

// The editors of a selected element, in the order a double click tries them.
enum class ElementEditor { Text, Chord, Image, Comment, Tempo, GraceNotes, Notes, Barre };

// Whether the selection holds an element `editor` edits.
bool ElementEditorOffered(const TECMusicScore& score, ElementEditor editor);
// The editor a double click opens: the first the selection offers.
std::optional<ElementEditor> DoubleClickEditor(const TECMusicScore& score);

// The document window's element editing: each editor reads the selected
// element's values, asks its dialog and on OK hands the values back to the
// score in one call. The design page's shapes start on a mouse press, and
// a click on the page with the text or picture tool places one object.
class ElementActions {
 public:
  // `tools` may be null (no tool pages: no shapes, no page objects).
  ElementActions(TECMusicScore& score, ElementDialogs& dialogs, const ToolState* tools,
                 std::function<void()> focusScore);

  // False when the dialog was not offered or not confirmed. A dialog that
  // raises leaves the score as it was and the error goes to the caller.
  bool Edit(ElementEditor editor);

  // A press on the score: the right button does nothing; the left one starts
  // the design page's shape, and a double click names the editor to open.
  std::optional<ElementEditor> MouseDown(TECMouseButton button, TECShiftState shift, int x, int y);
  // A left click on the page, in document pixels.
  void PageClick(int x, int y);

 private:
  bool EditText(int kind, bool alignToNotesShown);
  bool EditTempo();
  bool EditGraceNotes();
  bool EditImage();
  bool EditBarre();
  bool EditChord();
  bool EditNotes();
  bool StartShape(int x, int y);

  TECMusicScore& score_;
  ElementDialogs& dialogs_;
  const ToolState* tools_;
  std::function<void()> focusScore_;
};

}  // namespace nv::document
