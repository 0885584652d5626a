#pragma once

namespace nv::document {
struct ProgramSettings;
}

namespace nv::library {
struct ChordBuilder;
}

namespace nv::editor {

// The chord builder kept between runs: [Accords] and [Tools] ChordAbove,
// ChordDuration, ChordAddition. Values a hand-edited file holds that no
// button shows come back as the first choice (a duration as 16).
void LoadChordBuilder(nv::library::ChordBuilder& builder, const nv::document::ProgramSettings& settings);
void StoreChordBuilder(const nv::library::ChordBuilder& builder, nv::document::ProgramSettings& settings);

}  // namespace nv::editor
