#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace nv::editor {

// Reads an integer of the program's "Dinamics" settings by name; nothing
// when it is not set.
using DynamicsSettings = std::function<std::optional<int>(std::string_view name)>;

// The value the score asks for while it computes velocities from the marks
// of `kind` (dynamics, hairpins, accents, fermatas, arpeggios, staccato):
// the setting, else its default; 64 for a kind without one.
int DynamicsValue(int kind, const DynamicsSettings& settings);

}  // namespace nv::editor
