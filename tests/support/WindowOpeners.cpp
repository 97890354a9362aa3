#include "WindowOpeners.h"

#include "TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TSprawdzenieLicznika.h"
#include "reports/TFormularzWydrukow.h"

namespace tarlok::test {

const QMap<QString, WindowOpener>& windowOpeners() {
    static const QMap<QString, WindowOpener> map{
        {"wydruki",
         [](TestApp& app) -> QWidget* {
             app.reg().ZestawWydrukowClick();
             return app.forms().FormularzWydrukow;
         }},
        {"terminy",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedButton4Click();
             return app.forms().OpcjeDlaTerminow;
         }},
        {"notatki",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedButton4Click();
             app.forms().InformacjeNotatki->showForYear(QStringLiteral("2024"));
             return app.forms().InformacjeNotatki;
         }},
        {"ryczalt",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedRyczaltClick();
             return app.forms().RyczaltEwidencja;
         }},
        {"pojazdy",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedPojazdyClick();
             return app.forms().Pojazdy_firmy;
         }},
        {"kierowcy",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->Kierowcy1Click();
             return app.forms().Kierowcy1;
         }},
        {"wlasciciel",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->Waciciel1Click();
             return app.forms().WlascicielPodatnik;
         }},
        {"cele",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedCeleClick();
             return app.forms().Cel_Wyjazdu;
         }},
        {"trasy",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedTrasaClick();
             return app.forms().Trasy;
         }},
        {"wydatki",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedWydatkiClick();
             return app.forms().Jaki_Wydatek;
         }},
        {"stawki",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedStawkiClick();
             return app.forms().Stawki_poj;
         }},
        {"nowy okres",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedOkresClick();
             return app.forms().Nowy_Okres;
         }},
        {"kopia",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->SpeedButton2Click();
             return app.forms().KopiujProgram;
         }},
        {"odtwarzanie",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->Odtwarzaniedanych1Click();
             return app.forms().OdtwarzanieDanych;
         }},
        {"licznik",
         [](TestApp& app) -> QWidget* {
             app.reg().SprawdzLicznikClick();
             return app.forms().SprawdzenieLicznika;
         }},
        {"parametry",
         [](TestApp& app) -> QWidget* {
             app.forms().MeniProgramu->ParametryClick();
             return app.forms().Parametry1;
         }},
        {"ewidencja",
         [](TestApp& app) -> QWidget* {
             return &app.reg();
         }},
    };
    return map;
}

} // namespace tarlok::test
