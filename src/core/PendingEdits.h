#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

namespace tarlok {

class Dialogs;
class Table;

// What is being typed in the program, known in one place. A window joins with each table it edits and
// the message that refuses a move while something is typed there:
//     forms.pendingEdits.add(this, TableTerminy, kRowPending);
// Something is typed when such a table has a row in insert or edit with changes, or a box bound to it
// holds a text typed but not yet confirmed (Enter or Tab not pressed). Every move inside a window
// (vehicle, period, year, tab, row) and every whole-program action (backup, restore, a printout,
// opening a window, closing the tables, exit) asks here first.
class PendingEdits {
public:
    struct Typing {
        QWidget* window = nullptr;
        Table* table = nullptr;
        QString message;
    };

    // `message` empty: the table's own pending guard (the engine refuses a move off the row with it).
    void add(QWidget* window, Table* table, QString message = QString());

    // Where something is typed; nothing when nothing is. When several windows edit that table (the
    // notes window edits the deadlines row), the one on top owns it.
    std::optional<Typing> typing() const;

    // For an action that would lose what is typed: when something is, its window's message is shown,
    // that window brought to the front and true returned (the action must not run). Otherwise a new
    // row begun with nothing typed into it is dropped, and false returned.
    bool refuse(Dialogs& dialogs) const;

    // The question before the program closes with something typed: "Tak" closes it all the same.
    bool closeAnyway(Dialogs& dialogs) const;

    // Something is typed in `table`: a changed row being inserted or edited, or a bound box's text not
    // yet written into the row.
    static bool isTyped(const Table& table);

private:
    // `window` shows over `other` (both edit the same table).
    static bool isOnTop(const QWidget& window, const QWidget& other);

    struct Entry {
        QPointer<QWidget> window;
        Table* table = nullptr;
        QString message;
    };
    QList<Entry> m_entries;
};

} // namespace tarlok
