#pragma once

#include <optional>
#include <string_view>

class TECElement;

namespace nv::editor {

// The cursor the mouse shows over an element of the score: a name of the
// cursor set, "" for the default cursor (no element), or nothing to leave
// the cursor as it is (a note or rest value without a cursor of its own).
std::optional<std::string_view> CursorNameOf(const TECElement* element);

}  // namespace nv::editor
