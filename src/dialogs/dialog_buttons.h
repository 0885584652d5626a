#pragma once

class QPushButton;
class QWidget;

namespace nv::dialogs {

// The dialogs' "&Ok" (BOk, the default button) and "Ca&ncel" (BCancel)
// with their glyphs drawn in code; the caller wires them.
QPushButton* NewOkButton(QWidget* parent);
QPushButton* NewCancelButton(QWidget* parent);

}  // namespace nv::dialogs
