#pragma once

#include <QString>

#include "document/tool_state.h"

class QSpinBox;
class QWidget;

namespace nv::app {

// The up-down of a tool value as its arrows only (the button beside it
// shows the value): it starts at the state's position within its bounds and
// steps the state, which repaints the buttons that show it. No focus.
QSpinBox* MakeToolUpDown(nv::document::ToolState& tools, nv::document::UpDownId id, const QString& name,
                         QWidget* parent);

}  // namespace nv::app
