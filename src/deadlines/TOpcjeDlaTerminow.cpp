// The deadlines window: its table (a detail of the current vehicle), opening and closing, the current
// vehicle followed, the two grids with their warning colours and the printouts; the service alarm, the
// date slots and the editing buttons are panels of their own.
#include "TOpcjeDlaTerminow.h"

#include "EditingPanel.h"
#include "ServicePanel.h"
#include "SlotsPanel.h"
#include "TInformacjeNotatki.h"
#include "TTerminyDruk.h"

#include "common/Paths.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TOpcjeDlaTerminow.h"
#include "widgets/DataLink.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QSignalBlocker>

#include <vector>

namespace tarlok {

using namespace deadlines;
namespace F = fields::terminy;
namespace P = fields::pojazdy;

namespace {

QColor colourOf(TextColour colour, const QColor& normal) {
    switch (colour) {
    case TextColour::White:
        return Qt::white;
    case TextColour::Black:
        return Qt::black;
    case TextColour::Red:
        return deadlineColours::red;
    case TextColour::Gray:
        return deadlineColours::gray;
    case TextColour::Normal:
        break;
    }
    return normal;
}

} // namespace

// ---------------------------------------------------------------- creation

TOpcjeDlaTerminow::TOpcjeDlaTerminow(Forms& forms)
    : m_forms(forms), m_ui(std::make_unique<Ui::TOpcjeDlaTerminow>()) {
    m_ui->setupUi(this);
    setHelpTopic(this, 9);
    setModal(true);
    m_form = std::make_unique<DeadlinesForm>(forms, *this, *m_ui, *this);
    TableTerminy = m_form->table;
    // Closed before the archive copies the data files; the window opens it again when next shown.
    forms.tableHolders.addTable(this, TableTerminy, false);
    TableTerminy->onFilterRecord = [this](Table& t) {
        return TableTerminyFilterRecord(t);
    };
    setupControls();
    // The panels set up their controls here and connect their handlers once the grids are set up too.
    m_slots = std::make_unique<SlotsPanel>(*m_form);
    m_editing = std::make_unique<EditingPanel>(*m_form);
    m_service = std::make_unique<ServicePanel>(*m_form);
    m_form->slotPanel = m_slots.get();
    m_form->editing = m_editing.get();
    m_form->service = m_service.get();
    m_editing->closeEditBoxes();
    m_ui->TworzTabTerminy->setVisible(false);
    setupGrids();
    connectHandlers();
    setErrorHandlerForChildren(this, [this](const Error& e) { context().dialogs.message(e.text()); });
}

TOpcjeDlaTerminow::~TOpcjeDlaTerminow() {
    // The grids and boxes are bound to the table: they let go of it before it goes.
    TableTerminy->close();
}

Table* TOpcjeDlaTerminow::vehicles() const {
    return m_form->vehicles();
}

AppContext& TOpcjeDlaTerminow::context() const {
    return m_forms.context;
}

QColor TOpcjeDlaTerminow::windowColour() const {
    return m_form->windowColour;
}

void TOpcjeDlaTerminow::setupControls() {
    auto* ui = m_ui.get();
    // What shows and hides with the row, the kinds watched, the service alarm and the table's creation
    // keeps its room, so that no panel of the window moves.
    std::vector<QWidget*> keepRoom{ui->LabelUbezpieczenieAC,
                                   ui->LabelTerminOC1,
                                   ui->EditAlarmSerwis,
                                   ui->LabelDoSerwisowania,
                                   ui->LabelIleZostalo,
                                   ui->LabelKm,
                                   ui->PrzekazAutoSerwis,
                                   ui->Panel1,
                                   ui->Panel2,
                                   ui->Panel4,
                                   ui->Panel5};
    keepRoom.insert(keepRoom.end(), m_form->pickers.begin(), m_form->pickers.end());
    keepRoom.insert(keepRoom.end(), m_form->slotLabels.begin(), m_form->slotLabels.end());
    for (QWidget* w : keepRoom) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
}

void TOpcjeDlaTerminow::setupGrids() {
    auto* ui = m_ui.get();
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignCenter;
    QFont titleFont = ui->DBGridPojazdy->font();
    titleFont.setBold(true);

    DbGrid* cars = ui->DBGridPojazdy;
    cars->setDataSource(vehicles());
    cars->setRowSelect(true);
    cars->setInPlaceEditing(false);
    cars->setTitleFont(titleFont);
    cars->setTitleColor(deadlineColours::darkRed);
    cars->addColumn(P::NrKol_Pojazdu, QStringLiteral("Nr"), 36, right, true);
    cars->addColumn(P::Dane_Poj_Wszystko, QStringLiteral("Dane pojazdu"), 230, left, true);
    cars->addColumn(P::Wlasciciel, QStringLiteral("Właściciel"), 120, left, true);
    cars->addColumn(QStringLiteral("Inform_samochod"), QStringLiteral("Sam. pracow."), 92, centre, true);
    cars->addColumn(QStringLiteral("UzywanyString"), QStringLiteral("Używany"), 60, centre, true);
    cars->addColumn(P::StanAktLicznika, QStringLiteral("Akt. licz."), 70, right, true);
    cars->addColumn(P::StanPoczLIcznika, QStringLiteral("Pop. licz."), 70, right, true);
    cars->addColumn(P::CoIleKmSerwis, QStringLiteral("Co ile serwis"), 92, right, true);
    cars->addColumn(P::DataOstSerwisu, QStringLiteral("Data os. Serw."), 100, centre, true);
    cars->setCellColors([this](int row, int, bool selected, QColor& text, QColor&) {
        DBGridPojazdyDrawColumnCell(row, selected, text);
    });

    DbGrid* grid = ui->DBGridTerminy;
    grid->setDataSource(TableTerminy);
    grid->setRowSelect(true);
    grid->setInPlaceEditing(false);
    // A date fits a column 64 points wide in the grid's small face.
    QFont small(QStringLiteral("Arial"), 8);
    grid->setFont(small);
    small.setBold(true);
    grid->setTitleFont(small);
    grid->setTitleColor(deadlineColours::darkRed);
    const QString money = QStringLiteral("0.00");
    grid->addColumn(F::NrKol_Pojazdu, QStringLiteral("Nr"), 30, right, true);
    grid->addColumn(F::TerminOC, QStringLiteral("Termin OC"), 64, centre, true);
    grid->addColumn(F::TerminAC, QStringLiteral("Termin AC"), 64, centre, true);
    grid->addColumn(F::Termin1, QStringLiteral("Term OC II"), 64, centre, true);
    grid->addColumn(F::Termin2, QStringLiteral("Term. AC II"), 64, centre, true);
    grid->addColumn(F::TerminPrzegTechnicznego, QStringLiteral("Przeg. tech."), 64, centre, true);
    grid->addColumn(F::TerminPrzegGwarancyjnego, QStringLiteral("Gwar."), 64, centre, true);
    grid->addColumn(F::TerminNaprawy, QStringLiteral("Naprawy"), 64, centre, true);
    grid->addColumn(F::TerminWymianyWyposazenia, QStringLiteral("Wyposaż."), 64, centre, true);
    grid->addColumn(F::TerminWaznosciDokumentu, QStringLiteral("Termin dok."), 64, centre, true);
    grid->addColumn(F::TerminWaznosciInny, QStringLiteral("Termin inny"), 64, centre, true);
    grid->addColumn(F::Rok, QStringLiteral("ROK"), 40, centre, true);
    grid->addColumn(F::KosztOC, QStringLiteral("Koszt OC"), 64, right, true, money);
    grid->addColumn(F::KosztAC, QStringLiteral("Koszt AC"), 64, right, true, money);
    grid->addColumn(F::Pom3, QStringLiteral("Koszt OC II"), 64, right, true, money);
    grid->addColumn(F::Pom7, QStringLiteral("Koszt AC II"), 64, right, true, money);
    grid->addColumn(F::Pom4, QStringLiteral("Koszt NW"), 56, right, true);
    grid->addColumn(F::KosztPrzegTech, QStringLiteral("Koszt tech."), 64, right, true, money);
    grid->addColumn(F::KosztPrzegGwar, QStringLiteral("Koszt gwar."), 64, right, true, money);
    grid->addColumn(F::KosztNapraw, QStringLiteral("Koszt nap."), 64, right, true, money);
    grid->addColumn(F::KosztyCalkowite, QStringLiteral("Koszt Cał."), 72, right, true, money);
    grid->setCellColors([this](int row, int, bool selected, QColor& text, QColor&) {
        DBGridTerminyDrawColumnCell(row, selected, text);
    });
}

void TOpcjeDlaTerminow::connectHandlers() {
    auto* ui = m_ui.get();
    Dialogs& dialogs = context().dialogs;
    using W = TOpcjeDlaTerminow;
    connectAction(dialogs, ui->TworzTabTerminy, &QPushButton::clicked, this, &W::TworzTabTerminyClick);
    connectAction(dialogs, ui->Drukuj, &QPushButton::clicked, this, &W::DrukujClick);
    connectAction(dialogs, ui->Informacja, &QPushButton::clicked, this, &W::InformacjaClick);
    connectAction(dialogs, ui->Pomoc, &QPushButton::clicked, this, &W::PomocClick);
    connectAction(dialogs, ui->Zamknij, &QPushButton::clicked, this, &W::ZamknijClick);
    connectAction(dialogs, ui->CheckBoxWszystkieLata, &QCheckBox::clicked, this,
                  &W::CheckBoxWszystkieLataClick);
    m_editing->connectHandlers();
    m_slots->connectHandlers();
    m_service->connectHandlers();

    DbGrid* grid = ui->DBGridTerminy;
    connectAction(dialogs, grid, &DbGrid::cellClick, this, &W::DBGridTerminyCellClick);
    connectAction(dialogs, grid, &DbGrid::dblClick, this, &W::DBGridTerminyCellClick);
    connectAction(dialogs, grid, &DbGrid::keyUp, this, &W::DBGridTerminyCellClick);

    // Once per change of the current vehicle, whichever window moves it; never on a mere redraw.
    connectAction(dialogs, &m_form->data, &SharedData::vehicleChanged, this, &W::vehicleChanged);
}

// ---------------------------------------------------------------- creating the table

bool TOpcjeDlaTerminow::createDeadlinesTable() {
    return m_form->createTable();
}

void TOpcjeDlaTerminow::TworzTabTerminyClick() {
    runAction(context().dialogs, [&] {
        if (!createDeadlinesTable() || !isVisible())
            return;
        // The window shown: it works on the new table at once, as when it is opened on one.
        try {
            const QDate today = context().clock.today();
            for (DbDateEdit* picker : m_form->pickers)
                DeadlinesForm::setPickerSilently(picker, today);
            m_form->setYearBox(QString::number(today.year()));
            m_form->shownVehicle = -1;
            vehicleChanged();
            m_editing->closeEditBoxes();
            centreOnScreen();
        } catch (const Error&) {
            context().dialogs.message(QStringLiteral("Błąd tworzenia tablicy Terminy"));
        }
    });
}

void TOpcjeDlaTerminow::centreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        layout()->activate(); // the panels just shown or hidden give the window its size
        const QRect area = screen->availableGeometry();
        const QSize size = frameGeometry().size();
        move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

// ---------------------------------------------------------------- opening and closing

void TOpcjeDlaTerminow::openMain() {
    runAction(context().dialogs, [&] { openWindow(true); });
}

void TOpcjeDlaTerminow::openSettings() {
    runAction(context().dialogs, [&] { openWindow(false); });
}

void TOpcjeDlaTerminow::openOn(qint64 vehicle, int year) {
    runAction(context().dialogs, [&] {
        vehicles()->open();
        vehicles()->locate(P::NrKol_Pojazdu, {vehicle});
        m_openYear = year;
        openWindow(true);
    });
    m_openYear.reset();
}

void TOpcjeDlaTerminow::openWindow(bool mainEntry) {
    AppContext& ctx = context();
    Table* periods = m_form->data.TableOkresy;
    periods->open();
    vehicles()->open();
    if (periods->isNull(fields::okresy::Rok)) {
        ctx.dialogs.message(
            QStringLiteral("Otwórz najpierw okres w formatce \"EWIDENCJA PRZEBIEGU POJAZDU\""));
        return;
    }
    const QString folder = ctx.dataFolder();
    if (!paths::fileExists(ctx.database.tablePath(folder, QStringLiteral("Terminy.db")))) {
        TableTerminy->close();
        m_form->showPanels(false);
    } else {
        openDeadlines();
        m_form->showPanels(true);
        const QDate today = ctx.clock.today();
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (mainEntry || (slot != SlotOC2 && slot != SlotAC2))
                DeadlinesForm::setPickerSilently(m_form->pickers[size_t(slot)], today);
        }
        m_form->setYearBox(QString::number(today.year()));
        m_form->shownVehicle = vehicles()->isEmpty() ? 0 : vehicles()->rowid();
        showVehicle(false);
        if (mainEntry) {
            CheckBoxWszystkieLataClick();
            m_editing->closeEditBoxes();
        }
        if (m_openYear) {
            if (*m_openYear != today.year() && !allYears()) {
                {
                    const QSignalBlocker block(m_ui->CheckBoxWszystkieLata);
                    m_ui->CheckBoxWszystkieLata->setChecked(true);
                }
                CheckBoxWszystkieLataClick();
            }
            if (TableTerminy->locate(F::Rok, {*m_openYear}))
                m_form->showCurrentRow();
        }
    }
    centreOnScreen();
    ctx.dialogs.showModal(this);
}

