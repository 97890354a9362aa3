#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace tarlok {

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this)) {
    m_group->setExclusive(true);
    m_layout->setContentsMargins(6, 2, 6, 2);
    m_layout->setVerticalSpacing(0);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int) { emit clicked(); });
}

void RadioGroup::setItems(const QStringList& items) {
    m_items = items;
    rebuild();
}

void RadioGroup::setColumns(int columns) {
    m_columns = std::max(1, columns);
    rebuild();
}

void RadioGroup::rebuild() {
    const int chosen = itemIndex() >= 0 ? itemIndex() : m_wanted;
    for (QRadioButton* b : std::as_const(m_buttons)) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    const int rows = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* b = new QRadioButton(m_items[i], this);
        m_group->addButton(b, i);
        // Items run down the first column, then the next.
        m_layout->addWidget(b, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
        m_buttons.append(b);
    }
    setItemIndex(chosen);
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    m_wanted = index;
    const QSignalBlocker block(m_group);
    if (index < 0 || index >= m_buttons.size()) {
        m_group->setExclusive(false);
        for (QRadioButton* b : std::as_const(m_buttons))
            b->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    m_buttons[index]->setChecked(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

} // namespace tarlok
