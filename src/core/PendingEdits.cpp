#include "PendingEdits.h"

#include "platform/Dialogs.h"
#include "store/Table.h"

#include <QApplication>

namespace tarlok {

void PendingEdits::add(QWidget* window, Table* table, QString message) {
    m_entries.push_back({window, table, std::move(message)});
}

bool PendingEdits::isTyped(const Table& table) {
    if (!table.isActive())
        return false;
    return (table.isEditing() && table.isModified()) || table.hasTypedText();
}

std::optional<PendingEdits::Typing> PendingEdits::typing() const {
    // The first table typed into; of the windows that edit it, the one the user sees on top.
    const Entry* found = nullptr;
    for (const Entry& e : m_entries) {
        if (!e.window || (found && found->table != e.table) || !isTyped(*e.table))
            continue;
        if (!found || isOnTop(*e.window, *found->window))
            found = &e;
    }
    if (!found)
        return std::nullopt;
    return Typing{found->window, found->table,
                  found->message.isEmpty() ? found->table->pendingGuard() : found->message};
}

bool PendingEdits::isOnTop(const QWidget& window, const QWidget& other) {
    if (!window.isVisible())
        return false;
    if (!other.isVisible() || window.isActiveWindow() || QApplication::activeModalWidget() == &window)
        return true;
    // Neither active: the later window was opened over the earlier one.
    return !other.isActiveWindow() && QApplication::activeModalWidget() != &other;
}

bool PendingEdits::refuse(Dialogs& dialogs) const {
    if (const auto typed = typing()) {
        dialogs.message(typed->message);
        if (typed->window->isVisible()) {
            typed->window->raise();
            typed->window->activateWindow();
        }
        return true;
    }
    for (const Entry& e : m_entries) {
        if (e.window && e.table->isActive() && e.table->state() == Table::State::Insert)
            e.table->cancel();
    }
    return false;
}

bool PendingEdits::closeAnyway(Dialogs& dialogs) const {
    const auto typed = typing();
    if (!typed)
        return true;
    const QString text = QStringLiteral("W oknie \"%1\" wprowadzane dane nie zostały zapisane.\n"
                                        "Czy zakończyć pracę z programem bez ich zapisania?")
                             .arg(typed->window->windowTitle().trimmed());
    return dialogs.question(text, QStringLiteral("WYBIERZ"));
}

} // namespace tarlok
