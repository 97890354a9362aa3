#include "DbDateEdit.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>

namespace tarlok {

namespace {
// The picker's lowest date stands for "no date": it shows the empty text.
const QDate kEmpty(1752, 9, 14);
} // namespace

DbDateEdit::DbDateEdit(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    setMinimumDate(kEmpty);
    setSpecialValueText(QStringLiteral(" "));
    showDate(QDate());
    m_link.load = [this] {
        load();
    };
    m_link.store = [this] {
        store();
    };
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!m_showing)
            userChanged();
    });
}

void DbDateEdit::setDataSource(Table* table, const QString& field) {
    m_link.bind(table, field);
}

QDate DbDateEdit::date() const {
    const QDate shown = QDateEdit::date();
    return shown <= kEmpty ? QDate() : shown;
}

void DbDateEdit::showDate(const QDate& date) {
    m_showing = true;
    QDateEdit::setDate(date.isValid() && date > kEmpty ? date : kEmpty);
    m_showing = false;
}

void DbDateEdit::setDate(const QDate& date) {
    showDate(date);
    if (m_link.table())
        m_link.setModified(true);
}

void DbDateEdit::clear() {
    setDate(QDate());
}

void DbDateEdit::setEmptyText(const QString& text) {
    setSpecialValueText(text.isEmpty() ? QStringLiteral(" ") : text);
}

void DbDateEdit::load() {
    const QVariant value = m_link.value();
    showDate(value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate());
}

void DbDateEdit::store() {
    const QDate picked = date();
    const FieldDef* def = m_link.fieldDef();
    if (def && def->type == FieldType::Timestamp && picked.isValid()) {
        // A timestamp keeps its time of day.
        const QVariant old = m_link.value();
        const QTime time = old.typeId() == QMetaType::QDateTime ? old.toDateTime().time() : QTime(0, 0);
        m_link.writeValue(QDateTime(picked, time));
        return;
    }
    m_link.writeValue(picked.isValid() ? QVariant(picked) : QVariant());
}

void DbDateEdit::userChanged() {
    if (beginUserChange(m_link))
        emit changed();
}

bool DbDateEdit::focusNextPrevChild(bool next) {
    return QAbstractSpinBox::focusNextPrevChild(next);
}

void DbDateEdit::focusOutEvent(QFocusEvent* event) {
    m_typedInSection = false;
    QDateEdit::focusOutEvent(event);
    if (leftByUser(m_link, event))
        emit exited();
}

void DbDateEdit::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly()) {
        QDateEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        guarded([this] { m_link.write(); });
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        // Erasing the whole text empties the picker.
        if (!isEmpty() && lineEdit()->selectedText() == lineEdit()->text()) {
            showDate(QDate());
            userChanged();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (isEmpty()) {
            // Stepping from no date starts at today.
            showDate(QDate::currentDate());
            userChanged();
            event->accept();
            return;
        }
        break;
    default:
        if (separatorTyped(event))
            return;
        if (isEmpty() && !event->text().isEmpty() && event->text().at(0).isDigit()) {
            // Typing into an empty picker starts from today's date with the typed digits.
            showDate(QDate::currentDate());
            setSelectedSection(sectionAt(0));
        }
        if (!event->text().isEmpty() && event->text().at(0).isDigit()) {
            const int section = currentSectionIndex();
            QDateEdit::keyPressEvent(event);
            m_typedInSection = currentSectionIndex() == section;
            return;
        }
        break;
    }
    m_typedInSection = false;
    QDateEdit::keyPressEvent(event);
}

bool DbDateEdit::separatorTyped(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint() || text.at(0).isLetterOrNumber() || text.at(0).isSpace() ||
        isEmpty())
        return false;
    // Qt would take the separator for Tab, and Tab leaves the picker.
    if (m_typedInSection && currentSectionIndex() + 1 < sectionCount()) {
        setCurrentSectionIndex(currentSectionIndex() + 1);
        setSelectedSection(currentSection());
    }
    m_typedInSection = false;
    event->accept();
    return true;
}

void DbDateEdit::mousePressEvent(QMouseEvent* event) {
    if (isReadOnly()) {
        event->accept();
        return;
    }
    m_typedInSection = false;
    QDateEdit::mousePressEvent(event);
    if (isEmpty() && calendarWidget()) {
        const QDate today = QDate::currentDate();
        calendarWidget()->setCurrentPage(today.year(), today.month());
    }
}

} // namespace tarlok
