// The lump-sum window: the lump-sum table, the period and the sheets; the record, the sums, the summary
// sheet and the statement have panels of their own.
#include "TRyczaltEwidencja.h"

#include "LumpSumRecordPanel.h"
#include "LumpSumSheetPanel.h"
#include "LumpSumStatementPanel.h"
#include "LumpSumSumsPanel.h"

#include "common/Months.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TRyczaltEwidencja.h"
#include "widgets/PeriodBoxes.h"

#include <QHideEvent>
#include <QSignalBlocker>

namespace tarlok {

namespace {

namespace F = fields::ryczalt;

const QString kIndex = QStringLiteral("NrKol_PojRokMiesiacInd");

const QString kOpenPeriodFirst =
    QStringLiteral("Otwórz najpierw okres w formatce \"EWIDENCJA PRZEBIEGU POJAZDU\"");
const QString kCreated = QStringLiteral("Tablica \"Ryczałt\" została utworzona");
const QString kCreateFailed = QStringLiteral("Błąd tworzenia tablicy dla Ryczałtu");
const QString kWrongYear = QStringLiteral("TO NIE JEST POPRAWNY ROK - POPRAW");
const QString kYearChangeNeedsMonth = QStringLiteral("Przy zmianie roku wybierz konkretny miesiąc");
const QString kChooseMonth = QStringLiteral("Wybierz prawidłowy miesiąc");
const QString kPending =
    QStringLiteral("Wprowadzany ryczałt nie został zapisany - zapisz go przyciskiem \"Zapisz\" "
                   "albo anuluj przyciskiem \"Anuluj\".");
const QString kBrowseOnly =
    QStringLiteral("W widoku \"Wszystko\" zapisy można tylko przeglądać - wybierz miesiąc, "
                   "aby dodać lub poprawić zapis.");

lumpsum::Record recordOf(const Table& t, const Record& row) {
    const auto value = [&](const QString& field) {
        return row.value(t.fieldIndex(field));
    };
    lumpsum::Record r;
    r.vehicle = value(F::NrKol_Pojazdu).toLongLong();
    r.year = int(value(F::Rok).toLongLong());
    r.month = int(value(F::Miesiac).toLongLong());
    r.declared = value(F::DataOswiadczenia).toDate();
    r.limitKm = value(F::Limit_km).toDouble();
    r.rate = value(F::Stawka_km).toDouble();
    r.lumpSum = value(F::Ryczalt_zl).toDouble();
    r.leave = value(F::Dni_Urlopu).toLongLong();
    r.withoutCar = value(F::Dni_Bez_Samochodu).toLongLong();
    r.other = value(F::Inne_Nieobecnosci).toLongLong();
    r.deduction = value(F::SumaPotracenia).toDouble();
    r.due = value(F::Naleznosc_Mc).toDouble();
    return r;
}

} // namespace

// ---------------------------------------------------------------- creation

TRyczaltEwidencja::TRyczaltEwidencja(Forms& forms)
    : QDialog(nullptr), TableRyczalt(new Table(forms.context.database, this)), m_forms(forms),
      m_data(forms.context.data()), m_ui(std::make_unique<Ui::TRyczaltEwidencja>()),
      TablePojazdy(m_data.TablePojazdy), TableStawki(m_data.TableStawki), TableOkresy(m_data.TableOkresy),
      m_record(std::make_unique<LumpSumRecordPanel>(*this, forms)) {
    setObjectName(QStringLiteral("RyczaltEwidencja"));
    m_ui->setupUi(this);
    setHelpTopic(this, 8);
    setFixedSize(size());

    Table& t = *TableRyczalt;
    t.setObjectName(QStringLiteral("TableRyczalt"));
    t.setTableName(tables::ryczalt().name);
    t.setExpectedFields(tables::ryczalt().fields);
    t.setIndexName(kIndex);
    t.setMasterSource(TablePojazdy, fields::pojazdy::NrKol_Pojazdu);
    t.onFilterRecord = [this](Table& row) {
        return TableRyczaltFilterRecord(row);
    };
    t.setFiltered(true);
    // A record gets its lump sum, deduction and amount due only from "Zapisz": nothing stores it on a move.
    t.setPendingGuard(kPending);
    forms.pendingEdits.add(this, &t);
    // Closed before the archive copies the data files; the window opens it again when next shown.
    forms.tableHolders.addTable(this, &t, false);

    // What is typed into the period boxes is a choice, never a new entry of their lists.
    m_period = new PeriodBoxes(*m_ui->ComboBoxRok, *m_ui->ComboBoxMiesiac, this);
    m_record->setupControls();
    m_sums = std::make_unique<LumpSumSumsPanel>(*this, forms);
    m_sheet = std::make_unique<LumpSumSheetPanel>(*this);
    m_sheet->setupControls();
    m_statement = std::make_unique<LumpSumStatementPanel>(*this, forms);
    connectHandlers();
    setErrorHandlerForChildren(this, [this](const Error& e) { m_forms.context.dialogs.message(e.text()); });
    showTableControls(false);
}

// The panels go first: they work on the form.
TRyczaltEwidencja::~TRyczaltEwidencja() = default;

void TRyczaltEwidencja::connectHandlers() {
    auto* ui = m_ui.get();
    using W = TRyczaltEwidencja;
    Dialogs& dialogs = m_forms.context.dialogs;
    // A year or a month typed and left counts while the window is shown.
    connectAction(dialogs, ui->ComboBoxRok, &QComboBox::activated, this, &W::ComboBoxRokChange);
    connectAction(dialogs, m_period, &PeriodBoxes::yearTyped, this, [](W* w) {
        if (w->isVisible())
            w->ComboBoxRokChange();
    });
    connectAction(dialogs, ui->ComboBoxMiesiac, &QComboBox::activated, this, &W::ComboBoxMiesiacChange);
    connectAction(dialogs, m_period, &PeriodBoxes::monthTyped, this, [](W* w) {
        if (w->isVisible())
            w->ComboBoxMiesiacChange();
    });
    connectAction(dialogs, ui->PageControl1, &QTabWidget::currentChanged, this, &W::PageControl1Change);
    connectAction(dialogs, ui->TworzTabRyczalt, &QPushButton::clicked, this, &W::TworzTabRyczaltClick);
    connectAction(dialogs, ui->Pomoc, &QPushButton::clicked, this, &W::PomocClick);
    connectAction(dialogs, ui->Zamknij, &QPushButton::clicked, this, &W::ZamknijClick);
}

// ---------------------------------------------------------------- opening and closing

void TRyczaltEwidencja::openWindow() {
    AppContext& ctx = m_forms.context;
    auto* ui = m_ui.get();
    for (Table* table : {TableOkresy, TablePojazdy, TableStawki})
        table->open();
    TableOkresy->last();
    if (TableOkresy->isEmpty() || TableOkresy->isNull(fields::okresy::Miesiac)) {
        ctx.dialogs.message(kOpenPeriodFirst);
        return;
    }

    // The register's lists, newest first, and the period it shows.
    {
        const QSignalBlocker blockTab(ui->PageControl1);
        const QSignalBlocker blockYear(ui->ComboBoxRok);
        const QSignalBlocker blockMonth(ui->ComboBoxMiesiac);
        ui->PageControl1->setCurrentWidget(ui->TabSheetRyczalt);
        const TEwidencja_przejazdow::PeriodLists lists = m_forms.Ewidencja_przejazdow->periodLists();
        ui->ComboBoxRok->clear();
        for (auto it = lists.years.crbegin(); it != lists.years.crend(); ++it)
            ui->ComboBoxRok->addItem(*it);
        ui->ComboBoxMiesiac->clear();
        ui->ComboBoxMiesiac->addItem(months::kAll);
        for (qsizetype i = lists.months.size() - 1; i >= 1; --i)
            ui->ComboBoxMiesiac->addItem(lists.months[i]);
        ui->ComboBoxRok->setEditText(lists.year);
        ui->ComboBoxMiesiac->setEditText(lists.month);
    }
    periodShown();
    m_sums->clear();

    try {
        // While the window is shown the vehicles table lists the employees' cars only.
        m_data.setEmployeesOnly(true);
        m_filtering = true;
        if (tableFileExists()) {
            openLumpSumTable();
            fillForPeriod();
        } else {
            TableRyczalt->close();
            showTableControls(false);
        }
    } catch (...) {
        closeWindowWork();
        throw;
    }
    ctx.dialogs.showModal(this);
}

void TRyczaltEwidencja::closeWindowWork() {
    // A record still being entered is dropped, as "Anuluj" does; no file is held while the window is
    // closed.
    m_filtering = false;
    if (TableRyczalt->isActive() && TableRyczalt->isEditing())
        TableRyczalt->cancel();
    TableRyczalt->close();
    m_forms.Ewidencja_przejazdow->setEnabled(true);
    try {
        m_data.setEmployeesOnly(false);
    } catch (const Error& e) {
        m_forms.context.dialogs.message(e.text());
    }
}

void TRyczaltEwidencja::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // However the window is closed ("Wyjście", the title bar, Esc).
    if (!event->spontaneous())
        closeWindowWork();
}

