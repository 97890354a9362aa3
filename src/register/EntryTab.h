#pragma once

#include "core/Actions.h"
#include "widgets/DbGrid.h"

#include <QDate>
#include <QString>

#include <initializer_list>

class QWidget;

namespace tarlok {

class DbDateEdit;
class Dialogs;
class Table;
class TEwidencja_przejazdow;

// What the trips tab and the costs tab do alike: each enters the rows of one table (the trips, the
// costs) of the current vehicle through its buttons, its grid and its date picker.
namespace entrytab {

void setEnabled(std::initializer_list<QWidget*> widgets, bool enabled);
void setVisible(std::initializer_list<QWidget*> widgets, bool visible);

// True, with the user told why, when `table` is browse-only.
bool refuseBrowseOnly(Dialogs& dialogs, const Table& table);

// True, with the user told why, when no new row can be started: no vehicle (`noVehicleText`), a
// vehicle that can take none, a vehicle not in use, or `rows` browse-only ("Wszystko").
bool refuseNewRow(TEwidencja_przejazdow& window, Dialogs& dialogs, const Table& vehicles, const Table& rows,
                  const QString& noVehicleText);

// The date a new row starts with: the selected month with today's day (its last day when the month is
// shorter); today when no month of a year is selected.
QDate newRowDate(const TEwidencja_przejazdow& window, const QDate& today);

// The date of the current row of `table`; for a period without rows, the first day of the month
// shown (of January for "Wszystko").
QDate pickerDate(const TEwidencja_przejazdow& window, const Table& table);

// Drops the pending row: the table's edit cancelled, the tab's "started" flag cleared.
void cancelPending(Table& table, bool& started);

// A refused save: a plain message, or a message box with its caption.
void showRefusal(Dialogs& dialogs, const QString& message, const QString& caption);

// The date `field` of the current row into the picker, when the row has one.
void showRowDate(const Table& table, const QString& field, DbDateEdit* picker);

// A click in the tab's grid calls `click`, the keys that move its row call `keys`.
template <class Tab>
void connectGridMoves(Dialogs& dialogs, DbGrid* grid, Tab* tab, void (Tab::*click)(), void (Tab::*keys)()) {
    connectAction(dialogs, grid, &DbGrid::cellClick, tab, click);
    connectAction(dialogs, grid, &DbGrid::keyDown, tab, keys);
    connectAction(dialogs, grid, &DbGrid::keyUp, tab, keys);
}

} // namespace entrytab

} // namespace tarlok
