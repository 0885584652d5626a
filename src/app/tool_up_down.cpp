#include "app/tool_up_down.h"

#include <QSpinBox>

namespace nv::app {

QSpinBox* MakeToolUpDown(nv::document::ToolState& tools, nv::document::UpDownId id, const QString& name,
                         QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setFocusPolicy(Qt::NoFocus);
  const nv::document::ToolUpDown& value = tools.UpDown(id);
  box->setRange(value.Min, value.Max);
  box->setWrapping(value.Wrap);
  box->setValue(value.Position);
  box->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; padding: 0px; }"));
  QObject::connect(box, &QSpinBox::valueChanged, box, [&tools, id](int position) {
    tools.StepUpDown(id, position - tools.UpDown(id).Position);
  });
  return box;
}

}  // namespace nv::app
