#include "RegisterDriver.h"

#include "ModelTesting.h"
#include "TestApp.h"
#include "Typing.h"

#include "core/Forms.h"
#include "platform/ScriptedDialogs.h"
#include "register/GridCells.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TSprawdzenieLicznika.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TSprawdzenieLicznika.h"

#include <QApplication>
#include <QHeaderView>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace tarlok::test {

namespace {

// Counts the times a widget is shown.
class ShowCounter final : public QObject {
public:
    explicit ShowCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++shown;
        return QObject::eventFilter(watched, event);
    }
};

// The lines of `text` that a room of `width` x `height` cuts when drawn in `font`, as "column: line".
QStringList cutLines(int column, const QString& text, const QFont& font, int width, int height) {
    const QFontMetricsF metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const bool tooTall = int(lines.size()) * metrics.height() > height;
    QStringList cut;
    for (const QString& line : lines) {
        if (!line.isEmpty() && (tooTall || metrics.horizontalAdvance(line) > width))
            cut.append(QStringLiteral("%1: %2").arg(column).arg(line));
    }
    return cut;
}

// The titles of the header sections, each in its section less the header's margins.
QStringList cutTitles(const QTableView* grid) {
    const QHeaderView* header = grid->horizontalHeader();
    const QAbstractItemModel* model = grid->model();
    const int margin = grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    QStringList cut;
    for (int c = 0; c < header->count(); ++c) {
        const QVariant font = model->headerData(c, Qt::Horizontal, Qt::FontRole);
        cut += cutLines(c, model->headerData(c, Qt::Horizontal).toString(),
                        font.isValid() ? font.value<QFont>() : header->font(),
                        header->sectionSize(c) - 2 * margin, header->height() - 2 * margin);
    }
    return cut;
}

// The texts of the first `rows` rows, each in its cell less the grid line and the item views' text
// margins.
QStringList cutHeadingCells(const QTableWidget* grid, int rows) {
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int line = grid->showGrid() ? 1 : 0;
    QStringList cut;
    for (int c = 0; c < grid->columnCount(); ++c) {
        for (int r = 0; r < rows; ++r) {
            const QTableWidgetItem* item = grid->item(r, c);
            if (!item)
                continue;
            const QVariant font = item->data(Qt::FontRole);
            cut += cutLines(c, item->text(), font.isValid() ? font.value<QFont>() : grid->font(),
                            grid->columnWidth(c) - line - 2 * margin, grid->rowHeight(r) - line);
        }
    }
    return cut;
}

QStringList cutCaptions(std::initializer_list<const QLabel*> labels) {
    QStringList cut;
    int column = 0;
    for (const QLabel* label : labels) {
        const QRect room = label->contentsRect();
        cut += cutLines(column++, label->text(), label->font(), room.width(), room.height());
    }
    return cut;
}

} // namespace

RegisterDriver::RegisterDriver(TestApp& app) : RegisterDriver(app.forms(), app.dialogs) {
    auto* ui = window().ui();
    for (QTableView* grid :
         {static_cast<QTableView*>(ui->DBGridPojazdy), static_cast<QTableView*>(ui->DBGridPrzejazdy),
          static_cast<QTableView*>(ui->DBGridKoszty)})
        watchGrid(grid);
}

RegisterDriver::RegisterDriver(Forms& forms, ScriptedDialogs& dialogs) : m_forms(forms), m_dialogs(dialogs) {
    m_busyShowings = &(new ShowCounter(window().ui()->BitBtnProszeCzekac))->shown;
}

TEwidencja_przejazdow& RegisterDriver::window() const {
    return *m_forms.Ewidencja_przejazdow;
}

QWidget& RegisterDriver::driven() const {
    return window();
}

// ---------------------------------------------------------------- the window

bool RegisterDriver::isEnabled() const {
    return window().isEnabled();
}

// ---------------------------------------------------------------- buttons

