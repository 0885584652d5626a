#include "dialogs/form_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>

#include "formats/general_midi_names.h"
#include "widgets/char_button.h"
#include "widgets/widget_font.h"

namespace nv::dialogs {

namespace {

enum FieldKind { kSpin, kCheck, kRadio, kCombo, kConvertedCombo, kGlyphGroup, kInstrument, kPalette, kTrackBar, kText };

}  // namespace

struct FormFields::Field {
  QString name;
  FieldKind kind = kSpin;
  QWidget* control = nullptr;
  QLabel* label = nullptr;
  FieldRule enabled;
  FieldRule visible;
  // Kind by kind: the radio buttons or glyph buttons and their values.
  std::vector<QAbstractButton*> buttons;
  std::vector<int> values;
  int none = 0;
  bool allowAllUp = false;
  ValueTextConverter converter;
  // The value a field holds itself: the instrument, the palette's choice,
  // the last good value of a converted combo.
  int held = 0;
  QLineEdit* edit = nullptr;
  QLabel* valueLabel = nullptr;
  std::function<QString(int)> toText;
  InstrumentChooser chooser;
  PaletteMaker maker;
  std::function<bool(const QString&)> accepts;
};

namespace {

QString ProgramName(int program) {
  const std::string_view name = GeneralMidiName(program);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The forms are small: their groups keep close to their buttons.
void Tighten(QGridLayout& layout) {
  layout.setContentsMargins(4, 2, 4, 2);
  layout.setSpacing(2);
}

}  // namespace

FormFields::FormFields(QWidget* host) : QObject(host), area_(new QWidget(host)), grid_(new QGridLayout(area_)) {
  area_->setObjectName(QStringLiteral("Fields"));
  area_->setFont(nv::widgets::DialogFont());
  grid_->setContentsMargins(0, 0, 0, 0);
  grid_->setSpacing(4);
}

FormFields::~FormFields() = default;

void FormFields::SetColumns(int columns) {
  if (column_ != 0) {
    column_ = 0;
    ++row_;
  }
  columns_ = std::max(columns, 1);
}

FormFields::Field& FormFields::Add(const QString& name, const QString& label, QWidget* control, int kind, bool spans) {
  if (Find(name)) throw std::invalid_argument("The form has a field " + name.toStdString() + " already");
  auto field = std::make_unique<Field>();
  field->name = name;
  field->kind = static_cast<FieldKind>(kind);
  field->control = control;
  control->setObjectName(name);
  const int row = row_;
  const int column = 2 * column_;
  if (++column_ == columns_) {
    column_ = 0;
    ++row_;
  }
  // Alone on its row a field reaches the grid's right edge.
  const int rest = columns_ == 1 ? -1 : 1;
  if (spans || label.isEmpty()) {
    grid_->addWidget(control, row, column, 1, columns_ == 1 ? -1 : 2);
  } else {
    field->label = new QLabel(label, area_);
    field->label->setObjectName(name + QStringLiteral("Label"));
    field->label->setBuddy(control);
    grid_->addWidget(field->label, row, column);
    grid_->addWidget(control, row, column + 1, 1, rest);
  }
  fields_.push_back(std::move(field));
  return *fields_.back();
}

QWidget* FormFields::AddSpin(const QString& name, const QString& label, int min, int max, int initial) {
  auto* spin = new QSpinBox(area_);
  spin->setRange(min, max);
  spin->setValue(initial);
  // The number changes only by the up-down, so it is always one of the range.
  spin->findChild<QLineEdit*>()->setReadOnly(true);
  Add(name, label, spin, kSpin);
  connect(spin, &QSpinBox::valueChanged, this, &FormFields::UserChanged);
  return spin;
}

QWidget* FormFields::AddCheck(const QString& name, const QString& caption, bool initial) {
  auto* check = new QCheckBox(caption, area_);
  check->setChecked(initial);
  Add(name, {}, check, kCheck, true);
  connect(check, &QCheckBox::toggled, this, &FormFields::UserChanged);
  return check;
}

QWidget* FormFields::AddRadio(const QString& name, const QString& caption, const QStringList& items, int initial,
                              int columns) {
  auto* group = new QGroupBox(caption, area_);
  auto* layout = new QGridLayout(group);
  Tighten(*layout);
  const int perColumn = (static_cast<int>(items.size()) + columns - 1) / std::max(columns, 1);
  Field& field = Add(name, {}, group, kRadio, true);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], group);
    button->setObjectName(name + QString::number(i));
    layout->addWidget(button, i % perColumn, i / perColumn);
    field.buttons.push_back(button);
    field.values.push_back(i);
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) UserChanged();
    });
  }
  field.none = -1;
  Write(field, initial);
  return group;
}

