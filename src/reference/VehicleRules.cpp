#include "VehicleRules.h"

namespace tarlok::vehicles {

QString description(const QString& registration, const QString& make, const QString& name, qint64 capacity) {
    return registration + QLatin1Char(' ') + make + QLatin1Char(' ') + name + QStringLiteral(" poj. ") +
           QString::number(capacity);
}

void rowTextColour(const QVariant& used, bool selected, QColor& text) {
    if (selected) {
        text = Qt::white;
        return;
    }
    if (used.isNull())
        return;
    text = used.toBool() ? QColor(Qt::black) : QColor(Qt::red);
}

} // namespace tarlok::vehicles
