#include "widgets/language_property.h"

#include <QFont>
#include <QMetaProperty>
#include <QStringList>
#include <QVariant>

#include "platform/font_faces.h"
#include "widgets/item_collection.h"

namespace nv::widgets {

namespace {

struct Segment {
  QString name;
  bool indexed = false;
  int index = -1;
};

std::optional<Segment> ParseSegment(const QString& text) {
  Segment segment;
  const qsizetype open = text.indexOf('[');
  if (open < 0) {
    segment.name = text;
    return segment;
  }
  if (!text.endsWith(']')) return std::nullopt;
  bool ok = false;
  segment.index = text.mid(open + 1, text.size() - open - 2).toInt(&ok);
  if (!ok) return std::nullopt;
  segment.name = text.left(open);
  segment.indexed = true;
  return segment;
}

QVariant ValueFor(const QMetaProperty& property, const platform::LanguageEntry& entry) {
  const int type = property.metaType().id();
  switch (entry.kind) {
    case 1:
    case 10:
      if (type == QMetaType::QString) return QString::fromStdString(entry.text);
      break;
    case 2:
      if (type == QMetaType::QStringList) {
        QStringList lines;
        for (const auto& line : entry.lines) lines << QString::fromStdString(line);
        return lines;
      }
      break;
    case 3:
      if (type == QMetaType::QFont) {
        QFont font;  // the other attributes from a fresh default font
        font.setFamily(QString::fromStdString(platform::substituteFace(entry.text)));
        if (entry.pointSize > 0) font.setPointSize(entry.pointSize);
        return font;
      }
      break;
    default:
      break;
  }
  return {};
}

}  // namespace

bool ApplyLanguageEntry(QObject* form, const platform::LanguageEntry& entry) {
  const QStringList segments = QString::fromStdString(entry.path).split('.');
  QObject* current = form;
  for (qsizetype i = 0; i < segments.size(); ++i) {
    const auto segment = ParseSegment(segments[i]);
    if (!segment || segment->name.isEmpty()) return false;
    const bool last = i + 1 == segments.size();
    if (last) {
      if (segment->indexed) return false;
      const QMetaObject* meta = current->metaObject();
      const int at = meta->indexOfProperty(segment->name.toUtf8().constData());
      if (at < 0) return false;
      const QMetaProperty property = meta->property(at);
      const QVariant value = ValueFor(property, entry);
      return value.isValid() && property.isWritable() && property.write(current, value);
    }
    if (segment->indexed) {
      auto* collection = dynamic_cast<ECItemCollection*>(current);
      if (!collection || segment->index < 0) return false;
      current = collection->CollectionItem(segment->name, segment->index);
    } else if (current == form) {
      current = form->findChild<QObject*>(segment->name);
    } else {
      const QMetaObject* meta = current->metaObject();
      const int at = meta->indexOfProperty(segment->name.toUtf8().constData());
      current = at >= 0 ? meta->property(at).read(current).value<QObject*>() : nullptr;
    }
    if (!current) return false;
  }
  return false;
}

}  // namespace nv::widgets
