#include "ReferenceWindows.h"

#include "platform/Dialogs.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "widgets/DbNavigator.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tarlok::reference {

namespace J = fields::przejazdy;
namespace K = fields::koszty;

const QStringList& navigatorHints() {
    static const QStringList hints = {
        QStringLiteral("Pierwsza pozycja"),           QStringLiteral("Poprzednia pozycja"),
        QStringLiteral("Następna pozycja"),           QStringLiteral("Ostatnia pozycja"),
        QStringLiteral("Dodanie nowej pozycji"),      QStringLiteral("Usunięcie zaznaczonej pozycji"),
        QStringLiteral("Edycja zaznaczonej pozycji"), QStringLiteral("Zapisanie zmian"),
        QStringLiteral("Anulowanie zmian"),           QStringLiteral("Odswieżenie tablicy"),
    };
    return hints;
}

bool confirmDelete(Dialogs& dialogs) {
    return dialogs.question(QStringLiteral("Czy usunąć wybraną pozycję"), QStringLiteral("WYBIERZ"));
}

void setupNavigator(DbNavigator* navigator, Table* table, Dialogs& dialogs) {
    navigator->setDataSource(table);
    navigator->setHints(navigatorHints());
    navigator->setConfirmDelete([&dialogs] { return confirmDelete(dialogs); });
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

void openInDataFolder(Table& table, const QString& folder, const QString& name) {
    if (table.isActive())
        return;
    table.setDatabaseName(folder);
    table.setTableName(name);
    table.open();
}

bool isBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

void copyDriver(const Table& driver, Table& trip) {
    const QString firstName = driver.asString(fields::kierowcy::Imie);
    const QString surname = driver.asString(fields::kierowcy::Nazwisko);
    if (!firstName.isEmpty())
        trip.setValue(J::Imie, firstName);
    if (!surname.isEmpty())
        trip.setValue(J::Nazwisko, surname);
}

void copyPurpose(const Table& purpose, Table& trip, bool withDescription) {
    trip.edit();
    trip.setValue(J::Cel_Wyj, purpose.value(fields::celWyj::Cel_Wyjazdu));
    if (withDescription)
        trip.setValue(J::Pom1, purpose.value(fields::celWyj::Pom1));
}

void copyRoute(const Table& route, Table& trip) {
    trip.edit();
    trip.setValue(J::Trasa, route.value(fields::trasy::Trasa));
    trip.setValue(J::Kilometry, route.value(fields::trasy::Kilometry));
}

void copyExpenseKind(const Table& kind, Table& cost, bool vatPercent) {
    cost.edit();
    cost.setValue(K::Rodzaj_Wyd, kind.value(fields::wydatki::Wydatek));
    cost.setValue(K::CzyPaliwo, kind.asBool(fields::wydatki::CzyPaliwo));
    const QVariant rate = kind.value(fields::wydatki::Pom3);
    cost.setValue(K::Pom3, rate);
    if (vatPercent)
        cost.setValue(K::VatProcent, rate);
}

} // namespace tarlok::reference
