#pragma once

namespace nv::render {

struct PainterContext;

// Draws the rests of the current measure with their dots.
void DrawRests(PainterContext& ctx);

// The vertical shift of a voice on its staff: 2 spaces up or down when the
// row shares its staff or shows two or three voices, else 0.
int VoiceShift(const PainterContext& ctx, int voice);

}  // namespace nv::render
