#include "DbMemo.h"

#include <QFocusEvent>

namespace tarlok {

DbMemo::DbMemo(QWidget* parent) : QPlainTextEdit(parent) {
    m_link.load = [this] {
        load();
    };
    m_link.store = [this] {
        m_link.writeText(toPlainText());
    };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            userEdited();
    });
}

void DbMemo::setDataSource(Table* table, const QString& field) {
    m_link.bind(table, field);
}

void DbMemo::showText(const QString& text) {
    if (text == toPlainText())
        return;
    m_showing = true;
    setPlainText(text);
    m_showing = false;
}

void DbMemo::load() {
    const FieldDef* def = m_link.fieldDef();
    showText(def ? fieldText(*def, m_link.value()) : QString());
}

void DbMemo::setTextSilently(const QString& text) {
    showText(text);
    if (m_link.table())
        m_link.setModified(true);
}

void DbMemo::userEdited() {
    if (isReadOnly())
        return;
    if (beginUserChange(m_link))
        emit changed();
}

void DbMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (leftByUser(m_link, event))
        emit exited();
}

} // namespace tarlok
