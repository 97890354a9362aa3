#include "DbComboBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace tarlok {

DbComboBox::DbComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    m_link.load = [this] {
        load();
    };
    m_link.store = [this] {
        m_link.writeText(currentText());
    };
    connect(lineEdit(), &QLineEdit::textEdited, this, &DbComboBox::userChanged);
    connect(this, &QComboBox::activated, this, &DbComboBox::userChanged);
    connect(lineEdit(), &QLineEdit::returnPressed, this, [this] { guarded([this] { m_link.write(); }); });
}

void DbComboBox::setDataSource(Table* table, const QString& field) {
    m_link.bind(table, field);
}

void DbComboBox::setDisplayPattern(const QString& pattern) {
    m_pattern = pattern;
    if (m_link.table() && !m_link.isModified())
        load();
}

void DbComboBox::showText(const QString& text) {
    const QSignalBlocker blocker(this);
    setEditText(text);
}

void DbComboBox::setItems(const QStringList& items) {
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(findText(text, Qt::MatchExactly));
    setEditText(text);
}

QStringList DbComboBox::items() const {
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

void DbComboBox::load() {
    const FieldDef* def = m_link.fieldDef();
    showText(def ? fieldText(*def, m_link.value(), m_pattern) : QString());
}

void DbComboBox::setTextSilently(const QString& text) {
    showText(text);
    if (m_link.table())
        m_link.setModified(true);
}

void DbComboBox::userChanged() {
    if (m_readOnly)
        return;
    if (beginUserChange(m_link))
        emit changed();
}

void DbComboBox::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    if (lineEdit())
        lineEdit()->setReadOnly(readOnly);
}

void DbComboBox::showPopup() {
    if (!m_readOnly)
        QComboBox::showPopup();
}

void DbComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (leftByUser(m_link, event))
        emit exited();
}

void DbComboBox::keyPressEvent(QKeyEvent* event) {
    if (m_readOnly) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_F4:
            event->ignore();
            return;
        default:
            break;
        }
    }
    QComboBox::keyPressEvent(event);
}

void DbComboBox::wheelEvent(QWheelEvent* event) {
    if (m_readOnly) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace tarlok
