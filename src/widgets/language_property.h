#pragma once

#include <QObject>

#include "platform/language_image.h"

namespace nv::widgets {

// Applies one entry of a language file to the form's objects. The path's
// first segment names a descendant of the form by objectName (a one-segment
// path names a property of the form itself), "name[i]" continues with item i
// of a collection (ECItemCollection), and the last segment names a Qt
// property: a QString takes kinds 1 and 10, a QStringList kind 2, a QFont
// kind 3 (face through the font-face mapping, size in points, character set
// ignored). A missing object or property, a kind that does not fit the
// property, and an index past the end change nothing. Returns whether a
// property was written.
bool ApplyLanguageEntry(QObject* form, const platform::LanguageEntry& entry);

}  // namespace nv::widgets
