#include "dialogs/score_object_dialogs.h"

#include <QComboBox>
#include <QLineEdit>

#include <cstdlib>
#include <string>

#include "dialogs/drawing_style_palettes.h"

namespace nv::dialogs {
namespace {

constexpr int kLowestBarRest = 2;
constexpr int kHighestBarRest = 20;
constexpr int kHighestPart = 20;
constexpr int kHighestBarNumber = 9999;

const QString kCount = QStringLiteral("UDCount");
const QString kNumber = QStringLiteral("UDNumber");
const QString kValue = QStringLiteral("CBValue");
const QString kFret = QStringLiteral("UDFret");
const QString kType = QStringLiteral("RGType");
const QString kAmount = QStringLiteral("RGAmount");
const QString kBrackets = QStringLiteral("CBBrackets");
const QString kLineStyle = QStringLiteral("CBLineStyle");

DialogSpec SpecOf(const char* form, QSize size, const char* section, BoundsMode bounds = BoundsMode::Position) {
  return {QString::fromLatin1(form), size, section, bounds, {}, 0};
}

}  // namespace

TFDCPauseCount::TFDCPauseCount(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog(SpecOf("FDCPauseCount", {200, 100}, "PauseCountForm", BoundsMode::PositionSize), settings, parent) {
  setWindowTitle(QStringLiteral("Properties"));
  Fields().AddSpin(kCount, QStringLiteral("Bar count"), kLowestBarRest, kHighestBarRest, kLowestBarRest);
  Translate();
}

void TFDCPauseCount::SetCount(int count) { Fields().SetValue(kCount, count); }
int TFDCPauseCount::Count() const { return Values().Int(kCount.toStdString()); }

TFDCPartNumber::TFDCPartNumber(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog(SpecOf("FDCPartNumber", {260, 120}, "PartNumberForm", BoundsMode::PositionSize), settings, parent) {
  setWindowTitle(QStringLiteral("Part of composition properties"));
  Fields().AddSpin(kNumber, QStringLiteral("Number"), 1, kHighestPart, 1);
  Fields().AddSpin(kCount, QStringLiteral("Count of measures"), 1, kHighestPart, 1);
  Translate();
}

void TFDCPartNumber::SetNumber(int number) { Fields().SetValue(kNumber, number); }
int TFDCPartNumber::Number() const { return Values().Int(kNumber.toStdString()); }
void TFDCPartNumber::SetCount(int count) { Fields().SetValue(kCount, count); }
int TFDCPartNumber::Count() const { return Values().Int(kCount.toStdString()); }

TFBarNumber::TFBarNumber(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog(SpecOf("FBarNumber", {200, 100}, "BarNumberForm"), settings, parent) {
  setWindowTitle(QStringLiteral("Properties"));
  Fields().AddSpin(kNumber, QStringLiteral("Start number"), 1, kHighestBarNumber, 1);
  Translate();
}

void TFBarNumber::SetStart(int start) { Fields().SetValue(kNumber, start); }
int TFBarNumber::Start() const { return Values().Int(kNumber.toStdString()); }

TFRehearsalMarkCount::TFRehearsalMarkCount(RehearsalMarkKind kind, nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog(SpecOf("FRehearsalMarkCount", {200, 100}, "RehearsalMarkCountForm"), settings, parent), value_(kind) {
  setWindowTitle(QStringLiteral("Properties"));
  std::vector<int> values;
  for (int i = 0; i < static_cast<int>(value_.Items().size()); ++i) values.push_back(i);
  ValueTextConverter converter{
      [kind](int value) {
        RehearsalMarkValue shown(kind);
        shown.SetValue(value);
        return QString::fromStdString(shown.Text());
      },
      [this](const QString& text) -> std::optional<int> {
        RehearsalMarkValue read(value_.Kind());
        read.SetValue(value_.Value());
        read.TextChanged(text.toStdString());
        return read.Value();
      }};
  Fields().AddCombo(kValue, QStringLiteral("Current number"), values, std::move(converter), 0);
  auto* combo = static_cast<QComboBox*>(Fields().Control(kValue));
  combo->lineEdit()->setMaxLength(value_.MaxLength());
  connect(combo->lineEdit(), &QLineEdit::textEdited, this, &TFRehearsalMarkCount::Typed);
  connect(combo, &QComboBox::activated, this,
          [this, combo](int index) { value_.SetValue(combo->itemData(index).toInt()); });
  Translate();
}

void TFRehearsalMarkCount::SetValue(int value) {
  value_.SetValue(value);
  Fields().SetValue(kValue, value_.Value());
}

QString TFRehearsalMarkCount::Text() const {
  return static_cast<QComboBox*>(Fields().Control(kValue))->currentText();
}

void TFRehearsalMarkCount::Typed(const QString& text) {
  const QString shown = QString::fromStdString(value_.TextChanged(text.toStdString()));
  auto* edit = static_cast<QComboBox*>(Fields().Control(kValue))->lineEdit();
  if (edit->text() != shown) edit->setText(shown);
}

TFBarreProperties::TFBarreProperties(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog(SpecOf("FBarreProperties", {300, 260}, "BarrePropertiesForm"), settings, parent) {
  setWindowTitle(QStringLiteral("Properties"));
  FormFields& f = Fields();
  f.AddSpin(kFret, QStringLiteral("Fret"), kLowestFret, kHighestFret, 1);
  f.AddRadio(kType, QStringLiteral(" Type "),
             {QStringLiteral("1/2 II"), QStringLiteral("1/2 BII"), QStringLiteral("1/2 CII")}, 1);
  f.AddRadio(kAmount, QStringLiteral(" Amount "),
             {QStringLiteral("All"), QStringLiteral("1/6"), QStringLiteral("1/3"), QStringLiteral("1/2"),
              QStringLiteral("2/3"), QStringLiteral("5/6")},
             3, 3);
  f.SetColumns(2);
  f.AddCheck(kBrackets, QStringLiteral("Brackets"), false);
  f.AddPaletteButton(kLineStyle, {}, [] { return new LineStylePalette; }, PaintLineStyleFace, 0);
  f.Control(kLineStyle)->setToolTip(QStringLiteral("Line style"));
  Translate();
  // Written back after OK and Cancel alike; read now over the defaults.
  FormFields* fields = &f;
  SetSettingsKeys({{"Fret", "1",
                    [fields](const std::string& stored) {
                      fields->SetValue(kFret, KeptFret(std::atoi(stored.c_str())));
                    },
                    [fields] { return std::to_string(std::get<int>(fields->Value(kFret))); }},
                   {"Style", std::to_string(kDefaultBarreStyle),
                    [fields](const std::string& stored) {
                      const BarreStyle style = UnpackBarreStyle(std::atoi(stored.c_str()) & 0xFF);
                      fields->SetValues({{kType.toStdString(), style.Type},
                                         {kAmount.toStdString(), style.Amount},
                                         {kBrackets.toStdString(), style.Brackets}});
                    },
                    [fields] {
                      const BarreStyle style{std::get<int>(fields->Value(kType)), std::get<int>(fields->Value(kAmount)),
                                             std::get<bool>(fields->Value(kBrackets))};
                      return std::to_string(PackBarreStyle(style));
                    }}});
}

void TFBarreProperties::SetBarreStyle(int style) {
  const BarreStyle unpacked = UnpackBarreStyle(style & 0xFF);
  SetValues({{kType.toStdString(), unpacked.Type},
             {kAmount.toStdString(), unpacked.Amount},
             {kBrackets.toStdString(), unpacked.Brackets}});
}

int TFBarreProperties::GetBarreStyle() const {
  const FormValues values = Values();
  return PackBarreStyle({values.Int(kType.toStdString()), values.Int(kAmount.toStdString()),
                         values.Bool(kBrackets.toStdString())});
}

void TFBarreProperties::SetFret(int fret) { Fields().SetValue(kFret, KeptFret(fret)); }
int TFBarreProperties::GetFret() const { return Values().Int(kFret.toStdString()); }
void TFBarreProperties::SetLineStyle(int style) { Fields().SetValue(kLineStyle, style); }
int TFBarreProperties::GetLineStyle() const { return Values().Int(kLineStyle.toStdString()); }

}  // namespace nv::dialogs
