#include "Forms.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "deadlines/TOpcjeDlaTerminow.h"
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

namespace tarlok {

template <class Window> Window* Forms::create() {
    auto window = std::make_unique<Window>(*this);
    Window* raw = window.get();
    m_windows.push_back(std::move(window));
    return raw;
}

Forms::Forms(AppContext& ctx) : context(ctx) {
    // The order of creation is the order in which windows may rely on each other being there.
    MeniProgramu = create<TMeniProgramu>();
    Ewidencja_przejazdow = create<TEwidencja_przejazdow>();
    Cel_Wyjazdu = create<TCel_Wyjazdu>();
    Nowy_Okres = create<TNowy_Okres>();
    Pojazdy_firmy = create<TPojazdy_firmy>();
    Stawki_poj = create<TStawki_poj>();
    Trasy = create<TTrasy>();
    Wybor_okresu = create<TWybor_okresu>();
    Jaki_Wydatek = create<TJaki_Wydatek>();
    OpcjeDlaTerminow = create<TOpcjeDlaTerminow>();
    Parametry1 = create<TParametry1>();
    Kierowcy1 = create<TKierowcy1>();
    WlascicielPodatnik = create<TWlascicielPodatnik>();
}

Forms::~Forms() {
    // Later windows go first: they may hold tables linked to earlier ones.
    while (!m_windows.empty())
        m_windows.pop_back();
}

} // namespace tarlok