QWidget* FormFields::AddCombo(const QString& name, const QString& label, const QStringList& items, int initial) {
  auto* combo = new QComboBox(area_);
  combo->addItems(items);
  combo->setCurrentIndex(initial);
  Add(name, label, combo, kCombo);
  connect(combo, &QComboBox::currentIndexChanged, this, &FormFields::UserChanged);
  return combo;
}

QWidget* FormFields::AddCombo(const QString& name, const QString& label, const std::vector<int>& values,
                              ValueTextConverter converter, int initial) {
  auto* combo = new QComboBox(area_);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  for (int value : values) combo->addItem(converter.toText(value), value);
  Field& field = Add(name, label, combo, kConvertedCombo);
  field.converter = std::move(converter);
  Write(field, initial);
  connect(combo, &QComboBox::currentTextChanged, this, [this, &field](const QString& text) {
    if (const std::optional<int> value = field.converter.toValue(text)) field.held = *value;
    UserChanged();
  });
  return combo;
}

QWidget* FormFields::AddGlyphGroup(const QString& name, const QString& label, GlyphGroup group, int initial) {
  auto* box = new QGroupBox(label, area_);
  auto* layout = new QGridLayout(box);
  Tighten(*layout);
  Field& field = Add(name, {}, box, kGlyphGroup, true);
  field.none = group.none;
  field.allowAllUp = group.allowAllUp;
  for (int i = 0; i < static_cast<int>(group.buttons.size()); ++i) {
    const GlyphButton& spec = group.buttons[static_cast<std::size_t>(i)];
    auto* button = new nv::widgets::TECCharButton(box);
    button->setObjectName(spec.name);
    button->setToolTip(spec.hint);
    button->setFixedSize(group.buttonSize);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(group.allowAllUp);
    if (spec.paint) {
      button->SetCustomDraw(true);
      button->SetOnDrawCharButton([paint = spec.paint, value = spec.value](QPainter& painter, const QRect& area) {
        paint(painter, area, value);
      });
    } else {
      button->setFont(group.font);
      button->SetChar(spec.glyph);
      button->SetPos(spec.glyphAt.x(), spec.glyphAt.y());
    }
    layout->addWidget(button, 0, i, Qt::AlignHCenter);
    if (!spec.caption.isEmpty()) {
      auto* caption = new QLabel(spec.caption, box);
      caption->setObjectName(spec.name + QStringLiteral("Label"));
      caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      caption->setWordWrap(true);
      layout->addWidget(caption, 1, i);
    }
    field.buttons.push_back(button);
    field.values.push_back(spec.value);
    connect(button, &QAbstractButton::clicked, this, &FormFields::UserChanged);
  }
  Write(field, initial);
  return box;
}

QWidget* FormFields::AddInstrument(const QString& name, const QString& label, InstrumentChooser choose, int initial) {
  auto* row = new QWidget(area_);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* edit = new QLineEdit(row);
  edit->setObjectName(name + QStringLiteral("Edit"));
  auto* button = new QToolButton(row);
  button->setObjectName(name + QStringLiteral("Button"));
  button->setText(QStringLiteral("..."));
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  Field& field = Add(name, label, row, kInstrument);
  field.edit = edit;
  field.chooser = std::move(choose);
  Write(field, initial);
  connect(edit, &QLineEdit::textEdited, this, [this, &field](const QString& text) {
    if (text.isEmpty()) field.held = -1;
    UserChanged();
  });
  connect(button, &QToolButton::clicked, this, [this, &field] {
    const std::optional<int> chosen = field.chooser ? field.chooser(field.held) : std::nullopt;
    if (!chosen) return;
    Write(field, *chosen);
    UserChanged();
  });
  return row;
}

QWidget* FormFields::AddPaletteButton(const QString& name, const QString& label, PaletteMaker make, ValueFace face,
                                      int initial) {
  auto* button = new nv::widgets::TECCharButton(area_);
  button->setMinimumSize(40, 24);
  Field& field = Add(name, label, button, kPalette);
  field.maker = std::move(make);
  field.held = initial;
  button->SetCustomDraw(true);
  button->SetOnDrawCharButton(
      [face = std::move(face), &field](QPainter& painter, const QRect& area) { face(painter, area, field.held); });
  connect(button, &QAbstractButton::clicked, this, [this, &field] { ChoosePalette(field); });
  return button;
}