void TRyczaltEwidencja::closeTables() {
    m_reopen = TableRyczalt->isActive();
    if (m_reopen && TableRyczalt->isEditing())
        TableRyczalt->cancel();
    TableRyczalt->close();
}

void TRyczaltEwidencja::reopenTables() {
    if (!m_reopen)
        return;
    m_reopen = false;
    if (!tableFileExists()) {
        showTableControls(false);
        return;
    }
    TableRyczalt->open();
}

QString TRyczaltEwidencja::dataFolder() const {
    return m_forms.context.dataFolder();
}

bool TRyczaltEwidencja::tableFileExists() const {
    return m_forms.context.database.tableExists(dataFolder(), tables::ryczalt().name);
}

void TRyczaltEwidencja::showTableControls(bool shown) {
    auto* ui = m_ui.get();
    for (QWidget* w :
         {static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->Panel2),
          static_cast<QWidget*>(ui->Panel4), static_cast<QWidget*>(ui->DBGrid1),
          static_cast<QWidget*>(ui->LabelKosztyDoMiesiaca), static_cast<QWidget*>(ui->EditKosztyDoMiesiaca),
          static_cast<QWidget*>(ui->LabelKosztyZaMiesiac), static_cast<QWidget*>(ui->EditKosztyZaMiesiac),
          static_cast<QWidget*>(ui->LabelKosztyRazem), static_cast<QWidget*>(ui->EditKosztyRazem),
          static_cast<QWidget*>(ui->GroupBoxKosztRoczny)})
        w->setVisible(shown);
    ui->TworzTabRyczalt->setVisible(!shown);
    // Without the table there is nothing to sum, save or print.
    ui->PageControl1->setTabEnabled(ui->PageControl1->indexOf(ui->TabSheetZestawienie), shown);
    ui->PodsumowanieRoczne->setEnabled(shown);
    ui->Drukuj->setEnabled(false);
    ui->Podglad->setEnabled(false);
    m_record->updateRecordButtons();
}

