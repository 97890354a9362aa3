#include "DbNavigator.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QToolButton>

namespace tarlok {

namespace {

struct ButtonFace {
    const char* name;
    const char* glyph;
};

constexpr ButtonFace kFaces[DbNavigator::kButtonCount] = {
    {"first", "|\u25C0"}, {"prior", "\u25C0"},   {"next", "\u25B6"}, {"last", "\u25B6|"},
    {"insert", "+"},      {"delete", "\u2212"},  {"edit", "\u25B2"}, {"post", "\u2714"},
    {"cancel", "\u2716"}, {"refresh", "\u21BB"},
};

} // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kButtonCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(kFaces[i].name));
        button->setText(QString::fromUtf8(kFaces[i].glyph));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        const auto which = Button(i);
        connect(button, &QToolButton::clicked, this, [this, which] { click(which); });
        layout->addWidget(button);
        m_buttons[size_t(i)] = button;
    }
    m_insertKey = new QShortcut(QKeySequence(Qt::Key_Insert), this);
    connect(m_insertKey, &QShortcut::activated, this, [this] { click(Button::Insert); });
    m_postKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(m_postKey, &QShortcut::activated, this, [this] { click(Button::Post); });
    m_cancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(m_cancelKey, &QShortcut::activated, this, [this] { click(Button::Cancel); });
    m_link.onChange = [this](DataLink::Change, int) {
        updateButtons();
    };
    updateButtons();
}

void DbNavigator::setDataSource(Table* table) {
    m_link.bind(table);
}

void DbNavigator::setHints(const QStringList& hints) {
    for (int i = 0; i < kButtonCount; ++i) {
        const QString hint = hints.value(i);
        m_buttons[size_t(i)]->setToolTip(hint);
        m_buttons[size_t(i)]->setStatusTip(hint);
    }
}

void DbNavigator::click(Button which) {
    if (!m_buttons[size_t(which)]->isEnabled())
        return;
    run(which);
    updateButtons();
    emit buttonClicked(which);
}

void DbNavigator::run(Button which) {
    Table* table = m_link.table();
    if (!table)
        return;
    guarded([&] {
        const bool writes = which == Button::Insert || which == Button::Delete || which == Button::Edit;
        if (writes && table->isBrowseOnly())
            throw EngineError(table->browseOnlyMessage());
        switch (which) {
        case Button::First:
            table->first();
            break;
        case Button::Prior:
            table->prior();
            break;
        case Button::Next:
            table->next();
            break;
        case Button::Last:
            table->last();
            break;
        case Button::Insert:
            table->insert();
            break;
        case Button::Delete:
            if (!m_confirmDelete || m_confirmDelete())
                table->deleteRecord();
            break;
        case Button::Edit:
            table->edit();
            break;
        case Button::Post:
            table->post();
            break;
        case Button::Cancel:
            table->cancel();
            break;
        case Button::Refresh:
            table->refresh();
            break;
        }
    });
}

void DbNavigator::updateButtons() {
    Table* table = m_link.table();
    const bool active = table && table->isActive();
    const bool editing = active && table->isEditing();
    const int row = active ? table->recNo() : -1;
    const int rows = active ? table->displayRowCount() : 0;
    const bool back = active && row > 0;
    const bool forward = active && row >= 0 && row < rows - 1;
    const std::array<bool, kButtonCount> enabled = {
        back,    back,    forward, forward, active, active && !table->isEmpty(), active && !editing,
        editing, editing, active,
    };
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[size_t(i)]->setEnabled(enabled[size_t(i)]);
    m_insertKey->setEnabled(enabled[size_t(Button::Insert)]);
    m_postKey->setEnabled(editing);
    m_cancelKey->setEnabled(editing);
}

} // namespace tarlok
