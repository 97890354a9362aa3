#include "DbEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tarlok {

namespace {
constexpr int kDefaultMaxLength = 32767;
}

DbEdit::DbEdit(QWidget* parent) : QLineEdit(parent) {
    m_link.load = [this] {
        load();
    };
    m_link.store = [this] {
        m_link.writeText(text());
    };
    connect(this, &QLineEdit::textEdited, this, &DbEdit::userEdited);
}

void DbEdit::setDataSource(Table* table, const QString& field) {
    m_link.bind(table, field);
}

void DbEdit::setDisplayPattern(const QString& pattern) {
    m_pattern = pattern;
    if (m_link.table() && !m_link.isModified())
        load();
}

void DbEdit::load() {
    if (!m_link.table()) {
        setMaxLength(kDefaultMaxLength);
        clear();
        return;
    }
    const FieldDef* def = m_link.fieldDef();
    setMaxLength(def && def->type == FieldType::Alpha && def->size > 0 ? def->size : kDefaultMaxLength);
    setText(def ? fieldText(*def, m_link.value(), m_pattern) : QString());
}

void DbEdit::setTextSilently(const QString& text) {
    setText(m_upperCase ? text.toUpper() : text);
    if (m_link.table())
        m_link.setModified(true);
}

void DbEdit::userEdited() {
    if (m_upperCase) {
        const QString upper = text().toUpper();
        if (upper != text()) {
            const int position = cursorPosition();
            setText(upper);
            setCursorPosition(position);
        }
    }
    if (beginUserChange(m_link))
        emit changed();
}

void DbEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (focusMovedByUser(event))
        emit entered();
}

void DbEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (leftByUser(m_link, event))
        emit exited();
}

void DbEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        guarded([this] { m_link.write(); });
    QLineEdit::keyPressEvent(event);
}

void DbEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace tarlok