QAbstractButton* RegisterDriver::button(Button which) const {
    auto* ui = window().ui();
    switch (which) {
    case Button::Close:
        return ui->zamknij;
    case Button::Vehicles:
        return ui->DodajPojazd;
    case Button::Routes:
        return ui->DodajTrase;
    case Button::Rates:
        return ui->Stawki;
    case Button::NewPeriod:
        return ui->NowyOkres;
    case Button::ExpenseKinds:
        return ui->Wydatki;
    case Button::Purposes:
        return ui->CelWyj;
    case Button::Drivers:
        return ui->Kierowcy;
    case Button::Help:
        return ui->Pomoc_glowna;
    case Button::PrintForm:
        return ui->ZestawWydrukow;
    case Button::RoutesList:
        return ui->Kartoteka_Tras;
    case Button::PurposesList:
        return ui->Kartoteka_Celow;
    case Button::DriversList:
        return ui->KartotekaKierowcow;
    case Button::NewTrip:
        return ui->DodajPrzejazd;
    case Button::EditTrip:
        return ui->EdytujPrzejazd;
    case Button::SaveTrip:
        return ui->ZapiszPrzejazd;
    case Button::CancelTrip:
        return ui->AnulujPrzejazd;
    case Button::DeleteTrip:
        return ui->UsunPrzejazd;
    case Button::RemoveInvalidTrips:
        return ui->UsunNiepoprwaneRekordy;
    case Button::TripsHelp:
        return ui->Pomoc;
    case Button::PrintTrips:
        return ui->DrukujPrzejazdy;
    case Button::ExpenseKindsList:
        return ui->Kart_Wydatki;
    case Button::NewCost:
        return ui->DodajKoszt;
    case Button::EditCost:
        return ui->EdytujKoszt;
    case Button::SaveCost:
        return ui->ZapiszKoszt;
    case Button::CancelCost:
        return ui->AnulujKoszt;
    case Button::DeleteCost:
        return ui->UsunKoszt;
    case Button::CostsHelp:
        return ui->Pomoc_koszty;
    case Button::PrintCosts:
        return ui->DrukujKoszty;
    case Button::PrintSummary:
        return ui->DrukujZestawienie;
    case Button::PreviewSummary:
        return ui->PodgladZestawienia;
    case Button::ExportTrips:
        return ui->EksportPrzejazdow;
    case Button::CheckOdometer:
        return ui->SprawdzLicznik;
    case Button::ExportCosts:
        return ui->EksportKosztow;
    }
    return nullptr;
}

void RegisterDriver::press(Button which) {
    pressButton(button(which), By::Click, false);
}

bool RegisterDriver::isEnabled(Button which) const {
    return button(which)->isEnabled();
}

bool RegisterDriver::isShown(Button which) const {
    return !button(which)->isHidden();
}

RegisterDriver::OdometerCheck RegisterDriver::checkOdometer() {
    auto seen = std::make_shared<OdometerCheck>();
    m_dialogs.onModal(QStringLiteral("tarlok::TSprawdzenieLicznika"), [seen](QWidget* window) {
        auto* check = qobject_cast<TSprawdzenieLicznika*>(window);
        QVERIFY(check);
        auto* ui = check->ui();
        seen->shown = check->isVisible();
        seen->title = check->windowTitle();
        seen->vehicle = ui->LabelPojazd->text();
        seen->period = ui->LabelOkres->text();
        seen->result = ui->LabelWynik->text();
        const QTableWidget* grid = ui->StringGridPrzerwy;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList line;
            for (int c = 0; c < grid->columnCount(); ++c)
                line.append(grid->item(r, c) ? grid->item(r, c)->text() : QString());
            seen->lines.append(line);
        }
        QTest::mouseClick(ui->Zamknij, Qt::LeftButton);
        QVERIFY(!check->isVisible());
    });
    press(Button::CheckOdometer);
    return *seen;
}

void RegisterDriver::exportTo(Button which, const QString& fileName) {
    m_dialogs.answerSaveFileName(fileName);
    press(which);
}

