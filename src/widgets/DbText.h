#pragma once

#include "DataLink.h"

#include <QLabel>

namespace tarlok {

// A label showing a field of the current record; it never edits.
class DbText : public QLabel {
    Q_OBJECT

public:
    explicit DbText(QWidget* parent = nullptr);

    void setDataSource(Table* table, const QString& field);
    Table* dataSource() const { return m_link.table(); }
    QString dataField() const { return m_link.field(); }

    void setDisplayPattern(const QString& pattern);
    const QString& displayPattern() const { return m_pattern; }

    // A flat label has no frame (the default); a raised one a sunken panel.
    void setFlat(bool flat);
    bool isFlat() const { return frameShape() == QFrame::NoFrame; }

private:
    void load();

    DataLink m_link;
    QString m_pattern;
};

} // namespace tarlok
