// Accounting periods and rates: the first period asked for by "EWIDENCJA", the register's period lists,
// the next period opened by "NOWY ROK." and the rates window, driven through the main window's buttons.
#include "support/ModelTesting.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "app/TMeniProgramu.h"
#include "reference/TNowy_Okres.h"
#include "reference/TStawki_poj.h"
#include "reference/TWybor_okresu.h"
#include "store/Table.h"
#include "ui_TMeniProgramu.h"
#include "ui_TNowy_Okres.h"
#include "ui_TStawki_poj.h"
#include "ui_TWybor_okresu.h"

#include <QTest>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

namespace {

QVariantMap period(int year, int month, const QDate& date) {
    return {{"Rok", year}, {"Miesiac", month}, {"Data", date}};
}

QVariantMap periodFields(const QVariantMap& row) {
    return period(row["Rok"].toInt(), row["Miesiac"].toInt(), row["Data"].toDate());
}

using tarlok::test::retype;

QList<QWidget*> referenceButtons(TestApp& app) {
    auto* ui = app.forms().MeniProgramu->ui();
    return {ui->SpeedPojazdy, ui->SpeedTrasa,  ui->SpeedWydatki,
            ui->SpeedCele,    ui->SpeedStawki, ui->SpeedOkres};
}

// "EWIDENCJA" on an empty periods table, with `act` run inside the first-period window.
void firstPeriod(TestApp& app, const std::function<void(Ui::TWybor_okresu*)>& act) {
    app.dialogs.onModal("tarlok::TWybor_okresu",
                        [&](QWidget* w) { act(static_cast<TWybor_okresu*>(w)->ui()); });
    app.openRegister();
}

// "NOWY ROK." with `act` run inside the new-period window.
void newPeriod(TestApp& app, const std::function<void(Ui::TNowy_Okres*)>& act) {
    app.dialogs.onModal("tarlok::TNowy_Okres", [&](QWidget* w) { act(static_cast<TNowy_Okres*>(w)->ui()); });
    app.forms().MeniProgramu->SpeedOkresClick();
}

void rates(TestApp& app, const std::function<void(Ui::TStawki_poj*)>& act) {
    app.dialogs.onModal("tarlok::TStawki_poj", [&](QWidget* w) { act(static_cast<TStawki_poj*>(w)->ui()); });
    app.forms().MeniProgramu->SpeedStawkiClick();
}

} // namespace

class PeriodsTest : public QObject {
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ the first period

