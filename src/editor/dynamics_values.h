#pragma once

namespace nv::document {
struct ProgramSettings;
}

namespace nv::editor {

// The value the score asks for while it computes velocities from the marks
// of `kind` (dynamics, hairpins, accents, fermatas, arpeggios, staccato):
// the program's setting for it; 64 for a kind without one.
int DynamicsValue(int kind, const nv::document::ProgramSettings& settings);

}  // namespace nv::editor
