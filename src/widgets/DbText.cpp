#include "DbText.h"

namespace tarlok {

DbText::DbText(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    m_link.load = [this] {
        load();
    };
}

void DbText::setDataSource(Table* table, const QString& field) {
    m_link.bind(table, field);
}

void DbText::setDisplayPattern(const QString& pattern) {
    m_pattern = pattern;
    if (m_link.table())
        load();
}

void DbText::setFlat(bool flat) {
    if (flat)
        setFrameStyle(QFrame::NoFrame);
    else
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

void DbText::load() {
    const FieldDef* def = m_link.fieldDef();
    setText(def ? fieldText(*def, m_link.value(), m_pattern) : QString());
}

} // namespace tarlok