void FormFields::ChoosePalette(Field& field) {
  ChoicePalette* palette = field.maker ? field.maker() : nullptr;
  if (!palette) return;
  palette->PlaceUnder(field.control, PalettePlacement::DialogButton);
  palette->SetCurrent(field.held);
  const QPointer<FormFields> alive(this);
  palette->SetOnSelect([this, alive, name = field.name](ChoicePalette&, int value) {
    if (!alive) return;
    SetValue(name, value);
    UserChanged();
  });
  palette->Open();
}

QWidget* FormFields::AddTrackBar(const QString& name, const QString& label, int min, int max, int initial,
                                 std::function<QString(int)> toText) {
  auto* row = new QWidget(area_);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* slider = new QSlider(Qt::Horizontal, row);
  slider->setRange(min, max);
  auto* value = new QLabel(row);
  value->setObjectName(name + QStringLiteral("Value"));
  value->setMinimumWidth(32);
  layout->addWidget(slider, 1);
  layout->addWidget(value);
  Field& field = Add(name, label, row, kTrackBar);
  slider->setObjectName(name + QStringLiteral("Bar"));
  field.valueLabel = value;
  field.toText = std::move(toText);
  Write(field, initial);
  connect(slider, &QSlider::valueChanged, this, [this, &field](int position) {
    field.valueLabel->setText(field.toText ? field.toText(position) : QString::number(position));
    UserChanged();
  });
  return row;
}

QWidget* FormFields::AddText(const QString& name, const QString& label, const QString& initial,
                             std::function<bool(const QString&)> accepts) {
  auto* edit = new QLineEdit(initial, area_);
  Field& field = Add(name, label, edit, kText);
  field.accepts = std::move(accepts);
  connect(edit, &QLineEdit::textEdited, this, &FormFields::UserChanged);
  return edit;
}

void FormFields::SetEnabledRule(const QString& name, FieldRule rule) {
  Get(name).enabled = std::move(rule);
  ApplyRules();
}

void FormFields::SetVisibleRule(const QString& name, FieldRule rule) {
  Get(name).visible = std::move(rule);
  ApplyRules();
}

FormFields::Field* FormFields::Find(const QString& name) const {
  for (const auto& field : fields_)
    if (field->name == name) return field.get();
  return nullptr;
}

FormFields::Field& FormFields::Get(const QString& name) const {
  Field* field = Find(name);
  if (!field) throw std::invalid_argument("The form has no field " + name.toStdString());
  return *field;
}

QWidget* FormFields::Control(const QString& name) const { return Get(name).control; }
QLabel* FormFields::Label(const QString& name) const { return Get(name).label; }

FieldValue FormFields::Read(const Field& field) const {
  switch (field.kind) {
    case kSpin: return static_cast<QSpinBox*>(field.control)->value();
    case kCheck: return static_cast<QCheckBox*>(field.control)->isChecked();
    case kRadio:
    case kGlyphGroup: {
      int down = -1;
      for (std::size_t i = 0; i < field.buttons.size(); ++i) {
        const auto* glyph = qobject_cast<const nv::widgets::TECCharButton*>(field.buttons[i]);
        if (glyph ? glyph->Down() : field.buttons[i]->isChecked()) down = static_cast<int>(i);
      }
      return GroupValue(field.values, down, field.none);
    }
    case kCombo: return static_cast<QComboBox*>(field.control)->currentIndex();
    case kConvertedCombo:
    case kInstrument:
    case kPalette: return field.held;
    case kTrackBar: return field.control->findChild<QSlider*>()->value();
    case kText: return static_cast<QLineEdit*>(field.control)->text().toStdString();
  }
  return 0;
}