void RegisterDriver::answer(Answer answer) {
    if (answer != Answer::None)
        m_dialogs.answer(answer == Answer::Yes);
}

void RegisterDriver::deleteTrip(Answer a) {
    answer(a);
    press(Button::DeleteTrip);
}

void RegisterDriver::removeInvalidTrips(Answer a) {
    answer(a);
    press(Button::RemoveInvalidTrips);
}

void RegisterDriver::deleteCost(Answer a) {
    answer(a);
    press(Button::DeleteCost);
}

void RegisterDriver::tickUnlockTabs() {
    window().ui()->CheckBoxOdblokuj->click();
}

// ---------------------------------------------------------------- the period

void RegisterDriver::chooseYear(const QString& year) {
    chooseFromList(window().ui()->ComboBoxRok, year);
}

void RegisterDriver::chooseMonth(const QString& month) {
    chooseFromList(window().ui()->ComboBoxMiesiac, month);
}

void RegisterDriver::typeYear(const QString& text) {
    typeIntoList(window().ui()->ComboBoxRok, text);
}

void RegisterDriver::typeMonth(const QString& text) {
    typeIntoList(window().ui()->ComboBoxMiesiac, text);
}

QString RegisterDriver::year() const {
    return window().ui()->ComboBoxRok->currentText();
}

QString RegisterDriver::month() const {
    return window().ui()->ComboBoxMiesiac->currentText();
}

QStringList RegisterDriver::years() const {
    return itemsOf(window().ui()->ComboBoxRok);
}

QStringList RegisterDriver::months() const {
    return itemsOf(window().ui()->ComboBoxMiesiac);
}

bool RegisterDriver::isMonthBoxEnabled() const {
    return window().ui()->ComboBoxMiesiac->isEnabled();
}

// ---------------------------------------------------------------- tabs

void RegisterDriver::chooseTab(Tab tab) {
    auto* ui = window().ui();
    QWidget* page = tab == Tab::Costs ? ui->Koszty : tab == Tab::Trips ? ui->Przejazdy : ui->Zestawienia;
    ui->PageControl1->setCurrentWidget(page);
}

RegisterDriver::Tab RegisterDriver::tab() const {
    auto* ui = window().ui();
    QWidget* page = ui->PageControl1->currentWidget();
    return page == ui->Koszty ? Tab::Costs : page == ui->Przejazdy ? Tab::Trips : Tab::Summary;
}

bool RegisterDriver::tabsEnabled() const {
    return window().ui()->PageControl1->isEnabled();
}

// ---------------------------------------------------------------- boxes

QLineEdit* RegisterDriver::box(Box which) const {
    auto* ui = window().ui();
    switch (which) {
    case Box::Route:
        return ui->DBTrasa;
    case Box::Purpose:
        return ui->DBCelWyjazdu;
    case Box::Km:
        return ui->DBIloscKm;
    case Box::Rate:
        return ui->DBStawka_km;
    case Box::StartReading:
        return ui->DBEditStanLIcznikaPoczatkowy;
    case Box::FinalReading:
        return ui->DBEditStanLicznikaKoncowy;
    case Box::TripAmount:
        return ui->DBWartoscPrzejazdu;
    case Box::FirstName:
        return ui->DBEditImie;
    case Box::Surname:
        return ui->DBEditNazwisko;
    case Box::DocumentNumber:
        return ui->DBNrDokKosztu;
    case Box::ExpenseName:
        return ui->DBNazwaWydatku;
    case Box::CostValue:
        return ui->DBWartoscKosztu;
    case Box::Litres:
        return ui->DBIloscPaliwa;
    case Box::CostKm:
        return ui->DBIloscPrzejechanychKm;
    case Box::CostStartReading:
        return ui->DBEditStanLicznikaPrzed;
    case Box::CostFinalReading:
        return ui->DBEditStanLicznika;
    case Box::VatPercent:
        return ui->DBEditVatZalProcent;
    case Box::CostVat:
        return ui->DBEditVat;
    case Box::CostGross:
        return ui->DBEditWartoscBrutto;
    case Box::Counted:
        return ui->EditWartoscZaliczona;
    case Box::VatNotCounted:
        return ui->EditVatNiezaliczony;
    case Box::Consumption:
        return ui->EditSpalanie;
    case Box::AverageConsumption:
        return ui->Edit1SrednieSpalanie;
    }
    return nullptr;
}

