#include "EntryTab.h"

#include "TEwidencja_przejazdow.h"
#include "common/Months.h"
#include "platform/Dialogs.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"

#include <QWidget>

namespace tarlok::entrytab {

namespace {

const QString kVehicleNotUsed =
    QStringLiteral("Pojazd nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów");

} // namespace

void setEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* w : widgets)
        w->setEnabled(enabled);
}

void setVisible(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* w : widgets)
        w->setVisible(visible);
}

bool refuseBrowseOnly(Dialogs& dialogs, const Table& table) {
    if (!table.isBrowseOnly())
        return false;
    dialogs.message(table.browseOnlyMessage());
    return true;
}

bool refuseNewRow(TEwidencja_przejazdow& window, Dialogs& dialogs, const Table& vehicles, const Table& rows,
                  const QString& noVehicleText) {
    if (!vehicles.isActive() || vehicles.isEmpty()) {
        dialogs.message(noVehicleText);
        return true;
    }
    if (window.refuseVehicleWithoutNumber())
        return true;
    if (!vehicles.asBool(fields::pojazdy::Uzywany)) {
        dialogs.message(kVehicleNotUsed);
        return true;
    }
    return refuseBrowseOnly(dialogs, rows);
}

QDate newRowDate(const TEwidencja_przejazdow& window, const QDate& today) {
    int month = 0;
    window.WybranyMiesiac(month);
    const auto* ui = window.ui();
    if (!ui->ComboBoxRok->currentText().trimmed().isEmpty() &&
        !ui->ComboBoxMiesiac->currentText().isEmpty() && month >= 1 && month <= 12)
        return months::dayInMonth(window.selectedYear(), month, today.day());
    return today;
}

QDate pickerDate(const TEwidencja_przejazdow& window, const Table& table) {
    const QDate date = table.asDate(fields::przejazdy::Data); // the costs' field has the same name
    if (date.isValid())
        return date;
    int year = 0;
    int month = 0;
    window.WybranyOkres(year, month);
    return month > 0 ? QDate(year, month, 1) : QDate(year, 1, 1);
}

void cancelPending(Table& table, bool& started) {
    if (table.isActive())
        table.cancel();
    started = false;
}

void showRefusal(Dialogs& dialogs, const QString& message, const QString& caption) {
    if (caption.isEmpty())
        dialogs.message(message);
    else
        dialogs.messageBox(message, caption);
}

void showRowDate(const Table& table, const QString& field, DbDateEdit* picker) {
    const QDate date = table.asDate(field);
    if (date.isValid())
        picker->setDate(date);
}

} // namespace tarlok::entrytab
