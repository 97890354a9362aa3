#include "DbCheckBox.h"

#include <QSignalBlocker>

namespace tarlok {

DbCheckBox::DbCheckBox(QWidget* parent) : DbCheckBox(QString(), parent) {
}

DbCheckBox::DbCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    m_link.load = [this] {
        load();
    };
    connect(this, &QAbstractButton::clicked, this, &DbCheckBox::userClicked);
}

void DbCheckBox::setDataSource(Table* table, const QString& field) {
    m_link.bind(table, field);
}

void DbCheckBox::setValues(const QVariant& ticked, const QVariant& unticked) {
    m_ticked = ticked;
    m_unticked = unticked;
    if (m_link.table())
        load();
}

bool DbCheckBox::isTicked(const QVariant& value) const {
    if (value.isNull())
        return false;
    QVariant ticked = m_ticked;
    if (const FieldDef* def = m_link.fieldDef()) {
        try {
            ticked = Table::normalise(*def, m_ticked, QString());
        } catch (const Error&) {
            return false; // a ticked value the field cannot hold is never stored
        }
    }
    return value == ticked;
}

void DbCheckBox::load() {
    const QSignalBlocker blocker(this);
    setChecked(isTicked(m_link.value()));
}

void DbCheckBox::nextCheckState() {
    if (!m_readOnly)
        QCheckBox::nextCheckState();
}

void DbCheckBox::userClicked() {
    if (m_readOnly)
        return;
    if (m_link.table()) {
        const bool ticked = isChecked();
        bool written = false;
        guarded([&] {
            if (m_link.startEdit()) {
                m_link.writeValue(ticked ? m_ticked : m_unticked);
                written = true;
            }
        });
        if (!written) {
            m_link.reload(); // refused, or the table is closed: show what is stored
            return;
        }
    }
    emit changed();
}

} // namespace tarlok