void TOpcjeDlaTerminow::openDeadlines() {
    if (TableTerminy->isActive())
        return;
    TableTerminy->setDatabaseName(context().dataFolder());
    TableTerminy->setTableName(QStringLiteral("Terminy"));
    TableTerminy->open();
}

bool TOpcjeDlaTerminow::closeTables() {
    m_reopen = TableTerminy->isActive();
    TableTerminy->close();
    m_editing->closeEditBoxes();
    return m_reopen;
}

void TOpcjeDlaTerminow::reopenTables() {
    if (!m_reopen)
        return;
    m_reopen = false;
    openDeadlines();
    if (isVisible()) {
        m_form->shownVehicle = -1;
        vehicleChanged();
    }
}

void TOpcjeDlaTerminow::ZamknijClick() {
    close();
}

void TOpcjeDlaTerminow::reject() {
    if (m_leaving)
        return;
    bool leave = false;
    runAction(context().dialogs, [&] { leave = leaveWindow(); });
    if (leave)
        QDialog::reject();
}

bool TOpcjeDlaTerminow::leaveWindow() {
    Table* t = TableTerminy;
    if (t->isActive() && t->isEditing()) {
        if (PendingEdits::isTyped(*TableTerminy)) {
            if (!m_editing->save())
                return false; // the user was told why; the row stays for them to put right
        } else {
            t->cancel();
        }
    }
    m_leaving = true;
    struct Left {
        bool& flag;
        ~Left() { flag = false; }
    } left{m_leaving};
    if (t->isActive())
        m_service->writeBackServiceFields();
    t->close();
    m_editing->closeEditBoxes();
    m_form->shownVehicle = -1;
    return true;
}