void TRyczaltEwidencja::openLumpSumTable() {
    auto* ui = m_ui.get();
    TableRyczalt->close();
    TableRyczalt->setDatabaseName(dataFolder());
    TableRyczalt->setFiltered(true);
    TableRyczalt->open();
    showTableControls(true);
    // The window opens on the sheet "RYCZAŁT" whichever sheet it was closed on.
    m_record->setRecordControlsEnabled(true);
    setSheetControls(true);
    ui->PageControl1->setEnabled(true);
}

void TRyczaltEwidencja::fillForPeriod() {
    // A month without a record proposes the limit and the rate of the car.
    if (TableRyczalt->isEmpty())
        m_record->proposeRates();
    const int month = m_month.value_or(0);
    if (month >= 1)
        m_record->setDeclarationDate(months::dayInMonth(m_year, month, 28));
    m_record->recordRefresh();
    m_sums->showMonthSums();
    TableRyczalt->refresh();
}

report::Document TRyczaltEwidencja::statementDocument(int dpi, const std::function<bool()>& aborted) const {
    return m_statement->statementDocument(dpi, aborted);
}

// ---------------------------------------------------------------- the records

bool TRyczaltEwidencja::TableRyczaltFilterRecord(Table& table) const {
    if (!m_filtering)
        return true;
    if (table.isNull(F::Rok) || table.asInteger(F::Rok) != m_year || !m_month)
        return false;
    return *m_month == 0 || table.asInteger(F::Miesiac) == *m_month;
}

