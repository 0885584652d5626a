#pragma once

#include <vector>

class TECNote;
class TECRow;

// What the whole-selection velocity and ornament commands act on: the
// selected staff row and its selected notes. Stands in for the selection
// model until the editing code has one; empty, it selects nothing.
struct NoteSelection {
  TECRow* Row = nullptr;
  std::vector<TECNote*> Notes;
};
