#pragma once

#include <QColor>
#include <QString>
#include <QVariant>
#include <QtGlobal>

// The rules of the vehicles window that need no window.
namespace tarlok::vehicles {

// The one-line description stored with every save: registration, make and name separated by single
// blanks, then " poj. " and the capacity in decimal without separators ("ABC 1 M N poj. 1200"). The
// field cuts it to its width.
QString description(const QString& registration, const QString& make, const QString& name, qint64 capacity);

// The text colour of a vehicle in a grid: white in a selected or focused cell; otherwise red for a
// vehicle no longer used (Uzywany false), black for one in use, and `text` left as it is when Uzywany
// is empty.
void rowTextColour(const QVariant& used, bool selected, QColor& text);

} // namespace tarlok::vehicles