void RegisterDriver::type(Box which, const QString& text) {
    retype(box(which), text);
}

void RegisterDriver::typeAndEnter(Box which, const QString& text) {
    retypeAndEnter(box(which), text);
}

void RegisterDriver::typeMore(Box which, const QString& text) {
    WindowDriver::typeMore(box(which), text);
}

void RegisterDriver::clickInto(Box which) {
    QTest::mouseClick(box(which), Qt::LeftButton);
}

QString RegisterDriver::text(Box which) const {
    return box(which)->text();
}

bool RegisterDriver::isShown(Box which) const {
    return !box(which)->isHidden();
}

bool RegisterDriver::isOpenForTyping(Box which) const {
    QLineEdit* b = box(which);
    return b->isEnabled() && !b->isReadOnly() && b->hasFrame();
}

bool RegisterDriver::isClosedForTyping(Box which) const {
    QLineEdit* b = box(which);
    return !b->isEnabled() && b->isReadOnly() && !b->hasFrame();
}

QLabel* RegisterDriver::labelOf(Label which) const {
    auto* ui = window().ui();
    switch (which) {
    case Label::TripsBefore:
        return ui->LabelDoMiesiaca;
    case Label::TripsMonth:
        return ui->LabelZaMiesiac;
    case Label::TripsTotal:
        return ui->LabelRazem;
    case Label::CostsBefore:
        return ui->LabelKosztyDoMiesiaca;
    case Label::CostsMonth:
        return ui->LabelKosztyZaMiesiac;
    case Label::CostsTotal:
        return ui->LabelKosztyRazem;
    case Label::CostValue:
        return ui->LabelWartosc;
    }
    return nullptr;
}

QString RegisterDriver::label(Label which) const {
    return labelOf(which)->text();
}

bool RegisterDriver::isShown(Label which) const {
    return !labelOf(which)->isHidden();
}

// ---------------------------------------------------------------- grids

static QStringList column0(const QTableWidget* grid) {
    return {grids::cell(grid, 0, 0), grids::cell(grid, 0, 1), grids::cell(grid, 0, 2)};
}

// ---------------------------------------------------------------- the trips tab

void RegisterDriver::chooseTripEntry(int index) {
    window().ui()->RadioGroup1CoPodajemy->button(index)->click();
}

void RegisterDriver::pickTripDate(const QDate& date) {
    auto* picker = window().ui()->DataPrzejazdu;
    picker->setDate(date);
    emit picker->changed();
}

QDate RegisterDriver::tripDate() const {
    return window().ui()->DataPrzejazdu->date();
}

void RegisterDriver::clickTrip(int row) {
    clickRow(window().ui()->DBGridPrzejazdy, row, 1);
}

bool RegisterDriver::isTripCellEditable(int row, int column) const {
    const QAbstractItemModel* model = window().ui()->DBGridPrzejazdy->model();
    return model->flags(model->index(row, column)) & Qt::ItemIsEditable;
}

QStringList RegisterDriver::tripSums() const {
    QStringList cells;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            cells.append(grids::cell(window().ui()->StringGridPrzejazdy, column, row));
    return cells;
}

// ---------------------------------------------------------------- the costs tab

void RegisterDriver::chooseVatMode(int index) {
    window().ui()->RadioGroupPrzeliczanieVat->button(index)->click();
}

int RegisterDriver::vatMode() const {
    return window().ui()->RadioGroupPrzeliczanieVat->itemIndex();
}

void RegisterDriver::chooseVatCounted(int index) {
    window().ui()->RadioGroupVatZaliczony->button(index)->click();
}

