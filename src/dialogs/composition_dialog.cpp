#include "dialogs/composition_dialog.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

#include "dialogs/logic/page_sample.h"
#include "dialogs/logic/time_signature_rule.h"
#include "dialogs/time_signature_fields.h"
#include "document/score_document.h"
#include "model/paper_sizes.h"
#include "widgets/page_control.h"

namespace nv::dialogs {
namespace {

namespace ts = time_signature;
using nv::document::CompositionPage;
using nv::document::CompositionProps;
using nv::document::PageFault;

const std::string kNumerator = "CBNumerator";
const std::string kDenominator = "CBDenumerator";
const std::string kSymbol = "GBSymbol";
const std::string kTempo = "UDTempo";
const std::string kScale = "TBScale";
const std::string kUnion = "RGUnion";
const std::string kUnionCount = "UDUnionCount";
const std::string kUpbeatNotes = "UDAufTaktNotes";
const std::string kUpbeatSize = "CBAuftaktSize";
const std::string kHorzAlign = "CBHorzAlign";
const std::string kVertAlign = "CBVertAlign";
const std::string kStartNumber = "UDStartNumber";
const std::string kNumbering = "RGNumeration";
const std::string kSpacing = "RGNoteInterval";
const std::string kDensity = "CBDensity";
const std::string kMeasureCount = "UDMeasureCount";
const std::string kMetric = "RGMetric";
const std::string kPaperSize = "CBPaperSize";
const std::string kOrientation = "RGOrientation";
const std::string kPrintEmpty = "CBPrintEmpty";
const std::string kPrintNumber = "CBPrintNumber";
const std::string kPrintLines = "CBPrintLines";

constexpr int kCustomPaper = static_cast<int>(TECPaperSize::Custom);
constexpr int kSheetCount = 5;
constexpr int kUnionByTime = 2;
constexpr int kUnionCustom = 3;
constexpr QSize kSampleGroup{140, 110};

QString Q(const std::string& name) { return QString::fromStdString(name); }

// The joining choice of a union count, and back.
int UnionChoice(int count) {
  switch (count) {
    case -1: return kUnionByTime;
    case 0: return 0;
    case 1: return 1;
    default: return kUnionCustom;
  }
}

int UnionCount(int choice, int count) {
  switch (choice) {
    case 0: return 0;
    case 1: return 1;
    case kUnionByTime: return -1;
    default: return count;
  }
}

nv::widgets::TECTabSheet* Sheet(nv::widgets::TECPageControl* pages, const char* name, const char* caption) {
  auto* sheet = new nv::widgets::TECTabSheet(pages);
  sheet->setObjectName(QString::fromLatin1(name));
  sheet->SetCaption(QString::fromLatin1(caption));
  // Wide enough for the caption in the tab's bold font.
  QFont bold = sheet->TabFont();
  bold.setBold(true);
  sheet->SetTabWidth(QFontMetrics(bold).horizontalAdvance(sheet->Caption()) + 24);
  return sheet;
}

}  // namespace

// A page length: its edit, shown in the unit, and its up-down.
struct TFDCCompositionProperties::Length {
  QString which;
  int index = 0;
  QLineEdit* edit = nullptr;
  QSpinBox* upDown = nullptr;
};

// The page sample: the paper and its printable area.
class PageSampleView : public QWidget {
 public:
  explicit PageSampleView(TFDCCompositionProperties& dialog, QWidget* parent) : QWidget(parent), dialog_(dialog) {
    setFixedSize(kSampleGroup);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(dialog_.SamplePaper().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::blue);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(dialog_.SampleMargin().adjusted(0, 0, -1, -1));
  }

