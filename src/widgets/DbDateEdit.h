#pragma once

#include "DataLink.h"

#include <QDate>
#include <QDateEdit>

namespace tarlok {

// A date picker in the locale's short date format with a drop-down calendar and an empty state. It
// works free (date(), setDate(), clear()) or bound to a date or timestamp field, where a picked date
// puts the table into edit and is written as a DbEdit's text is.
//
// changed() reports the user's changes only: a date set by code never emits it, so a window's change
// handler does not run again for the date it sets itself.
class DbDateEdit : public QDateEdit, public DbControl {
    Q_OBJECT

public:
    explicit DbDateEdit(QWidget* parent = nullptr);

    void setDataSource(Table* table, const QString& field);
    Table* dataSource() const { return m_link.table(); }
    QString dataField() const { return m_link.field(); }

    // The date shown; an invalid date when empty.
    QDate date() const;
    // Shows `date` (an invalid date empties the picker) without emitting changed(). On a bound picker
    // the date is written into the record as if picked once the table is editing, like
    // DbEdit::setTextSilently.
    void setDate(const QDate& date);
    void clear() override;
    bool isEmpty() const { return !date().isValid(); }

    // The text shown while empty (a blank unless set).
    void setEmptyText(const QString& text);

    void setFlat(bool flat) { setFrame(!flat); }
    bool isFlat() const { return !hasFrame(); }

    bool hasPendingDate() const { return m_link.isModified(); }
    void updateRecord() { m_link.write(); }

signals:
    // The user picked, typed or cleared a date.
    void changed();
    void exited();

protected:
    // Tab leaves the picker, whatever section it is in and also while it is empty: the picker is one
    // stop of Tab (the arrows and typing move between its day, month and year).
    bool focusNextPrevChild(bool next) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void load();
    void showDate(const QDate& date);
    void store();
    void userChanged();

    // Whether the section the cursor is in was typed into since the cursor came to it: a separator
    // typed then ends the section; after a section the picker completed and left by itself, it is
    // passed over ("7.3.2025", "20.12.2025" and "1.1.2025" all give their dates).
    bool separatorTyped(QKeyEvent* event);

    DataLink m_link;
    bool m_showing = false;
    bool m_typedInSection = false;
};

} // namespace tarlok
