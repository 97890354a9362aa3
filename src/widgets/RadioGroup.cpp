#include "RadioGroup.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace tarlok {

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this)) {
    m_group->setExclusive(true);
    m_layout->setContentsMargins(6, 2, 6, 2);
    m_layout->setVerticalSpacing(0);
    // The group holds the place in the Tab order; its items take the focus from it and by a click.
    setFocusPolicy(Qt::TabFocus);
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
        b->setFocusPolicy(Qt::ClickFocus);
        b->installEventFilter(this);
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

void RadioGroup::focusInEvent(QFocusEvent* event) {
    QGroupBox::focusInEvent(event);
    if (m_passingOn || m_buttons.isEmpty())
        return;
    QRadioButton* chosen = button(itemIndex());
    (chosen ? chosen : m_buttons.first())->setFocus(event->reason());
}

bool RadioGroup::focusNextPrevChild(bool next) {
    // Tab on an item: the window's order goes on from the group, not from where its items stand.
    if (!hasFocus() && isAncestorOf(focusWidget())) {
        m_passingOn = true;
        setFocus(Qt::OtherFocusReason);
        m_passingOn = false;
    }
    return QGroupBox::focusNextPrevChild(next);
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event) {
    auto* item = qobject_cast<QRadioButton*>(watched);
    if (event->type() != QEvent::KeyPress || !item || !m_buttons.contains(item))
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step(-1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step(1);
        return true;
    default:
        return false;
    }
}

void RadioGroup::step(int by) {
    if (m_buttons.isEmpty())
        return;
    const int from = std::max(0, itemIndex());
    const int to = std::clamp(from + by, 0, int(m_buttons.size()) - 1);
    if (to == itemIndex())
        return;
    m_buttons[to]->setFocus(Qt::TabFocusReason);
    m_buttons[to]->click(); // as the user's click: the window's handler runs
}

QRadioButton* RadioGroup::button(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

} // namespace tarlok
