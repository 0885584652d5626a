#include "dialogs/file_option_dialogs.h"

#include <QLabel>
#include <QSpinBox>

#include <string>

#include "dialogs/logic/form_values.h"
#include "dialogs/music_face.h"

namespace nv::dialogs {
namespace {

constexpr int kLowestTempo = 1;
constexpr int kHighestTempo = 512;
constexpr int kDefaultTempo = 120;
// Until the page count is set, stored pages are kept as they are.
constexpr int kMostPages = 9999;

const QString kBeat = QStringLiteral("GBBeatNote");
const QString kTempo = QStringLiteral("ETempo");
const QString kTracks = QStringLiteral("RGTracks");
const QString kQuantize = QStringLiteral("GBQuantize");
const QString kPixelFormat = QStringLiteral("RGPixelFormat");
const QString kQuality = QStringLiteral("TBQuality");
const QString kScale = QStringLiteral("TBScale");
const QString kDoublePage = QStringLiteral("CBDoublePage");
const QString kByPages = QStringLiteral("CBByPages");
const QString kPageRange = QStringLiteral("RGPageRange");
const QString kFromPage = QStringLiteral("UDFromPage");
const QString kToPage = QStringLiteral("UDToPage");

const std::vector<int> kBeatValues = {128, 64, 32, 16, 8};
const std::vector<int> kQuantizeValues = {32, 16, 8, 4, 2};

std::optional<int> TempoOf(const QString& text) {
  bool ok = false;
  const int tempo = text.trimmed().toInt(&ok);
  return ok ? std::optional<int>(tempo) : std::nullopt;
}

std::string S(const QString& name) { return name.toStdString(); }

}  // namespace

GlyphGroup NoteButtons(const std::vector<std::pair<int, std::uint8_t>>& notes, const std::vector<const char*>& names,
                       const std::vector<const char*>& hints) {
  GlyphGroup group;
  group.font = MusicFont(16);
  group.buttonSize = {28, 36};
  for (std::size_t i = 0; i < notes.size(); ++i) {
    GlyphButton button;
    button.value = notes[i].first;
    button.glyph = notes[i].second;
    button.name = QString::fromLatin1(names[i]);
    button.hint = QString::fromLatin1(hints[i]);
    button.glyphAt = {8, 2};
    group.buttons.push_back(std::move(button));
  }
  return group;
}

TFDCTempoInput::TFDCTempoInput(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog({QStringLiteral("FDCTempoInput"), {188, 96}, "TempoInputForm", BoundsMode::Position, {}, 0},
                 settings, parent) {
  setWindowTitle(QStringLiteral("Tempo"));
  Fields().AddGlyphGroup(kBeat, {},
                         NoteButtons({{128, ','}, {64, '.'}, {32, ':'}, {16, ';'}, {8, '<'}},
                                     {"CBNote", "CBNote2", "CBNote4", "CBNote8", "CBNote16"},
                                     {"Note", "1/2 Note", "1/4 Note", "1/8 Note", "1/16 Note"}),
                         32);
  Fields().AddText(kTempo, QStringLiteral("Tempo"), QString::number(kDefaultTempo), [](const QString& text) {
    const std::optional<int> tempo = TempoOf(text);
    return tempo && *tempo >= kLowestTempo && *tempo <= kHighestTempo;
  });
  Translate();
}

void TFDCTempoInput::SetBeatNote(int value) {
  if (GroupIndexOf(kBeatValues, value) >= 0) Fields().SetValue(kBeat, value);
}

int TFDCTempoInput::GetBeatNote() const { return Values().Int(S(kBeat)); }
void TFDCTempoInput::SetTempo(int tempo) { Fields().SetValue(kTempo, std::to_string(tempo)); }
int TFDCTempoInput::GetTempo() const { return TempoOf(QString::fromStdString(Values().Text(S(kTempo)))).value_or(0); }

TFImportMIDI::TFImportMIDI(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog({QStringLiteral("FImportMIDI"), {260, 190}, "ImportMIDIForm", BoundsMode::Position, {}, 0}, settings,
                 parent) {
  setWindowTitle(QStringLiteral("Import MIDI"));
  Fields().AddRadio(kTracks, {}, {QStringLiteral("Tracks on one sheet"), QStringLiteral("Tracks on separate sheet")}, 0);
  Fields().AddGlyphGroup(kQuantize, QStringLiteral("Quantize"),
                         NoteButtons({{32, ':'}, {16, ';'}, {8, '<'}, {4, '='}, {2, '>'}},
                                     {"CBQuarter", "CBEighth", "CBSixteenth", "CBThirtySecond", "CBSixtyFourth"},
                                     {"1/4 Note", "1/8 Note", "1/16 Note", "1/32 Note", "1/64 Note"}),
                         8);
  Translate();
  FormFields* fields = &Fields();
  SetSettingsKeys({{"ImportMIDI", "0",
                    [fields](const std::string& stored) {
                      fields->SetValue(kTracks, std::get<bool>(FromSetting(stored, false)) ? 1 : 0);
                    },
                    [fields] { return SettingOf(std::get<int>(fields->Value(kTracks)) == 1); }},
                   {"Quantize", "8",
                    [fields](const std::string& stored) {
                      const int value = std::get<int>(FromSetting(stored, 0));
                      if (GroupIndexOf(kQuantizeValues, value) >= 0) fields->SetValue(kQuantize, value);
                    },
                    [fields] { return SettingOf(fields->Value(kQuantize)); }}});
}

bool TFImportMIDI::GetTracksOnSeparateSheets() const { return Values().Int(S(kTracks)) == 1; }
void TFImportMIDI::SetTracksOnSeparateSheets(bool separate) { Fields().SetValue(kTracks, separate ? 1 : 0); }

void TFImportMIDI::SetQuantizeDuration(int duration) {
  if (GroupIndexOf(kQuantizeValues, duration) >= 0) Fields().SetValue(kQuantize, duration);
}

int TFImportMIDI::GetQuantizeDuration() const {
  const int value = Values().Int(S(kQuantize));
  return GroupIndexOf(kQuantizeValues, value) >= 0 && value != 0 ? value : 2;
}

TFExportSetting::TFExportSetting(nv::platform::IniFile* settings, QWidget* parent)
    : FormDialog({QStringLiteral("FExportSetting"), {320, 400}, "ExportSetting", BoundsMode::Position, {}, 0}, settings,
                 parent) {
  setWindowTitle(QStringLiteral("Export options"));
  FormFields& f = Fields();
  f.AddRadio(kPixelFormat, QStringLiteral(" Pixel format "), {QStringLiteral(" 8 bit"), QStringLiteral("24 bit")}, 1, 2);
  f.AddTrackBar(kQuality, QStringLiteral("Quality"), 20, 100, 30);
  f.AddTrackBar(kScale, QStringLiteral("Scale "), 25, 200, 100, [](int v) { return QString::number(v) + '%'; });
  f.SetColumns(2);
  f.AddCheck(kDoublePage, QStringLiteral("Double page"), false);
  f.AddCheck(kByPages, QStringLiteral("Every page in file"), false);
  f.SetColumns(1);
  f.AddRadio(kPageRange, QStringLiteral(" Page range "), {QStringLiteral("All"), QStringLiteral("Pages from")}, 0, 2);
  f.SetColumns(2);
  f.AddSpin(kFromPage, QStringLiteral("From"), 1, kMostPages, 1);
  f.AddSpin(kToPage, QStringLiteral("To"), 1, kMostPages, 1);
  f.SetColumns(1);
  f.SetEnabledRule(kFromPage, [](const FormValues& v) { return v.Int(S(kPageRange)) == 1; });
  f.SetEnabledRule(kToPage, [](const FormValues& v) { return v.Int(S(kPageRange)) == 1; });
  f.SetOnChange([this] { PagesChanged(); });
  Translate();
  KeepInSettings({{"PixelFormat", kPixelFormat},
                  {"Quality", kQuality},
                  {"DoublePage", kDoublePage},
                  {"ByPages", kByPages},
                  {"PageRange", kPageRange},
                  {"FromPage", kFromPage},
                  {"ToPage", kToPage},
                  {"Scale", kScale}});
}

void TFExportSetting::SetFormatOptions(int bits) {
  const auto show = [this](const QString& name, bool visible) {
    Fields().Control(name)->setVisible(visible);
    if (QLabel* label = Fields().Label(name)) label->setVisible(visible);
  };
  show(kQuality, (bits & kQualityBit) != 0);
  show(kPixelFormat, (bits & kPixelFormatBit) != 0);
}

void TFExportSetting::SetPageCount(int count) {
  range_.SetPageCount(count);
  for (const QString& name : {kFromPage, kToPage})
    static_cast<QSpinBox*>(Fields().Control(name))->setMaximum(range_.PageCount());
  range_.SetFrom(GetFromPage());
  range_.SetTo(GetToPage());
  SetValues({{S(kFromPage), range_.From()}, {S(kToPage), range_.To()}});
}

void TFExportSetting::SetPageChecksVisible(bool visible) {
  Fields().Control(kDoublePage)->setVisible(visible);
  Fields().Control(kByPages)->setVisible(visible);
}

// Whichever end the user moved past the other drags the other along.
void TFExportSetting::PagesChanged() {
  const int from = GetFromPage();
  const int to = GetToPage();
  if (from != range_.From())
    range_.SetFrom(from);
  else if (to != range_.To())
    range_.SetTo(to);
  if (range_.From() != from || range_.To() != to)
    SetValues({{S(kFromPage), range_.From()}, {S(kToPage), range_.To()}});
}

void TFExportSetting::SetFromPage(int page) {
  Fields().SetValue(kFromPage, page);
  PagesChanged();
}

void TFExportSetting::SetToPage(int page) {
  Fields().SetValue(kToPage, page);
  PagesChanged();
}

int TFExportSetting::GetPixelFormat() const { return Values().Int(S(kPixelFormat)); }
int TFExportSetting::GetQuality() const { return Values().Int(S(kQuality)); }
int TFExportSetting::GetScale() const { return Values().Int(S(kScale)); }
bool TFExportSetting::GetDoublePage() const { return Values().Bool(S(kDoublePage)); }
bool TFExportSetting::GetEveryPageInFile() const { return Values().Bool(S(kByPages)); }
int TFExportSetting::GetPageRange() const { return Values().Int(S(kPageRange)); }
int TFExportSetting::GetFromPage() const { return Values().Int(S(kFromPage)); }
int TFExportSetting::GetToPage() const { return Values().Int(S(kToPage)); }

}  // namespace nv::dialogs
