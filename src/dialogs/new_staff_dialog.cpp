#include "dialogs/new_staff_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "dialogs/canvas_face.h"
#include "dialogs/key_signature_face.h"
#include "dialogs/logic/clef_glyph_painter.h"
#include "dialogs/logic/staff_names.h"
#include "dialogs/logic/time_signature_rule.h"
#include "dialogs/time_signature_fields.h"
#include "dialogs/notation_palettes.h"
#include "document/score_document.h"
#include "platform/ini_file.h"
#include "widgets/score_control.h"

namespace nv::dialogs {
namespace {

namespace ts = time_signature;
using nv::document::NewStaffRow;
using nv::document::NewStaffSetup;

const std::string kInstrument = "EInstrument";
const std::string kPartiture = "CBPartiture";
const std::string kNumerator = "CBNumerator";
const std::string kDenominator = "CBDenumerator";
const std::string kSymbol = "GBSymbol";
const std::string kTempo = "UDTempo";
const std::string kUpbeatNotes = "UDAufTaktNotes";
const std::string kUpbeatSize = "CBAuftaktSize";
const std::string kClef = "CBKey";
const std::string kTone = "CBTone";
const std::string kVoices = "UDLineCount";
const std::string kRowCount = "UDRowCount";
const std::string kActiveRow = "RGRows";

QString Q(const std::string& name) { return QString::fromStdString(name); }

bool Contains(const std::vector<int>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

std::vector<std::string> Lines(const QPlainTextEdit& memo) {
  std::vector<std::string> lines;
  const QString text = memo.toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  return lines;
}

void PaintClef(QPainter& painter, const QRect& area, int code) {
  PaintCanvasFace(painter, area, [code](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
    PaintClefGlyph(canvas, box, ClefIndexOf(code));
  });
}

}  // namespace

TFDCNewInstrument::TFDCNewInstrument(const PropertyDialogServices& services)
    : FormDialog({QStringLiteral("FDCNewInstrument"), {520, 460}, nv::document::kNewStaffSection,
                  BoundsMode::Position, QStringLiteral("NewInstrument"), 0},
                 services.Settings, services.Parent),
      settings_(services.Settings),
      preview_(std::make_unique<nv::document::ScoreDocument>()) {
  setWindowTitle(QStringLiteral("Musical staff properties"));
  nv::document::PrepareNewStaffPreview(preview_->Score());

  // The title panel above the fields, the preview on the right.
  auto* titles = new QWidget(this);
  auto* titleLayout = new QVBoxLayout(titles);
  titleLayout->setContentsMargins(0, 0, 0, 0);
  title_ = new QPlainTextEdit(titles);
  title_->setObjectName(QStringLiteral("MTitle"));
  author_ = new QPlainTextEdit(titles);
  author_->setObjectName(QStringLiteral("MAuthor"));
  for (auto [label, memo] : {std::pair{"Title", title_}, std::pair{"Author", author_}}) {
    memo->setFixedHeight(44);
    titleLayout->addWidget(new QLabel(QString::fromLatin1(label), titles));
    titleLayout->addWidget(memo);
  }
  previewControl_ = new nv::widgets::ScoreControl(*preview_, this);
  previewControl_->setObjectName(QStringLiteral("MSSimple"));
  previewControl_->setEnabled(false);
  previewControl_->setFixedWidth(200);

  FormFields& f = Fields();
  f.AddInstrument(Q(kInstrument), QStringLiteral("Instrument"),
                  [services](int current) { return services.Choose(current, true); }, 0);
  instrumentEdit_ = findChild<QLineEdit*>(Q(kInstrument) + QStringLiteral("Edit"));
  f.AddCheck(Q(kPartiture), QStringLiteral("As music score"), false);
  AddTimeSignatureFields(f, false);
  f.SetColumns(1);
  f.AddSpin(Q(kTempo), QStringLiteral("Tempo"), 1, 512, 60);
  f.AddSpin(Q(kUpbeatNotes), QStringLiteral("Upbeat: notes count"), 0, 12, 0);
  f.AddCombo(Q(kUpbeatSize), QStringLiteral("Size"), std::vector<int>{2, 4, 8, 16}, NumberList({2, 4, 8, 16}), 4);
  f.AddPaletteButton(Q(kClef), QStringLiteral("Clefs"), [] { return new ClefPalette; },
                     [](QPainter& painter, const QRect& area, int index) { PaintClef(painter, area, ClefCodeOf(index)); },
                     0);
  f.AddPaletteButton(Q(kTone), QStringLiteral("Tones"), [] { return new KeySignaturePalette; },
                     [](QPainter& painter, const QRect& area, int index) {
                       PaintKeySignatureFace(painter, area, index);
                     },
                     0);
  f.AddSpin(Q(kVoices), QStringLiteral("Voice count"), 1, 3, 1);
  f.AddSpin(Q(kRowCount), QStringLiteral("Row count"), 1, NewStaffSetup::kMaxRows, 1);
  f.AddRadio(Q(kActiveRow), {},
             {QStringLiteral("First row"), QStringLiteral("Second row"), QStringLiteral("Third row"),
              QStringLiteral("Fourth row")},
             0, 2);
  for (const std::string& top : {kNumerator, kDenominator, kSymbol, kTempo, kUpbeatNotes, kUpbeatSize})
    f.SetVisibleRule(Q(top), [this](const FormValues&) { return topVisible_; });
  for (const std::string& name : {kClef, kTone})
    if (QWidget* button = f.Control(Q(name))) button->setMinimumSize(64, 56);

  // Fields on the left, under the titles; the preview on the right. The
  // frame placed the field area and the buttons in its own layout.
  if (auto* frame = qobject_cast<QBoxLayout*>(layout())) {
    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(titles);
    frame->removeWidget(f.Area());
    left->addWidget(f.Area());
    body->addLayout(left, 1);
    body->addWidget(previewControl_);
    frame->insertLayout(0, body, 1);
  }

  Load(settings_ != nullptr ? nv::document::ReadNewStaffSetup(*settings_) : NewStaffSetup{});
  f.SetOnChange([this] { Changed(); });
  connect(instrumentEdit_, &QLineEdit::textEdited, this, [this] { Rebuild(); });
  Translate();
}

TFDCNewInstrument::~TFDCNewInstrument() {
  StoreSettings(settings_);
  // The preview's control goes before the document it shows.
  delete previewControl_;
}

void TFDCNewInstrument::StoreSettings(nv::platform::IniFile* settings) const {
  if (settings == nullptr) return;
  NewStaffSetup stored = setup_;
  // The button that is down, whatever the pair allows.
  stored.SizeStyle = symbolDown_;
  nv::document::WriteNewStaffSetup(*settings, stored);
}

void TFDCNewInstrument::SetTitlePanelVisible(bool visible) {
  topVisible_ = visible;
  SetValues({});
}

void TFDCNewInstrument::Load(const NewStaffSetup& stored) {
  setup_ = stored;
  // A stored signature the lists do not hold falls back to their 4/4: the
  // denominator is taken only with a numerator the list has.
  int numerator = 4;
  int denominator = 4;
  if (Contains(ts::Numerators(false), stored.Numerator)) {
    numerator = stored.Numerator;
    if (Contains(ts::Denominators(), stored.Denominator)) denominator = stored.Denominator;
  }
  symbolDown_ = stored.SizeStyle;
  setup_.Numerator = numerator;
  setup_.Denominator = denominator;
  setup_.ActiveRow = 0;
  SetValues({{kInstrument, setup_.Timbre},
             {kPartiture, setup_.Partiture},
             {kNumerator, numerator},
             {kDenominator, denominator},
             {kSymbol, symbolDown_},
             {kTempo, setup_.Tempo},
             {kUpbeatNotes, setup_.AufTaktNotes},
             {kUpbeatSize, setup_.AufTaktSize},
             {kRowCount, static_cast<int>(setup_.Rows.size())}});
  ShowRow();
  Rebuild();
}

void TFDCNewInstrument::ShowRow() {
  const NewStaffRow& row = setup_.Rows[static_cast<std::size_t>(setup_.ActiveRow)];
  SetValues({{kActiveRow, setup_.ActiveRow},
             {kVoices, row.Voices + 1},
             {kClef, ClefIndexOf(row.Clef)},
             {kTone, KeyIndexOf(row.Tone)}});
  FormFields& f = Fields();
  for (int i = 1; i < NewStaffSetup::kMaxRows; ++i)
    if (QWidget* radio = f.Area()->findChild<QWidget*>(Q(kActiveRow) + QString::number(i)))
      radio->setVisible(i < static_cast<int>(setup_.Rows.size()));
  f.Control(Q(kClef))->setToolTip(QString::fromStdString(ClefCodeName(row.Clef)));
  f.Control(Q(kTone))->setToolTip(QString::fromStdString(KeyName(row.Tone)));
  f.Control(Q(kClef))->update();
  f.Control(Q(kTone))->update();
}

void TFDCNewInstrument::Changed() {
  const FormValues v = Values();
  // A chosen program shows its name in the edit, which names the staff.
  if (v.Int(kInstrument) >= 0) setup_.Timbre = v.Int(kInstrument);
  setup_.Partiture = v.Bool(kPartiture);
  setup_.Numerator = v.Int(kNumerator);
  setup_.Denominator = v.Int(kDenominator);
  symbolDown_ = v.Int(kSymbol);
  setup_.Tempo = v.Int(kTempo);
  setup_.AufTaktNotes = v.Int(kUpbeatNotes);
  setup_.AufTaktSize = v.Int(kUpbeatSize);

  // Rows: the count adds rows (with the first row's key, as the model adds
  // them) or deletes the last ones; the active row stays within them.
  const int count = v.Int(kRowCount);
  while (static_cast<int>(setup_.Rows.size()) < count) setup_.Rows.push_back({0, 0, setup_.Rows.front().Tone});
  if (static_cast<int>(setup_.Rows.size()) > count) setup_.Rows.resize(static_cast<std::size_t>(count));
  const int picked = v.Int(kActiveRow);
  const bool rowChanged = picked != setup_.ActiveRow;
  if (setup_.ActiveRow >= count) {
    setup_.ActiveRow = count - 1;
  } else if (rowChanged && picked >= 0 && picked < count) {
    setup_.ActiveRow = picked;
  } else {
    NewStaffRow& row = setup_.Rows[static_cast<std::size_t>(setup_.ActiveRow)];
    row.Voices = v.Int(kVoices) - 1;
    row.Clef = ClefCodeOf(v.Int(kClef));
    row.Tone = ToneOf(v.Int(kTone));
  }
  ShowRow();
  Rebuild();
}

void TFDCNewInstrument::Rebuild() {
  // The symbol buttons the pair allows; the symbol is that of the button
  // down only where it is allowed.
  EnableSymbolButtons(Fields(), setup_.Numerator, setup_.Denominator);
  setup_.SizeStyle = ts::SymbolFor(setup_.Numerator, setup_.Denominator, symbolDown_ == 1, symbolDown_ == 2);
  setup_.Name = instrumentEdit_->text().toStdString();
  nv::document::BuildNewStaffScore(setup_, preview_->Score());
  previewControl_->update();
}

NewStaffSetup TFDCNewInstrument::Setup() const {
  // The staff-wide values as the fields hold them, the rows as kept.
  NewStaffSetup setup = setup_;
  const FormValues v = Values();
  if (v.Int(kInstrument) >= 0) setup.Timbre = v.Int(kInstrument);
  setup.Partiture = v.Bool(kPartiture);
  setup.Numerator = v.Int(kNumerator);
  setup.Denominator = v.Int(kDenominator);
  const int down = v.Int(kSymbol);
  setup.SizeStyle = ts::SymbolFor(setup.Numerator, setup.Denominator, down == 1, down == 2);
  setup.Tempo = v.Int(kTempo);
  setup.AufTaktNotes = v.Int(kUpbeatNotes);
  setup.AufTaktSize = v.Int(kUpbeatSize);
  setup.Name = instrumentEdit_->text().toStdString();
  setup.Title = Lines(*title_);
  setup.Author = Lines(*author_);
  return setup;
}

std::optional<NewStaffSetup> AskNewStaff(const PropertyDialogServices& services, bool withTopPanel) {
  TFDCNewInstrument dialog(services);
  dialog.SetTitlePanelVisible(withTopPanel);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Setup();
}

}  // namespace nv::dialogs
