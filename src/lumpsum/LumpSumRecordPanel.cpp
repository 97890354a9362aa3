// The record panel of the lump-sum window: the car and its records, the month's inputs and their save.
#include "LumpSumRecordPanel.h"

#include "LumpSum.h"
#include "LumpSumSheetPanel.h"
#include "LumpSumSumsPanel.h"
#include "TRyczaltEwidencja.h"

#include "common/Months.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TRyczaltEwidencja.h"
#include "widgets/DataLink.h"
#include "widgets/PeriodBoxes.h"

#include <QLineEdit>

namespace tarlok {

namespace {

namespace F = fields::ryczalt;

const QString kCarNotUsable =
    QStringLiteral("Nie można tworzyć zapisów gdy brak pojazdu lub pojazd jest nieużywany");
const QString kIncomplete = QStringLiteral("Niepełne dane do zapisu");
const QString kNothingToDelete = QStringLiteral("Brak pozycji do USUNIĘCIA");
const QString kDeleteQuestion = QStringLiteral("Czy usunąć wybraną pozycję");

// A number typed into a box, or the conversion message naming the box.
double numberIn(const QLineEdit* box, const QString& name) {
    try {
        return numbers::parse(box->text());
    } catch (const ConversionError& e) {
        throw ConversionError(name + QStringLiteral(": ") + e.text());
    }
}

} // namespace

LumpSumRecordPanel::LumpSumRecordPanel(TRyczaltEwidencja& window, Forms& forms)
    : QObject(nullptr), m_window(window), m_forms(forms), m_ui(window.ui()),
      TableRyczalt(window.TableRyczalt), TablePojazdy(forms.context.data().TablePojazdy),
      TableStawki(forms.context.data().TableStawki) {
}

LumpSumRecordPanel::~LumpSumRecordPanel() = default;

void LumpSumRecordPanel::setupControls() {
    auto* ui = m_ui;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignCenter;

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
    cars->setCellColors([vehicles = TablePojazdy](int row, int, bool selected, QColor& text, QColor&) {
        if (selected) {
            text = Qt::white;
            return;
        }
        const Record r = vehicles->displayRecord(row);
        const QVariant used = r.value(vehicles->fieldIndex(fields::pojazdy::Uzywany));
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

    using P = LumpSumRecordPanel;
    Dialogs& dialogs = m_forms.context.dialogs;
    connectAction(dialogs, cars, &DbGrid::cellClick, this, &P::DBGridPojazdyPracCellClick);
    connectAction(dialogs, cars, &DbGrid::dblClick, this, &P::DBGridPojazdyPracDblClick);
    connectAction(dialogs, cars, &DbGrid::enter, this, &P::DBGridPojazdyPracEnter);
    connectAction(dialogs, cars, &DbGrid::keyDown, this, &P::DBGridPojazdyPracKeyDown);
    connectAction(dialogs, cars, &DbGrid::keyUp, this, &P::DBGridPojazdyPracKeyUp);
    connectAction(dialogs, cars, &DbGrid::keyPress, this, &P::DBGridPojazdyPracKeyPress);
    connectAction(dialogs, records, &DbGrid::cellClick, this, &P::DBGrid1CellClick);
    connectAction(dialogs, records, &DbGrid::colExit, this, &P::DBGrid1ColExit);
    connectAction(dialogs, records, &DbGrid::dblClick, this, &P::DBGrid1DblClick);
    connectAction(dialogs, records, &DbGrid::keyDown, this, &P::DBGrid1KeyDown);
    connectAction(dialogs, records, &DbGrid::keyPress, this, &P::DBGrid1KeyPress);
    connectAction(dialogs, records, &DbGrid::keyUp, this, &P::DBGrid1KeyUp);
    connectAction(dialogs, ui->DateTimePickerDataOswiadczenia, &DbDateEdit::changed, this,
                  &P::DateTimePickerDataOswiadczeniaChange);
    connectAction(dialogs, ui->Zapisz, &QPushButton::clicked, this, &P::ZapiszClick);
    connectAction(dialogs, ui->Anuluj, &QPushButton::clicked, this, &P::AnulujClick);
    connectAction(dialogs, ui->Usun, &QPushButton::clicked, this, &P::UsunClick);
}

bool LumpSumRecordPanel::isPending() const {
    return TableRyczalt->isActive() && TableRyczalt->isEditing();
}

// ---------------------------------------------------------------- the car

bool LumpSumRecordPanel::carInUse() const {
    return TablePojazdy->isActive() && !TablePojazdy->isEmpty() &&
           TablePojazdy->asBool(fields::pojazdy::Uzywany);
}

double LumpSumRecordPanel::rateOfCar() const {
    if (!TableStawki->isActive() || TableStawki->isEmpty())
        return 0.0;
    TableStawki->last();
    const bool above900 = TablePojazdy->isActive() && !TablePojazdy->isEmpty() &&
                          TablePojazdy->asInteger(fields::pojazdy::Pojemnosc) > 900;
    return TableStawki->asFloat(above900 ? fields::stawki::Stawka_po_900 : fields::stawki::Stawka_do_900);
}

void LumpSumRecordPanel::proposeRates() {
    if (TableStawki->isActive() && !TableStawki->isEmpty()) {
        TableStawki->last();
        m_ui->EditLimitKilometrow->setText(
            TableStawki->isNull(fields::stawki::Pom2)
                ? QString()
                : numbers::general(TableStawki->asFloat(fields::stawki::Pom2)));
    }
    m_ui->EditStawkaZaKilometr->setText(numbers::general(rateOfCar()));
}

void LumpSumRecordPanel::setRecordControlsEnabled(bool enabled) {
    auto* ui = m_ui;
    for (QWidget* w : {static_cast<QWidget*>(ui->DBGrid1), static_cast<QWidget*>(ui->Panel4),
                       static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->PodsumowanieRoczne),
                       static_cast<QWidget*>(ui->PageControl1)})
        w->setEnabled(enabled);
    m_recordsOpen = enabled;
    updateRecordButtons();
}

void LumpSumRecordPanel::updateRecordButtons() {
    const bool enabled = TableRyczalt->isActive() && m_recordsOpen && m_window.onRecordsSheet() &&
                         m_window.month().value_or(0) != 0;
    for (QWidget* w : {m_ui->Zapisz, m_ui->Anuluj, m_ui->Usun})
        w->setEnabled(enabled);
}

void LumpSumRecordPanel::carRefresh() {
    auto* ui = m_ui;
    // Without the table there is nothing to show; with a record being entered the car did not change
    // (the move was refused), and the boxes keep what was typed.
    if (!TableRyczalt->isActive() || isPending())
        return;
    const bool onRecords = m_window.onRecordsSheet();
    if (onRecords)
        setRecordControlsEnabled(carInUse());
    ui->EditStawkaZaKilometr->setText(numbers::general(rateOfCar()));
    if (onRecords) {
        m_window.sums().showMonthSums();
        recordRefresh();
    }
    ui->EditRocznyPojazd->clear();
    if (!onRecords)
        m_window.sheet().fillSummarySheet();
}

void LumpSumRecordPanel::DBGridPojazdyPracCellClick() {
    carRefresh();
}
void LumpSumRecordPanel::DBGridPojazdyPracDblClick() {
    carRefresh();
}
void LumpSumRecordPanel::DBGridPojazdyPracEnter() {
    carRefresh();
}
void LumpSumRecordPanel::DBGridPojazdyPracKeyDown() {
    carRefresh();
}
void LumpSumRecordPanel::DBGridPojazdyPracKeyUp() {
    carRefresh();
}
void LumpSumRecordPanel::DBGridPojazdyPracKeyPress() {
    carRefresh();
}

// ---------------------------------------------------------------- the record

// The boxes show the figures of the record in view, so that a save into it keeps them unless changed:
// after a record is picked, and after a move to another month, year or car that has one.
void LumpSumRecordPanel::recordRefresh() {
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

void LumpSumRecordPanel::setDeclarationDate(const QDate& date) {
    m_ui->DateTimePickerDataOswiadczenia->setDate(date);
}

void LumpSumRecordPanel::DBGrid1CellClick() {
    recordRefresh();
}
void LumpSumRecordPanel::DBGrid1ColExit() {
    recordRefresh();
}
void LumpSumRecordPanel::DBGrid1DblClick() {
    recordRefresh();
}
void LumpSumRecordPanel::DBGrid1KeyDown() {
    recordRefresh();
}
void LumpSumRecordPanel::DBGrid1KeyPress() {
    recordRefresh();
}
void LumpSumRecordPanel::DBGrid1KeyUp() {
    recordRefresh();
}

void LumpSumRecordPanel::DateTimePickerDataOswiadczeniaChange() {
    Table& t = *TableRyczalt;
    // On "Wszystko" the records are only looked at.
    if (!t.isActive() || m_window.month().value_or(0) == 0)
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

// ---------------------------------------------------------------- the buttons

void LumpSumRecordPanel::ZapiszClick() {
    save();
}

void LumpSumRecordPanel::save() {
    AppContext& ctx = m_forms.context;
    auto* ui = m_ui;
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
    const int year = m_window.year();
    if (year == 0) {
        ctx.dialogs.message(PeriodBoxes::kInvalidYear);
        return;
    }
    const int month = m_window.month().value_or(0);
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
        if (t.locate(F::Rok + QLatin1Char(';') + F::Miesiac, {year, month}))
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
    m_window.sums().showMonthSums();
}

void LumpSumRecordPanel::AnulujClick() {
    if (TableRyczalt->isActive())
        TableRyczalt->cancel();
}

void LumpSumRecordPanel::UsunClick() {
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
    m_window.sums().showMonthSums();
}

} // namespace tarlok
