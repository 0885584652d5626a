#pragma once

namespace nv::render {

// Installs the layout pass and the page painters as the scores' layout
// engine (see model/score_layout_engine.h). The program's start-up calls it,
// and so does every test or benchmark that lays out or draws through the score.
void InstallLayoutEngine();

}  // namespace nv::render
