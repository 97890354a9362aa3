// Writes a PNG of every window of the program, as the user sees it, into a folder: run it under
// Xvfb (xvfb-run -a build/.../tools/tarlok_screenshots /tmp/shots) to look at the windows.
#include "support/ArchiveDriver.h"
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
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
#include "reports/TFormularzWydrukow.h"
#include "reports/engine/Painter.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TFormularzWydrukow.h"
#include "ui_TKopiujProgram.h"

#include <QDir>
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
        QImage sheet(2246, 1588, QImage::Format_RGB32); // landscape A4 at 192 dpi
        sheet.setDotsPerMeterX(7559);
        sheet.setDotsPerMeterY(7559);
        sheet.fill(Qt::white);
        report::paint(app->output.last().document, sheet);
        sheet.save(folder + QStringLiteral("/wydruk_zestawienia.png"));
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
        const report::Document& document = app->output.last().document;
        QImage page(1588, 2246, QImage::Format_RGB32); // A4 at 192 dpi
        page.setDotsPerMeterX(7559);
        page.setDotsPerMeterY(7559);
        page.fill(Qt::white);
        report::Document first = document;
        first.pages.resize(1);
        report::paint(first, page);
        page.save(folder + QStringLiteral("/wydruk_%1.png").arg(choice));
    }
    print.hide();

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
