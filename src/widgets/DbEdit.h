#pragma once

#include "DataLink.h"

#include <QLineEdit>

namespace tarlok {

// A one-line edit box bound to a field of a table. Typing puts the table into edit; what was typed is
// written into the record when the box loses focus, on Enter, and before every post or implicit store.
// An alpha field limits the length of the text to its width.
class DbEdit : public QLineEdit, public DbControl {
    Q_OBJECT

public:
    explicit DbEdit(QWidget* parent = nullptr);

    // Binds the box to `field` of `table` (nullptr unbinds: the box then keeps what it is given).
    void setDataSource(Table* table, const QString& field);
    Table* dataSource() const { return m_link.table(); }
    QString dataField() const { return m_link.field(); }

    // "0.00", "0.0000": the display of a number field; empty for the general format.
    void setDisplayPattern(const QString& pattern);
    const QString& displayPattern() const { return m_pattern; }

    // Typed letters become capitals (registration numbers).
    void setUpperCase(bool on) { m_upperCase = on; }
    bool isUpperCase() const { return m_upperCase; }

    // A flat box has no frame; windows show read-only boxes flat and editable ones raised.
    void setFlat(bool flat) { setFrame(!flat); }
    bool isFlat() const { return !hasFrame(); }

    // Gives the box a text by code: no edit is started and changed() is not emitted. While the table is
    // editing (or once it starts), the text is written into the record as if typed.
    void setTextSilently(const QString& text);
    // True while the box holds a text not yet written into the record.
    bool hasPendingText() const { return m_link.isModified(); }
    // Writes the pending text into the record now. Throws ConversionError for a text of the wrong kind.
    void updateRecord() { m_link.write(); }

signals:
    // The user changed the text.
    void changed();
    void clicked();
    // Focus came in / went out (after the text was written).
    void entered();
    void exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void load();
    void userEdited();

    DataLink m_link;
    QString m_pattern;
    bool m_upperCase = false;
};

} // namespace tarlok
