#include "dialogs/settings_dialog.h"

#include <QFont>
#include <QFontMetrics>
#include <QVBoxLayout>

#include "dialogs/logic/settings_rules.h"
#include "platform/ini_file.h"
#include "widgets/page_control.h"

namespace nv::dialogs {

namespace {

using nv::document::ProgramOptions;

QStringList Names(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list << QString::fromStdString(name);
  return list;
}

const QStringList kNoteValueTexts = {QStringLiteral("1/4"), QStringLiteral("1/8"), QStringLiteral("1/16"),
                                     QStringLiteral("1/32"), QStringLiteral("1/64")};

// The note value of a pressed button, or `kept` when none is pressed.
int NoteValue(int button, int kept) {
  return button >= 0 && button < kNoteValueCount ? kNoteValues[button] : kept;
}

// The rules' view of the General page's boxes.
SettingsControlStates States(const FormValues& values) {
  ProgramOptions options;
  options.SaveBackUp = values.Bool("CBSaveBackup");
  options.LimitBackUp = values.Bool("CBCount");
  options.AutoSave = values.Bool("CBAutoSave");
  options.GetNews = values.Bool("CBGetNews");
  return SettingsRules(options);
}

}  // namespace

TFSettingsModule::TFSettingsModule(const ProgramOptions& options, nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog({QStringLiteral("TFSettingsModule"), {480, 560}, "SettingsForm", BoundsMode::Position,
                  QStringLiteral("ProgSettings"), 0},
                 settings, parent),
      given_(options) {
  setWindowTitle(QStringLiteral("Settings"));
  // The fields stand on the pages; the form's own area stays empty.
  Fields().Area()->hide();
  pages_ = new nv::widgets::TECPageControl(this);
  pages_->setObjectName(QStringLiteral("PCSettings"));
  nv::widgets::TECPageSetting single = pages_->PageSetting();
  single.doubleSheet = false;
  single.orientation = nv::widgets::PageOrientation::Top;
  pages_->SetPageSetting(single);
  pages_->SetSpiralVisible(false);
  // The pages take the room the form's stretch under its fields would.
  auto* box = static_cast<QVBoxLayout*>(layout());
  for (int i = box->count() - 1; i >= 0; --i)
    if (box->itemAt(i)->spacerItem() != nullptr) delete box->takeAt(i);
  box->insertWidget(0, pages_, 1);

  const struct {
    const char* name;
    const char* caption;
  } sheets[kPageCount] = {{"TSKeys", "Keys"}, {"TSDevices", "Devices"}, {"TSRecord", "Record"}, {"TSGeneral", "General"}};
  for (int page = 0; page < kPageCount; ++page) {
    auto* sheet = new nv::widgets::TECTabSheet(pages_);
    sheet->setObjectName(QString::fromLatin1(sheets[page].name));
    sheet->SetCaption(QString::fromLatin1(sheets[page].caption));
    QFont bold = sheet->TabFont();
    bold.setBold(true);
    sheet->SetTabWidth(QFontMetrics(bold).horizontalAdvance(sheet->Caption()) + 24);
    fields_[page] = new FormFields(sheet);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->addWidget(fields_[page]->Area());
    sheetLayout->addStretch(1);
  }
  // The key grid is not in use: its page is never shown.
  pages_->Pages(kKeys)->SetTabVisible(false);
  pages_->Pages(kKeys)->SetSheetVisible(false);

  FormFields& devices = *fields_[kDevices];
  devices.AddCombo(QStringLiteral("LBInput"), QStringLiteral("Input"), Names(options.InputNames), options.Input);
  devices.AddCombo(QStringLiteral("LBOutput"), QStringLiteral("Output"), Names(options.OutputNames), options.Output);

  FormFields& record = *fields_[kRecord];
  record.AddRadio(QStringLiteral("RGQuantize"), QStringLiteral("Quantize"), kNoteValueTexts,
                  NoteValueButton(options.Quantize).value_or(-1), kNoteValueCount);
  record.AddRadio(QStringLiteral("RGDuration"), QStringLiteral(" Metronome: Duration "), kNoteValueTexts,
                  NoteValueButton(options.Duration).value_or(-1), kNoteValueCount);
  record.AddCheck(QStringLiteral("CBAccent"), QStringLiteral("Accent first beat"), options.AccentFirst);
  record.AddSpin(QStringLiteral("UDFirstVelocity"), QStringLiteral("First velocity"), 0, 127, options.FirstVelocity);
  record.AddSpin(QStringLiteral("UDOtherVelocity"), QStringLiteral("Other velocity"), 0, 127, options.OtherVelocity);
  // Kept hidden, as designed: the metronome plays on the output in force.
  const int outputCount = static_cast<int>(options.OutputNames.size());
  record.AddSpin(QStringLiteral("UDPort"), QStringLiteral("Port"), 0, outputCount, 0);
  record.AddSpin(QStringLiteral("UDChannel"), QStringLiteral("Channel"), 1, 16, 10);
  record.SetVisibleRule(QStringLiteral("UDPort"), [](const FormValues&) { return false; });
  record.SetVisibleRule(QStringLiteral("UDChannel"), [](const FormValues&) { return false; });

  FormFields& general = *fields_[kGeneral];
  general.AddCheck(QStringLiteral("CBSaveBackup"), QStringLiteral("Save backup files"), options.SaveBackUp);
  general.AddCheck(QStringLiteral("CBCount"), QStringLiteral("Count"), options.LimitBackUp);
  general.AddSpin(QStringLiteral("UDCount"), QString(), 1, 999, options.CountBackUp);
  general.AddCheck(QStringLiteral("CBAutoSave"), QStringLiteral("Autosave files"), options.AutoSave);
  general.AddCombo(QStringLiteral("CBInterval"), QStringLiteral("Interval"),
                   {QStringLiteral(" 5 min"), QStringLiteral("10 min"), QStringLiteral("20 min"),
                    QStringLiteral("30 min"), QStringLiteral(" 1 hour")},
                   options.IntervalAutosave);
  general.AddCheck(QStringLiteral("CBPlayMouse"), QStringLiteral("Play on \"add note\""), options.PlayMouse);
  general.AddCheck(QStringLiteral("CBPlayKeyboard"), QStringLiteral("Play using piano work"), options.PlayKeyboard);
  general.AddCheck(QStringLiteral("CBPlayGuitar"), QStringLiteral("Play using guitar work"), options.PlayGuitar);
  general.AddCheck(QStringLiteral("CBPlayMIDI"), QStringLiteral("Play using MIDI device work"), options.PlayMIDI);
  general.AddCheck(QStringLiteral("CBShowNoteHint"), QStringLiteral("Display note hint in during addition functions"),
                   options.ShowNoteHint);
  general.AddCheck(QStringLiteral("CBShowPianoNote"), QStringLiteral("Display note as it plays on piano"),
                   options.ShowPianoNote);
  general.AddCheck(QStringLiteral("CBAutoEffect"), QStringLiteral("Auto calculate effects symbols"), options.AutoEffect);
  general.AddCheck(QStringLiteral("CBAutoVelocity"), QStringLiteral("Auto calculate dynamic symbols"),
                   options.AutoVelocity);
  general.AddCheck(QStringLiteral("CBGetNews"), QStringLiteral("Get news"), options.GetNews);
  general.AddCheck(QStringLiteral("CBOptimization"), QStringLiteral("Paint optimization"), options.Optimization);
  general.AddCheck(QStringLiteral("CBNews"), QStringLiteral("Display News at Startup"), options.News);
  general.SetVisibleRule(QStringLiteral("CBCount"), [](const FormValues& v) { return States(v).BackupCountVisible; });
  general.SetVisibleRule(QStringLiteral("UDCount"), [](const FormValues& v) { return States(v).BackupCountVisible; });
  general.SetEnabledRule(QStringLiteral("UDCount"), [](const FormValues& v) { return States(v).BackupCountEnabled; });
  general.SetVisibleRule(QStringLiteral("CBInterval"), [](const FormValues& v) { return States(v).IntervalVisible; });
  general.SetEnabledRule(QStringLiteral("CBNews"), [](const FormValues& v) { return States(v).NewsAtStartupEnabled; });
  // Runs the rules once over the values just given.
  general.SetValues({});

  pages_->SetActivePage(pages_->Pages(kDevices));
  nv::widgets::TECPageControl* pages = pages_;
  SetSettingsKeys({{"PageIndex", std::to_string(kDevices),
                    [pages](const std::string& value) {
                      const int stored = nv::platform::ParseIniInteger(value).value_or(kDevices);
                      pages->SetActivePage(pages->Pages(SettingsPageIndex(stored, kPageCount, kKeys, kDevices)));
                    },
                    [pages] { return std::to_string(pages->IndexOf(pages->ActivePage())); }}});
  Translate();
}

FormFields& TFSettingsModule::PageFields(Page page) const { return *fields_[page]; }

ProgramOptions TFSettingsModule::Options() const {
  ProgramOptions options = given_;
  const FormValues devices = fields_[kDevices]->Values();
  options.Input = devices.Int("LBInput");
  options.Output = devices.Int("LBOutput");
  const FormValues record = fields_[kRecord]->Values();
  options.Quantize = NoteValue(record.Int("RGQuantize"), given_.Quantize);
  options.Duration = NoteValue(record.Int("RGDuration"), given_.Duration);
  options.AccentFirst = record.Bool("CBAccent");
  options.FirstVelocity = record.Int("UDFirstVelocity");
  options.OtherVelocity = record.Int("UDOtherVelocity");
  const FormValues general = fields_[kGeneral]->Values();
  options.SaveBackUp = general.Bool("CBSaveBackup");
  options.LimitBackUp = general.Bool("CBCount");
  options.CountBackUp = general.Int("UDCount");
  options.AutoSave = general.Bool("CBAutoSave");
  // A stored interval outside the list selects no item and stays.
  if (general.Int("CBInterval") >= 0) options.IntervalAutosave = general.Int("CBInterval");
  options.PlayMouse = general.Bool("CBPlayMouse");
  options.PlayKeyboard = general.Bool("CBPlayKeyboard");
  options.PlayGuitar = general.Bool("CBPlayGuitar");
  options.PlayMIDI = general.Bool("CBPlayMIDI");
  options.ShowNoteHint = general.Bool("CBShowNoteHint");
  options.ShowPianoNote = general.Bool("CBShowPianoNote");
  options.AutoEffect = general.Bool("CBAutoEffect");
  options.AutoVelocity = general.Bool("CBAutoVelocity");
  options.GetNews = general.Bool("CBGetNews");
  options.Optimization = general.Bool("CBOptimization");
  options.News = general.Bool("CBNews");
  return options;
}

}  // namespace nv::dialogs
