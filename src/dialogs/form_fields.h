#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/choice_palette.h"
#include "dialogs/logic/form_values.h"

class QGridLayout;
class QLabel;
class QWidget;

namespace nv::dialogs {

// A rule over the form's values: whether a field is enabled, or visible.
using FieldRule = std::function<bool(const FormValues& values)>;

// A combo's texts for values and back; toValue gives nothing for a text
// that is no value, which the form refuses with the field's label.
struct ValueTextConverter {
  std::function<QString(int value)> toText;
  std::function<std::optional<int>(const QString& text)> toValue;
};

// One button of a glyph-button group: its value, component name, hint and
// face (a character of the group's font, or a painter given the value).
struct GlyphButton {
  int value = 0;
  QString name;
  QString hint;
  QString caption;  // a label under the button, when given
  std::uint8_t glyph = 0;
  QPoint glyphAt;
  std::function<void(QPainter& painter, const QRect& area, int value)> paint;
};

struct GlyphGroup {
  QFont font;
  std::vector<GlyphButton> buttons;
  QSize buttonSize{32, 32};
  // Whether a click on the button that is down lets it up (and the group
  // then gives `none`).
  bool allowAllUp = false;
  int none = 0;
};

// The fields of a form, laid out one a row (a label on the left where the
// field has one) on a grid on `host`, read and set by component name. After
// every change the enable and visible rules run again; setting values runs
// with the controls' signals blocked, so it reports nothing. The change
// handler is told of each change the user makes (the palettes that are also
// dialogs report every change).
class FormFields : public QObject {
  Q_OBJECT
 public:
  // The fields stand on Area(), a child of `host` that the host places.
  explicit FormFields(QWidget* host);
  ~FormFields() override;
  QWidget* Area() const { return area_; }
  // The fields added from now on stand `columns` a row (1 by default).
  void SetColumns(int columns);

  // A read-only edit with an up-down between min and max.
  QWidget* AddSpin(const QString& name, const QString& label, int min, int max, int initial);
  QWidget* AddCheck(const QString& name, const QString& caption, bool initial);
  // A group of radio buttons in `columns` columns; the value is the item's
  // index (-1 none).
  QWidget* AddRadio(const QString& name, const QString& caption, const QStringList& items, int initial,
                    int columns = 1);
  // A drop-down list; the value is the item's index.
  QWidget* AddCombo(const QString& name, const QString& label, const QStringList& items, int initial);
  // An editable drop-down of the values' texts; the value is the converted text.
  QWidget* AddCombo(const QString& name, const QString& label, const std::vector<int>& values,
                    ValueTextConverter converter, int initial);
  QWidget* AddGlyphGroup(const QString& name, const QString& label, GlyphGroup group, int initial);
  // The General MIDI name of a program (-1 none, an empty edit) and a button
  // that asks `choose` for another; emptying the edit gives -1.
  using InstrumentChooser = std::function<std::optional<int>(int current)>;
  QWidget* AddInstrument(const QString& name, const QString& label, InstrumentChooser choose, int initial);
  // A button that shows its value with `face` and opens the palette `make`
  // gives under itself, pre-set to the value; the palette's choice becomes it.
  using PaletteMaker = std::function<ChoicePalette*()>;
  using ValueFace = std::function<void(QPainter& painter, const QRect& area, int value)>;
  QWidget* AddPaletteButton(const QString& name, const QString& label, PaletteMaker make, ValueFace face, int initial);
  // A track bar with its value beside it (through `toText` when given).
  QWidget* AddTrackBar(const QString& name, const QString& label, int min, int max, int initial,
                       std::function<QString(int)> toText = {});
  // A one-line text; `accepts` (when given) refuses a text with the label.
  QWidget* AddText(const QString& name, const QString& label, const QString& initial,
                   std::function<bool(const QString&)> accepts = {});

  void SetEnabledRule(const QString& name, FieldRule rule);
  void SetVisibleRule(const QString& name, FieldRule rule);

  FormValues Values() const;
  // Sets the fields the values name (a number kept within its field's
  // bounds), reporting nothing, then runs the rules.
  void SetValues(const FormValues& values);
  void SetValue(const QString& name, const FieldValue& value);
  FieldValue Value(const QString& name) const;

  // The label of the first field whose input is no value, or nothing.
  std::optional<QString> RefusedLabel() const;

  // The control of a field, and the label beside it (null without one).
  QWidget* Control(const QString& name) const;
  QLabel* Label(const QString& name) const;

  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  struct Field;
  Field& Add(const QString& name, const QString& label, QWidget* control, int kind, bool spans = false);
  Field* Find(const QString& name) const;
  Field& Get(const QString& name) const;
  FieldValue Read(const Field& field) const;
  void Write(Field& field, const FieldValue& value);
  void UserChanged();
  void ApplyRules();
  void ChoosePalette(Field& field);

  QWidget* area_;
  QGridLayout* grid_;
  std::vector<std::unique_ptr<Field>> fields_;
  std::function<void()> onChange_;
  int columns_ = 1;
  int row_ = 0;  // where the next field goes
  int column_ = 0;
};

}  // namespace nv::dialogs
