#include "dialogs/arrangement_palettes.h"

#include <QSpinBox>
#include <QWidget>

#include "dialogs/arrangement_faces.h"
#include "dialogs/form_fields.h"
#include "dialogs/logic/arrangement_enabling.h"

namespace nv::dialogs {
namespace {

const QString kActive = QStringLiteral("CBActive");
const QString kHorzAlign = QStringLiteral("CBHorzAlign");
const QString kDensity = QStringLiteral("CBNoteDensity");
const QString kInterval = QStringLiteral("GBNoteInterval");
const QString kMeasures = QStringLiteral("UDMeasureCount");
const QString kJoin = QStringLiteral("GBJoinNotes");
const QString kCount = QStringLiteral("UDCount");

// The up-downs' top: more bars or notes a group are of no use.
constexpr int kMaxCount = 100;

RowAlignmentEnabled RowEnabled(const FormValues& v) {
  return RowAlignmentEnabling(v.Bool(kActive.toStdString()), v.Int(kInterval.toStdString()));
}

// An owner-drawn button with its caption under it.
GlyphButton Drawn(int value, const char* name, const char* caption,
                  std::function<void(QPainter&, const QRect&, int)> paint) {
  GlyphButton button;
  button.value = value;
  button.name = QString::fromLatin1(name);
  button.caption = QString::fromLatin1(caption);
  button.paint = std::move(paint);
  return button;
}

JoinEnabled JoinEnabledOf(const FormValues& v) {
  return JoinEnabling(v.Bool(kActive.toStdString()), static_cast<JoinButton>(v.Int(kJoin.toStdString())));
}

}  // namespace

RowAlignmentPalette::RowAlignmentPalette(nv::platform::IniFile* settings, QWidget* parent)
    : DialogPalette(QStringLiteral("FRowAligment"), QStringLiteral("Row alignment style"), {310, 186},
                    "RowAlignmemtForm", settings, 214, 172, parent) {
  FormFields& f = Fields();
  f.SetColumns(2);
  f.AddCheck(kActive, QStringLiteral("Active"), true);
  f.AddCheck(kHorzAlign, QStringLiteral("Horzontal alignment"), false);
  f.SetColumns(1);
  GlyphGroup kinds;
  kinds.buttonSize = {64, 30};
  const char* names[] = {"SBEvenly", "SBProportional", "SBPositional"};
  const char* captions[] = {"Evenly", "Proportional", "Positional"};
  for (int kind = 0; kind < 3; ++kind)
    kinds.buttons.push_back(Drawn(kind, names[kind], captions[kind], PaintRowAlignmentFace));
  f.AddGlyphGroup(kInterval, QStringLiteral(" Note interval "), kinds, 0);
  f.SetColumns(2);
  f.AddCheck(kDensity, QStringLiteral("Note density"), false);
  f.AddSpin(kMeasures, QStringLiteral("Measure count"), 1, kMaxCount, 1);
  f.SetEnabledRule(kInterval, [](const FormValues& v) { return RowEnabled(v).group; });
  f.SetEnabledRule(kHorzAlign, [](const FormValues& v) { return RowEnabled(v).horizontal; });
  f.SetEnabledRule(kDensity, [](const FormValues& v) { return RowEnabled(v).noteDensity; });
  f.SetEnabledRule(kMeasures, [](const FormValues& v) { return RowEnabled(v).measureCount; });
}

void RowAlignmentPalette::SetActive(bool active) { Fields().SetValue(kActive, active); }
void RowAlignmentPalette::SetAlignKind(int kind) { Fields().SetValue(kInterval, kind); }
void RowAlignmentPalette::SetNoteDensity(bool density) { Fields().SetValue(kDensity, density); }
void RowAlignmentPalette::SetMeasureCount(int count) { Fields().SetValue(kMeasures, count); }
void RowAlignmentPalette::SetHorzAlign(bool align) { Fields().SetValue(kHorzAlign, align); }
bool RowAlignmentPalette::GetActive() const { return std::get<bool>(Fields().Value(kActive)); }
int RowAlignmentPalette::GetAlignKind() const { return std::get<int>(Fields().Value(kInterval)); }
bool RowAlignmentPalette::GetNoteDensity() const { return std::get<bool>(Fields().Value(kDensity)); }
int RowAlignmentPalette::GetMeasureCount() const { return std::get<int>(Fields().Value(kMeasures)); }
bool RowAlignmentPalette::GetHorzAlign() const { return std::get<bool>(Fields().Value(kHorzAlign)); }

JoinNotesPalette::JoinNotesPalette(nv::platform::IniFile* settings, QWidget* parent)
    : DialogPalette(QStringLiteral("FBarUnion"), QStringLiteral(" Join notes style"), {310, 195}, "BarUnionForm",
                    settings, 222, 180, parent) {
  FormFields& f = Fields();
  f.AddCheck(kActive, QStringLiteral("Active"), true);
  GlyphGroup join;
  join.buttonSize = {64, 30};
  const char* names[] = {"SBNone", "SBFullBar", "SBByTimeSignature", "SBCustom"};
  const char* captions[] = {"None", "Full bar", "By Time Signature", "Custom devision"};
  for (int button = 0; button < 4; ++button)
    join.buttons.push_back(
        Drawn(button, names[button], captions[button], [this](QPainter& painter, const QRect& area, int value) {
          const int count = std::get<int>(Fields().Value(kCount));
          PaintJoinFace(painter, area, JoinCountOf(static_cast<JoinButton>(value), count));
        }));
  f.AddGlyphGroup(kJoin, QStringLiteral(" Join notes "), join, 0);
  f.AddSpin(kCount, QStringLiteral("Count"), 2, kMaxCount, 2);
  f.SetEnabledRule(kJoin, [](const FormValues& v) { return JoinEnabledOf(v).group; });
  f.SetEnabledRule(kCount, [](const FormValues& v) { return JoinEnabledOf(v).count; });
  // The custom button shows the count.
  custom_ = f.Control(kJoin)->findChild<QWidget*>(QStringLiteral("SBCustom"));
  connect(static_cast<QSpinBox*>(f.Control(kCount)), &QSpinBox::valueChanged, custom_, [this] { custom_->update(); });
}

void JoinNotesPalette::SetActive(bool active) { Fields().SetValue(kActive, active); }

void JoinNotesPalette::SetUnionCount(int count) {
  const JoinButton button = JoinButtonOf(count);
  if (button == JoinButton::Custom) Fields().SetValue(kCount, count);
  Fields().SetValue(kJoin, static_cast<int>(button));
  custom_->update();
}

bool JoinNotesPalette::GetActive() const { return std::get<bool>(Fields().Value(kActive)); }

int JoinNotesPalette::GetUnionCount() const {
  return JoinCountOf(static_cast<JoinButton>(std::get<int>(Fields().Value(kJoin))),
                     std::get<int>(Fields().Value(kCount)));
}

}  // namespace nv::dialogs