    void firstPeriodIsProposedStoredAndShown() {
        auto app = TestApp::started();
        QString proposedYear, proposedMonth;
        bool enabled = false;
        firstPeriod(*app, [&](Ui::TWybor_okresu* ui) {
            proposedYear = ui->Rok_ewidencji->text();
            proposedMonth = ui->ComboBoxMiesiace->currentText();
            enabled = ui->Rok_ewidencji->isEnabled() && ui->ComboBoxMiesiace->isEnabled() &&
                      ui->Wprowadz_okres->isEnabled();
            ui->Wprowadz_okres->click();
        });
        QCOMPARE(proposedYear, QString("2024"));
        QCOMPARE(proposedMonth, QString("Maj"));
        QVERIFY(enabled);
        QCOMPARE(app->dialogs.modalShows(), QStringList{"tarlok::TWybor_okresu"});
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(app->rows("Okresy.db").size(), 1);
        QCOMPARE(periodFields(app->rows("Okresy.db")[0]), period(2024, 5, QDate(2024, 5, 15)));

        RegisterDriver reg(*app);
        QVERIFY(reg.isShown());
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.years(), QStringList{"2024"});
        QCOMPARE(reg.month(), QString("Maj"));
        QCOMPARE(reg.months(), (QStringList{"Wszystko", "Maj"}));
        QCOMPARE(reg.tripDate(), QDate(2024, 5, 15));
        QCOMPARE(reg.tab(), Tab::Costs);
        for (QWidget* b : referenceButtons(*app))
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));

        // Pressed again, "EWIDENCJA" finds the period and enables the reference buttons.
        app->openRegister();
        QCOMPARE(app->dialogs.modalShows().size(), 1);
        for (QWidget* b : referenceButtons(*app))
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    }

    void firstPeriodDateInAChosenMonth_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("monthIndex");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("31st into April") << QDate(2024, 5, 31) << "2024" << 3 << QDate(2024, 4, 30);
        QTest::newRow("31st into a leap February") << QDate(2024, 5, 31) << "2024" << 1 << QDate(2024, 2, 29);
        QTest::newRow("30th into a common February")
            << QDate(2024, 4, 30) << "2023" << 1 << QDate(2023, 2, 28);
    }
    void firstPeriodDateInAChosenMonth() {
        QFETCH(QDate, today);
        QFETCH(QString, year);
        QFETCH(int, monthIndex);
        QFETCH(QDate, stored);
        auto app = TestApp::started(QDateTime(today, QTime(9, 0)));
        firstPeriod(*app, [&](Ui::TWybor_okresu* ui) {
            retype(ui->Rok_ewidencji, year);
            ui->ComboBoxMiesiace->setCurrentIndex(monthIndex);
            ui->Wprowadz_okres->click();
        });
        QCOMPARE(app->dialogs.texts(), QStringList());
        const auto rows = app->rows("Okresy.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(periodFields(rows[0]), period(stored.year(), stored.month(), stored));
    }

    void firstPeriodRefusesBadYearAndMonthTexts() {
        auto app = TestApp::started(QDateTime(QDate(2031, 3, 10), QTime(9, 0)));
        QStringList afterLetters, afterEmpty;
        QString yearAfterLetters, yearAfterEmpty;
        bool openAfterOldYear = false;
        firstPeriod(*app, [&](Ui::TWybor_okresu* ui) {
            retype(ui->Rok_ewidencji, "20x");
            afterLetters = app->dialogs.texts();
            yearAfterLetters = ui->Rok_ewidencji->text();
            app->dialogs.clear();
            retype(ui->Rok_ewidencji, ""); // everything selected and deleted
            afterEmpty = app->dialogs.texts();
            yearAfterEmpty = ui->Rok_ewidencji->text();
            app->dialogs.clear();

            // a year no register could start in is refused and nothing is stored
            retype(ui->Rok_ewidencji, "1850");
            ui->Wprowadz_okres->click();
            openAfterOldYear = ui->Wprowadz_okres->window()->isVisible() && app->count("Okresy.db") == 0;

            // a month name in other letters is no month name: the current month is taken
            retype(ui->Rok_ewidencji, "2030");
            ui->ComboBoxMiesiace->lineEdit()->selectAll();
            QTest::keyClicks(ui->ComboBoxMiesiace->lineEdit(), "maj");
            ui->Wprowadz_okres->click();
        });
        QCOMPARE(afterLetters, QStringList{"Nieprawidłowa wartość roku"});
        QCOMPARE(yearAfterLetters, QString("2031"));
        QCOMPARE(afterEmpty, QStringList{"Nieprawidłowa wartość roku"});
        QCOMPARE(yearAfterEmpty, QString("2031"));
        QVERIFY(openAfterOldYear);
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QVERIFY(app->dialogs.lastText().contains("1900"));
        const auto rows = app->rows("Okresy.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(periodFields(rows[0]), period(2030, 3, QDate(2030, 3, 10)));
    }

    // ------------------------------------------------------------ the register's period lists

    void registerListsYearsWithinItsRangeAndShowsTheNewest() {
        auto app = TestApp::started(); // 2024: the list reaches from 1999 to 2048
        app->addPeriod(1998, 12);
        app->addPeriod(1999, 1);
        app->addPeriod(1999, 2);
        app->addPeriod(2048, 12);
        app->addPeriod(2049, 1);
        app->openRegister();
        QCOMPARE(app->dialogs.modalShows(), QStringList());
        for (QWidget* b : referenceButtons(*app))
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        RegisterDriver reg(*app);
        QCOMPARE(reg.years(), (QStringList{"1999", "2048"}));
        QCOMPARE(reg.year(), QString("2049"));
        QCOMPARE(reg.month(), QString("Styczeń"));
        QCOMPARE(reg.months(), (QStringList{"Wszystko", "Styczeń"}));
    }

    // ------------------------------------------------------------ the next period

    void newPeriodFollowsTheNewest_data() {
        QTest::addColumn<QList<int>>("seeded"); // months of `year`, oldest first
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QVariantMap>("added");
        QTest::addColumn<QStringList>("years");
        QTest::addColumn<QStringList>("months");
        QTest::newRow("after December")
            << QList<int>{11, 12} << 2004 << "2005 Styczeń" << period(2005, 1, QDate(2005, 1, 15))
            << QStringList{"2004", "2005"} << QStringList{"Wszystko", "Styczeń"};
        QTest::newRow("after March") << QList<int>{1, 2, 3} << 2024 << "2024 Kwiecień"
                                     << period(2024, 4, QDate(2024, 4, 15)) << QStringList{"2024"}
                                     << QStringList{"Wszystko", "Styczeń", "Luty", "Marzec", "Kwiecień"};
    }
    void newPeriodFollowsTheNewest() {
        QFETCH(QList<int>, seeded);
        QFETCH(int, year);
        QFETCH(QString, label);
        QFETCH(QVariantMap, added);
        QFETCH(QStringList, years);
        QFETCH(QStringList, months);
        auto app = TestApp::started();
        for (int month : seeded)
            app->addPeriod(year, month);
        app->openRegister();
        QString shown;
        newPeriod(*app, [&](Ui::TNowy_Okres* ui) {
            shown = ui->LabelNowyOkres->text();
            ui->Wprowadz->click();
        });
        QCOMPARE(shown, label);
        QCOMPARE(app->dialogs.texts(), QStringList());
        const auto rows = app->rows("Okresy.db");
        QCOMPARE(rows.size(), seeded.size() + 1);
        QCOMPARE(periodFields(rows.last()), added);

        RegisterDriver reg(*app);
        QCOMPARE(reg.years(), years);
        QCOMPARE(reg.months(), months);
        QCOMPARE(reg.year(), years.last());
        QCOMPARE(reg.month(), months.last());
        QCOMPARE(reg.tripDate(), added["Data"].toDate());
        QCOMPARE(reg.costDate(), added["Data"].toDate());
    }

    void newPeriodListsTheMonthsOfItsOwnYear() {
        // The register shows an older year when the next month is opened: the month list must be the
        // new period's year, not the shown year with the new month added.
        auto app = TestApp::started();
        app->addPeriod(2023, 11);
        app->addPeriod(2023, 12);
        app->addPeriod(2024, 1);
        app->addPeriod(2024, 2);
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseYear("2023");
        QCOMPARE(reg.months(), (QStringList{"Wszystko", "Listopad", "Grudzień"}));
        newPeriod(*app, [](Ui::TNowy_Okres* ui) { ui->Wprowadz->click(); });
        QCOMPARE(periodFields(app->rows("Okresy.db").last()), period(2024, 3, QDate(2024, 3, 15)));
        QCOMPARE(reg.months(), (QStringList{"Wszystko", "Styczeń", "Luty", "Marzec"}));
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.month(), QString("Marzec"));
    }

    void newPeriodCancelledOrWithoutAnyPeriod() {
        auto app = TestApp::started();
        // no period at all: the user is sent to "EWIDENCJA" and the window is not shown
        app->forms().MeniProgramu->SpeedOkresClick();
        QCOMPARE(app->dialogs.modalShows(), QStringList());
        QCOMPARE(app->dialogs.texts().size(), 1);
        QVERIFY(app->dialogs.lastText().contains("\"EWIDENCJA\""));
        QCOMPARE(app->count("Okresy.db"), 0);

        app = TestApp::started();
        app->addPeriod(2024, 5);
        app->openRegister();
        newPeriod(*app, [](Ui::TNowy_Okres* ui) { ui->Anuluj->click(); });
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(app->count("Okresy.db"), 1);
        QCOMPARE(RegisterDriver(*app).months(), (QStringList{"Wszystko", "Maj"}));
    }

    // ------------------------------------------------------------ the rates

    void ratesSaveStoresTheOneRowOfToday_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("decimal comma") << "0,8358";
        QTest::newRow("decimal point") << "0.8358";
    }
    void ratesSaveStoresTheOneRowOfToday() {
        QFETCH(QString, typed);
        auto app = TestApp::started(QDateTime(QDate(2024, 6, 3), QTime(9, 0)));
        QString shown;
        rates(*app, [&](Ui::TStawki_poj* ui) {
            retype(ui->DBStawka_do_900, typed);
            retype(ui->DBStawka_po_900, "0,2302");
            retype(ui->DBEditLimitKm, "300");
            retype(ui->DBUwagi, "od czerwca");
            ui->Zapisz->click();
            shown = ui->DBStawka_po_900->text();
        });
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(shown, QString("0,2302"));
        auto rows = app->rows("Stawki.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Stawka_do_900"].toDouble(), 0.8358);
        QCOMPARE(rows[0]["Stawka_po_900"].toDouble(), 0.2302);
        QCOMPARE(rows[0]["Pom2"].toDouble(), 300.0);
        QCOMPARE(rows[0]["Uwagi"].toString(), QString("od czerwca"));
        QCOMPARE(rows[0]["Data"].toDate(), QDate(2024, 6, 3));

        // a later change rewrites the same row with the day of the change
        app->clock.set(QDate(2024, 7, 1));
        rates(*app, [&](Ui::TStawki_poj* ui) {
            retype(ui->DBStawka_po_900, "0,8358");
            ui->Zapisz->click();
        });
        rows = app->rows("Stawki.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Stawka_po_900"].toDouble(), 0.8358);
        QCOMPARE(rows[0]["Data"].toDate(), QDate(2024, 7, 1));
    }

    void ratesWithLettersAreRefused() {
        auto app = TestApp::started();
        rates(*app, [&](Ui::TStawki_poj* ui) {
            retype(ui->DBStawka_do_900, "0,8x");
            ui->Zapisz->click();
            ui->Zamknij->click();
        });
        QCOMPARE(app->dialogs.texts().size(), 1);
        QVERIFY(app->dialogs.lastText().contains("\"0,8x\""));
        QVERIFY(app->dialogs.lastText().contains("liczb"));
        QCOMPARE(app->count("Stawki.db"), 0);
        QVERIFY(!app->data().TableStawki->isEditing());
    }

    void leavingTheRatesDropsAnUnsavedChange_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Wyjście") << "Zamknij";
        QTest::newRow("Anuluj") << "Anuluj";
        QTest::newRow("close box") << "close";
    }
    void leavingTheRatesDropsAnUnsavedChange() {
        QFETCH(QString, how);
        auto app = TestApp::started();
        app->setRates(0.8358, 0.2302);
        rates(*app, [&](Ui::TStawki_poj* ui) {
            retype(ui->DBStawka_po_900, "9,99");
            if (how == "close")
                ui->Zamknij->window()->close();
            else
                ui->Zamknij->window()->findChild<QPushButton*>(how)->click();
        });
        QVERIFY(!app->data().TableStawki->isEditing());
        // saving later (here: the next save of the window) never stores the dropped change
        QString shown;
        rates(*app, [&](Ui::TStawki_poj* ui) {
            shown = ui->DBStawka_po_900->text();
            ui->Zapisz->click();
        });
        QCOMPARE(shown, QString("0,2302"));
        QCOMPARE(app->rows("Stawki.db")[0]["Stawka_po_900"].toDouble(), 0.2302);
    }
};

TARLOK_TEST_MAIN(PeriodsTest)
#include "tst_periods.moc"
