// Writes a PNG of every window of the program, as the user sees it, into a folder: run it under
// Xvfb (xvfb-run -a build/.../tools/tarlok_screenshots /tmp/shots) to look at the windows.
#include "support/ArchiveDriver.h"
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "data/SharedData.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "deadlines/TTerminyDruk.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "reference/TWybor_okresu.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TSprawdzenieLicznika.h"
#include "reports/TFormularzWydrukow.h"
#include "reports/engine/Painter.h"
#include "store/Table.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TFormularzWydrukow.h"
#include "ui_TInformacjeNotatki.h"
#include "ui_TKopiujProgram.h"
#include "ui_TOpcjeDlaTerminow.h"
#include "ui_TRyczaltEwidencja.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QThread>

using namespace tarlok;

namespace {

void shoot(QWidget* window, const QString& folder, const QString& name) {
    window->show();
    window->raise();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The first page of a document as the preview paints it: A4 at 192 dpi, turned as the document is.
void shootPage(const report::Document& document, const QString& folder, const QString& name) {
    const bool landscape = document.orientation == QPageLayout::Landscape;
    QImage page(landscape ? 2246 : 1588, landscape ? 1588 : 2246, QImage::Format_RGB32);
    page.setDotsPerMeterX(7559);
    page.setDotsPerMeterY(7559);
    page.fill(Qt::white);
    report::Document first = document;
    first.pages.resize(1);
    report::paint(first, page);
    page.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The deadlines window without its table, with rows, and with the service alarm yellow and red.
void shootDeadlines(test::TestApp& app, const QString& folder) {
    TOpcjeDlaTerminow& w = *app.forms().OpcjeDlaTerminow;
    Table* cars = app.data().TablePojazdy;
    const QString file = app.dataFolder() + QStringLiteral("/Terminy.db");
    QFile::rename(file, file + QStringLiteral(".bak"));
    cars->open();
    cars->moveTo(0);
    w.openMain();
    shoot(&w, folder, QStringLiteral("terminy_bez_tablicy"));
    w.close();
    QFile::rename(file + QStringLiteral(".bak"), file);

    for (int year : {2023, 2024})
        app.seed("Terminy.db", {{"NrKol_Pojazdu", 1},
                                {"Rok", year},
                                {"SprawdzOC", true},
                                {"SprawdzAC", true},
                                {"SprawdzPrzegTechniczny", true},
                                {"SprawdzTermWazDokumentu", true},
                                {"TerminOC", QDate(year, 5, 20)},
                                {"Termin1", QDate(year, 11, 20)},
                                {"TerminAC", QDate(year, 5, 20)},
                                {"Termin2", QDate(year, 11, 20)},
                                {"TerminPrzegTechnicznego", QDate(year, 4, 2)},
                                {"TerminWaznosciDokumentu", QDate(year, 9, 30)},
                                {"KosztOC", 612.5},
                                {"Pom3", 612.5},
                                {"KosztAC", 1480.0},
                                {"Pom7", 0.0},
                                {"Pom4", 60},
                                {"KosztPrzegTech", 98.0},
                                {"KosztPrzegGwar", 0.0},
                                {"KosztNapraw", 350.0},
                                {"KosztyCalkowite", 3213.0},
                                {"InformujPrzed", 14},
                                {"InformujPo", 7},
                                {"KoniecInformacji", 10}});
    app.seed("Terminy.db", {{"NrKol_Pojazdu", 3},
                            {"Rok", 2024},
                            {"SprawdzPrzegTechniczny", true},
                            {"TerminPrzegTechnicznego", QDate(2024, 8, 14)},
                            {"KosztPrzegTech", 98.0},
                            {"KosztyCalkowite", 98.0}});
    auto readings = [&](qint64 current) {
        cars->moveTo(2);
        cars->edit();
        cars->setValue(QStringLiteral("StanAktLicznika"), current);
        cars->setValue(QStringLiteral("StanLicznikaPo"), 10000);
        cars->setValue(QStringLiteral("CoIleKmSerwis"), 10000);
        cars->setValue(QStringLiteral("IloscKmDoInfPrzed"), 500);
        cars->setValue(QStringLiteral("IloscKmDoInfPo"), 300);
        cars->post();
        cars->moveTo(0);
    };
    readings(19700);
    w.openMain();
    w.ui()->CheckBoxWszystkieLata->click();
    shoot(&w, folder, QStringLiteral("terminy"));
    cars->moveTo(2);
    shoot(&w, folder, QStringLiteral("terminy_alarm_zolty"));
    w.close();
    readings(20150);
    w.openMain();
    cars->moveTo(2);
    shoot(&w, folder, QStringLiteral("terminy_alarm_czerwony"));
    w.close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Times New Roman CE"), QStringLiteral("Times New Roman"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
    QDir().mkpath(folder);

    auto app = test::TestApp::started(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    app->dialogs.setCloseModalWindows(false);
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, "KR 12345", 1598, true, {{"Wlasciciel", "Kowalski Jan"}});
    app->addVehicle(2, "KRA 0001", 899, false);
    app->addVehicle(3, "WE 77777", 1990);
    app->addPeriod(2024, 4);
    app->addPeriod(2024, 5);
    for (int d = 2; d <= 12; d += 3)
        app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                                   {"Rok", 2024},
                                   {"Miesiac", 5},
                                   {"Data", QDate(2024, 5, d)},
                                   {"Trasa", "Kraków - Wieliczka - Kraków"},
                                   {"Cel_Wyj", "Spotkanie z klientem"},
                                   {"Kilometry", 34},
                                   {"Stawka", 0.8358},
                                   {"Wartosc", 28.42},
                                   {"StanLicznikaPo", 10000 + d * 34},
                                   {"Nazwisko", "Kowalski"}});
    app->seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                            {"Rok", 2024},
                            {"Miesiac", 5},
                            {"Data", QDate(2024, 5, 6)},
                            {"Nr_Rachunku", "FV 12/05/2024"},
                            {"Rodzaj_Wyd", "Paliwo"},
                            {"Wartosc", 286.5},
                            {"Pom2", 28.65},
                            {"Pom3", 23},
                            {"IloscPaliwa", 40.0},
                            {"CzyPaliwo", true}});

    // A full year of month totals, six-digit values among them, for the summary and its printout.
    for (int m = 1; m <= 12; ++m) {
        if (m == 5)
            continue;
        app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                                   {"Rok", 2024},
                                   {"Miesiac", m},
                                   {"Data", QDate(2024, m, 1)},
                                   {"Trasa", "Kraków - Warszawa - Kraków"},
                                   {"WartoscSuma", 98765.43 + m * 1000},
                                   {"KilometrySuma", 118000 + m * 1000}});
        app->seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                                {"Rok", 2024},
                                {"Miesiac", m},
                                {"Data", QDate(2024, m, 1)},
                                {"Nr_Rachunku", "FV"},
                                {"Wartosc", 87654.32},
                                {"WartoscSuma", 87654.32 + m * 100},
                                {"SumaWartPaliwo", 54321.1},
                                {"SumaIloscPaliwo", 8765.4},
                                {"Pom2", 123456.78}});
    }

    Forms& forms = app->forms();
    shoot(forms.MeniProgramu, folder, QStringLiteral("main"));
    app->openRegister();
    auto& reg = app->reg();
    shoot(&reg, folder, QStringLiteral("register_costs"));
    reg.ui()->PageControl1->setCurrentWidget(reg.ui()->Przejazdy);
    shoot(&reg, folder, QStringLiteral("register_trips"));
    reg.ui()->CheckBoxSpalanie->setChecked(true);
    reg.ui()->PageControl1->setCurrentWidget(reg.ui()->Zestawienia);
    shoot(&reg, folder, QStringLiteral("register_summary"));
    // The summary's direct printout as a 600 dpi printer would take it, painted at 192 dpi.
    app->output.printer().setResolution(600);
    app->output.clear();
    reg.ui()->DrukujZestawienie->click();
    if (app->output.count() > 0) {
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_zestawienia"));
    }
    reg.ui()->PageControl1->setCurrentWidget(reg.ui()->Koszty);
    // The print selection, and the first page of each of its four reports as the preview paints it.
    TFormularzWydrukow& print = *forms.FormularzWydrukow;
    print.prepare(*reg.ui()->ComboBoxRok, *reg.ui()->ComboBoxMiesiac);
    shoot(&print, folder, QStringLiteral("formularz_wydrukow"));
    for (int choice = 0; choice < 4; ++choice) {
        print.ui()->RadioGroupJakieZestawienie->setItemIndex(choice);
        app->output.clear();
        print.ui()->Drukuj->click();
        if (app->output.count() == 0)
            continue; // a report with nothing to print
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_%1").arg(choice));
    }
    print.hide();

    // The deadline statements, the notes window and its printout.
    const QString notes =
        QStringLiteral("Wymiana oleju i filtrów przy 120 000 km.\nŻarówki świateł mijania - kupione dwie.\n\n"
                       "Łożysko koła przedniego do sprawdzenia przy następnym przeglądzie.");
    app->seed("Terminy.db", {{"NrKol_Pojazdu", 1},
                             {"Rok", 2023},
                             {"KosztOC", 780.0},
                             {"KosztAC", 1150.0},
                             {"KosztPrzegTech", 98.0},
                             {"KosztPrzegGwar", 0.0},
                             {"KosztNapraw", 420.5},
                             {"KosztyCalkowite", 2448.5},
                             {"TerminOC", QDate(2023, 3, 14)}});
    app->seed("Terminy.db", {{"NrKol_Pojazdu", 1},
                             {"Rok", 2024},
                             {"TerminOC", QDate(2024, 3, 14)},
                             {"TerminAC", QDate(2024, 6, 30)},
                             {"TerminPrzegTechnicznego", QDate(2024, 9, 12)},
                             {"TerminPrzegGwarancyjnego", QDate(2024, 10, 1)},
                             {"TerminNaprawy", QDate(2024, 11, 20)},
                             {"TerminWymianyWyposazenia", QDate(2024, 12, 10)},
                             {"TerminWaznosciDokumentu", QDate(2024, 8, 15)},
                             {"KosztOC", 9812.4},
                             {"KosztAC", 12500.0},
                             {"KosztPrzegTech", 98.0},
                             {"KosztPrzegGwar", 350.0},
                             {"KosztNapraw", 1350.25},
                             {"KosztyCalkowite", 24110.65},
                             {"Informacje", notes}});
    app->seed("Terminy.db", {{"NrKol_Pojazdu", 3},
                             {"Rok", 2024},
                             {"KosztOC", 640.0},
                             {"KosztAC", 0.0},
                             {"KosztPrzegTech", 98.0},
                             {"KosztPrzegGwar", 0.0},
                             {"KosztNapraw", 0.0},
                             {"KosztyCalkowite", 738.0},
                             {"TerminOC", QDate(2024, 1, 31)}});
    DeadlinePrint request;
    request.vehicle = 1;
    request.year = 2024;
    app->output.clear();
    printDeadlines(forms, request);
    if (app->output.count() > 0)
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_terminy"));
    request.allVehicles = true;
    request.year.reset();
    request.allYears = true;
    printDeadlines(forms, request);
    if (app->output.count() > 1)
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_terminy_wszystkie"));
    request.year = 2024;
    request.allYears = false;
    printDeadlines(forms, request);
    if (app->output.count() > 2)
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_terminy_wszystkie_rok"));
    // The deadlines window's table as its opening leaves it, on the vehicle's row of 2024.
    Table& deadlines = *forms.OpcjeDlaTerminow->TableTerminy;
    deadlines.close();
    deadlines.setDatabaseName(app->dataFolder());
    deadlines.setTableName(QStringLiteral("Terminy"));
    deadlines.setIndexName(QStringLiteral("NrKol_PojRokInd"));
    deadlines.setMasterSource(app->data().TablePojazdy, QStringLiteral("NrKol_Pojazdu"));
    deadlines.open();
    deadlines.last();
    forms.InformacjeNotatki->showForYear(QStringLiteral("2024"));
    shoot(forms.InformacjeNotatki, folder, QStringLiteral("informacje_notatki"));
    app->output.clear();
    forms.InformacjeNotatki->ui()->Drukuj->click();
    if (app->output.count() > 0)
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_notatki"));
    QStringList longNote;
    for (int n = 1; n <= 40; ++n)
        longNote.append(
            QStringLiteral("%1. Wymiana części nr %1 - zapłacono gotówką, gwarancja 12 miesięcy").arg(n));
    forms.InformacjeNotatki->showForYear(QStringLiteral("2024"));
    forms.InformacjeNotatki->ui()->DBMemo1->setPlainText(longNote.join(QLatin1Char('\n')));
    forms.InformacjeNotatki->ui()->Drukuj->click();
    if (app->output.count() > 1)
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_notatki_dlugie"));
    deadlines.cancel();

    forms.MeniProgramu->ParametryClick();
    shoot(forms.Parametry1, folder, QStringLiteral("parametry"));
    forms.Pojazdy_firmy->openWindow();
    shoot(forms.Pojazdy_firmy, folder, QStringLiteral("pojazdy"));
    forms.MeniProgramu->SpeedStawkiClick();
    shoot(forms.Stawki_poj, folder, QStringLiteral("stawki"));
    forms.Nowy_Okres->prepare();
    shoot(forms.Nowy_Okres, folder, QStringLiteral("nowy_okres"));
    forms.Wybor_okresu->propose(2024, 5);
    shoot(forms.Wybor_okresu, folder, QStringLiteral("wybor_okresu"));
    forms.MeniProgramu->SpeedTrasaClick();
    shoot(forms.Trasy, folder, QStringLiteral("trasy"));
    forms.MeniProgramu->SpeedWydatkiClick();
    shoot(forms.Jaki_Wydatek, folder, QStringLiteral("wydatki"));
    forms.MeniProgramu->SpeedCeleClick();
    shoot(forms.Cel_Wyjazdu, folder, QStringLiteral("cele"));
    forms.MeniProgramu->Kierowcy1Click();
    shoot(forms.Kierowcy1, folder, QStringLiteral("kierowcy"));
    forms.MeniProgramu->Waciciel1Click();
    shoot(forms.WlascicielPodatnik, folder, QStringLiteral("wlasciciel"));

    // The odometer chain of April: 37 km never recorded on the 9th, 12 km counted twice on the 16th.
    const qint64 readings[][3] = {
        {2, 20000, 20150}, {9, 20187, 20300}, {16, 20288, 20400}, {23, 20400, 20450}};
    for (const auto& r : readings)
        app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                                   {"Rok", 2024},
                                   {"Miesiac", 4},
                                   {"Data", QDate(2024, 4, int(r[0]))},
                                   {"Trasa", "Kraków - Tarnów"},
                                   {"StanLicznikaPrzed", r[1]},
                                   {"StanLicznikaPo", r[2]}});
    TSprawdzenieLicznika::Vehicle car;
    car.number = 1;
    car.registration = QStringLiteral("KR 12345");
    car.description = app->rows("Pojazdy.db").value(0).value("Dane_Poj_Wszystko").toString();
    forms.SprawdzenieLicznika->check(car, 2024, 4);
    shoot(forms.SprawdzenieLicznika, folder, QStringLiteral("ciaglosc_licznika"));
    shootDeadlines(*app, folder);
    // The lump sums: without their table only the creation button; then the table made, four months
    // of the first car's year, both sheets and the statement as a 600 dpi printer would take it.
    forms.WlascicielPodatnik->hide();
    TRyczaltEwidencja& lumpSums = *forms.RyczaltEwidencja;
    forms.MeniProgramu->SpeedRyczaltClick();
    shoot(&lumpSums, folder, QStringLiteral("ryczalt_bez_tablicy"));
    lumpSums.ui()->TworzTabRyczalt->click();
    const double dues[4][5] = {
        {2, 0, 1, 34.19, 216.55}, {0, 0, 0, 0, 250.74}, {5, 3, 0, 91.18, 159.56}, {0, 0, 2, 22.79, 227.95}};
    for (int m = 1; m <= 4; ++m) {
        const double* d = dues[m - 1];
        app->seed("Ryczalt.db", {{"NrKol_Pojazdu", 1},
                                 {"Rok", 2024},
                                 {"Miesiac", m},
                                 {"DataOswiadczenia", QDate(2024, m, 28)},
                                 {"DataWprowadzenia", QDate(2024, m, 28)},
                                 {"Limit_km", 300.0},
                                 {"Stawka_km", 0.8358},
                                 {"Ryczalt_zl", 250.74},
                                 {"Dni_Urlopu", int(d[0])},
                                 {"Dni_Bez_Samochodu", int(d[1])},
                                 {"Inne_Nieobecnosci", int(d[2])},
                                 {"SumaPotracenia", d[3]},
                                 {"Naleznosc_Mc", d[4]}});
    }
    lumpSums.close();
    forms.MeniProgramu->SpeedRyczaltClick();
    lumpSums.ui()->ComboBoxMiesiac->setCurrentIndex(lumpSums.ui()->ComboBoxMiesiac->findText("Kwiecień"));
    lumpSums.ComboBoxMiesiacChange();
    lumpSums.ui()->PodsumowanieRoczne->click();
    shoot(&lumpSums, folder, QStringLiteral("ryczalt"));
    lumpSums.ui()->PageControl1->setCurrentWidget(lumpSums.ui()->TabSheetZestawienie);
    shoot(&lumpSums, folder, QStringLiteral("ryczalt_zestawienie"));
    app->output.clear();
    lumpSums.ui()->Drukuj->click();
    if (app->output.count() > 0) {
        shootPage(app->output.last().document, folder, QStringLiteral("wydruk_ryczaltu"));
    }
    lumpSums.close();
    // The backup window with a second disk chosen, the same window half way through the trips table,
    // and the restore window on the dated folder the backup made.
    QTemporaryDir disk;
    app->drives.addDisk(QStringLiteral("D:"), disk.path(), 4 * 1024 * 1024);
    TKopiujProgram& backup = *forms.KopiujProgram;
    const qint64 trips = QFileInfo(app->dataFolder() + QStringLiteral("/Przejazdy.db")).size();
    bool waited = false;
    bool taken = false;
    app->drives.onWrite = [&](const QString& path, qint64 written) {
        if (taken || !path.contains(QStringLiteral("Przejazdy.db")) || written * 2 < trips)
            return;
        if (!waited) {
            QThread::msleep(60); // the display is refreshed after the next block
            waited = true;
            return;
        }
        backup.grab().save(folder + QStringLiteral("/kopia_w_trakcie.png"));
        taken = true;
    };
    app->dialogs.onModal(QStringLiteral("tarlok::TKopiujProgram"), [&](QWidget*) {
        test::ArchiveDriver::chooseDrive(backup, QStringLiteral("D:"));
        shoot(&backup, folder, QStringLiteral("kopia"));
        backup.ui()->Kopiuj->click();
    });
    forms.MeniProgramu->SpeedButton2Click();
    backup.hide();
    app->drives.onWrite = nullptr;
    app->dialogs.onModal(QStringLiteral("tarlok::TOdtwarzanieDanych"), [&](QWidget* w) {
        auto& restore = *static_cast<TOdtwarzanieDanych*>(w);
        test::ArchiveDriver::chooseDrive(restore, QStringLiteral("D:"));
        test::ArchiveDriver::openFolder(restore, disk.path() + QStringLiteral("/ARCHIWUM.Poj/15_05_2024"));
        shoot(&restore, folder, QStringLiteral("odtwarzanie"));
    });
    forms.MeniProgramu->Odtwarzaniedanych1Click();
    forms.OdtwarzanieDanych->hide();
    if (!app->dialogs.texts().isEmpty())
        qInfo() << "messages:" << app->dialogs.texts();
    return 0;
}
