// Shows the fields with their pop-ups open, a property view laid out like
// the tracks grid and a string grid laid out like the drum map.
// field_gallery [--shot <folder>]: saves fields.png, tracks.png, drums.png.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "sample_grids.h"
#include "widgets/popup_window.h"
#include "widgets/property_view.h"
#include "widgets/string_grid.h"
#include "widgets/typed_editor.h"
#include "widgets/widget_font.h"

using namespace nv::widgets;

namespace {

TECEditor* Field(QDialog& dialog, const char* caption, int x, int y, int width) {
  auto* label = new QLabel(caption, &dialog);
  label->setGeometry(x, y - 16, width, 14);
  auto* field = new TECEditor(&dialog);
  field->setGeometry(x, y, width, 21);
  return field;
}

void Fields(QDialog& dialog, std::vector<TECEditor*>& fields) {
  dialog.setWindowTitle("Fields");
  dialog.setFont(DialogFont());
  dialog.setGeometry(40, 40, 700, 230);
  TECEditor* list = Field(dialog, "Kind", 12, 28, 110);
  list->SetEditType(etString);
  list->SetEditStyle(esDropDownList);
  list->SetDropDownList({"Inscription", "Dinamic", "Tempo"});
  list->SetValue(std::string("Tempo"));
  TECEditor* tempo = Field(dialog, "Tempo", 150, 28, 100);
  tempo->SetValue(120);
  TECEditor* date = Field(dialog, "Date", 400, 28, 110);
  date->SetEditType(etDate);
  date->SetValue(Date{2024, 9, 17});
  TECEditor* time = Field(dialog, "Time", 570, 28, 90);
  time->SetEditType(etTime);
  time->SetValue(TimeOfDay{10, 45, 30});
  fields = {list, tempo, date, time};
}

void Tracks(QDialog& dialog) {
  dialog.setWindowTitle("Tracks");
  dialog.setFont(DialogFont());
  dialog.setGeometry(40, 320, 300, 180);
  auto* view = new TECPropertyView(&dialog);
  view->setGeometry(8, 8, 284, 164);
  PropertyTree& tree = view->Tree();
  sample_grids::SetTracksColumns(tree, esEllipsis);
  const char* staves[] = {"Grand piano", "Acoustic guitar with a long name"};
  int channel = 1;
  for (const char* name : staves) {
    PropertyNode& staff = tree.AddNode(nullptr, name);
    for (const char* row : {"Upper voice", "Lower voice"}) {
      PropertyNode& node = tree.AddNode(&staff, row);
      tree.SetValue(node, 0, 1);
      tree.SetValue(node, 1, channel++);
      tree.SetValue(node, 2, channel == 3);
      tree.SetValue(node, 3, 100);
      tree.SetValue(node, 4, 64);
    }
  }
  tree.SetExpanded(*tree.NodeByRow(4), false);
  view->Refresh();
  view->SetCurrentCell(4, 2);
  view->setFocus();
}

void Drums(QDialog& dialog) {
  dialog.setWindowTitle("Drum map");
  dialog.setFont(DialogFont());
  dialog.setGeometry(380, 320, 330, 180);
  auto* grid = new TECStringGrid(&dialog);
  grid->setGeometry(8, 8, 314, 164);
  grid->SetColumns(sample_grids::DrumMapColumns());
  const char* drums[][3] = {{"35", "Acoustic Bass Drum", "-3"}, {"36", "Bass Drum 1", "-3"},
                            {"38", "Acoustic Snare", "1"},      {"42", "Closed Hi-Hat", "5"},
                            {"46", "Open Hi-Hat", "5"},         {"49", "Crash Cymbal 1", "6"}};
  grid->SetRowCount(7);
  for (int r = 0; r < 6; ++r) {
    grid->SetCell(0, r + 1, drums[r][0]);
    grid->SetCell(1, r + 1, drums[r][1]);
    grid->SetCell(2, r + 1, QString::number(r % 3));
    grid->SetCell(3, r + 1, drums[r][2]);
    grid->SetCell(4, r + 1, r % 2 ? "1" : "0");
  }
  // The owner draws the note heads, the staff positions and the use marks.
  grid->onDrawCell = [grid](QPainter& painter, int column, int row, const QRect& rect) {
    painter.fillRect(rect, Qt::white);
    painter.setPen(Qt::black);
    const QString cell = grid->Cell(column, row);
    const QPoint centre = rect.center();
    if (column == 2) {
      painter.setBrush(cell == "1" ? Qt::NoBrush : QBrush(Qt::black));
      if (cell == "2") {
        painter.drawLine(centre + QPoint(-4, -3), centre + QPoint(4, 3));
        painter.drawLine(centre + QPoint(-4, 3), centre + QPoint(4, -3));
      } else {
        painter.drawEllipse(centre, 4, 3);
      }
    } else if (column == 3) {
      painter.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, cell);
    } else if (column == 4 && cell == "1") {
      painter.drawLine(centre + QPoint(-4, 0), centre + QPoint(-1, 3));
      painter.drawLine(centre + QPoint(-1, 3), centre + QPoint(4, -3));
    }
  };
  grid->SetCurrentCell(3, 3);
}

void Shoot(const QString& folder, const QString& name, const QList<QWidget*>& windows) {
  QRect area;
  for (QWidget* window : windows) area |= window->frameGeometry();
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x() - 4, area.y() - 4,
                                                                    area.width() + 8, area.height() + 8);
  shot.save(QDir(folder).filePath(name));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  const int shotAt = arguments.indexOf("--shot");
  const QString folder = shotAt >= 0 && shotAt + 1 < arguments.size() ? arguments[shotAt + 1] : QString();

  QDialog fields, tracks, drums;
  std::vector<TECEditor*> editors;
  Fields(fields, editors);
  Tracks(tracks);
  Drums(drums);
  fields.show();
  tracks.show();
  drums.show();
  QTimer::singleShot(500, [&] {
    fields.activateWindow();
    for (TECEditor* editor : editors) editor->DropDown();
  });
  if (folder.isEmpty()) return app.exec();
  QTimer::singleShot(1500, [&] {
    QList<QWidget*> open{&fields};
    for (TECEditor* editor : editors)
      if (editor->ActiveDropDown()) open << editor->ActiveDropDown();
    Shoot(folder, "fields.png", open);
    Shoot(folder, "tracks.png", {&tracks});
    Shoot(folder, "drums.png", {&drums});
    app.quit();
  });
  return app.exec();
}
