#pragma once

class TECPageObject;

namespace nv::render {

struct PainterContext;

// Draws the instrument's page objects of the active page (and those shown
// on every page) before the staves, with handles on the selected ones.
void DrawPageObjects(PainterContext& ctx);

// The same for one object.
void DrawPageObject(PainterContext& ctx, TECPageObject& object);

}  // namespace nv::render