 private:
  TFDCCompositionProperties& dialog_;
};

TFDCCompositionProperties::TFDCCompositionProperties(const DrumMapServices& services, double pixelsPerInch)
    : DialogFrame({QStringLiteral("FDCCompositionProperties"), {560, 540}, "CompositionPropertiesForm",
                   BoundsMode::Position, QStringLiteral("CompositionProp"), 0},
                  services.Settings, services.Parent),
      pixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch
                                       : (QGuiApplication::primaryScreen() != nullptr
                                              ? QGuiApplication::primaryScreen()->logicalDotsPerInch()
                                              : 96.0)) {
  setWindowTitle(QStringLiteral("Composition properties"));
  pages_ = new nv::widgets::TECPageControl(this);
  pages_->setObjectName(QStringLiteral("PCProperties"));
  // One sheet at a time, its tabs along the bottom.
  nv::widgets::TECPageSetting single = pages_->PageSetting();
  single.doubleSheet = false;
  single.orientation = nv::widgets::PageOrientation::Top;
  pages_->SetPageSetting(single);
  pages_->SetSpiralVisible(false);

  // General.
  auto* general = Sheet(pages_, "TSGeneral", "General");
  general_ = new FormFields(general);
  FormFields& g = *general_;
  g.SetColumns(2);
  AddTimeSignatureFields(g, true);
  g.AddSpin(Q(kTempo), QStringLiteral("Tempo"), 1, 512, 60);
  g.AddTrackBar(Q(kScale), QStringLiteral("Scale "), 80, 160, 100, [](int v) { return QStringLiteral("%1%").arg(v); });
  g.AddSpin(Q(kStartNumber), QStringLiteral("Start number"), 1, 100000, 1);
  g.AddRadio(Q(kUnion), QStringLiteral(" Join notes "),
             {QStringLiteral("None"), QStringLiteral("Full bar"), QStringLiteral("By Time Signature"),
              QStringLiteral("Custom devision")},
             kUnionByTime);
  g.AddSpin(Q(kUnionCount), QStringLiteral("Count"), 2, 64, 2);
  g.AddSpin(Q(kUpbeatNotes), QStringLiteral("Upbeat: notes count"), 0, 12, 0);
  g.AddCombo(Q(kUpbeatSize), QStringLiteral("Size"), std::vector<int>{2, 4, 8, 16}, NumberList({2, 4, 8, 16}), 4);
  g.AddCheck(Q(kHorzAlign), QStringLiteral("Alignment takts by horizontal"), false);
  g.AddCheck(Q(kVertAlign), QStringLiteral("Alignment rows by vertical"), false);
  g.AddRadio(Q(kNumbering), QStringLiteral(" Bar numeration "),
             {QStringLiteral("On each bar"), QStringLiteral("On first bar of row"), QStringLiteral("On first row of page")},
             0);
  g.AddRadio(Q(kSpacing), QStringLiteral(" Note interval "),
             {QStringLiteral("Evenly"), QStringLiteral("Proportional"), QStringLiteral("Positional")}, 0);
  g.AddCheck(Q(kDensity), QStringLiteral("Note Density"), false);
  g.AddSpin(Q(kMeasureCount), QStringLiteral("Measure count"), 1, 1000, 1);
  g.SetEnabledRule(Q(kUnionCount), [](const FormValues& v) { return v.Int(kUnion) == kUnionCustom; });
  g.SetEnabledRule(Q(kDensity), [](const FormValues& v) { return v.Int(kSpacing) == 0; });
  g.SetEnabledRule(Q(kMeasureCount), [](const FormValues& v) { return v.Int(kSpacing) == 2; });
  g.SetOnChange([this] { SymbolRule(); });
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addWidget(g.Area());

  // Page.
  auto* pageSheet = Sheet(pages_, "TSPage", "Page");
  page_ = new FormFields(pageSheet);
  FormFields& p = *page_;
  p.AddRadio(Q(kMetric), QStringLiteral(" Metric "), {QStringLiteral("MM"), QStringLiteral("Inches"), QStringLiteral("Pixels")},
             0, 3);
  QStringList papers;
  for (int i = 0; i < kPaperSizeCount; ++i)
    papers << QString::fromLatin1(PaperSizeName(static_cast<TECPaperSize>(i)).data(),
                                  static_cast<qsizetype>(PaperSizeName(static_cast<TECPaperSize>(i)).size()));
  p.AddCombo(Q(kPaperSize), QStringLiteral("Paper size"), papers, kCustomPaper);
  p.AddRadio(Q(kOrientation), {}, {QStringLiteral("Portrait"), QStringLiteral("Landscape")}, 0, 2);
  p.SetOnChange([this] { PageChanged(); });
  auto* lengthsBox = new QWidget(pageSheet);
  auto* lengthsGrid = new QGridLayout(lengthsBox);
  lengthsGrid->setContentsMargins(0, 0, 0, 0);
  const std::array<std::pair<const char*, int>, 7> lengthNames = {
      {{"Width", TECScorePage::viWidth},
       {"Length", TECScorePage::viHeight},
       {"Left", TECScorePage::viLeftMargin},
       {"Top", TECScorePage::viTopMargin},
       {"Right", TECScorePage::viRightMargin},
       {"Bottom", TECScorePage::viBottomMargin},
       {"Interval", TECScorePage::viInterval}}};
  for (std::size_t i = 0; i < lengthNames.size(); ++i) {
    auto length = std::make_unique<Length>();
    length->which = QString::fromLatin1(lengthNames[i].first);
    length->index = lengthNames[i].second;
    length->edit = new QLineEdit(lengthsBox);
    length->edit->setObjectName(QStringLiteral("E") + length->which);
    length->upDown = new QSpinBox(lengthsBox);
    length->upDown->setObjectName(QStringLiteral("UD") + length->which);
    length->upDown->setRange(0, 10000);
    length->upDown->setFixedWidth(20);
    length->upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    const int row = static_cast<int>(i);
    lengthsGrid->addWidget(new QLabel(i == 6 ? QStringLiteral("Row interval") : length->which, lengthsBox), row, 0);
    lengthsGrid->addWidget(length->edit, row, 1);
    lengthsGrid->addWidget(length->upDown, row, 2);
    Length& held = *length;
    connect(held.edit, &QLineEdit::editingFinished, this, [this, &held] { LengthTyped(held); });
    connect(held.upDown, &QSpinBox::valueChanged, this, [this, &held](int position) { LengthStepped(held, position); });
    lengths_[i] = std::move(length);
  }
  sample_ = new PageSampleView(*this, pageSheet);
  sample_->setObjectName(QStringLiteral("GBSample"));
  auto* pageLayout = new QVBoxLayout(pageSheet);
  pageLayout->addWidget(p.Area());
  auto* pageRow = new QHBoxLayout;
  pageRow->addWidget(lengthsBox, 1);
  pageRow->addWidget(sample_, 0, Qt::AlignTop);
  pageLayout->addLayout(pageRow);
  pageLayout->addStretch(1);

  // Print settings.
  auto* printSheet = Sheet(pages_, "TSPrint", "Print settings");
  print_ = new FormFields(printSheet);
  print_->AddCheck(Q(kPrintEmpty), QStringLiteral("Print empty bars in the end of composition"), false);
  print_->AddCheck(Q(kPrintNumber), QStringLiteral("Print numbers of bars"), false);
  print_->AddCheck(Q(kPrintLines), QStringLiteral("Print empty lines in the end of composition"), false);
  print_->SetEnabledRule(Q(kPrintEmpty), [](const FormValues& v) { return v.Bool(kPrintLines); });
  auto* printLayout = new QVBoxLayout(printSheet);
  printLayout->addWidget(print_->Area());
  printLayout->addStretch(1);

  // Drum map.
  auto* drumSheet = Sheet(pages_, "TSDrumMap", "Drum Map");
  drums_ = new DrumMapGrid(drumSheet);
  drums_->setObjectName(QStringLiteral("SGDrumMap"));
  drums_->SetHeadPainter(HeadPainterOf(services));
  drums_->SetHeadChooser(DrumHeadChooser(services, this));
  auto* drumLayout = new QVBoxLayout(drumSheet);
  drumLayout->addWidget(drums_);

  // Signature.
  auto* signature = Sheet(pages_, "TSSignature", "Signature");
  author_ = new QLineEdit(signature);
  author_->setObjectName(QStringLiteral("EAuthor"));
  description_ = new QPlainTextEdit(signature);
  description_->setObjectName(QStringLiteral("MDescription"));
  copyright_ = new QLineEdit(signature);
  copyright_->setObjectName(QStringLiteral("ECopyright"));
  auto* signatureLayout = new QVBoxLayout(signature);
  signatureLayout->addWidget(new QLabel(QStringLiteral("Author"), signature));
  signatureLayout->addWidget(author_);
  signatureLayout->addWidget(new QLabel(QStringLiteral("Description"), signature));
  signatureLayout->addWidget(description_, 1);
  signatureLayout->addWidget(new QLabel(QStringLiteral("Copyright"), signature));
  signatureLayout->addWidget(copyright_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  buttons->addWidget(MakeHelpButton(this));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addLayout(buttons);

  pages_->SetActivePage(pages_->Pages(0));
  nv::widgets::TECPageControl* pages = pages_;
  SetSettingsKeys({{"PageIndex", "0",
                    [pages](const std::string& value) {
                      // Only a sheet that exists: a damaged value shows the first.
                      const int index = nv::platform::ParseIniInteger(value).value_or(0);
                      if (index >= 0 && index < kSheetCount) pages->SetActivePage(pages->Pages(index));
                    },
                    [pages] { return std::to_string(pages->IndexOf(pages->ActivePage())); }}});
  Translate();
}

TFDCCompositionProperties::~TFDCCompositionProperties() = default;

TFDCCompositionProperties::Length* TFDCCompositionProperties::Find(const QString& which) const {
  for (const auto& length : lengths_)
    if (length->which == which) return length.get();
  return nullptr;
}

QLineEdit* TFDCCompositionProperties::LengthEdit(const QString& which) const {
  Length* length = Find(which);
  return length != nullptr ? length->edit : nullptr;
}

QSpinBox* TFDCCompositionProperties::LengthUpDown(const QString& which) const {
  Length* length = Find(which);
  return length != nullptr ? length->upDown : nullptr;
}

double& TFDCCompositionProperties::PageValue(int index) {
  CompositionPage& page = props_.Page;
  switch (index) {
    case TECScorePage::viWidth: return page.Width;
    case TECScorePage::viHeight: return page.Length;
    case TECScorePage::viLeftMargin: return page.Left;
    case TECScorePage::viTopMargin: return page.Top;
    case TECScorePage::viRightMargin: return page.Right;
    case TECScorePage::viBottomMargin: return page.Bottom;
    default: return page.Interval;
  }
}

namespace {

PageSample SampleOf(const CompositionPage& page) {
  return PageSampleOf({page.Width, page.Length, page.Left, page.Top, page.Right, page.Bottom}, page.Landscape,
                      kSampleGroup.width(), kSampleGroup.height());
}

QRect ToQRect(const SampleRect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

QRect TFDCCompositionProperties::SamplePaper() const { return ToQRect(SampleOf(props_.Page).paper); }
QRect TFDCCompositionProperties::SampleMargin() const { return ToQRect(SampleOf(props_.Page).margin); }

void TFDCCompositionProperties::ShowLengths() {
  updating_ = true;
  const bool custom = props_.Page.PaperSize == kCustomPaper;
  for (const auto& length : lengths_) {
    const double mm = PageValue(length->index);
    length->edit->setText(QString::fromStdString(FormatLength(mm, unit_, pixelsPerInch_)));
    const double shown = ToUnit(mm, unit_, pixelsPerInch_);
    // The whole part: a click then moves the value by one and keeps its fraction.
    length->upDown->setValue(std::isfinite(shown) ? static_cast<int>(std::clamp(shown, 0.0, 10000.0)) : 0);
    const bool side = length->index == TECScorePage::viWidth || length->index == TECScorePage::viHeight;
    length->edit->setEnabled(!side || custom);
    length->upDown->setEnabled(!side || custom);
    // Digits and, but for pixels, the decimal separator.
    const QString pattern = unit_ == LengthUnit::Pixels ? QStringLiteral("[0-9 ]*p?") : QStringLiteral("[0-9 .,]*(mm|in|m|i)?");
    length->edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), length->edit));
  }
  updating_ = false;
  sample_->update();
}

