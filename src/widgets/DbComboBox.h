#pragma once

#include "DataLink.h"

#include <QComboBox>
#include <QStringList>

namespace tarlok {

// An editable combo box whose text is bound to a field (an integer field shows "23"). The text is
// independent of the list: rebuilding the list keeps it. Typing or choosing from the list puts the
// table into edit; the text is written as a DbEdit's is.
class DbComboBox : public QComboBox, public DbControl {
    Q_OBJECT

public:
    explicit DbComboBox(QWidget* parent = nullptr);

    void setDataSource(Table* table, const QString& field);
    Table* dataSource() const { return m_link.table(); }
    QString dataField() const { return m_link.field(); }

    void setDisplayPattern(const QString& pattern);
    const QString& displayPattern() const { return m_pattern; }

    // Replaces the list; the text stays as it was.
    void setItems(const QStringList& items);
    QStringList items() const;

    QString text() const { return currentText(); }
    // Gives the box a text by code: no edit is started and changed() is not emitted (see DbEdit).
    void setTextSilently(const QString& text);
    bool hasPendingText() const { return m_link.isModified(); }
    // Writes the pending text into the record now. Throws ConversionError.
    void updateRecord() { m_link.write(); }

    // A read-only box neither takes typing nor opens its list.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    void setFlat(bool flat) { setFrame(!flat); }
    bool isFlat() const { return !hasFrame(); }

    void showPopup() override;

signals:
    // The user typed or chose a text.
    void changed();
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void load();
    void showText(const QString& text);
    void userChanged();

    DataLink m_link;
    QString m_pattern;
    bool m_readOnly = false;
};

} // namespace tarlok