void FormFields::Write(Field& field, const FieldValue& value) {
  const int* number = std::get_if<int>(&value);
  const bool* tick = std::get_if<bool>(&value);
  const std::string* text = std::get_if<std::string>(&value);
  const bool fits = field.kind == kCheck ? tick != nullptr : field.kind == kText ? text != nullptr : number != nullptr;
  if (!fits) throw std::invalid_argument("The field " + field.name.toStdString() + " takes another kind of value");
  const QSignalBlocker blockArea(this);
  switch (field.kind) {
    case kSpin: {
      auto* spin = static_cast<QSpinBox*>(field.control);
      const QSignalBlocker blocker(spin);
      spin->setValue(KeptWithin(*number, spin->minimum(), spin->maximum()));
      break;
    }
    case kCheck: {
      auto* check = static_cast<QCheckBox*>(field.control);
      const QSignalBlocker blocker(check);
      check->setChecked(*tick);
      break;
    }
    case kRadio: {
      const int index = GroupIndexOf(field.values, *number);
      for (std::size_t i = 0; i < field.buttons.size(); ++i) {
        const QSignalBlocker blocker(field.buttons[i]);
        auto* radio = static_cast<QRadioButton*>(field.buttons[i]);
        // Unticking needs the exclusivity off, or the last ticked one stays.
        radio->setAutoExclusive(false);
        radio->setChecked(static_cast<int>(i) == index);
        radio->setAutoExclusive(true);
      }
      break;
    }
    case kGlyphGroup: {
      if (field.buttons.empty()) break;
      const int index = GroupIndexOf(field.values, *number);
      std::vector<QSignalBlocker> blockers;
      for (QAbstractButton* button : field.buttons) blockers.emplace_back(button);
      auto glyph = [&](std::size_t i) { return static_cast<nv::widgets::TECCharButton*>(field.buttons[i]); };
      // The group shares AllowAllUp, and setting it lets the others up: let
      // all up, press the value's button, then give the group its rule back.
      glyph(0)->SetAllowAllUp(true);
      for (std::size_t i = 0; i < field.buttons.size(); ++i) glyph(i)->SetDown(false);
      if (index >= 0) glyph(static_cast<std::size_t>(index))->SetDown(true);
      glyph(index >= 0 ? static_cast<std::size_t>(index) : 0)->SetAllowAllUp(field.allowAllUp);
      break;
    }
    case kCombo: {
      auto* combo = static_cast<QComboBox*>(field.control);
      const QSignalBlocker blocker(combo);
      combo->setCurrentIndex(*number >= 0 && *number < combo->count() ? *number : -1);
      break;
    }
    case kConvertedCombo: {
      auto* combo = static_cast<QComboBox*>(field.control);
      const QSignalBlocker blocker(combo);
      field.held = *number;
      const int index = combo->findData(*number);
      if (index >= 0) combo->setCurrentIndex(index);
      combo->setEditText(field.converter.toText(*number));
      break;
    }
    case kInstrument: {
      const QSignalBlocker blocker(field.edit);
      field.held = ProgramName(*number).isEmpty() ? -1 : *number;
      field.edit->setText(ProgramName(field.held));
      break;
    }
    case kPalette:
      field.held = *number;
      field.control->update();
      break;
    case kTrackBar: {
      auto* slider = field.control->findChild<QSlider*>();
      const QSignalBlocker blocker(slider);
      slider->setValue(KeptWithin(*number, slider->minimum(), slider->maximum()));
      field.valueLabel->setText(field.toText ? field.toText(slider->value()) : QString::number(slider->value()));
      break;
    }
    case kText: {
      auto* edit = static_cast<QLineEdit*>(field.control);
      const QSignalBlocker blocker(edit);
      edit->setText(QString::fromStdString(*text));
      break;
    }
  }
}

FormValues FormFields::Values() const {
  FormValues values;
  for (const auto& field : fields_) values.Set(field->name.toStdString(), Read(*field));
  return values;
}

void FormFields::SetValues(const FormValues& values) {
  for (const auto& [name, value] : values.All()) Write(Get(QString::fromStdString(name)), value);
  ApplyRules();
}

void FormFields::SetValue(const QString& name, const FieldValue& value) {
  Write(Get(name), value);
  ApplyRules();
}

FieldValue FormFields::Value(const QString& name) const { return Read(Get(name)); }

std::optional<QString> FormFields::RefusedLabel() const {
  for (const auto& field : fields_) {
    if (!field->control->isVisibleTo(area_) || !field->control->isEnabled()) continue;
    const QString label = (field->label ? field->label->text() : field->name).remove(QLatin1Char('&'));
    if (field->kind == kConvertedCombo &&
        !field->converter.toValue(static_cast<QComboBox*>(field->control)->currentText()))
      return label;
    if (field->kind == kText && field->accepts && !field->accepts(static_cast<QLineEdit*>(field->control)->text()))
      return label;
  }
  return std::nullopt;
}

void FormFields::UserChanged() {
  if (signalsBlocked()) return;
  ApplyRules();
  if (onChange_) onChange_();
}

void FormFields::ApplyRules() {
  const FormValues values = Values();
  for (const auto& field : fields_) {
    if (field->enabled) {
      const bool on = field->enabled(values);
      field->control->setEnabled(on);
      if (field->label) field->label->setEnabled(on);
    }
    if (field->visible) {
      const bool on = field->visible(values);
      field->control->setVisible(on);
      if (field->label) field->label->setVisible(on);
    }
  }
}

}  // namespace nv::dialogs
