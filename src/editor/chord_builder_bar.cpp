#include "editor/chord_builder_bar.h"

#include <QPainter>

#include "dialogs/canvas_face.h"
#include "dialogs/chord_choosers.h"
#include "dialogs/logic/chord_placement_face.h"
#include "dialogs/music_face.h"
#include "document/command_registry.h"
#include "library/chord_builder.h"
#include "editor/library_commands.h"
#include "editor/score_menu.h"
#include "widgets/char_button.h"

namespace nv::editor {

using nv::widgets::TECCharButton;

namespace {

constexpr int kRow[] = {4, 23, 42};
constexpr int kHeight = 18;
constexpr int kDrop = 9;

const char* const kAlterationButtons[] = {"CBChordAdd5", "CBChordAdd7", "CBChordAdd9", "CBChordAdd11",
                                          "CBChordAdd13"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::vector<std::pair<int, QString>> Numbered(const std::vector<std::string>& captions) {
  std::vector<std::pair<int, QString>> list;
  for (std::size_t i = 0; i < captions.size(); ++i) list.emplace_back(static_cast<int>(i), Q(captions[i]));
  return list;
}

}  // namespace

ChordBuilderBar::ChordBuilderBar(nv::library::ChordBuilder& builder, nv::document::CommandRegistry& registry,
                                 QWidget* parent)
    : QWidget(parent), builder_(builder), registry_(registry) {
  nv::library::ChordButtons& b = builder_.Buttons;
  const auto toggle = [this](const std::string& name, int group, bool& field) {
    TECCharButton* button = Button(name);
    button->SetGroupIndex(group);
    button->SetAllowAllUp(true);
    connect(button, &QAbstractButton::clicked, this, [this, button, &field] {
      field = button->Down();
      Changed();
    });
  };

  // Row 1: the root, its accidental, the extension and the qualities.
  connect(Add("CBChordNote", "C", "Chord note", 2, kRow[0], 28, true), &QAbstractButton::clicked, this,
          [this] { Changed(); });
  Add("CBChordDiesis", "#", "Sharp", 32, kRow[0], 16);
  Add("CBChordBemol", "b", "Flat", 50, kRow[0], 16);
  toggle("CBChordDiesis", 30, b.RootSharp);
  toggle("CBChordBemol", 30, b.RootFlat);
  connect(Add("CBChordBase", "5", "Chord base", 68, kRow[0], 30, true), &QAbstractButton::clicked, this,
          [this] { Changed(); });
  Add("CBChordMinor", "m", "Minor", 100, kRow[0], 36, true);
  Add("CBChordMajor", "maj", "Major", 138, kRow[0], 38, true);
  Add("CBChordSus", "sus", "Suspended", 178, kRow[0], 42, true);
  Add("CBChordOmit", "omit3", "Omit", 222, kRow[0], 50, true);
  toggle("CBChordMinor", 11, b.Minor);
  toggle("CBChordMajor", 12, b.Major);
  toggle("CBChordSus", 13, b.Sus);
  toggle("CBChordOmit", 14, b.Omit);

  // Row 2: the alterations and the bass note.
  for (int slot = 0; slot < 5; ++slot) {
    Add(kAlterationButtons[slot], "", "Alteration", 2 + slot * 46, kRow[1], 44, true);
    toggle(kAlterationButtons[slot], 18 + slot, b.Altered[static_cast<std::size_t>(slot)]);
  }
  Add("CBChordNote1", "C", "Second note", 232, kRow[1], 28, true);
  Add("CBChordDiesis1", "#", "Sharp", 262, kRow[1], 16);
  Add("CBChordBemol1", "b", "Flat", 280, kRow[1], 16);
  toggle("CBChordNote1", 23, b.Bass);
  toggle("CBChordDiesis1", 31, b.BassSharp);
  toggle("CBChordBemol1", 31, b.BassFlat);

  // Row 3: the mode, add, brackets, stacking, duration or placement, and
  // the chord commands.
  connect(Add("CBDefChordAddition", "Xm", "Chord symbols", 2, kRow[2], 36), &QAbstractButton::clicked, this, [this] {
    builder_.NotesMode = false;
    ShowState();
  });
  connect(Add("CBChordAddition", "X\u266A", "Chords addition", 2, kRow[2], 36), &QAbstractButton::clicked, this,
          [this] {
            builder_.NotesMode = true;
            ShowState();
          });
  Add("CBChordAdd", "add", "Add", 40, kRow[2], 30);
  Add("CBChordBracket", "( )", "Brackets", 72, kRow[2], 26);
  Add("CBChordPlace", "^", "Stacked", 100, kRow[2], 18);
  toggle("CBChordAdd", 15, b.Add);
  toggle("CBChordBracket", 16, b.Brackets);
  toggle("CBChordPlace", 17, b.Stacked);

  TECCharButton* duration = Add("CBChordDuration", "", "Chord duration", 120, kRow[2], 34, true);
  duration->setFont(nv::dialogs::MusicFont(10));
  connect(duration, &QAbstractButton::clicked, this, [this] {
    builder_.Duration = nv::library::NextChordDuration(builder_.Duration);
    ShowState();
  });
  TECCharButton* above = Add("CBChordAbove", "", "Chord above or below", 120, kRow[2] - 2, 34);
  above->resize(34, 22);
  above->SetCustomDraw(true);
  above->SetOnDrawCharButton([this, above](QPainter& painter, const QRect& area) {
    const nv::widgets::ButtonFace face = above->Face();
    const nv::dialogs::FaceLook look{above->Hot(), face == nv::widgets::ButtonFace::Down ||
                                                       face == nv::widgets::ButtonFace::Exclusive};
    nv::dialogs::PaintCanvasFace(painter, area, [&](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
      nv::dialogs::PaintChordPlacementFace(canvas, box, builder_.Above, look);
    });
  });
  connect(above, &QAbstractButton::clicked, this, [this, above] {
    builder_.Above = !builder_.Above;
    above->update();
  });
  connect(Add("CBAccordNone", "\u00D7", "Remove chord", 156, kRow[2], 20), &QAbstractButton::clicked, this,
          [this] { registry_.Run(nv::editor::library_command::RemoveChord); });
  commands_.Bind(*Add("CBSaveChord", "Save", "Save chord", 178, kRow[2], 40), score_menu::kSaveChord);
  commands_.Bind(*Add("CBChordList", "List", "Chord list", 220, kRow[2], 40), library_command::ChordList);

  for (auto& [name, button] : buttons_) {
    if (button->DropWidth() > 0)
      connect(button, &TECCharButton::ButtonClick, this, [this, name = name] { OpenChooserFor(name); });
  }
  setMinimumSize(300, kRow[2] + kHeight + 4);
  ShowState();
}

TECCharButton* ChordBuilderBar::Add(const std::string& name, const QString& caption, const QString& hint, int x, int y,
                                    int width, bool dropDown) {
  auto* button = new TECCharButton(this);
  button->setObjectName(Q(name));
  button->setText(caption);
  button->setToolTip(hint);
  button->SetFlat(true);
  button->SetBlackBorder(true);
  button->setGeometry(x, y, width, kHeight);
  if (dropDown) button->SetDropWidth(kDrop);
  buttons_[name] = button;
  return button;
}

TECCharButton* ChordBuilderBar::Button(const std::string& name) const {
  const auto found = buttons_.find(name);
  return found == buttons_.end() ? nullptr : found->second;
}

nv::dialogs::ChoicePalette* ChordBuilderBar::OpenChooser() const { return chooser_.data(); }

void ChordBuilderBar::Changed() {
  ShowState();
  registry_.Run(nv::editor::library_command::InsertBuiltChord);
}

void ChordBuilderBar::ShowState() {
  const nv::library::ChordButtons& b = builder_.Buttons;
  Button("CBChordNote")->setText(Q(builder_.RootCaption()));
  Button("CBChordNote1")->setText(Q(builder_.BassCaption()));
  Button("CBChordBase")->setText(Q(builder_.ExtensionCaption()));
  Button("CBChordMinor")->setText(Q(builder_.MinorCaption()));
  Button("CBChordMajor")->setText(Q(builder_.MajorCaption()));
  Button("CBChordSus")->setText(Q(builder_.SusCaption()));
  Button("CBChordOmit")->setText(Q(builder_.OmitCaption()));
  for (int slot = 0; slot < 5; ++slot) {
    TECCharButton* button = Button(kAlterationButtons[slot]);
    button->setText(Q(builder_.AlterationCaption(slot)));
    button->SetDown(b.Altered[static_cast<std::size_t>(slot)]);
  }
  const std::pair<const char*, bool> downs[] = {
      {"CBChordDiesis", b.RootSharp}, {"CBChordBemol", b.RootFlat},   {"CBChordMinor", b.Minor},
      {"CBChordMajor", b.Major},      {"CBChordSus", b.Sus},          {"CBChordOmit", b.Omit},
      {"CBChordAdd", b.Add},          {"CBChordBracket", b.Brackets}, {"CBChordPlace", b.Stacked},
      {"CBChordNote1", b.Bass},       {"CBChordDiesis1", b.BassSharp}, {"CBChordBemol1", b.BassFlat}};
  for (const auto& [name, down] : downs) Button(name)->SetDown(down);

  const nv::library::DurationGlyph glyph = nv::library::ChordDurationGlyph(builder_.Duration);
  TECCharButton* duration = Button("CBChordDuration");
  duration->SetChar(glyph.Char);
  // The table's x; the program's own music font places its notes, so each
  // is centred in the button by its own ink.
  const QPoint at = nv::dialogs::CentredMusicChar(duration->font(), glyph.Char, glyph.X, duration->height());
  duration->SetPos(at.x(), at.y());

  const bool notes = builder_.NotesMode;
  Button("CBDefChordAddition")->setVisible(notes);
  Button("CBChordAddition")->setVisible(!notes);
  duration->setVisible(notes);
  Button("CBChordAbove")->setVisible(!notes);
  for (const char* name : {"CBChordAdd", "CBChordBracket", "CBChordPlace"}) Button(name)->setEnabled(!notes);
  Button("CBChordAbove")->update();
}

void ChordBuilderBar::ShowChooser(nv::dialogs::ChoicePalette* chooser, const std::string& under, int current,
                                  std::function<void(int)> chosen) {
  chooser->SetCurrent(current);
  chooser->SetOnSelect([this, chosen = std::move(chosen)](nv::dialogs::ChoicePalette&, int value) {
    chosen(value);
    Changed();
  });
  chooser->PlaceUnder(Button(under));
  chooser_ = chooser;
  chooser->Open();
}

void ChordBuilderBar::OpenChooserFor(const std::string& name) {
  using nv::dialogs::CaptionChooser;
  nv::library::ChordButtons& b = builder_.Buttons;
  const std::vector<std::pair<int, QString>> notes = Numbered({"C", "D", "E", "F", "G", "A", "B"});
  if (name == "CBChordNote" || name == "CBChordNote1") {
    int& step = name == "CBChordNote" ? b.RootStep : b.BassStep;
    ShowChooser(new CaptionChooser("FChooseChordNote", notes, window()), name, step, [&step](int v) { step = v; });
  } else if (name == "CBChordBase") {
    ShowChooser(new CaptionChooser("FChooseChordBase", Numbered(nv::library::ExtensionCaptions()), window()), name,
                b.Extension, [&b](int v) { b.Extension = v; });
  } else if (name == "CBChordMinor") {
    ShowChooser(new CaptionChooser("FChooseChordMinor", Numbered(nv::library::MinorCaptions()), window()), name,
                b.MinorStyle, [&b](int v) { b.MinorStyle = v; });
  } else if (name == "CBChordMajor") {
    ShowChooser(new CaptionChooser("FChooseChordMajor", Numbered(nv::library::MajorCaptions()), window()), name,
                b.MajorStyle, [&b](int v) { b.MajorStyle = v; });
  } else if (name == "CBChordSus") {
    // "sus2" is not offered: a chord set to it opens with nothing pressed.
    const auto& sus = nv::library::SusCaptions();
    ShowChooser(new CaptionChooser("FChooseChordSus", {{0, Q(sus[0])}, {2, Q(sus[2])}}, window()), name, b.SusStyle,
                [&b](int v) { b.SusStyle = v; });
  } else if (name == "CBChordOmit") {
    ShowChooser(new CaptionChooser("FChooseChordOmit", Numbered(nv::library::OmitCaptions()), window()), name,
                b.OmitStyle, [&b](int v) { b.OmitStyle = v; });
  } else if (name == "CBChordDuration") {
    auto* palette = new nv::dialogs::DurationPalette(window());
    palette->SetCurrent(builder_.Duration);
    palette->SetOnDuration([this](int value) {
      builder_.Duration = value;
      ShowState();
    });
    palette->PlaceUnder(Button(name));
    chooser_ = palette;
    palette->Open();
  } else {
    for (int slot = 0; slot < 5; ++slot) {
      if (name != kAlterationButtons[slot]) continue;
      nv::dialogs::ChordAddChooser::StyleCaptions captions;
      for (int style = 0; style < 4; ++style)
        captions[static_cast<std::size_t>(style)] = {Q(nv::library::AlterationCaption(slot, 1, style)),
                                                     Q(nv::library::AlterationCaption(slot, 2, style))};
      auto* chooser =
          new nv::dialogs::ChordAddChooser(Q(nv::library::AlterationCaption(slot, 0, 0)), captions, window());
      chooser->SetStyle(b.AlterationStyle);
      chooser->OnStyle = [this, &b](int style) {
        b.AlterationStyle = style;
        Changed();
      };
      int& alteration = b.Alteration[static_cast<std::size_t>(slot)];
      ShowChooser(chooser, name, alteration, [&alteration](int v) { alteration = v; });
    }
  }
}

}  // namespace nv::editor
