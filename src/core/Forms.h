#pragma once

#include "EnterInBoxes.h"
#include "Keyboard.h"
#include "PendingEdits.h"
#include "TableHolders.h"

#include <QWidget>

#include <memory>
#include <type_traits>
#include <vector>

namespace tarlok {

struct AppContext;
class TMeniProgramu;
class TEwidencja_przejazdow;
class TCel_Wyjazdu;
class TNowy_Okres;
class TPojazdy_firmy;
class TStawki_poj;
class TTrasy;
class TWybor_okresu;
class TJaki_Wydatek;
class TOpcjeDlaTerminow;
class DeadlinesForm;
class TPrzegladTerminow;
class TInformacjeNotatki;
class TInformacjeNotatkiDruk;
class TTerminyDruk;
class TTerminyDruk1;
class TParametry1;
class TKierowcy1;
class TWlascicielPodatnik;
class TFormularzWydrukow;
class TSprawdzenieLicznika;
class TImportCsv;
class TRyczaltEwidencja;
class TKopiujProgram;
class TOdtwarzanieDanych;

// The window registry: every window of the program, created once at start-up in a fixed order (by the
// application) and kept for the whole run, so that one window can open or ask another through that
// window's methods. A window receives the registry in its constructor and may use the windows created
// after it only once start-up is done.
class Forms {
public:
    explicit Forms(AppContext& context);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    AppContext& context;

    TMeniProgramu* MeniProgramu = nullptr;
    TEwidencja_przejazdow* Ewidencja_przejazdow = nullptr;
    TCel_Wyjazdu* Cel_Wyjazdu = nullptr;
    TNowy_Okres* Nowy_Okres = nullptr;
    TPojazdy_firmy* Pojazdy_firmy = nullptr;
    TStawki_poj* Stawki_poj = nullptr;
    TTrasy* Trasy = nullptr;
    TWybor_okresu* Wybor_okresu = nullptr;
    TJaki_Wydatek* Jaki_Wydatek = nullptr;
    TOpcjeDlaTerminow* OpcjeDlaTerminow = nullptr;
    // The deadlines window's form context: its table, for the windows that share it.
    DeadlinesForm* deadlinesForm = nullptr;
    TPrzegladTerminow* PrzegladTerminow = nullptr;
    TInformacjeNotatki* InformacjeNotatki = nullptr;
    TInformacjeNotatkiDruk* InformacjeNotatkiDruk = nullptr;
    TTerminyDruk* TerminyDruk = nullptr;
    TTerminyDruk1* TerminyDruk1 = nullptr;
    TParametry1* Parametry1 = nullptr;
    TKierowcy1* Kierowcy1 = nullptr;
    TWlascicielPodatnik* WlascicielPodatnik = nullptr;
    TFormularzWydrukow* FormularzWydrukow = nullptr;
    TSprawdzenieLicznika* SprawdzenieLicznika = nullptr;
    TImportCsv* ImportCsv = nullptr;
    TRyczaltEwidencja* RyczaltEwidencja = nullptr;
    TKopiujProgram* KopiujProgram = nullptr;
    TOdtwarzanieDanych* OdtwarzanieDanych = nullptr;

    // What holds tables open, closed by the archive before it copies the data files.
    TableHolders tableHolders;
    // What is being typed in any window, asked before every move and every whole-program action.
    PendingEdits pendingEdits;
    // For an action that would lose what is being typed: true, with the owning window's message shown
    // and that window in front, when something is (the action must not run).
    bool refuseWhileTyping() const;

    // Keeps a window (or a printout) for the run; they are destroyed in the reverse order of adoption.
    // Every window keeps Enter in its boxes and the program's rules for Tab and the other keys.
    template <class Window> Window* adopt(std::unique_ptr<Window> window) {
        Window* raw = window.get();
        if constexpr (std::is_base_of_v<QWidget, Window>) {
            keepEnterInBoxes(*raw);
            keepKeyboardRules(*raw);
        }
        m_windows.push_back(std::move(window));
        return raw;
    }

private:
    std::vector<std::unique_ptr<QObject>> m_windows; // in creation order
};

} // namespace tarlok