void TFDCCompositionProperties::LengthTyped(Length& length) {
  if (updating_) return;
  PageValue(length.index) = ParseLength(length.edit->text().toStdString(), unit_, pixelsPerInch_);
  ShowLengths();
}

void TFDCCompositionProperties::LengthStepped(Length& length, int position) {
  if (updating_) return;
  const double shown = ToUnit(PageValue(length.index), unit_, pixelsPerInch_);
  PageValue(length.index) = FromUnit(WithWholePart(shown, position), unit_, pixelsPerInch_);
  ShowLengths();
}

void TFDCCompositionProperties::PageChanged() {
  if (updating_) return;
  const FormValues v = page_->Values();
  unit_ = static_cast<LengthUnit>(std::clamp(v.Int(kMetric), 0, 2));
  const bool landscape = v.Int(kOrientation) == 1;
  const int paper = v.Int(kPaperSize);
  CompositionPage& page = props_.Page;
  if (landscape != page.Landscape) {
    std::swap(page.Width, page.Length);
    page.Landscape = landscape;
  }
  if (paper != page.PaperSize && paper >= 0) {
    page.PaperSize = paper;
    if (const auto size = PaperDimensions(static_cast<TECPaperSize>(paper))) {
      page.Width = (landscape ? size->Height : size->Width) / 10;
      page.Length = (landscape ? size->Width : size->Height) / 10;
    }
  }
  ShowLengths();
}

