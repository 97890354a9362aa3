// The lump-sum window: the period and the car, the month's record with its computation and sums, the
// year's summary sheet and its printed statement.
#include "TRyczaltEwidencja.h"

#include "common/Months.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "register/GridCells.h"
#include "register/SumLabels.h"
#include "register/TEwidencja_przejazdow.h"
#include "reports/engine/SaveAsPdf.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TRyczaltEwidencja.h"
#include "widgets/DataLink.h"

#include <QHideEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tarlok {

namespace {

namespace F = fields::ryczalt;

const QString kTableName = QStringLiteral("Ryczalt");
const QString kIndex = QStringLiteral("NrKol_PojRokMiesiacInd");

const QString kOpenPeriodFirst =
    QStringLiteral("Otwórz najpierw okres w formatce \"EWIDENCJA PRZEBIEGU POJAZDU\"");
const QString kCreated = QStringLiteral("Tablica \"Ryczałt\" została utworzona");
const QString kCreateFailed = QStringLiteral("Błąd tworzenia tablicy dla Ryczałtu");
const QString kCarNotUsable =
    QStringLiteral("Nie można tworzyć zapisów gdy brak pojazdu lub pojazd jest nieużywany");
const QString kIncomplete = QStringLiteral("Niepełne dane do zapisu");
const QString kNothingToDelete = QStringLiteral("Brak pozycji do USUNIĘCIA");
const QString kDeleteQuestion = QStringLiteral("Czy usunąć wybraną pozycję");
const QString kWrongYear = QStringLiteral("TO NIE JEST POPRAWNY ROK - POPRAW");
const QString kYearChangeNeedsMonth = QStringLiteral("Przy zmianie roku wybierz konkretny miesiąc");
const QString kInvalidYear = QStringLiteral("Nieprawidłowa wartość roku");
const QString kChooseMonth = QStringLiteral("Wybierz prawidłowy miesiąc");
const QString kPending =
    QStringLiteral("Wprowadzany ryczałt nie został zapisany - zapisz go przyciskiem \"Zapisz\" "
                   "albo anuluj przyciskiem \"Anuluj\".");
const QString kBrowseOnly =
    QStringLiteral("W widoku \"Wszystko\" zapisy można tylko przeglądać - wybierz miesiąc, "
                   "aby dodać lub poprawić zapis.");

const char* const kSheetHeadings[2][11] = {
    {"MIESIĄC", "Data", "Ryczałt", "Stawka", "Ryczałt", "Dni", "Dni bez", "Inne", "Suma", "Należność",
     "Należność"},
    {"", "oświadcz.", "w km", "za km", "pieniężny", "urlopu", "samoch.", "nieobec.", "potrąceń", "miesięczna",
     "narastająco"},
};
constexpr int kSheetWidths[11] = {86, 84, 72, 70, 78, 56, 74, 74, 78, 92, 96};

// A number typed into a box, or the conversion message naming the box.
double numberIn(const QLineEdit* box, const QString& name) {
    try {
        return numbers::parse(box->text());
    } catch (const ConversionError& e) {
        throw ConversionError(name + QStringLiteral(": ") + e.text());
    }
}

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
      TablePojazdy(m_data.TablePojazdy), TableStawki(m_data.TableStawki), TableOkresy(m_data.TableOkresy) {
    setObjectName(QStringLiteral("RyczaltEwidencja"));
    m_ui->setupUi(this);
    setHelpTopic(this, 8);
    setFixedSize(size());

    Table& t = *TableRyczalt;
    t.setObjectName(QStringLiteral("TableRyczalt"));
    t.setTableName(kTableName);
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

    setupControls();
    connectHandlers();
    setErrorHandlerForChildren(this, [this](const Error& e) { m_forms.context.dialogs.message(e.text()); });
    showTableControls(false);
}

TRyczaltEwidencja::~TRyczaltEwidencja() = default;

void TRyczaltEwidencja::setupControls() {
    auto* ui = m_ui.get();
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignCenter;

    // What is typed into the period boxes is a choice, never a new entry of their lists.
    ui->ComboBoxRok->setInsertPolicy(QComboBox::NoInsert);
    ui->ComboBoxMiesiac->setInsertPolicy(QComboBox::NoInsert);

    DbGrid* cars = ui->DBGridPojazdyPrac;
    cars->setDataSource(TablePojazdy);
    cars->setRowSelect(true);
    cars->setInPlaceEditing(false);
    cars->addColumn(fields::pojazdy::NrKol_Pojazdu, QStringLiteral("Nr"), 40, right, true);
    cars->addColumn(fields::pojazdy::Dane_Poj_Wszystko, QStringLiteral("Dane pojazdu"), 330, left, true);
    cars->addColumn(fields::pojazdy::Wlasciciel, QStringLiteral("Użytkownik"), 180, left, true);
    cars->addColumn(QStringLiteral("UzywanyString"), QStringLiteral("Używany"), 70, centre, true);
    QFont titles = cars->font();
    titles.setBold(true);
    cars->setTitleFont(titles);
    cars->setTitleColor(QColor(128, 0, 0));
    cars->setCellColors([this](int row, int, bool selected, QColor& text, QColor&) {
        if (selected) {
            text = Qt::white;
            return;
        }
        const Record r = TablePojazdy->displayRecord(row);
        const QVariant used = r.value(TablePojazdy->fieldIndex(fields::pojazdy::Uzywany));
        text = used.toBool() ? Qt::black : Qt::red;
    });

    DbGrid* records = ui->DBGrid1;
    records->setDataSource(TableRyczalt);
    records->setRowSelect(true);
    records->setInPlaceEditing(false);
    records->addColumn(F::Limit_km, QStringLiteral("Limit km"), 70, right, true);
    records->addColumn(F::Stawka_km, QStringLiteral("Stawka/km"), 76, right, true, QStringLiteral("0.0000"));
    records->addColumn(F::Ryczalt_zl, QStringLiteral("Ryczałt zł"), 86, right, true, QStringLiteral("0.00"));
    records->addColumn(F::Dni_Urlopu, QStringLiteral("Dni url."), 64, right, true);
    records->addColumn(F::Dni_Bez_Samochodu, QStringLiteral("Dni bez sam."), 88, right, true);
    records->addColumn(F::Inne_Nieobecnosci, QStringLiteral("Inne nieob."), 80, right, true);
    records->addColumn(F::SumaPotracenia, QStringLiteral("Suma potr. [zł]"), 110, right, true,
                       QStringLiteral("0.00"));
    records->addColumn(F::Naleznosc_Mc, QStringLiteral("Należność [zł]"), 110, right, true,
                       QStringLiteral("0.00"));
    records->addColumn(F::DataOswiadczenia, QStringLiteral("Data"), 90, centre, true);

    ui->DBRyczalt->setDataSource(TableRyczalt, F::Ryczalt_zl);
    ui->DBRyczalt->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBDniUrlopu->setDataSource(TableRyczalt, F::Dni_Urlopu);
    ui->DBDniBezsamochodu->setDataSource(TableRyczalt, F::Dni_Bez_Samochodu);
    ui->DBInneNieobecnosci->setDataSource(TableRyczalt, F::Inne_Nieobecnosci);
    ui->DBPotracenia->setDataSource(TableRyczalt, F::SumaPotracenia);
    ui->DBPotracenia->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBNaleznosc->setDataSource(TableRyczalt, F::Naleznosc_Mc);
    ui->DBNaleznosc->setDisplayPattern(QStringLiteral("0.00"));
    for (DbEdit* box : {ui->DBRyczalt, ui->DBPotracenia, ui->DBNaleznosc})
        box->setFlat(true);
    ui->DateTimePickerDataOswiadczenia->setDate(m_forms.context.clock.today());

    QTableWidget* sheet = ui->StringGridZestawienie;
    sheet->setTextElideMode(Qt::ElideNone);
    for (int c = 0; c < 11; ++c)
        sheet->setColumnWidth(c, kSheetWidths[c]);
    writeSheetHeadings();
}

void TRyczaltEwidencja::connectHandlers() {
    auto* ui = m_ui.get();
    using W = TRyczaltEwidencja;
    Dialogs& dialogs = m_forms.context.dialogs;
    connectAction(dialogs, ui->ComboBoxRok, &QComboBox::activated, this, &W::ComboBoxRokChange);
    connectAction(dialogs, ui->ComboBoxRok->lineEdit(), &QLineEdit::editingFinished, this, &W::yearTyped);
    connectAction(dialogs, ui->ComboBoxMiesiac, &QComboBox::activated, this, &W::ComboBoxMiesiacChange);
    connectAction(dialogs, ui->ComboBoxMiesiac->lineEdit(), &QLineEdit::editingFinished, this,
                  &W::monthTyped);
    connectAction(dialogs, ui->PageControl1, &QTabWidget::currentChanged, this, &W::PageControl1Change);

    DbGrid* cars = ui->DBGridPojazdyPrac;
    connectAction(dialogs, cars, &DbGrid::cellClick, this, &W::DBGridPojazdyPracCellClick);
    connectAction(dialogs, cars, &DbGrid::dblClick, this, &W::DBGridPojazdyPracDblClick);
    connectAction(dialogs, cars, &DbGrid::enter, this, &W::DBGridPojazdyPracEnter);
    connectAction(dialogs, cars, &DbGrid::keyDown, this, &W::DBGridPojazdyPracKeyDown);
    connectAction(dialogs, cars, &DbGrid::keyUp, this, &W::DBGridPojazdyPracKeyUp);
    connectAction(dialogs, cars, &DbGrid::keyPress, this, &W::DBGridPojazdyPracKeyPress);

    DbGrid* records = ui->DBGrid1;
    connectAction(dialogs, records, &DbGrid::cellClick, this, &W::DBGrid1CellClick);
    connectAction(dialogs, records, &DbGrid::colExit, this, &W::DBGrid1ColExit);
    connectAction(dialogs, records, &DbGrid::dblClick, this, &W::DBGrid1DblClick);
    connectAction(dialogs, records, &DbGrid::keyDown, this, &W::DBGrid1KeyDown);
    connectAction(dialogs, records, &DbGrid::keyPress, this, &W::DBGrid1KeyPress);
    connectAction(dialogs, records, &DbGrid::keyUp, this, &W::DBGrid1KeyUp);

    connectAction(dialogs, ui->DateTimePickerDataOswiadczenia, &DbDateEdit::changed, this,
                  &W::DateTimePickerDataOswiadczeniaChange);
    connectAction(dialogs, ui->TworzTabRyczalt, &QPushButton::clicked, this, &W::TworzTabRyczaltClick);
    connectAction(dialogs, ui->Zapisz, &QPushButton::clicked, this, &W::ZapiszClick);
    connectAction(dialogs, ui->Anuluj, &QPushButton::clicked, this, &W::AnulujClick);
    connectAction(dialogs, ui->Usun, &QPushButton::clicked, this, &W::UsunClick);
    connectAction(dialogs, ui->Drukuj, &QPushButton::clicked, this, &W::DrukujClick);
    connectAction(dialogs, ui->Podglad, &QPushButton::clicked, this, &W::PodgladClick);
    connectAction(dialogs, ui->Pomoc, &QPushButton::clicked, this, &W::PomocClick);
    connectAction(dialogs, ui->PodsumowanieRoczne, &QPushButton::clicked, this, &W::PodsumowanieRoczneClick);
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
    for (QLineEdit* box : {ui->EditKosztyDoMiesiaca, ui->EditKosztyZaMiesiac, ui->EditKosztyRazem,
                           ui->EditRocznyPojazd, ui->EditRocznyPojazdy})
        box->clear();

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
    return m_forms.context.database.tableExists(dataFolder(), kTableName);
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
    updateRecordButtons();
}

void TRyczaltEwidencja::openLumpSumTable() {
    auto* ui = m_ui.get();
    TableRyczalt->close();
    TableRyczalt->setDatabaseName(dataFolder());
    TableRyczalt->setFiltered(true);
    TableRyczalt->open();
    showTableControls(true);
    // The window opens on the sheet "RYCZAŁT" whichever sheet it was closed on.
    setRecordControlsEnabled(true);
    setSheetControls(true);
    ui->PageControl1->setEnabled(true);
}

void TRyczaltEwidencja::fillForPeriod() {
    auto* ui = m_ui.get();
    if (TableRyczalt->isEmpty()) {
        // A month without a record proposes the limit and the rate of the car.
        if (TableStawki->isActive() && !TableStawki->isEmpty()) {
            TableStawki->last();
            ui->EditLimitKilometrow->setText(
                TableStawki->isNull(fields::stawki::Pom2)
                    ? QString()
                    : numbers::general(TableStawki->asFloat(fields::stawki::Pom2)));
        }
        ui->EditStawkaZaKilometr->setText(numbers::general(rateOfCar()));
    }
    const int month = m_month.value_or(0);
    if (month >= 1)
        setDeclarationDate(months::dayInMonth(m_year, month, 28));
    recordRefresh();
    showMonthSums();
    TableRyczalt->refresh();
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

std::optional<int> TRyczaltEwidencja::boxMonth() const {
    const QString text = m_ui->ComboBoxMiesiac->currentText();
    if (text == months::kAll)
        return 0;
    return months::number(text);
}

void TRyczaltEwidencja::periodShown() {
    m_year = boxYear().value_or(0);
    m_month = boxMonth();
    m_shownYear = m_ui->ComboBoxRok->currentText();
    m_shownMonth = m_ui->ComboBoxMiesiac->currentText();
    // "Wszystko" lists the whole year: the records are only looked at there.
    TableRyczalt->setBrowseOnly(m_month == 0 ? kBrowseOnly : QString());
    updateRecordButtons();
}

void TRyczaltEwidencja::restoreShownPeriod() {
    const QSignalBlocker blockYear(m_ui->ComboBoxRok);
    const QSignalBlocker blockMonth(m_ui->ComboBoxMiesiac);
    m_ui->ComboBoxRok->setEditText(m_shownYear);
    m_ui->ComboBoxMiesiac->setEditText(m_shownMonth);
}

void TRyczaltEwidencja::yearTyped() {
    if (isVisible() && m_ui->ComboBoxRok->currentText() != m_shownYear)
        ComboBoxRokChange();
}

void TRyczaltEwidencja::monthTyped() {
    if (isVisible() && m_ui->ComboBoxMiesiac->currentText() != m_shownMonth)
        ComboBoxMiesiacChange();
}

void TRyczaltEwidencja::setDeclarationDate(const QDate& date) {
    m_ui->DateTimePickerDataOswiadczenia->setDate(date);
}

bool TRyczaltEwidencja::TableRyczaltFilterRecord(Table& table) const {
    if (!m_filtering)
        return true;
    if (table.isNull(F::Rok) || table.asInteger(F::Rok) != m_year || !m_month)
        return false;
    return *m_month == 0 || table.asInteger(F::Miesiac) == *m_month;
}

bool TRyczaltEwidencja::isPending() const {
    return TableRyczalt->isActive() && TableRyczalt->isEditing();
}

void TRyczaltEwidencja::ComboBoxMiesiacChange() {
    // The month shown chosen again (a typed name both left and picked): nothing changes.
    if (m_ui->ComboBoxMiesiac->currentText() == m_shownMonth && TableRyczalt->isActive())
        return;
    if (m_forms.refuseWhileTyping()) {
        restoreShownPeriod();
        return;
    }
    auto* ui = m_ui.get();
    const std::optional<int> month = boxMonth();
    if (!month) {
        m_forms.context.dialogs.message(kChooseMonth);
        restoreShownPeriod();
        return;
    }
    periodShown();
    if (!TableRyczalt->isActive())
        return;
    if (ui->PageControl1->currentWidget() == ui->TabSheetRyczalt)
        showMonthSums();
    TableRyczalt->refresh();
    if (*month != 0) {
        const QDate last = lumpsum::lastDayOf(m_year, *month);
        if (last.isValid())
            setDeclarationDate(last);
        else
            m_forms.context.dialogs.message(kChooseMonth);
    }
    recordRefresh();
}

void TRyczaltEwidencja::ComboBoxRokChange() {
    // The year shown chosen again (a typed year both left and picked): nothing changes.
    if (m_ui->ComboBoxRok->currentText() == m_shownYear && TableRyczalt->isActive())
        return;
    if (m_forms.refuseWhileTyping()) {
        restoreShownPeriod();
        return;
    }
    AppContext& ctx = m_forms.context;
    auto* ui = m_ui.get();
    const QString today = QString::number(ctx.clock.today().year());
    QComboBox* yearBox = ui->ComboBoxRok;
    const QString text = yearBox->currentText().trimmed();
    {
        const QSignalBlocker block(yearBox);
        if (!text.isEmpty() && !numbers::isInteger(text)) {
            ctx.dialogs.messageBox(kWrongYear, QStringLiteral("Błąd"));
            yearBox->setEditText(QString());
        }
        if (yearBox->currentText().trimmed().isEmpty())
            yearBox->setEditText(today);
    }
    if (ui->ComboBoxMiesiac->currentText() == months::kAll)
        ctx.dialogs.message(kYearChangeNeedsMonth);

    // The month list holds the periods of the year; the month chosen stays chosen.
    std::optional<int> year = boxYear();
    if (!year) {
        ctx.dialogs.message(kInvalidYear);
        const QSignalBlocker block(yearBox);
        yearBox->setEditText(today);
        year = boxYear();
    }
    {
        QComboBox* monthBox = ui->ComboBoxMiesiac;
        const QSignalBlocker block(monthBox);
        const QString monthText = monthBox->currentText();
        while (monthBox->count() > 1)
            monthBox->removeItem(1);
        if (TableOkresy->isActive()) {
            for (int row = 0; row < TableOkresy->rangeCount(); ++row) {
                const Record period = TableOkresy->rangeRecord(row);
                const QVariant periodYear = period.value(TableOkresy->fieldIndex(fields::okresy::Rok));
                const QString name = months::name(
                    int(period.value(TableOkresy->fieldIndex(fields::okresy::Miesiac)).toLongLong()));
                if (!periodYear.isNull() && periodYear.toLongLong() == *year && !name.isEmpty())
                    monthBox->addItem(name);
            }
        }
        monthBox->setEditText(monthText);
    }
    periodShown();
    ui->EditRocznyPojazd->clear();
    ui->EditRocznyPojazdy->clear();
    if (!TableRyczalt->isActive())
        return;
    TableRyczalt->refresh();
    // The sums follow the year shown.
    if (ui->PageControl1->currentWidget() == ui->TabSheetRyczalt)
        showMonthSums();
    if (m_month && *m_month != 0)
        setDeclarationDate(lumpsum::lastDayOf(m_year, *m_month));
    recordRefresh();
}

// ---------------------------------------------------------------- the car and the record

bool TRyczaltEwidencja::carInUse() const {
    return TablePojazdy->isActive() && !TablePojazdy->isEmpty() &&
           TablePojazdy->asBool(fields::pojazdy::Uzywany);
}

double TRyczaltEwidencja::rateOfCar() const {
    if (!TableStawki->isActive() || TableStawki->isEmpty())
        return 0.0;
    TableStawki->last();
    const bool above900 = TablePojazdy->isActive() && !TablePojazdy->isEmpty() &&
                          TablePojazdy->asInteger(fields::pojazdy::Pojemnosc) > 900;
    return TableStawki->asFloat(above900 ? fields::stawki::Stawka_po_900 : fields::stawki::Stawka_do_900);
}

void TRyczaltEwidencja::setRecordControlsEnabled(bool enabled) {
    auto* ui = m_ui.get();
    for (QWidget* w : {static_cast<QWidget*>(ui->DBGrid1), static_cast<QWidget*>(ui->Panel4),
                       static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->PodsumowanieRoczne),
                       static_cast<QWidget*>(ui->PageControl1)})
        w->setEnabled(enabled);
    m_recordsOpen = enabled;
    updateRecordButtons();
}

void TRyczaltEwidencja::updateRecordButtons() {
    auto* ui = m_ui.get();
    const bool enabled = TableRyczalt->isActive() && m_recordsOpen &&
                         ui->PageControl1->currentWidget() == ui->TabSheetRyczalt && m_month.value_or(0) != 0;
    for (QWidget* w : {ui->Zapisz, ui->Anuluj, ui->Usun})
        w->setEnabled(enabled);
}

void TRyczaltEwidencja::carRefresh() {
    auto* ui = m_ui.get();
    // Without the table there is nothing to show; with a record being entered the car did not change
    // (the move was refused), and the boxes keep what was typed.
    if (!TableRyczalt->isActive() || isPending())
        return;
    const bool onRecords = ui->PageControl1->currentWidget() == ui->TabSheetRyczalt;
    if (onRecords)
        setRecordControlsEnabled(carInUse());
    ui->EditStawkaZaKilometr->setText(numbers::general(rateOfCar()));
    if (onRecords) {
        showMonthSums();
        recordRefresh();
    }
    ui->EditRocznyPojazd->clear();
    if (!onRecords)
        fillSummarySheet();
}

void TRyczaltEwidencja::DBGridPojazdyPracCellClick() {
    carRefresh();
}
void TRyczaltEwidencja::DBGridPojazdyPracDblClick() {
    carRefresh();
}
void TRyczaltEwidencja::DBGridPojazdyPracEnter() {
    carRefresh();
}
void TRyczaltEwidencja::DBGridPojazdyPracKeyDown() {
    carRefresh();
}
void TRyczaltEwidencja::DBGridPojazdyPracKeyUp() {
    carRefresh();
}
void TRyczaltEwidencja::DBGridPojazdyPracKeyPress() {
    carRefresh();
}

// The boxes show the figures of the record in view, so that a save into it keeps them unless changed:
// after a record is picked, and after a move to another month, year or car that has one.
void TRyczaltEwidencja::recordRefresh() {
    const Table& t = *TableRyczalt;
    if (!t.isActive() || t.isEmpty() || t.isEditing())
        return;
    if (!t.isNull(F::Limit_km))
        m_ui->EditLimitKilometrow->setText(numbers::general(t.asFloat(F::Limit_km)));
    if (!t.isNull(F::Stawka_km))
        m_ui->EditStawkaZaKilometr->setText(numbers::general(t.asFloat(F::Stawka_km)));
    if (!t.isNull(F::DataOswiadczenia))
        setDeclarationDate(t.asDate(F::DataOswiadczenia));
}

void TRyczaltEwidencja::DBGrid1CellClick() {
    recordRefresh();
}
void TRyczaltEwidencja::DBGrid1ColExit() {
    recordRefresh();
}
void TRyczaltEwidencja::DBGrid1DblClick() {
    recordRefresh();
}
void TRyczaltEwidencja::DBGrid1KeyDown() {
    recordRefresh();
}
void TRyczaltEwidencja::DBGrid1KeyPress() {
    recordRefresh();
}
void TRyczaltEwidencja::DBGrid1KeyUp() {
    recordRefresh();
}

void TRyczaltEwidencja::DateTimePickerDataOswiadczeniaChange() {
    Table& t = *TableRyczalt;
    // On "Wszystko" the records are only looked at.
    if (!t.isActive() || m_month.value_or(0) == 0)
        return;
    if (t.state() == Table::State::Browse) {
        if (t.isEmpty())
            t.append();
        else
            t.edit();
    }
    // The date is in the record from now on: the record is being entered until it is saved or cancelled.
    const QDate date = m_ui->DateTimePickerDataOswiadczenia->date();
    t.setValue(F::DataOswiadczenia, date.isValid() ? QVariant(date) : QVariant());
}

// ---------------------------------------------------------------- sums and the summary sheet

std::vector<lumpsum::Record> TRyczaltEwidencja::carRecords() const {
    std::vector<lumpsum::Record> out;
    const Table& t = *TableRyczalt;
    if (!t.isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return out;
    out.reserve(size_t(t.rangeCount()));
    for (int i = 0; i < t.rangeCount(); ++i)
        out.push_back(recordOf(t, t.rangeRecord(i)));
    return out;
}

void TRyczaltEwidencja::showMonthSums() {
    auto* ui = m_ui.get();
    const int month = m_month.value_or(0);
    sums::applySumLabels(ui->LabelKosztyDoMiesiaca, ui->LabelKosztyZaMiesiac, ui->LabelKosztyRazem, month);
    if (ui->ComboBoxRok->currentText().trimmed().isEmpty()) {
        const QSignalBlocker block(ui->ComboBoxRok);
        ui->ComboBoxRok->setEditText(QString::number(m_forms.context.clock.today().year()));
        periodShown();
    }
    const lumpsum::MonthSums sums = lumpsum::monthSums(carRecords(), m_year, month);
    ui->EditKosztyDoMiesiaca->setText(sums.toMonth);
    ui->EditKosztyZaMiesiac->setText(sums.forMonth);
    ui->EditKosztyRazem->setText(sums.total);
}

void TRyczaltEwidencja::writeSheetHeadings() {
    QTableWidget* sheet = m_ui->StringGridZestawienie;
    QFont bold = sheet->font();
    bold.setBold(true);
    for (int c = 0; c < 11; ++c) {
        for (int r = 0; r < 2; ++r) {
            grids::setCell(sheet, c, r, QString::fromUtf8(kSheetHeadings[r][c]));
            QTableWidgetItem* item = sheet->item(r, c);
            item->setTextAlignment(Qt::AlignCenter);
            item->setFont(bold);
            item->setBackground(palette().button());
        }
    }
    for (int m = 1; m <= 12; ++m) {
        grids::setCell(sheet, 0, m + 1, months::name(m));
        QTableWidgetItem* item = sheet->item(m + 1, 0);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        item->setBackground(palette().button());
    }
}

void TRyczaltEwidencja::fillSummarySheet() {
    QTableWidget* sheet = m_ui->StringGridZestawienie;
    const auto lines = lumpsum::sheetLines(carRecords(), m_year);
    for (int m = 1; m <= 12; ++m)
        for (int c = 1; c <= 10; ++c)
            grids::setCell(sheet, c, m + 1, lines[size_t(m - 1)][size_t(c - 1)]);
}

void TRyczaltEwidencja::setSheetControls(bool onRecords) {
    auto* ui = m_ui.get();
    ui->PodsumowanieRoczne->setEnabled(onRecords);
    for (QWidget* w : {ui->ComboBoxRok, ui->ComboBoxMiesiac})
        w->setEnabled(onRecords);
    ui->Drukuj->setEnabled(!onRecords);
    ui->Podglad->setEnabled(!onRecords);
    updateRecordButtons();
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
    const bool onRecords = ui->PageControl1->currentWidget() == ui->TabSheetRyczalt;
    TableRyczalt->setFiltered(onRecords);
    setSheetControls(onRecords);
    if (!onRecords) {
        writeSheetHeadings();
        fillSummarySheet();
    }
}

// ---------------------------------------------------------------- the record's buttons

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

void TRyczaltEwidencja::ZapiszClick() {
    save();
}

void TRyczaltEwidencja::save() {
    AppContext& ctx = m_forms.context;
    auto* ui = m_ui.get();
    Table& t = *TableRyczalt;
    if (!t.isActive())
        return;
    if (!carInUse()) {
        ctx.dialogs.message(kCarNotUsable);
        t.cancel(); // nothing is written for such a car
        return;
    }
    const bool wasEditing = t.isEditing();
    // The record belongs to the period shown. The texts are read before the record is touched: a text
    // that is no number, or a figure out of its range, stops the save with the record as it was (a
    // record being entered stays so).
    const int year = m_year;
    if (year == 0) {
        ctx.dialogs.message(kInvalidYear);
        return;
    }
    const int month = m_month.value_or(0);
    if (month == 0) {
        ctx.dialogs.message(kIncomplete);
        t.cancel();
        return;
    }
    lumpsum::Inputs inputs;
    try {
        inputs.limitKm = numberIn(ui->EditLimitKilometrow, QStringLiteral("Limit kilometrów"));
        inputs.rate = numberIn(ui->EditStawkaZaKilometr, QStringLiteral("Stawka/kilometr"));
    } catch (const ConversionError& e) {
        ctx.dialogs.message(e.text());
        return;
    }

    // The record saved: the one being entered, or at rest the car's record of the month when there is
    // one (the first, which the sums take), or a new one.
    if (!wasEditing) {
        if (t.locate(QStringLiteral("Rok;Miesiac"), {year, month}))
            t.edit();
        else
            t.append();
    }
    const auto dropUnlessEntered = [&] {
        if (!wasEditing)
            t.cancel();
    };
    const std::pair<DbEdit*, QString> counts[] = {{ui->DBDniUrlopu, lumpsum::kLeaveName},
                                                  {ui->DBDniBezsamochodu, lumpsum::kWithoutCarName},
                                                  {ui->DBInneNieobecnosci, lumpsum::kOtherName}};
    for (const auto& [box, name] : counts) {
        try {
            box->updateRecord();
        } catch (const Error& e) {
            ctx.dialogs.message(name + QStringLiteral(": ") + e.text());
            dropUnlessEntered();
            return;
        }
    }
    inputs.leave = t.asInteger(F::Dni_Urlopu);
    inputs.withoutCar = t.asInteger(F::Dni_Bez_Samochodu);
    inputs.other = t.asInteger(F::Inne_Nieobecnosci);
    const QString refused = lumpsum::refusal(inputs, months::daysInMonth(year, month));
    if (!refused.isEmpty()) {
        ctx.dialogs.message(refused);
        dropUnlessEntered();
        return;
    }

    const QDate declared = ui->DateTimePickerDataOswiadczenia->date();
    t.setValue(F::DataOswiadczenia, declared.isValid() ? QVariant(declared) : QVariant());
    t.setValue(F::Rok, year);
    t.setValue(F::Miesiac, month);
    t.setValue(F::Limit_km, inputs.limitKm);
    t.setValue(F::Stawka_km, inputs.rate);
    const lumpsum::Figures figures = lumpsum::figures(t.asFloat(F::Limit_km), t.asFloat(F::Stawka_km),
                                                      inputs.leave + inputs.withoutCar + inputs.other);
    t.setValue(F::Ryczalt_zl, figures.lumpSum);
    t.setValue(F::NrKol_Pojazdu, TablePojazdy->value(fields::pojazdy::NrKol_Pojazdu));
    t.setValue(F::DataWprowadzenia, ctx.clock.today());
    t.setValue(F::SumaPotracenia, figures.deduction);
    t.setValue(F::Naleznosc_Mc, figures.due);
    if (t.isNull(F::Rok) || t.isNull(F::Miesiac) || t.isNull(F::NrKol_Pojazdu) || t.isNull(F::Naleznosc_Mc) ||
        t.asInteger(F::Miesiac) == 0) {
        ctx.dialogs.message(kIncomplete);
        t.cancel();
        return;
    }
    t.post();
    t.flushBuffers();
    showMonthSums();
}

void TRyczaltEwidencja::AnulujClick() {
    if (TableRyczalt->isActive())
        TableRyczalt->cancel();
}

void TRyczaltEwidencja::UsunClick() {
    Dialogs& dialogs = m_forms.context.dialogs;
    Table& t = *TableRyczalt;
    if (!t.isActive())
        return;
    // The button is disabled on "Wszystko"; a press that comes all the same deletes nothing.
    if (t.isBrowseOnly()) {
        dialogs.message(t.browseOnlyMessage());
        return;
    }
    if (t.isEmpty()) {
        dialogs.messageBox(kNothingToDelete, QStringLiteral("Informacja"));
        return;
    }
    if (!dialogs.question(kDeleteQuestion, QStringLiteral("WYBIERZ"))) {
        t.cancel();
        return;
    }
    if (t.state() == Table::State::Edit)
        t.cancel(); // the stored record goes, not what was typed into it
    t.deleteRecord();
    t.flushBuffers();
    showMonthSums();
}

void TRyczaltEwidencja::PodsumowanieRoczneClick() {
    AppContext& ctx = m_forms.context;
    if (!TableRyczalt->isActive() || m_forms.refuseWhileTyping())
        return;
    m_ui->EditRocznyPojazd->setText(numbers::general(lumpsum::yearSum(carRecords(), m_year)));
    // Every car's records, read apart from the window's table.
    Table all(ctx.database);
    all.setDatabaseName(dataFolder());
    all.setTableName(kTableName);
    all.open();
    std::vector<lumpsum::Record> records;
    records.reserve(size_t(all.recordCount()));
    for (int i = 0; i < all.rangeCount(); ++i)
        records.push_back(recordOf(all, all.rangeRecord(i)));
    m_ui->EditRocznyPojazdy->setText(numbers::general(lumpsum::allCarsYearSum(records, m_year)));
}

// ---------------------------------------------------------------- the statement

report::Document TRyczaltEwidencja::statementDocument(int dpi, const std::function<bool()>& aborted) const {
    lumpsum::statement::Sheet sheet;
    if (TablePojazdy->isActive() && !TablePojazdy->isEmpty()) {
        sheet.owner = TablePojazdy->asString(fields::pojazdy::Wlasciciel);
        sheet.vehicle = TablePojazdy->asString(fields::pojazdy::Dane_Poj_Wszystko);
    }
    sheet.year = m_ui->ComboBoxRok->currentText();
    const QTableWidget* grid = m_ui->StringGridZestawienie;
    for (int m = 1; m <= 12; ++m)
        for (int c = 0; c < 11; ++c)
            sheet.months[size_t(m - 1)][size_t(c)] = grids::cell(grid, c, m + 1);
    return lumpsum::statement::document(sheet, dpi, aborted);
}

void TRyczaltEwidencja::DrukujClick() {
    if (!m_forms.refuseWhileTyping())
        print();
}

void TRyczaltEwidencja::print() {
    // The register is disabled while the statement prints and enabled again however printing ends.
    AppContext& ctx = m_forms.context;
    report::printDotPage(ctx.output, ctx.dialogs, statementPage(), m_forms.Ewidencja_przejazdow);
}

// "Podgląd": the same statement in the preview, with "Zapisz jako PDF"; the printer is not touched.
void TRyczaltEwidencja::PodgladClick() {
    if (m_forms.refuseWhileTyping())
        return;
    AppContext& ctx = m_forms.context;
    report::previewDotPage(ctx.output, ctx.dialogs, statementPage());
}

report::DotPage TRyczaltEwidencja::statementPage() const {
    return [this](int dpi, const std::function<bool()>& aborted) {
        return statementDocument(dpi, aborted);
    };
}

void TRyczaltEwidencja::PomocClick() {
    m_forms.context.showHelp(8);
}

void TRyczaltEwidencja::ZamknijClick() {
    close();
}

} // namespace tarlok
