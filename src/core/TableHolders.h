#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace tarlok {

class Table;

// Everything that holds table files open between the user's actions: the shared tables, the windows'
// own tables, the data windows bound to them. The archive copies closed files only, so before it
// copies it closes them all (windows first, then tables, the latest registered first) and afterwards
// opens again what each holder had open (the earliest registered first: masters before details).
//
// A window that keeps a table open joins with one line in its constructor:
//     forms.tableHolders.add(this, &TWindow::closeTables, &TWindow::reopenTables);
// or, for a single table it keeps:
//     forms.tableHolders.addTable(this, TableTerminy, false);
class TableHolders {
public:
    using Step = std::function<void()>;

    // `close` closes the holder's tables and remembers which were open; `reopen` opens those again (an
    // empty step: the holder opens them itself when next used).
    void add(QObject* holder, Step close, Step reopen);
    template <class Holder> void add(Holder* holder, void (Holder::*close)(), void (Holder::*reopen)()) {
        add(
            holder, [holder, close] { (holder->*close)(); },
            [holder, reopen] {
                if (reopen)
                    (holder->*reopen)();
            });
    }
    // One table of `holder`: closed before the copy and, when `reopen` is set and it was open, opened
    // again after it.
    void addTable(QObject* holder, Table* table, bool reopen = true);
    // A data window that is closed (hidden) before the copy and left closed.
    void addWindow(QWidget* window);

    // Closes every data window and every holder's tables. Does nothing while they are closed already.
    void closeAll();
    // Opens again what closeAll closed. Does nothing unless they are closed.
    void reopenAll();
    bool closed() const { return m_closed; }

    // Brings the schema in line with the table files after a restore replaced them, before they open
    // again: the schema check, the start-up schema actions and the upgrade of tables that came back
    // without their later fields. Set by the application.
    Step settleSchema;

private:
    struct Holder {
        QPointer<QObject> object;
        Step close;
        Step reopen;
    };
    QList<Holder> m_holders;
    QList<QPointer<QWidget>> m_windows;
    bool m_closed = false;
};

} // namespace tarlok