std::vector<lumpsum::Record> TRyczaltEwidencja::recordsOf(const Table& table) {
    std::vector<lumpsum::Record> out;
    out.reserve(size_t(table.rangeCount()));
    for (int i = 0; i < table.rangeCount(); ++i)
        out.push_back(recordOf(table, table.rangeRecord(i)));
    return out;
}

std::vector<lumpsum::Record> TRyczaltEwidencja::carRecords() const {
    if (!TableRyczalt->isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return {};
    if (!TableRyczalt->isEditing()) // a record being entered is not stored by reading the sums
        TableRyczalt->keepRangeCurrent();
    return recordsOf(*TableRyczalt);
}

void TRyczaltEwidencja::TworzTabRyczaltClick() {
    AppContext& ctx = m_forms.context;
    try {
        ctx.database.createTable(dataFolder(), tables::ryczalt());
    } catch (const Error&) {
        ctx.dialogs.message(kCreateFailed);
        return;
    }
    ctx.dialogs.message(kCreated);
    try {
        openLumpSumTable();
        fillForPeriod();
    } catch (const Error&) {
        TableRyczalt->close();
        showTableControls(false);
        ctx.dialogs.message(kCreateFailed);
    }
}

// ---------------------------------------------------------------- the period

std::optional<int> TRyczaltEwidencja::boxYear() const {
    const QString text = m_ui->ComboBoxRok->currentText().trimmed();
    if (!numbers::isInteger(text))
        return std::nullopt;
    const qint64 year = numbers::parseInteger(text);
    if (year < 1 || year > 9999)
        return std::nullopt;
    return int(year);
}

void TRyczaltEwidencja::periodShown() {
    m_year = boxYear().value_or(0);
    m_month = m_period->month();
    // Only the year shown is read: its records are all the window shows, sums and sheet included.
    TableRyczalt->setFieldRange(F::Rok, m_year, m_year);
    m_period->remember();
    // "Wszystko" lists the whole year: the records are only looked at there.
    TableRyczalt->setBrowseOnly(m_month == 0 ? kBrowseOnly : QString());
    m_record->updateRecordButtons();
}

void TRyczaltEwidencja::ComboBoxMiesiacChange() {
    // The month shown chosen again (a typed name both left and picked): nothing changes.
    if (m_ui->ComboBoxMiesiac->currentText() == m_period->shownMonth() && TableRyczalt->isActive())
        return;
    if (m_forms.refuseWhileTyping()) {
        m_period->restore();
        return;
    }
    const std::optional<int> month = m_period->month();
    if (!month) {
        m_forms.context.dialogs.message(kChooseMonth);
        m_period->restore();
        return;
    }
    periodShown();
    if (!TableRyczalt->isActive())
        return;
    if (onRecordsSheet())
        m_sums->showMonthSums();
    TableRyczalt->refresh();
    if (*month != 0) {
        const QDate last = lumpsum::lastDayOf(m_year, *month);
        if (last.isValid())
            m_record->setDeclarationDate(last);
        else
            m_forms.context.dialogs.message(kChooseMonth);
    }
    m_record->recordRefresh();
}

void TRyczaltEwidencja::ComboBoxRokChange() {
    // The year shown chosen again (a typed year both left and picked): nothing changes.
    if (m_ui->ComboBoxRok->currentText() == m_period->shownYear() && TableRyczalt->isActive())
        return;
    if (m_forms.refuseWhileTyping()) {
        m_period->restore();
        return;
    }
    AppContext& ctx = m_forms.context;
    auto* ui = m_ui.get();
    const QString today = QString::number(ctx.clock.today().year());
    const QString text = ui->ComboBoxRok->currentText().trimmed();
    if (!text.isEmpty() && !numbers::isInteger(text)) {
        ctx.dialogs.messageBox(kWrongYear, QStringLiteral("Błąd"));
        m_period->setYearText(QString());
    }
    if (ui->ComboBoxRok->currentText().trimmed().isEmpty())
        m_period->setYearText(today);
    if (ui->ComboBoxMiesiac->currentText() == months::kAll)
        ctx.dialogs.message(kYearChangeNeedsMonth);

    // The month list holds the periods of the year; the month chosen stays chosen.
    std::optional<int> year = boxYear();
    if (!year) {
        ctx.dialogs.message(PeriodBoxes::kInvalidYear);
        m_period->setYearText(today);
        year = boxYear();
    }
    QStringList names;
    if (TableOkresy->isActive()) {
        for (int row = 0; row < TableOkresy->rangeCount(); ++row) {
            const Record period = TableOkresy->rangeRecord(row);
            const QVariant periodYear = period.value(TableOkresy->fieldIndex(fields::okresy::Rok));
            const QString name = months::name(
                int(period.value(TableOkresy->fieldIndex(fields::okresy::Miesiac)).toLongLong()));
            if (!periodYear.isNull() && periodYear.toLongLong() == *year && !name.isEmpty())
                names.append(name);
        }
    }
    m_period->setMonthNames(names);
    periodShown();
    m_sums->clearYear();
    if (!TableRyczalt->isActive())
        return;
    TableRyczalt->refresh();
    // The sums follow the year shown.
    if (onRecordsSheet())
        m_sums->showMonthSums();
    if (m_month && *m_month != 0)
        m_record->setDeclarationDate(lumpsum::lastDayOf(m_year, *m_month));
    m_record->recordRefresh();
}

// ---------------------------------------------------------------- the sheets

bool TRyczaltEwidencja::onRecordsSheet() const {
    return m_ui->PageControl1->currentWidget() == m_ui->TabSheetRyczalt;
}

void TRyczaltEwidencja::setSheetControls(bool onRecords) {
    auto* ui = m_ui.get();
    ui->PodsumowanieRoczne->setEnabled(onRecords);
    for (QWidget* w : {ui->ComboBoxRok, ui->ComboBoxMiesiac})
        w->setEnabled(onRecords);
    ui->Drukuj->setEnabled(!onRecords);
    ui->Podglad->setEnabled(!onRecords);
    m_record->updateRecordButtons();
}

void TRyczaltEwidencja::PageControl1Change() {
    auto* ui = m_ui.get();
    if (!TableRyczalt->isActive())
        return;
    if (m_forms.refuseWhileTyping()) {
        const QSignalBlocker block(ui->PageControl1);
        ui->PageControl1->setCurrentWidget(ui->TabSheetRyczalt);
        return;
    }
    const bool onRecords = onRecordsSheet();
    TableRyczalt->setFiltered(onRecords);
    setSheetControls(onRecords);
    if (!onRecords) {
        m_sheet->writeSheetHeadings();
        m_sheet->fillSummarySheet();
    }
}

void TRyczaltEwidencja::PomocClick() {
    m_forms.context.showHelp(8);
}

void TRyczaltEwidencja::ZamknijClick() {
    close();
}

} // namespace tarlok