void TOpcjeDlaTerminow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        runAction(context().dialogs, [&] { m_editing->AnulujClick(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------- the current vehicle

void TOpcjeDlaTerminow::vehicleChanged() {
    if (!isVisible() || !TableTerminy->isActive() || TableTerminy->isEditing())
        return;
    Table* cars = vehicles();
    const qint64 shown = !cars->isActive() ? -1 : cars->isEmpty() ? 0 : cars->rowid();
    if (shown == m_form->shownVehicle)
        return; // the same vehicle written or read again
    m_form->shownVehicle = shown;
    // The deadlines follow the vehicle once its move is over; they are read here, before the last row
    // is taken, so that the row loaded is the row the save writes.
    TableTerminy->refresh();
    showVehicle(true);
}

void TOpcjeDlaTerminow::showVehicle(bool toLastRow) {
    if (toLastRow && !TableTerminy->isEditing() && TableTerminy->recordCount() > 0)
        TableTerminy->last();
    applyVehicleState();
    m_form->showCurrentRow();
    m_service->serviceReadings();
    m_service->serviceCheck();
}

void TOpcjeDlaTerminow::applyVehicleState() {
    const bool used = m_form->vehicleInUse();
    setPanelsEnabled(used);
    if (!used)
        m_service->showAlarm(false, m_form->windowColour);
}

void TOpcjeDlaTerminow::setPanelsEnabled(bool enabled) {
    auto* ui = m_ui.get();
    ui->Panel1->setEnabled(enabled);
    ui->Panel4->setEnabled(enabled);
    // "Wyjście" and "Pomoc" stay at hand whatever the vehicle.
    for (QWidget* w : ui->Panel2->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != ui->Panel3)
            w->setEnabled(enabled);
    }
    for (QWidget* w : ui->Panel3->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != ui->Pomoc && w != ui->Zamknij)
            w->setEnabled(enabled);
    }
}

QVariant TOpcjeDlaTerminow::currentVehicleNumber() const {
    Table* cars = vehicles();
    if (!cars->isActive() || cars->isEmpty())
        return {};
    return cars->value(P::NrKol_Pojazdu);
}

QString TOpcjeDlaTerminow::currentVehicleDescription() const {
    Table* cars = vehicles();
    if (!cars->isActive() || cars->isEmpty())
        return {};
    return cars->asString(P::Dane_Poj_Wszystko);
}

bool TOpcjeDlaTerminow::allVehicles() const {
    return m_ui->CheckBoxWszystkiePojazdy->isChecked();
}

bool TOpcjeDlaTerminow::allYears() const {
    return m_ui->CheckBoxWszystkieLata->isChecked();
}

bool TOpcjeDlaTerminow::yearFiltered() const {
    return TableTerminy->isFiltered();
}

int TOpcjeDlaTerminow::filterYear() const {
    return context().clock.today().year();
}

// "&Drukuj": the statement of the current vehicle, or of every vehicle with "Wszystkie pojazdy", read
// through the printout's own tables with this window's year filter (a changed row not yet saved is
// refused there, so that paper never shows other figures than the screen).
void TOpcjeDlaTerminow::DrukujClick() {
    DeadlinePrint request;
    request.vehicle = currentVehicleNumber().toLongLong();
    request.allVehicles = allVehicles();
    request.allYears = allYears();
    if (yearFiltered())
        request.year = filterYear();
    printDeadlines(m_forms, request);
}

// "&Informacja": the notes of the current row, under the year typed in the year box.
void TOpcjeDlaTerminow::InformacjaClick() {
    m_forms.InformacjeNotatki->showForYear(m_ui->EditRokPodatkowy->text());
}

QString TOpcjeDlaTerminow::yearBoxText() const {
    return m_ui->EditRokPodatkowy->text();
}

void TOpcjeDlaTerminow::PomocClick() {
    context().showHelp(9);
}

void TOpcjeDlaTerminow::CheckBoxWszystkieLataClick() {
    auto* ui = m_ui.get();
    Table* t = TableTerminy;
    if (!t->isActive())
        return;
    const bool all = ui->CheckBoxWszystkieLata->isChecked();
    try {
        t->setFiltered(!all);
    } catch (const PendingRowError& e) {
        // The row typed into keeps the list it belongs to.
        const QSignalBlocker block(ui->CheckBoxWszystkieLata);
        ui->CheckBoxWszystkieLata->setChecked(!all);
        context().dialogs.message(e.text());
        return;
    }
    m_form->showCurrentRow();
}

// ---------------------------------------------------------------- the grids

void TOpcjeDlaTerminow::DBGridTerminyCellClick() {
    // A row being entered or changed holds the grid on it (a move stores nothing and says so).
    if (!TableTerminy->isActive() || TableTerminy->isEditing())
        return;
    m_form->showCurrentRow();
}

void TOpcjeDlaTerminow::DBGridTerminyDrawColumnCell(int row, bool selected, QColor& text) const {
    Table* t = TableTerminy;
    // A row being entered or changed: the grid is drawn plain.
    if (!t->isActive() || t->isEditing())
        return;
    const Record r = t->displayRecord(row);
    DeadlineRow deadlines;
    for (int kind = 0; kind < KindCount; ++kind) {
        const QVariant flag = r.value(t->fieldIndex(DeadlinesForm::watchField(Kind(kind))));
        deadlines.watched[size_t(kind)] = !flag.isNull() && flag.toBool();
    }
    for (int slot = 0; slot < SlotCount; ++slot)
        deadlines.dates[size_t(slot)] = r.value(t->fieldIndex(DeadlinesForm::slotField(Slot(slot)))).toDate();
    auto* ui = m_ui.get();
    text = colourOf(rowColour(deadlines, context().clock.today(), ui->SpinEditDniPrzedTerminem->value(),
                              ui->SpinEditDniPoTerminie->value(), ui->SpinEditKonczInformowanie->value(),
                              selected),
                    text);
}

void TOpcjeDlaTerminow::DBGridPojazdyDrawColumnCell(int row, bool selected, QColor& text) const {
    Table* cars = vehicles();
    const int used = cars->fieldIndex(P::Uzywany);
    text =
        colourOf(vehicleColour(used < 0 ? QVariant() : cars->displayRecord(row).value(used), selected), text);
}

bool TOpcjeDlaTerminow::TableTerminyFilterRecord(Table& table) {
    const int year = context().clock.today().year();
    // The box shows the year listed; a year typed during an edit is the user's and stays.
    if (isVisible() && !TableTerminy->isEditing() && m_ui->EditRokPodatkowy->text() != QString::number(year))
        m_form->setYearBox(QString::number(year));
    return !table.isNull(F::Rok) && table.asInteger(F::Rok) == year;
}

} // namespace tarlok
