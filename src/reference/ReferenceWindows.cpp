#include "ReferenceWindows.h"

#include "core/Keyboard.h"
#include "platform/Dialogs.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "widgets/DbGrid.h"
#include "widgets/DbNavigator.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace tarlok::reference {

namespace J = fields::przejazdy;
namespace K = fields::koszty;

namespace {

// Sits on the window: it sees the Escape its controls leave unused (a dialog would close on it).
class EscapeCancelsOrCloses final : public QObject {
public:
    EscapeCancelsOrCloses(QWidget* window, Table* table, QAbstractButton* cancel, QAbstractButton* close)
        : QObject(window), m_window(window), m_table(table), m_cancel(cancel), m_close(close) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        const bool typing = m_table->isActive() && m_table->isEditing();
        QAbstractButton* button = typing ? m_cancel.data() : m_close.data();
        if (button && button->isEnabled())
            button->click();
        return true;
    }

private:
    QWidget* m_window;
    Table* m_table;
    QPointer<QAbstractButton> m_cancel;
    QPointer<QAbstractButton> m_close;
};

// Sits on a list window: opened to pick a row, the window starts on its grid, so the row is taken with
// the arrows and Enter.
class PickFromGrid final : public QObject {
public:
    PickFromGrid(QWidget* window, DbGrid* grid, QAbstractButton* take)
        : QObject(window), m_window(window), m_grid(grid), m_take(take) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Show && m_grid && m_take && !m_take->isHidden())
            m_grid->setFocus(Qt::OtherFocusReason);
        return false;
    }

private:
    QWidget* m_window;
    QPointer<DbGrid> m_grid;
    QPointer<QAbstractButton> m_take;
};

} // namespace

void listWindowKeys(QWidget* window, Table* table, QAbstractButton* cancel, QAbstractButton* close,
                    QAbstractButton* add) {
    window->installEventFilter(new EscapeCancelsOrCloses(window, table, cancel, close));
    if (add)
        pressOnKeys(add, QKeySequence(Qt::Key_Insert));
}

void takeOnEnter(DbGrid* grid, QAbstractButton* take) {
    QWidget* window = take->window();
    window->installEventFilter(new PickFromGrid(window, grid, take));
    QObject::connect(grid, &DbGrid::rowChosen, take, [take] {
        if (!take->isHidden() && take->isEnabled())
            take->click();
    });
}

const QStringList& navigatorHints() {
    static const QStringList hints = {
        QStringLiteral("Pierwsza pozycja"),
        QStringLiteral("Poprzednia pozycja"),
        QStringLiteral("Następna pozycja"),
        QStringLiteral("Ostatnia pozycja"),
        QStringLiteral("Dodanie nowej pozycji (Ins)"),
        QStringLiteral("Usunięcie zaznaczonej pozycji"),
        QStringLiteral("Edycja zaznaczonej pozycji"),
        QStringLiteral("Zapisanie zmian (Ctrl+S)"),
        QStringLiteral("Anulowanie zmian (Esc)"),
        QStringLiteral("Odswieżenie tablicy"),
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
