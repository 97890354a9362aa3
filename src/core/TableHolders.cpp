#include "TableHolders.h"

#include "store/Table.h"

#include <exception>
#include <memory>

namespace tarlok {

void TableHolders::add(QObject* holder, Step close, Step reopen) {
    m_holders.append(Holder{holder, std::move(close), std::move(reopen)});
}

void TableHolders::addTable(QObject* holder, Table* table, bool reopen) {
    auto wasOpen = std::make_shared<bool>(false);
    QPointer<Table> guarded(table);
    add(
        holder,
        [guarded, wasOpen] {
            *wasOpen = guarded && guarded->isActive();
            if (guarded)
                guarded->close();
        },
        [guarded, wasOpen, reopen] {
            if (reopen && *wasOpen && guarded)
                guarded->open();
            *wasOpen = false;
        });
}

void TableHolders::addWindow(QWidget* window) {
    m_windows.append(window);
}

void TableHolders::closeAll() {
    if (m_closed)
        return;
    m_closed = true;
    for (const QPointer<QWidget>& window : m_windows) {
        if (window && window->isVisible())
            window->close();
    }
    for (auto it = m_holders.crbegin(); it != m_holders.crend(); ++it) {
        if (it->object && it->close)
            it->close();
    }
}

void TableHolders::reopenAll() {
    if (!m_closed)
        return;
    m_closed = false;
    // A holder that cannot open its tables does not keep the others closed; its error is told after.
    std::exception_ptr first;
    for (const Holder& holder : m_holders) {
        if (!holder.object || !holder.reopen)
            continue;
        try {
            holder.reopen();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

} // namespace tarlok
