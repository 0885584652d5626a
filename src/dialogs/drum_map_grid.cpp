#include "dialogs/drum_map_grid.h"

#include <QPainter>
#include <QPolygon>

#include "dialogs/logic/drum_map_cells.h"
#include "dialogs/logic/staff_names.h"

namespace nv::dialogs {
namespace {

namespace dm = drum_map;
using nv::library::DrumMapEntry;
using nv::library::DrumMapFile;

std::string Trimmed(const QString& text) { return text.trimmed().toStdString(); }

}  // namespace

DrumMapGrid::DrumMapGrid(QWidget* parent) : TECStringGrid(parent) {
  using nv::widgets::StringColumn;
  SetColumns({StringColumn{"Pitch", 32, nv::widgets::etString, nv::widgets::esReadOnly, {}, true},
              StringColumn{"Name", 128, nv::widgets::etString, nv::widgets::esEdit, {}, true},
              StringColumn{"Head", 36, nv::widgets::etInteger, nv::widgets::esEllipsis, {}, false},
              StringColumn{"Pos", 36, nv::widgets::etInteger, nv::widgets::esUpDown, {}, false},
              StringColumn{"Use", 36, nv::widgets::etInteger, nv::widgets::esReadOnly, {}, false}});
  // Tall enough for the position's staff: five lines 4 apart from 3 down.
  defaultRowHeight = 24;
  SetRowCount(dm::kRowCount + 1);
  for (int row = 1; row <= dm::kRowCount; ++row)
    SetCell(dm::kPitch, row, QString::fromStdString(PitchName(dm::PitchOfRow(row))));
  SetEntries(DrumMapFile{});
  onDrawCell = [this](QPainter& painter, int column, int row, const QRect& rect) {
    DrawCell(painter, column, row, rect);
  };
  onEditButtonClick = [this] { ChooseHead(); };
}

void DrumMapGrid::SetEntries(const DrumMapFile& map) {
  for (int row = 1; row <= dm::kRowCount; ++row) {
    const DrumMapEntry& entry = map.Entry(dm::PitchOfRow(row));
    SetCell(dm::kName, row, QString::fromStdString(entry.Name));
    SetCell(dm::kHead, row, QString::number(entry.Head));
    SetCell(dm::kPos, row, QString::number(entry.Pos));
    SetCell(dm::kUse, row, entry.Use ? QStringLiteral("1") : QStringLiteral("0"));
  }
  update();
}

DrumMapFile DrumMapGrid::Entries() const {
  DrumMapFile map;
  for (int row = 1; row <= dm::kRowCount; ++row) {
    DrumMapEntry& entry = map.Entry(dm::PitchOfRow(row));
    entry.Name = Trimmed(Cell(dm::kName, row));
    entry.Head = dm::CellNumber(Trimmed(Cell(dm::kHead, row)), dm::kStandardHead);
    entry.Pos = dm::CellNumber(Trimmed(Cell(dm::kPos, row)), dm::kMiddleLine);
    entry.Use = Trimmed(Cell(dm::kUse, row)) == "1";
  }
  return map;
}

bool DrumMapGrid::AcceptsCellChar(int column, int row, char c) const {
  if (column == dm::kName && !dm::NameAcceptsChar(c)) return false;
  return TECStringGrid::AcceptsCellChar(column, row, c);
}

void DrumMapGrid::CellPressed(int column, int row, const QPoint& point, bool doubleClick) {
  TECStringGrid::CellPressed(column, row, point, doubleClick);
  if (column != dm::kUse || row < 1) return;
  SetCell(dm::kUse, row, QString::fromStdString(dm::ToggledUse(Cell(dm::kUse, row).toStdString())));
  update();
}

void DrumMapGrid::ChooseHead() {
  const int row = CurrentRow();
  if (CurrentColumn() != dm::kHead || row < 1 || !headChooser_) return;
  const QRect cell = CellRect(dm::kHead, row);
  const QRect onScreen(mapToGlobal(cell.topLeft()), cell.size());
  headChooser_(onScreen, dm::CellNumber(Trimmed(Cell(dm::kHead, row)), 0), [this, row](int head) {
    SetCell(dm::kHead, row, QString::number(head));
    update();
  });
}

void DrumMapGrid::DrawCell(QPainter& painter, int column, int row, const QRect& rect) const {
  if (row < 1) return;
  const std::string text = Trimmed(Cell(column, row));
  painter.save();
  painter.setPen(Qt::black);
  switch (column) {
    case dm::kHead: {
      // A head that is no number draws as style 0.
      const int head = dm::CellNumber(text, 0);
      const QRect area = rect.translated(-4, -2);
      if (headPainter_)
        headPainter_(painter, area, head);
      else
        painter.drawText(rect, Qt::AlignCenter, QString::number(head));
      break;
    }
    case dm::kPos: {
      const dm::PosPicture picture = dm::PosPictureOf(dm::CellNumber(text, dm::kMiddleLine));
      for (const dm::StaffLine& line : picture.lines)
        painter.drawLine(rect.left() + line.x1, rect.top() + line.y, rect.left() + line.x2, rect.top() + line.y);
      painter.setBrush(Qt::black);
      painter.drawEllipse(QRect(rect.left() + 6, rect.top() + picture.headY - 2, 4, 5));
      break;
    }
    case dm::kUse: {
      const QRect box(rect.left() + (rect.width() - 12) / 2, rect.top() + (rect.height() - 12) / 2, 12, 12);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(box.adjusted(0, 0, -1, -1));
      if (text == "1") {
        QPolygon mark;
        for (const auto& point : dm::CheckMarkOf(rect.left(), rect.right(), rect.top())) mark << QPoint(point[0], point[1]);
        painter.setBrush(Qt::black);
        painter.drawPolygon(mark);
      }
      break;
    }
    default: break;
  }
  painter.restore();
}

}  // namespace nv::dialogs