void TFDCCompositionProperties::SymbolRule() {
  const FormValues v = general_->Values();
  EnableSymbolButtons(*general_, v.Int(kNumerator), v.Int(kDenominator));
}

void TFDCCompositionProperties::LoadFromProps(const CompositionProps& props) {
  props_ = props;
  unit_ = static_cast<LengthUnit>(std::clamp(props.Metrix, 0, 2));
  const int startNumber = std::max(props.StartBarNumber + 1, 1);
  // What the lists show of the signature (1/1 as 4/4).
  const ts::Preset shown = ts::PresetFor(ts::Code(props.Numerator, props.Denominator));
  general_->SetValues({{kNumerator, shown.numerator},
                       {kDenominator, shown.denominator},
                       {kSymbol, props.SizeStyle == 1 || props.SizeStyle == 2 ? props.SizeStyle : 0},
                       {kTempo, props.Tempo},
                       {kScale, props.Scale},
                       {kUnion, UnionChoice(props.UnionCount)},
                       {kUnionCount, UnionChoice(props.UnionCount) == kUnionCustom ? props.UnionCount : 2},
                       {kUpbeatNotes, props.AufTaktNotes},
                       {kUpbeatSize, props.AufTaktSize},
                       {kHorzAlign, props.HorzAlign},
                       {kVertAlign, props.VertAlign},
                       {kStartNumber, startNumber},
                       {kNumbering, std::clamp(props.NumberStyle, 0, 2)},
                       {kSpacing, std::clamp(props.NoteInterval, 0, 2)},
                       {kDensity, props.Density},
                       {kMeasureCount, std::max(props.MeasureCount, 1)}});
  SymbolRule();
  updating_ = true;
  page_->SetValues({{kMetric, static_cast<int>(unit_)},
                    {kPaperSize, std::clamp(props.Page.PaperSize, 0, kCustomPaper)},
                    {kOrientation, props.Page.Landscape ? 1 : 0}});
  updating_ = false;
  ShowLengths();
  print_->SetValues({{kPrintEmpty, props.PrintEmpty}, {kPrintNumber, props.PrintNumber}, {kPrintLines, props.PrintLines}});
  nv::library::DrumMapFile map;
  for (const nv::document::DrumMapRow& row : props.Drums)
    if (row.Pitch >= nv::library::DrumMapFile::kFirstPitch && row.Pitch <= nv::library::DrumMapFile::kLastPitch)
      map.Entry(row.Pitch) = {row.Name, row.Head, row.Pos, row.Use};
  drums_->SetEntries(map);
  author_->setText(QString::fromStdString(props.Author));
  copyright_->setText(QString::fromStdString(props.Copyright));
  QStringList lines;
  for (const std::string& line : props.Description) lines << QString::fromStdString(line);
  description_->setPlainText(lines.join(QLatin1Char('\n')));
}

