#include "dialogs/drum_dialogs.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/drum_head_faces.h"
#include "dialogs/logic/drum_map_cells.h"
#include "library/library_store.h"
#include "platform/message_prompt.h"
#include "widgets/char_button.h"
#include "widgets/message_block.h"

namespace nv::dialogs {
namespace {

namespace dm = drum_map;

constexpr int kButtonSide = 26;
constexpr int kDesignedHeight = 150;

std::vector<Choice> DrumChoices(const std::vector<DrumStyleFace>& styles, bool withStandard,
                                const DrumHeadPainter& painter) {
  const dm::PaletteLayout layout = dm::PaletteLayoutOf(static_cast<int>(styles.size()), withStandard);
  std::vector<Choice> choices;
  auto face = [painter](int value) -> FacePainter {
    if (!painter) return {};
    return [painter, value](QPainter& p, const QRect& area) { painter(p, area, value); };
  };
  if (withStandard) {
    Choice standard;
    standard.value = TFChooseDrum::kStandard;
    standard.name = QStringLiteral("SBStandard");
    standard.hint = QStringLiteral("Standard");
    standard.caption = QStringLiteral("Std");
    standard.paint = face(TFChooseDrum::kStandard);
    standard.cell = QPoint(0, 0);
    choices.push_back(std::move(standard));
  }
  for (std::size_t i = 0; i < styles.size(); ++i) {
    Choice choice;
    choice.value = static_cast<int>(i);
    choice.name = QStringLiteral("SBDrum%1").arg(i);
    choice.hint = styles[i].hint;
    choice.caption = styles[i].caption;
    choice.paint = face(static_cast<int>(i));
    const auto& cell = layout.styleCells[i];
    choice.cell = QPoint(cell[0] / (kButtonSide + 1), cell[1] / (kButtonSide + 1));
    choices.push_back(std::move(choice));
  }
  return choices;
}

QSize DrumPaletteSize(int styleCount, bool withStandard) {
  const dm::PaletteLayout layout = dm::PaletteLayoutOf(styleCount, withStandard);
  return {layout.width, layout.height.value_or(kDesignedHeight)};
}

int DrumColumns(int styleCount) { return dm::PaletteLayoutOf(styleCount, false).columns; }

}  // namespace

TFChooseDrum::TFChooseDrum(const std::vector<DrumStyleFace>& styles, bool withStandard, const DrumHeadPainter& painter,
                           QWidget* parent)
    : ChoicePalette(QStringLiteral("FChooseDrum"), QStringLiteral("Drum styles"),
                    DrumPaletteSize(static_cast<int>(styles.size()), withStandard),
                    DrumChoices(styles, withStandard, painter),
                    ChoiceGrid{DrumColumns(static_cast<int>(styles.size())), {kButtonSide + 1, kButtonSide + 1}, {}},
                    parent) {
  // The buttons stand 27 apart and are 26 wide, a pixel of the form between them.
  for (nv::widgets::TECCharButton* button : Buttons()) button->resize(kButtonSide, kButtonSide);
}

std::vector<DrumStyleFace> DrumStyleFaces(nv::library::LibraryStore& library) {
  std::vector<DrumStyleFace> faces;
  for (int i = 0; i < static_cast<int>(library.Drums().size()); ++i) {
    const nv::library::TECDrumDescription* style = LoadedDrumStyle(library, i);
    const auto& listed = *library.Drums()[static_cast<std::size_t>(i)];
    // A style that does not load keeps its place, shown by its file name.
    const std::string caption = style != nullptr && !style->DisplayName.empty() ? style->DisplayName : listed.Name;
    faces.push_back({QString::fromStdString(caption), QString::fromStdString(style != nullptr ? style->Hint : "")});
  }
  return faces;
}

DrumHeadPainter HeadPainterOf(const DrumMapServices& services) {
  return services.HeadPainter ? services.HeadPainter : LibraryDrumHeads(services.Library);
}

DrumMapGrid::HeadChooser DrumHeadChooser(const DrumMapServices& services, QWidget* owner) {
  return [services, owner](const QRect& cell, int current, std::function<void(int)> chosen) {
    const std::vector<DrumStyleFace> faces =
        services.Library != nullptr ? DrumStyleFaces(*services.Library) : std::vector<DrumStyleFace>{};
    auto* palette = new TFChooseDrum(faces, true, HeadPainterOf(services));
    palette->PlaceUnderRect(cell, owner, PalettePlacement::GridCell);
    palette->SetCurrent(current);
    const QPointer<QWidget> alive(owner);
    palette->SetOnSelect([alive, chosen = std::move(chosen)](ChoicePalette&, int value) {
      if (alive) chosen(value);
    });
    palette->Open();
  };
}

TFDrumMap::TFDrumMap(const DrumMapServices& services)
    : DialogFrame({QStringLiteral("FDrumMap"), {330, 420}, "DrumMap", BoundsMode::Position, {}, 0}, services.Settings,
                  services.Parent),
      services_(services) {
  setWindowTitle(QStringLiteral("Drum map"));
  grid_ = new DrumMapGrid(this);
  grid_->setObjectName(QStringLiteral("SGDrumMap"));
  grid_->SetHeadPainter(HeadPainterOf(services));
  grid_->SetHeadChooser(DrumHeadChooser(services, this));
  if (services.Library != nullptr) grid_->SetEntries(services.Library->LoadDrumMap());

  save_ = new QPushButton(QStringLiteral("Save"), this);
  save_->setObjectName(QStringLiteral("BBSave"));
  test_ = new QPushButton(QStringLiteral("Test"), this);
  test_->setObjectName(QStringLiteral("BBTest"));
  QPushButton* cancel = MakeCancelButton(this);
  connect(save_, &QPushButton::clicked, this, [this] { Save(); });
  connect(test_, &QPushButton::clicked, this, [this] { Test(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save_);
  buttons->addWidget(test_);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  Translate();
}

bool TFDrumMap::Save() {
  if (services_.Library == nullptr) return false;
  try {
    // A failed write reaches the program's message box through the library.
    return services_.Library->SaveDrumMap(grid_->Entries());
  } catch (const nv::library::EDrumMapError& error) {
    nv::widgets::CurrentMessagePrompt().ShowMessageBlock(windowTitle().toStdString(), error.what(),
                                                         nv::platform::message_kind::kWarning,
                                                         nv::platform::message_button::kOk);
    return false;
  }
}

void TFDrumMap::Test() {
  const int row = grid_->CurrentRow();
  if (row < 1 || row > dm::kRowCount || !services_.TestSound) return;
  services_.TestSound(dm::PitchOfRow(row));
}

}  // namespace nv::dialogs