int RegisterDriver::vatCounted() const {
    return window().ui()->RadioGroupVatZaliczony->itemIndex();
}

bool RegisterDriver::isVatCountedShown() const {
    return !window().ui()->RadioGroupVatZaliczony->isHidden();
}

void RegisterDriver::chooseCostEntry(int index) {
    window().ui()->RadioGroupCoPodajemy->button(index)->click();
}

void RegisterDriver::pickCostDate(const QDate& date) {
    auto* picker = window().ui()->DataKosztu;
    picker->setDate(date);
    emit picker->changed();
}

QDate RegisterDriver::costDate() const {
    return window().ui()->DataKosztu->date();
}

QString RegisterDriver::costDateText() const {
    return window().ui()->DataKosztu->text();
}

void RegisterDriver::clickCost(int row) {
    clickRow(window().ui()->DBGridKoszty, row, 1);
}

QString RegisterDriver::costCell(int row, int column) const {
    return cellText(window().ui()->DBGridKoszty, row, column);
}

QStringList RegisterDriver::costSums() const {
    return column0(window().ui()->StringGridKoszty);
}

QStringList RegisterDriver::vatSums() const {
    return column0(window().ui()->StringGridVat);
}

// ---------------------------------------------------------------- the summary tab

QString RegisterDriver::summaryCell(int column, int row) const {
    return grids::cell(window().ui()->StringGridZestawienie, column, row);
}

QStringList RegisterDriver::summaryMonths(int column) const {
    // The grid's rows 3 to 14 hold January to December.
    QStringList cells;
    for (int month = 1; month <= 12; ++month)
        cells.append(summaryCell(column, month + 2));
    return cells;
}

QStringList RegisterDriver::summaryLine(int month) const {
    QStringList cells;
    for (int column = 1; column <= 14; ++column)
        cells.append(summaryCell(column, month + 2));
    return cells;
}

QStringList RegisterDriver::cutHeadings(Grid grid) const {
    auto* ui = window().ui();
    switch (grid) {
    case Grid::Vehicles:
        return cutTitles(ui->DBGridPojazdy);
    case Grid::Trips:
        return cutTitles(ui->DBGridPrzejazdy);
    case Grid::Costs:
        return cutTitles(ui->DBGridKoszty);
    case Grid::TripTotals:
        return cutCaptions({ui->LabelNaglowekKilometry, ui->LabelNaglowekWartoscPrzejazdow});
    case Grid::CostTotals:
        return cutCaptions({ui->LabelNaglowekWartosc, ui->LabelNaglowekVat});
    case Grid::Summary:
        return cutHeadingCells(ui->StringGridZestawienie, 3);
    }
    return {};
}

void RegisterDriver::tickConsumption() {
    window().ui()->CheckBoxSpalanie->click();
}

int RegisterDriver::busyShowings() const {
    return *m_busyShowings;
}

bool RegisterDriver::isBusyShown() const {
    return !window().ui()->BitBtnProszeCzekac->isHidden();
}

// ---------------------------------------------------------------- vehicles

void RegisterDriver::clickVehicle(int row) {
    clickRow(window().ui()->DBGridPojazdy, row, 1);
}

QString RegisterDriver::vehicleCell(int row, int column) const {
    return cellText(window().ui()->DBGridPojazdy, row, column);
}

QString RegisterDriver::vehicleName() const {
    return window().ui()->DBNazwaPojazdu->text();
}

QColor RegisterDriver::vehicleTextColour(int row, bool selected) const {
    return textColour(window().ui()->DBGridPojazdy, row, 1, selected);
}

void RegisterDriver::wheelVehicles(int delta) {
    DbGrid* grid = window().ui()->DBGridPojazdy;
    if (!grid->hasFocus()) {
        grid->setFocus();
        window().activateWindow();
        QApplication::setActiveWindow(&window());
        QTRY_VERIFY(grid->hasFocus());
    }
    QWheelEvent event(QPointF(10, 10), grid->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &event);
}

} // namespace tarlok::test
