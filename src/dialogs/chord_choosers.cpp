#include "dialogs/chord_choosers.h"

#include <algorithm>

#include "dialogs/music_face.h"
#include "widgets/char_button.h"

namespace nv::dialogs {

namespace {

constexpr int kButtonHeight = 22;
constexpr int kMargin = 2;

int CaptionWidth(const std::vector<std::pair<int, QString>>& choices) {
  qsizetype longest = 1;
  for (const auto& [value, caption] : choices) longest = std::max(longest, caption.size());
  return std::max(22, static_cast<int>(longest) * 7 + 8);
}

std::vector<Choice> CaptionChoices(const std::vector<std::pair<int, QString>>& choices) {
  std::vector<Choice> list;
  for (const auto& [value, caption] : choices) {
    Choice choice;
    choice.value = value;
    choice.name = QString("CBChoice%1").arg(value);
    choice.caption = caption;
    list.push_back(std::move(choice));
  }
  return list;
}

std::vector<Choice> DurationChoices() {
  // Whole to 64th: the music font's note characters.
  const std::pair<int, char> values[] = {{128, 'A'}, {64, '.'}, {32, ':'}, {16, ';'}, {8, '<'}, {4, '='}, {2, '>'}};
  std::vector<Choice> list;
  for (const auto& [value, glyph] : values) {
    Choice choice;
    choice.value = value;
    choice.name = QString("CBDuration%1").arg(value);
    choice.glyph = static_cast<std::uint8_t>(glyph);
    choice.glyphSize = 16;
    choice.glyphAt = CentredMusicChar(MusicFont(choice.glyphSize), choice.glyph, 12, 26);
    list.push_back(std::move(choice));
  }
  return list;
}

}  // namespace

CaptionChooser::CaptionChooser(const QString& formName, const std::vector<std::pair<int, QString>>& choices,
                               QWidget* parent)
    : ChoicePalette(formName, {},
                    {static_cast<int>(choices.size()) * CaptionWidth(choices) + 2 * kMargin, kButtonHeight + 2 * kMargin},
                    CaptionChoices(choices),
                    ChoiceGrid{static_cast<int>(choices.size()), {CaptionWidth(choices), kButtonHeight},
                               {kMargin, kMargin}},
                    parent) {}

ChordAddChooser::ChordAddChooser(const QString& degree, const StyleCaptions& captions, QWidget* parent)
    : ChoicePalette(QStringLiteral("FChooseChordAdd"), {}, {3 * 40 + 2 * kMargin, 2 * kButtonHeight + 3 * kMargin},
                    CaptionChoices({{0, degree}, {1, captions[0][0]}, {2, captions[0][1]}}),
                    ChoiceGrid{3, {40, kButtonHeight}, {kMargin, kMargin}}, parent),
      captions_(captions) {
  const char* tabCaptions[] = {"5+", "+5", "#5", "aug"};
  for (int style = 0; style < 4; ++style) {
    auto* tab = new nv::widgets::TECCharButton(Client());
    tab->setObjectName(QString("CBStyle%1").arg(style));
    tab->setText(tabCaptions[style]);
    tab->SetGroupIndex(2);
    tab->setGeometry(kMargin + style * 30, 2 * kMargin + kButtonHeight, 30, kButtonHeight);
    connect(tab, &QAbstractButton::clicked, this, [this, style] {
      SetStyle(style);
      if (OnStyle) OnStyle(style_);
    });
    tabs_.push_back(tab);
  }
  SetStyle(0);
}

void ChordAddChooser::SetStyle(int style) {
  style_ = std::clamp(style, 0, 3);
  const auto index = static_cast<std::size_t>(style_);
  ButtonOf(1)->setText(captions_[index][0]);
  ButtonOf(2)->setText(captions_[index][1]);
  tabs_[index]->SetDown(true);
}

DurationPalette::DurationPalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FDuration"), {}, {40, 7 * 26 + 2 * kMargin}, DurationChoices(),
                    ChoiceGrid{1, {36, 26}, {kMargin, kMargin}}, parent) {}

void DurationPalette::SetOnDuration(std::function<void(int)> handler) {
  SetOnSelect([handler = std::move(handler)](ChoicePalette& palette, int) {
    if (handler) handler(palette.Current().value_or(2));
  });
}

}  // namespace nv::dialogs
