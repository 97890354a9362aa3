// The register window: its tables, the vehicle grid, the selected period and the moves between
// vehicles, months, years and tabs, and the windows opened from it. The trips tab, the costs tab and
// the summary tab have controllers of their own.
#include "TEwidencja_przejazdow.h"

#include "CostsTab.h"
#include "EntryTab.h"
#include "GridCells.h"
#include "RegisterExport.h"
#include "RegisterPeriods.h"
#include "SummaryTab.h"
#include "TSprawdzenieLicznika.h"
#include "TripsTab.h"
#include "VehicleGrid.h"

#include "common/Months.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reports/TFormularzWydrukow.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"
#include "widgets/DataLink.h"
#include "widgets/PeriodBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QWheelEvent>

namespace tarlok {

namespace {

namespace V = fields::pojazdy;
namespace O = fields::okresy;

const QString kBrowseOnly = QStringLiteral("W widoku \"Wszystko\" zapisy można tylko przeglądać - wybierz "
                                           "miesiąc, aby dodać lub poprawić zapis.");

} // namespace

// ---------------------------------------------------------------- creation

TEwidencja_przejazdow::TEwidencja_przejazdow(Forms& forms)
    : QWidget(nullptr, Qt::Window), TablePojazdy(forms.context.data().TablePojazdy),
      TablePrzejazdy(forms.context.data().TablePrzejazdy), TableKoszty(forms.context.data().TableKoszty),
      TableStawki(forms.context.data().TableStawki), TableOkresy(forms.context.data().TableOkresy),
      TableTrasy(forms.context.data().TableTrasy), TableWydatki(forms.context.data().TableWydatki),
      TableCelWyjazdu(forms.context.data().TableCelWyjazdu), m_forms(forms), m_data(forms.context.data()),
      m_ui(std::make_unique<Ui::TEwidencja_przejazdow>()), m_trips(std::make_unique<TripsTab>(*this, forms)),
      m_costs(std::make_unique<CostsTab>(*this, forms)),
      m_summary(std::make_unique<SummaryTab>(*this, forms)) {
    setObjectName(QStringLiteral("Ewidencja_przejazdow"));
    m_ui->setupUi(this);
    // Only the periods' years and months are listed: what is typed is a choice, never a new entry.
    m_period = new PeriodBoxes(*m_ui->ComboBoxRok, *m_ui->ComboBoxMiesiac, this);
    // F1 opens the topic of the tab in use, as its "Pomoc" button does; elsewhere the window's.
    setHelpTopic(this, 1);
    setHelpTopic(m_ui->Koszty, 2);
    setHelpTopic(m_ui->Przejazdy, 3);
    setHelpTopic(m_ui->Zestawienia, 20);
    setFixedSize(963, 765);
    forms.pendingEdits.add(this, m_data.TablePrzejazdy);
    forms.pendingEdits.add(this, m_data.TableKoszty);
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    setupVehicleGrid(*m_ui, TablePojazdy);
    m_trips->setupControls();
    m_costs->setupControls();
    // The tabs' bar is Tab's stop between the top and the tab shown (the form's order cannot name it).
    QWidget::setTabOrder(m_ui->CheckBoxOdblokuj, m_ui->PageControl1->tabBar());
    QWidget::setTabOrder(m_ui->PageControl1->tabBar(), m_ui->DataKosztu);
    for (QTableWidget* grid : {m_ui->StringGridKoszty, m_ui->StringGridVat, m_ui->StringGridPrzejazdy})
        grids::fill(grid, QStringLiteral("0"));
    followTab();
    connectHandlers();
    setErrorHandlerForChildren(this, [this](const Error& e) { m_forms.context.dialogs.message(e.text()); });
    connectAction(m_forms.context.dialogs, &m_data, &SharedData::periodAdded, this,
                  &TEwidencja_przejazdow::periodAdded);
    m_ui->ComboBoxMiesiac->addItem(months::kAll);
    m_ui->BitBtnProszeCzekac->setVisible(false);
    m_ui->DataKosztu->setDate(m_forms.context.clock.today());
    m_ui->DataPrzejazdu->setDate(m_forms.context.clock.today());
    m_costs->applyCostEntryMode();
    m_summary->NaglowkiZestawienia();
}

// The tabs go first: they work on the form.
TEwidencja_przejazdow::~TEwidencja_przejazdow() = default;

void TEwidencja_przejazdow::connectHandlers() {
    auto* ui = m_ui.get();
    Dialogs& dialogs = m_forms.context.dialogs;
    connectAction(dialogs, ui->ComboBoxRok, &QComboBox::activated, this,
                  &TEwidencja_przejazdow::ComboBoxRokChange);
    connectAction(dialogs, m_period, &PeriodBoxes::yearTyped, this,
                  &TEwidencja_przejazdow::ComboBoxRokChange);
    connectAction(dialogs, ui->ComboBoxMiesiac, &QComboBox::activated, this,
                  &TEwidencja_przejazdow::ComboBoxMiesiacClick);
    connectAction(dialogs, m_period, &PeriodBoxes::monthTyped, this,
                  &TEwidencja_przejazdow::ComboBoxMiesiacChange);
    connectAction(dialogs, ui->PageControl1, &QTabWidget::currentChanged, this,
                  &TEwidencja_przejazdow::PageControl1Change);

    connectAction(dialogs, ui->DBGridPojazdy, &DbGrid::cellClick, this,
                  &TEwidencja_przejazdow::DBGridPojazdyCellClick);
    connectAction(dialogs, ui->DBGridPojazdy, &DbGrid::dblClick, this,
                  &TEwidencja_przejazdow::DBGridPojazdyDblClick);
    connectAction(dialogs, ui->DBGridPojazdy, &DbGrid::keyDown, this,
                  &TEwidencja_przejazdow::DBGridPojazdyKeyDown);
    connectAction(dialogs, ui->DBGridPojazdy, &DbGrid::keyUp, this,
                  &TEwidencja_przejazdow::DBGridPojazdyKeyUp);
    connectAction(dialogs, ui->DBGridPojazdy, &DbGrid::exit, this, &TEwidencja_przejazdow::DBGridPojazdyExit);
    connectAction(dialogs, ui->CheckBoxOdblokuj, &QCheckBox::clicked, this,
                  &TEwidencja_przejazdow::CheckBoxOdblokujClick);

    // The buttons that close the window, open the windows and printouts reached from it, export and help.
    using Handler = void (TEwidencja_przejazdow::*)();
    const std::pair<QPushButton*, Handler> buttons[] = {
        {ui->zamknij, &TEwidencja_przejazdow::zamknijClick},
        {ui->DodajPojazd, &TEwidencja_przejazdow::DodajPojazdClick},
        {ui->DodajTrase, &TEwidencja_przejazdow::DodajTraseClick},
        {ui->Kartoteka_Tras, &TEwidencja_przejazdow::Kartoteka_TrasClick},
        {ui->Stawki, &TEwidencja_przejazdow::StawkiClick},
        {ui->NowyOkres, &TEwidencja_przejazdow::NowyOkresClick},
        {ui->Wydatki, &TEwidencja_przejazdow::WydatkiClick},
        {ui->Kart_Wydatki, &TEwidencja_przejazdow::Kart_WydatkiClick},
        {ui->CelWyj, &TEwidencja_przejazdow::CelWyjClick},
        {ui->Kartoteka_Celow, &TEwidencja_przejazdow::Kartoteka_CelowClick},
        {ui->Kierowcy, &TEwidencja_przejazdow::KierowcyClick},
        {ui->KartotekaKierowcow, &TEwidencja_przejazdow::KartotekaKierowcowClick},
        {ui->ZestawWydrukow, &TEwidencja_przejazdow::ZestawWydrukowClick},
        {ui->DrukujPrzejazdy, &TEwidencja_przejazdow::DrukujPrzejazdyClick},
        {ui->DrukujZestawienie, &TEwidencja_przejazdow::DrukujZestawienieClick},
        {ui->DrukujKoszty, &TEwidencja_przejazdow::DrukujKosztyClick},
        {ui->PodgladZestawienia, &TEwidencja_przejazdow::PodgladZestawieniaClick},
        {ui->EksportPrzejazdow, &TEwidencja_przejazdow::EksportPrzejazdowClick},
        {ui->EksportKosztow, &TEwidencja_przejazdow::EksportKosztowClick},
        {ui->SprawdzLicznik, &TEwidencja_przejazdow::SprawdzLicznikClick},
        {ui->Pomoc_glowna, &TEwidencja_przejazdow::Pomoc_glownaClick},
        {ui->Pomoc_koszty, &TEwidencja_przejazdow::Pomoc_kosztyClick},
        {ui->Pomoc, &TEwidencja_przejazdow::PomocClick},
    };
    for (const auto& [button, handler] : buttons)
        connectAction(dialogs, button, &QPushButton::clicked, this, handler);
}

// ---------------------------------------------------------------- tables

void TEwidencja_przejazdow::openTables() {
    m_data.openTables();
}

void TEwidencja_przejazdow::closeTables() {
    m_data.closeTables();
}

int TEwidencja_przejazdow::selectedYear() const {
    const QString text = m_ui->ComboBoxRok->currentText().trimmed();
    if (numbers::isInteger(text)) {
        const qint64 year = numbers::parseInteger(text);
        if (year > 0 && year < 100000)
            return int(year);
    }
    return m_forms.context.clock.today().year();
}

void TEwidencja_przejazdow::takePeriodFromBoxes() {
    // An empty year box is never left empty: the current year goes into it.
    if (m_ui->ComboBoxRok->currentText().trimmed().isEmpty())
        m_period->setYearText(QString::number(m_forms.context.clock.today().year()));
    // A month box without a month name shows the current month's rows.
    int month = m_forms.context.clock.today().month();
    WybranyMiesiac(month);
    m_data.setPeriod(selectedYear(), month);
}

void TEwidencja_przejazdow::followTab() {
    using Scope = SharedData::Scope;
    // The table of the other entry tab is shown nowhere: it holds the year shown, as it does for the
    // summary, so that it is not read for every year while out of sight.
    m_data.setTripsScope(onTripsTab() ? Scope::Period : Scope::Year);
    m_data.setCostsScope(onCostsTab() ? Scope::Period : Scope::Year);
    m_ui->ComboBoxMiesiac->setEnabled(!onSummaryTab());
}

// ---------------------------------------------------------------- the selected period

void TEwidencja_przejazdow::WybranyMiesiac(int& month) const {
    if (const std::optional<int> shown = m_period->month())
        month = *shown;
}

int TEwidencja_przejazdow::WybranyMiesiac() const {
    int month = 0;
    WybranyMiesiac(month);
    return month;
}

void TEwidencja_przejazdow::WybranyOkres(int& year, int& month) const {
    year = selectedYear();
    WybranyMiesiac(month);
}

std::pair<int, int> TEwidencja_przejazdow::ZakresMiesiecy(int month) {
    if (month == 0)
        return {1, 12};
    return {month, month};
}

bool TEwidencja_przejazdow::onTripsTab() const {
    return m_ui->PageControl1->currentWidget() == m_ui->Przejazdy;
}
bool TEwidencja_przejazdow::onCostsTab() const {
    return m_ui->PageControl1->currentWidget() == m_ui->Koszty;
}
bool TEwidencja_przejazdow::onSummaryTab() const {
    return m_ui->PageControl1->currentWidget() == m_ui->Zestawienia;
}

void TEwidencja_przejazdow::fillPeriodLists() {
    const int today = m_forms.context.clock.today().year();
    const QList<int> years = periodYears(*TableOkresy, today);
    {
        const QSignalBlocker block(m_ui->ComboBoxRok);
        m_ui->ComboBoxRok->clear();
        for (int year : years)
            m_ui->ComboBoxRok->addItem(QString::number(year));
    }
    TableOkresy->last();
    const int year = int(TableOkresy->asInteger(O::Rok));
    m_period->setMonthText(months::name(int(TableOkresy->asInteger(O::Miesiac))));
    m_period->setYearText(TableOkresy->isNull(O::Rok) ? QString() : QString::number(year));
    m_period->setMonthNames(monthNamesOf(*TableOkresy, year));
    periodShown();
}

TEwidencja_przejazdow::PeriodLists TEwidencja_przejazdow::periodLists() const {
    PeriodLists lists;
    for (int i = 0; i < m_ui->ComboBoxRok->count(); ++i)
        lists.years.append(m_ui->ComboBoxRok->itemText(i));
    for (int i = 0; i < m_ui->ComboBoxMiesiac->count(); ++i)
        lists.months.append(m_ui->ComboBoxMiesiac->itemText(i));
    lists.year = m_ui->ComboBoxRok->currentText();
    lists.month = m_ui->ComboBoxMiesiac->currentText();
    return lists;
}

void TEwidencja_przejazdow::periodShown() {
    takePeriodFromBoxes();
    followTab();
    m_period->remember();
    m_shownTab = m_ui->PageControl1->currentIndex();
    // "Wszystko" lists the whole year with its running values: nothing can start an edit there.
    const bool wholeYear = m_period->shownMonth() == months::kAll;
    for (Table* table : {TablePrzejazdy, TableKoszty})
        table->setBrowseOnly(wholeYear ? kBrowseOnly : QString());
    entrytab::setEnabled({m_ui->EdytujPrzejazd, m_ui->EdytujKoszt}, !wholeYear);
}

QString TEwidencja_przejazdow::vehicleRefusal() const {
    return m_data.vehicleRefusal();
}

bool TEwidencja_przejazdow::refuseVehicleWithoutNumber() {
    const QString refusal = vehicleRefusal();
    if (refusal.isEmpty())
        return false;
    m_forms.context.dialogs.message(refusal);
    return true;
}

void TEwidencja_przejazdow::restoreShownPeriod() {
    m_period->restore();
    const QSignalBlocker blockTab(m_ui->PageControl1);
    m_ui->PageControl1->setCurrentIndex(m_shownTab);
    takePeriodFromBoxes();
    followTab();
}

void TEwidencja_przejazdow::OdblokujZakladki() {
    if (m_ui->CheckBoxOdblokuj->isChecked()) {
        m_ui->PageControl1->setEnabled(true);
        return;
    }
    if (!TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    const QVariant used = TablePojazdy->value(V::Uzywany);
    if (!used.isNull())
        m_ui->PageControl1->setEnabled(used.toBool());
}

void TEwidencja_przejazdow::showBusy(bool shown) {
    m_ui->BitBtnProszeCzekac->setVisible(shown);
    if (shown) {
        m_ui->BitBtnProszeCzekac->raise();
        m_ui->BitBtnProszeCzekac->repaint();
    }
}

// ---------------------------------------------------------------- vehicle, month, year, tab

void TEwidencja_przejazdow::selectVehicle(bool busy) {
    if (!TablePojazdy->isActive())
        return;
    m_trips->UstawStawke();
    const int m = WybranyMiesiac();
    if (TablePrzejazdy->isActive() && !TablePrzejazdy->isEditing()) {
        if (onTripsTab())
            m_trips->SumyPrzejazdow(m);
        if (onCostsTab()) {
            m_costs->SumyKosztow(m);
            m_costs->SumyVat(m);
        }
    }
    m_costs->SumyVat(m);
    if (onSummaryTab()) {
        if (busy)
            showBusy(true);
        m_summary->WyliczZestawienie();
        showBusy(false);
    }
    OdblokujZakladki();
}

void TEwidencja_przejazdow::DBGridPojazdyCellClick() {
    runAction(m_forms.context.dialogs, [&] { selectVehicle(true); });
}
void TEwidencja_przejazdow::DBGridPojazdyDblClick() {
    DBGridPojazdyCellClick();
}
void TEwidencja_przejazdow::DBGridPojazdyKeyDown() {
    DBGridPojazdyCellClick();
}
void TEwidencja_przejazdow::DBGridPojazdyKeyUp() {
    DBGridPojazdyCellClick();
}
void TEwidencja_przejazdow::DBGridPojazdyExit() {
    runAction(m_forms.context.dialogs, [&] { selectVehicle(false); });
}

void TEwidencja_przejazdow::CheckBoxOdblokujClick() {
    OdblokujZakladki();
}

void TEwidencja_przejazdow::ComboBoxMiesiacClick() {
    ComboBoxMiesiacChange();
}

void TEwidencja_przejazdow::ComboBoxMiesiacChange() {
    QComboBox* monthBox = m_ui->ComboBoxMiesiac;
    // A typed text that is none of the listed months puts the box back.
    if (monthBox->findText(monthBox->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        restoreShownPeriod();
        return;
    }
    if (m_forms.refuseWhileTyping()) {
        restoreShownPeriod();
        return;
    }
    runAction(m_forms.context.dialogs, [&] { monthChanged(); });
    periodShown();
}

void TEwidencja_przejazdow::monthChanged() {
    takePeriodFromBoxes();
    if (!TablePojazdy->isActive())
        return;
    const int m = WybranyMiesiac();
    if (onCostsTab())
        m_costs->monthShown(m);
    else if (onTripsTab())
        m_trips->monthShown(m);
}

void TEwidencja_przejazdow::ComboBoxRokChange() {
    if (m_forms.refuseWhileTyping()) {
        restoreShownPeriod();
        return;
    }
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        const int today = ctx.clock.today().year();
        int remembered = 0;
        WybranyMiesiac(remembered);
        QComboBox* yearBox = m_ui->ComboBoxRok;
        const QString text = yearBox->currentText().trimmed();
        bool empty = text.isEmpty();
        if (!empty && !numbers::isInteger(text)) {
            ctx.dialogs.messageBox(QStringLiteral("TO NIE JEST POPRAWNY ROK - POPRAW"),
                                   QStringLiteral("Błąd"));
            yearBox->setFocus();
            m_period->setYearText(QString());
            empty = true;
        }
        if (empty)
            m_period->setYearText(QString::number(today));
        if (m_ui->ComboBoxMiesiac->currentText() == months::kAll)
            ctx.dialogs.message(QStringLiteral("Przy zmianie roku wybierz konkretny miesiąc"));
        try {
            m_period->setMonthNames(monthNamesOf(*TableOkresy, selectedYear()));
            if (TableOkresy->locate(O::Miesiac, {remembered}))
                m_period->setMonthText(months::name(remembered));
            takePeriodFromBoxes();
            if (onCostsTab())
                TableKoszty->refresh();
            else if (onTripsTab())
                TablePrzejazdy->refresh();
        } catch (const Error&) {
            ctx.dialogs.message(PeriodBoxes::kInvalidYear);
            m_period->setYearText(QString::number(today));
        }
        takePeriodFromBoxes();
        if (onSummaryTab()) {
            showBusy(true);
            m_summary->WyliczZestawienie();
            showBusy(false);
        }
        // The sums under the grid follow the year shown.
        const int m = WybranyMiesiac();
        if (onTripsTab()) {
            m_trips->showSums(m);
        } else if (onCostsTab()) {
            m_costs->showSums(m);
            m_costs->SpalanieSrednie(); // the consumption of the year shown, not of the one before
        }
        int year = 0;
        int month = 0;
        WybranyOkres(year, month);
        const QDate first(year, month >= 1 ? month : 1, 1);
        m_ui->DataKosztu->setDate(first);
        m_ui->DataPrzejazdu->setDate(first);
    });
    periodShown();
}

void TEwidencja_przejazdow::PageControl1Change() {
    if (m_forms.refuseWhileTyping()) {
        restoreShownPeriod();
        return;
    }
    followTab();
    runAction(m_forms.context.dialogs, [&] {
        if (!TablePojazdy->isActive())
            return;
        const int m = WybranyMiesiac();
        if (onCostsTab()) {
            m_costs->tabShown(m);
        } else if (onTripsTab()) {
            m_trips->tabShown(m);
        } else {
            showBusy(true);
            m_summary->tabShown();
            showBusy(false);
        }
    });
    periodShown();
}

// ---------------------------------------------------------------- opening

void TEwidencja_przejazdow::openFromMainWindow() {
    AppContext& ctx = m_forms.context;
    const QDate today = ctx.clock.today();
    auto* ui = m_ui.get();
    openTables();
    {
        const QSignalBlocker blockMonth(ui->ComboBoxMiesiac);
        const QSignalBlocker blockTab(ui->PageControl1);
        if (today.month() < ui->ComboBoxMiesiac->count())
            ui->ComboBoxMiesiac->setCurrentIndex(today.month());
        ui->DataKosztu->setDate(today);
        ui->PageControl1->setCurrentWidget(ui->Koszty);
    }
    fillPeriodLists();
    m_costs->showSums(WybranyMiesiac());

    ctx.schema = schema::readState(ctx.database, ctx.dataFolder());
    m_costs->resetEntryModes();
    m_trips->resetEntryMode();

    show();
    raise();
    if (TableKoszty->isActive())
        TableKoszty->refresh();
    TableOkresy->last();
    const QDate periodDate = TableOkresy->asDate(O::Data);
    if (periodDate > QDate(1990, 12, 30))
        ui->DataKosztu->setDate(periodDate);
    m_costs->showFirstCost();
    m_costs->clearVatShares();
}

void TEwidencja_przejazdow::showFirstPeriod() {
    m_ui->DataKosztu->setDate(m_forms.context.clock.today());
    {
        const QSignalBlocker blockTab(m_ui->PageControl1);
        m_ui->PageControl1->setCurrentWidget(m_ui->Koszty);
    }
    followTab();
    show();
    raise();
    if (TableKoszty->isActive())
        TableKoszty->refresh();
    m_costs->clearVatShares();
}

void TEwidencja_przejazdow::periodAdded(int year, int, const QDate& date) {
    // The lists are made again from the periods table: the year list gains a new year, the month list
    // holds the months of the new period's year (whatever year was shown), and the boxes show it.
    fillPeriodLists();
    {
        const QSignalBlocker blockYear(m_ui->ComboBoxRok);
        const QString yearText = QString::number(year);
        if (m_ui->ComboBoxRok->findText(yearText) < 0)
            m_ui->ComboBoxRok->addItem(yearText); // a year beyond the list's range is listed too
        m_ui->ComboBoxRok->setEditText(yearText);
    }
    periodShown();
    for (Table* table : {TableKoszty, TablePrzejazdy})
        if (table->isActive())
            table->refresh();
    m_ui->DataPrzejazdu->setDate(date);
    m_ui->DataKosztu->setDate(date);
    m_ui->EditWartoscZaliczona->clear();
    if (!TablePojazdy->isActive())
        return;
    const int month = WybranyMiesiac();
    m_trips->OpisySumPrzejazdow(month);
    m_costs->OpisySumKosztow(month);
    m_costs->SumyKosztow(month);
}

void TEwidencja_przejazdow::zamknijClick() {
    close();
}

void TEwidencja_przejazdow::closeEvent(QCloseEvent* event) {
    // A pending row is dropped as "Anuluj" does; the tables are closed with the window.
    closeTables();
    m_trips->windowClosed();
    m_costs->windowClosed();
    QWidget::closeEvent(event);
}

void TEwidencja_przejazdow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (onTripsTab())
            m_trips->AnulujPrzejazdClick();
        else if (onCostsTab())
            m_costs->AnulujKosztClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- windows opened from here

void TEwidencja_przejazdow::DodajPojazdClick() {
    runAction(m_forms.context.dialogs, [&] { m_forms.Pojazdy_firmy->openWindow(); });
}

void TEwidencja_przejazdow::DodajTraseClick() {
    m_forms.Trasy->openWindow(false);
}

void TEwidencja_przejazdow::Kartoteka_TrasClick() {
    m_forms.Trasy->openWindow(true);
}

void TEwidencja_przejazdow::StawkiClick() {
    m_forms.context.dialogs.showModal(m_forms.Stawki_poj);
}

void TEwidencja_przejazdow::NowyOkresClick() {
    runAction(m_forms.context.dialogs, [&] {
        m_forms.Nowy_Okres->prepare();
        m_ui->EditWartoscZaliczona->clear();
        m_forms.context.dialogs.showModal(m_forms.Nowy_Okres);
    });
}

void TEwidencja_przejazdow::WydatkiClick() {
    m_costs->expenseKindChosen(m_forms.Jaki_Wydatek->openWindow(false));
}

void TEwidencja_przejazdow::Kart_WydatkiClick() {
    m_costs->expenseKindChosen(m_forms.Jaki_Wydatek->openWindow(true));
}

void TEwidencja_przejazdow::CelWyjClick() {
    if (m_forms.Cel_Wyjazdu->openWindow(false))
        m_ui->PageControl1->setCurrentWidget(m_ui->Koszty);
}

void TEwidencja_przejazdow::Kartoteka_CelowClick() {
    // Left by "Wyjście", the purposes window brings the costs tab (a changed trip keeps the tab).
    if (m_forms.Cel_Wyjazdu->openWindow(true))
        m_ui->PageControl1->setCurrentWidget(m_ui->Koszty);
}

void TEwidencja_przejazdow::KierowcyClick() {
    runAction(m_forms.context.dialogs, [&] { m_forms.Kierowcy1->openWindow(false); });
}

void TEwidencja_przejazdow::KartotekaKierowcowClick() {
    runAction(m_forms.context.dialogs, [&] { m_forms.Kierowcy1->openWindow(true); });
}

void TEwidencja_przejazdow::ZestawWydrukowClick() {
    m_forms.FormularzWydrukow->openFromRegister(*m_ui->ComboBoxRok, *m_ui->ComboBoxMiesiac);
}

void TEwidencja_przejazdow::DrukujPrzejazdyClick() {
    m_forms.FormularzWydrukow->runTripRegister();
}

void TEwidencja_przejazdow::DrukujKosztyClick() {
    m_forms.FormularzWydrukow->runCostStatement();
}

void TEwidencja_przejazdow::DrukujZestawienieClick() {
    if (!m_forms.refuseWhileTyping())
        m_summary->printSummary();
}

void TEwidencja_przejazdow::PodgladZestawieniaClick() {
    if (!m_forms.refuseWhileTyping())
        m_summary->previewSummary();
}

void TEwidencja_przejazdow::EksportPrzejazdowClick() {
    exportRows(*TablePrzejazdy, QStringLiteral("Przejazdy"),
               QStringLiteral("Brak przejazdów pojazdu w wybranym okresie - nie ma czego zapisać."), true);
}

void TEwidencja_przejazdow::EksportKosztowClick() {
    exportRows(*TableKoszty, QStringLiteral("Koszty"),
               QStringLiteral("Brak kosztów pojazdu w wybranym okresie - nie ma czego zapisać."), false);
}

void TEwidencja_przejazdow::exportRows(Table& table, const QString& what, const QString& nothingText,
                                       bool trips) {
    if (m_forms.refuseWhileTyping())
        return;
    const SharedData::Period p = m_data.period();
    const QString registration = TablePojazdy->isEmpty() ? QString() : TablePojazdy->asString(V::Nr_rej);
    registerexport::exportRows(m_forms.context.dialogs, table, registration, p.year, p.month, what,
                               nothingText, trips);
}

void TEwidencja_przejazdow::SprawdzLicznikClick() {
    if (m_forms.refuseWhileTyping())
        return;
    if (!TablePojazdy->isActive() || TablePojazdy->isEmpty()) {
        m_forms.context.dialogs.message(QStringLiteral("Wprowadź najpierw jakiś pojazd"));
        return;
    }
    if (refuseVehicleWithoutNumber())
        return;
    TSprawdzenieLicznika::Vehicle vehicle;
    vehicle.number = TablePojazdy->asInteger(V::NrKol_Pojazdu);
    vehicle.registration = TablePojazdy->asString(V::Nr_rej);
    vehicle.description = TablePojazdy->asString(V::Dane_Poj_Wszystko);
    const SharedData::Period p = m_data.period();
    m_forms.SprawdzenieLicznika->openFor(vehicle, p.year, p.month);
}

void TEwidencja_przejazdow::Pomoc_glownaClick() {
    m_forms.context.showHelp(1);
}

void TEwidencja_przejazdow::Pomoc_kosztyClick() {
    m_forms.context.showHelp(2);
}

void TEwidencja_przejazdow::PomocClick() {
    m_forms.context.showHelp(3);
}

} // namespace tarlok
