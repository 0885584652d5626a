#pragma once

#include <QObject>
#include <QString>

namespace nv::widgets {

// A control with indexed items that the language file addresses as
// "Control.items[i].property" (tabs, status panels, columns): each item is an
// object whose properties the file sets.
class ECItemCollection {
 public:
  virtual ~ECItemCollection() = default;
  // Item `index` (0 or more) of the collection `name`; null for no such
  // collection or an index past its end.
  virtual QObject* CollectionItem(const QString& name, int index) = 0;
};

}  // namespace nv::widgets
