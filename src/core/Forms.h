#pragma once

#include "EnterInBoxes.h"
#include "Keyboard.h"
#include "PendingEdits.h"
#include "TableHolders.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>
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

// A window of the registry, built when it is first used and kept from then on; it reads as a pointer to
// the window. A window the user never opens costs nothing at start-up.
template <class Window> class WindowSlot {
public:
    void setBuilder(std::function<Window*()> build) { m_build = std::move(build); }
    Window* get() const {
        if (!m_window) {
            if (m_building)
                throw std::logic_error("a window used while it is being built");
            m_building = true;
            try {
                m_window = m_build();
            } catch (...) {
                m_building = false;
                throw;
            }
            m_building = false;
        }
        return m_window;
    }
    Window* operator->() const { return get(); }
    Window& operator*() const { return *get(); }
    operator Window*() const { return get(); }
    // The window when it has been built; nothing is built.
    Window* ifBuilt() const { return m_window; }

private:
    std::function<Window*()> m_build;
    mutable Window* m_window = nullptr;
    mutable bool m_building = false;
};

// The window registry: every window of the program, kept for the whole run, so that one window can open
// or ask another through that window's methods. The application builds the main window and the windows
// the others follow at start-up, in a fixed order; the rest are built at their first use. A window
// receives the registry in its constructor and may use the windows created after it only once start-up
// is done.
class Forms {
public:
    explicit Forms(AppContext& context);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    AppContext& context;

    WindowSlot<TMeniProgramu> MeniProgramu;
    WindowSlot<TEwidencja_przejazdow> Ewidencja_przejazdow;
    WindowSlot<TCel_Wyjazdu> Cel_Wyjazdu;
    WindowSlot<TNowy_Okres> Nowy_Okres;
    WindowSlot<TPojazdy_firmy> Pojazdy_firmy;
    WindowSlot<TStawki_poj> Stawki_poj;
    WindowSlot<TTrasy> Trasy;
    WindowSlot<TWybor_okresu> Wybor_okresu;
    WindowSlot<TJaki_Wydatek> Jaki_Wydatek;
    WindowSlot<TOpcjeDlaTerminow> OpcjeDlaTerminow;
    // The deadlines window's form context: its table, for the windows that share it.
    WindowSlot<DeadlinesForm> deadlinesForm;
    WindowSlot<TPrzegladTerminow> PrzegladTerminow;
    WindowSlot<TInformacjeNotatki> InformacjeNotatki;
    WindowSlot<TInformacjeNotatkiDruk> InformacjeNotatkiDruk;
    WindowSlot<TTerminyDruk> TerminyDruk;
    WindowSlot<TTerminyDruk1> TerminyDruk1;
    WindowSlot<TParametry1> Parametry1;
    WindowSlot<TKierowcy1> Kierowcy1;
    WindowSlot<TWlascicielPodatnik> WlascicielPodatnik;
    WindowSlot<TFormularzWydrukow> FormularzWydrukow;
    WindowSlot<TSprawdzenieLicznika> SprawdzenieLicznika;
    WindowSlot<TImportCsv> ImportCsv;
    WindowSlot<TRyczaltEwidencja> RyczaltEwidencja;
    WindowSlot<TKopiujProgram> KopiujProgram;
    WindowSlot<TOdtwarzanieDanych> OdtwarzanieDanych;

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