CompositionProps TFDCCompositionProperties::Props() const {
  CompositionProps props = props_;
  const FormValues g = general_->Values();
  props.Metrix = static_cast<int>(unit_);
  props.Numerator = g.Int(kNumerator);
  props.Denominator = g.Int(kDenominator);
  // The symbol only where the pair allows it, whatever button is down.
  props.SizeStyle = ts::SymbolFor(props.Numerator, props.Denominator, g.Int(kSymbol) == 1, g.Int(kSymbol) == 2);
  props.Tempo = g.Int(kTempo);
  props.Scale = g.Int(kScale);
  props.UnionCount = UnionCount(g.Int(kUnion), g.Int(kUnionCount));
  props.AufTaktNotes = g.Int(kUpbeatNotes);
  props.AufTaktSize = g.Int(kUpbeatSize);
  props.HorzAlign = g.Bool(kHorzAlign);
  props.VertAlign = g.Bool(kVertAlign);
  props.StartBarNumber = g.Int(kStartNumber) - 1;
  props.NumberStyle = g.Int(kNumbering);
  props.NoteInterval = g.Int(kSpacing);
  props.Density = g.Bool(kDensity);
  props.MeasureCount = g.Int(kMeasureCount);
  const FormValues p = print_->Values();
  props.PrintEmpty = p.Bool(kPrintEmpty);
  props.PrintNumber = p.Bool(kPrintNumber);
  props.PrintLines = p.Bool(kPrintLines);
  props.Drums.clear();
  const nv::library::DrumMapFile map = drums_->Entries();
  for (int pitch = nv::library::DrumMapFile::kFirstPitch; pitch <= nv::library::DrumMapFile::kLastPitch; ++pitch) {
    const nv::library::DrumMapEntry& entry = map.Entry(pitch);
    if (!entry.Name.empty()) props.Drums.push_back({pitch, entry.Name, entry.Head, entry.Pos, entry.Use});
  }
  props.Author = author_->text().toStdString();
  props.Copyright = copyright_->text().toStdString();
  props.Description.clear();
  if (!description_->toPlainText().isEmpty())
    for (const QString& line : description_->toPlainText().split(QLatin1Char('\n')))
      props.Description.push_back(line.toStdString());
  return props;
}

bool TFDCCompositionProperties::validate() {
  // A length being typed counts.
  for (const auto& length : lengths_)
    if (length->edit->hasFocus()) LengthTyped(*length);
  const std::optional<PageFault> fault = nv::document::CheckPage(props_.Page);
  if (!fault) return true;
  pages_->SetActivePage(pages_->Pages(1));
  switch (*fault) {
    case PageFault::Width: rejectInput(QStringLiteral("Width")); break;
    case PageFault::Length: rejectInput(QStringLiteral("Length")); break;
    case PageFault::HorizontalMargins: rejectInput(QStringLiteral("Left, Right")); break;
    case PageFault::VerticalMargins: rejectInput(QStringLiteral("Top, Bottom")); break;
  }
  return false;
}

bool EditCompositionProperties(nv::document::ScoreDocument& document, const DrumMapServices& services) {
  TFDCCompositionProperties dialog(services);
  dialog.LoadFromProps(nv::document::ReadCompositionProps(document.Score()));
  if (dialog.exec() != QDialog::Accepted) return false;
  nv::document::ApplyCompositionProps(document.Score(), dialog.Props());
  return true;
}

}  // namespace nv::dialogs
