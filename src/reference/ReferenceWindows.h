#pragma once

#include <QStringList>

class QAbstractButton;
class QWidget;

namespace tarlok {

class DbGrid;
class DbNavigator;
class Dialogs;
class Table;

// What the small reference windows (drivers, owner, trip purposes, expense kinds, routes) share: the
// navigator bar, the place on the screen, and the rules by which a chosen row is copied into the
// register's trip or cost.
namespace reference {

// The hints of a navigator bar, in button order (first, prior, next, last, insert, delete, edit, post,
// cancel, refresh).
const QStringList& navigatorHints();

// Binds a navigator to `table`, gives it the hints and asks the program's Yes/No question before a
// delete.
void setupNavigator(DbNavigator* navigator, Table* table, Dialogs& dialogs);

// Asks "Czy usunąć wybraną pozycję" (caption "WYBIERZ"); true for Yes.
bool confirmDelete(Dialogs& dialogs);

// The keys of a list window: Escape presses `cancel` while a row of `table` is being typed (a window
// with a navigator bar passes nullptr: the bar cancels) and `close` otherwise; Insert presses `add`
// when given; Enter on a row of `grid` presses `take` while that button is shown (the window was opened
// to pick a row), as a double click does, and such a window opens with the focus on `grid`.
void listWindowKeys(QWidget* window, Table* table, QAbstractButton* cancel, QAbstractButton* close,
                    QAbstractButton* add = nullptr);
void takeOnEnter(DbGrid* grid, QAbstractButton* take);

// Puts a window in the middle of the screen it is on.
void centreOnScreen(QWidget* window);

// Opens `table` from the data folder under `name` ("Kierowcy") unless it is open already.
void openInDataFolder(Table& table, const QString& folder, const QString& name);

// A text that holds nothing but blanks counts as no text.
bool isBlank(const QString& text);

// --- copying a chosen row into the register ---

// The driver's first name and surname go into the trip's current row, each only when not empty. The
// trip must be inserting or editing: the engine refuses the assignment otherwise.
void copyDriver(const Table& driver, Table& trip);

// The purpose text goes into the trip's Cel_Wyj and, with `withDescription`, its description into the
// trip's Pom1. The trip is put into edit unless it is already inserting or editing.
void copyPurpose(const Table& purpose, Table& trip, bool withDescription);

// The route text (cut to the trip's field) and its length go into the trip; the length overwrites the
// trip's kilometres. The trip is put into edit unless it is already inserting or editing.
void copyRoute(const Table& route, Table& trip);

// The kind's name (cut to the cost's field), its fuel flag (true or false, never empty) and its VAT
// rate go into the cost; with `vatPercent` the rate also goes into VatProcent. The cost is put into
// edit unless it is already inserting or editing.
void copyExpenseKind(const Table& kind, Table& cost, bool vatPercent);

} // namespace reference
} // namespace tarlok
