// The vehicles window: the vehicles table of the register (one current vehicle for the whole
// program), the vehicle numbers, the owner defaults and the odometer and service settings.
#include "TPojazdy_firmy.h"

#include "ReferenceWindows.h"
#include "VehicleRules.h"
#include "calc/VehicleRows.h"
#include "common/Limits.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TPojazdy_firmy.h"
#include "widgets/DataLink.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <limits>

namespace tarlok {

namespace {

namespace P = fields::pojazdy;

const QString kVehicleIndex = QStringLiteral("NrKol_PojazduInd");

// The row number (NrKol) of the last stored vehicle row, 0 when there is none. Read through a table
// object of its own, so neither a pending row nor a filter of the shared table hides a row.
qint64 lastVehicleRowNumber(Database& database) {
    Table table(database);
    table.setTableName(tables::pojazdy().fileName());
    table.open();
    table.last();
    return table.isEmpty() ? 0 : table.asInteger(P::NrKol);
}

} // namespace

TPojazdy_firmy::TPojazdy_firmy(Forms& forms)
    : QWidget(nullptr, Qt::Window), m_forms(forms), m_ui(std::make_unique<Ui::TPojazdy_firmy>()) {
    m_ui->setupUi(this);
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    m_forms.pendingEdits.add(this, vehiclesTable());
    setHelpTopic(this, 4);
    setupControls();
    connectHandlers();
    // The controls that are not bound follow the current vehicle whichever window moves it, so that a
    // save writes what the user sees for that vehicle.
    connectAction(m_forms.context.dialogs, &m_forms.context.data(), &SharedData::vehicleChanged, this,
                  &TPojazdy_firmy::followVehicle);
    connectAction(m_forms.context.dialogs, vehiclesTable(), &Table::stateChanged, this,
                  &TPojazdy_firmy::followVehicle);
    setErrorHandlerForChildren(this, [this](const Error& e) { m_forms.context.dialogs.message(e.text()); });
}

TPojazdy_firmy::~TPojazdy_firmy() = default;

Table* TPojazdy_firmy::vehiclesTable() const {
    return m_forms.context.data().TablePojazdy;
}

Table* TPojazdy_firmy::openVehicles() {
    Table* t = vehiclesTable();
    if (!t->isActive())
        t->open();
    return t;
}

void TPojazdy_firmy::setupControls() {
    auto* ui = m_ui.get();
    Table* t = vehiclesTable();
    const std::pair<DbEdit*, QString> boxes[] = {
        {ui->DBNrKol, P::NrKol_Pojazdu},
        {ui->DBRejestracja, P::Nr_rej},
        {ui->DBMarka_pojazdu, P::Marka_Poj},
        {ui->DBNazwa_pojazdu, P::Nazwa_Poj},
        {ui->DBPojemnosc_pojazdu, P::Pojemnosc},
        {ui->DBWlasciciel_pojazdu, P::Wlasciciel},
        {ui->DBAdres_wlasciciela, P::Adr_Wlasciciela},
        {ui->DBUwagi, P::Uwagi},
        {ui->DBEditPoczatkowyStanLicznika, P::StanPoczLIcznika},
        {ui->DBEditCiIleKmSerwis, P::CoIleKmSerwis},
        {ui->DBEditStanLicznikaOstSerwisu, P::StanLicznikaPo},
    };
    for (const auto& [box, field] : boxes)
        box->setDataSource(t, field);
    ui->DBTextAktualnyStanLicznika->setDataSource(t, P::StanAktLicznika);
    ui->DBTextAktualnyStanLicznika->setFlat(false);
    ui->DBCheckBoxUzywany->setDataSource(t, P::Uzywany);
    ui->DBRejestracja->setUpperCase(true);

    // The vehicle number is handed out by the window: shown grey, never typed.
    ui->DBNrKol->setReadOnly(true);
    QPalette grey = ui->DBNrKol->palette();
    grey.setColor(QPalette::Base, QColor(Qt::lightGray));
    ui->DBNrKol->setPalette(grey);

    // The labels name the boxes in messages about what was typed.
    const std::pair<QLabel*, QWidget*> labels[] = {
        {ui->LabelNrRej, ui->DBRejestracja},
        {ui->LabelMarka, ui->DBMarka_pojazdu},
        {ui->LabelNazwa, ui->DBNazwa_pojazdu},
        {ui->LabelPojemnosc, ui->DBPojemnosc_pojazdu},
        {ui->LabelWlasciciel, ui->DBWlasciciel_pojazdu},
        {ui->LabelAdresWlasciciela, ui->DBAdres_wlasciciela},
        {ui->LabelUwagi, ui->DBUwagi},
        {ui->LabelStanLicznikaPoczatek, ui->DBEditPoczatkowyStanLicznika},
        {ui->LabelCoIleKmSerwis, ui->DBEditCiIleKmSerwis},
        {ui->LabelStanLicznikaOstSerwisu, ui->DBEditStanLicznikaOstSerwisu},
    };
    for (const auto& [label, box] : labels) {
        label->setBuddy(box);
        QString name = label->text();
        while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        m_boxNames.insert(box, name);
    }

    for (QSpinBox* spin : {ui->SpinEditPrzedSerwisem, ui->SpinEditPoSerwisie}) {
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        spin->setValue(0);
    }

    DbGrid* grid = ui->DBGrid1;
    grid->setDataSource(t);
    grid->setRowSelect(true);
    grid->setInPlaceEditing(false);
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    grid->addColumn(P::NrKol_Pojazdu, QStringLiteral("Nr kol."), 56, right, true);
    grid->addColumn(P::Nazwa_Poj, QStringLiteral("Nazwa pojazdu"), 180, left, true);
    grid->addColumn(P::Marka_Poj, QStringLiteral("Marka pojazdu"), 160, left, true);
    grid->addColumn(P::Nr_rej, QStringLiteral("Rejestracja"), 110, left, true);
    grid->addColumn(P::Pojemnosc, QStringLiteral("Pojemność"), 80, right, true);
    grid->addColumn(QStringLiteral("Inform_samochod"), QStringLiteral("Sam. prac."), 80, Qt::AlignCenter,
                    true);
    grid->setColumnBackground(0, QColor(Qt::lightGray));
    grid->setCellColors([t](int row, int, bool selected, QColor& text, QColor&) {
        const int used = t->fieldIndex(P::Uzywany);
        vehicles::rowTextColour(used < 0 ? QVariant() : t->displayRecord(row).value(used), selected, text);
    });
}

void TPojazdy_firmy::connectHandlers() {
    auto* ui = m_ui.get();
    connectAction(m_forms.context.dialogs, ui->Dodaj, &QPushButton::clicked, this,
                  &TPojazdy_firmy::DodajClick);
    connectAction(m_forms.context.dialogs, ui->Zapisz, &QPushButton::clicked, this,
                  &TPojazdy_firmy::ZapiszClick);
    connectAction(m_forms.context.dialogs, ui->Anuluj, &QPushButton::clicked, this,
                  &TPojazdy_firmy::AnulujClick);
    connectAction(m_forms.context.dialogs, ui->Zamknij, &QPushButton::clicked, this,
                  &TPojazdy_firmy::ZamknijClick);
    connectAction(m_forms.context.dialogs, ui->Usun, &QPushButton::clicked, this, &TPojazdy_firmy::UsunClick);
    reference::listWindowKeys(this, vehiclesTable(), ui->Anuluj, ui->Zamknij, ui->Dodaj);
    connectAction(m_forms.context.dialogs, ui->ZapiszStanPocz, &QPushButton::clicked, this,
                  &TPojazdy_firmy::ZapiszStanPoczClick);
    connectAction(m_forms.context.dialogs, ui->EdytujStanPocz, &QPushButton::clicked, this,
                  &TPojazdy_firmy::EdytujStanPoczClick);
    // Code sets the spin edits with their signals blocked: only the user's changes arrive here.
    connectAction(m_forms.context.dialogs, ui->SpinEditPrzedSerwisem, &QSpinBox::valueChanged, this,
                  &TPojazdy_firmy::SpinEditPrzedSerwisemChange);
    connectAction(m_forms.context.dialogs, ui->SpinEditPoSerwisie, &QSpinBox::valueChanged, this,
                  &TPojazdy_firmy::SpinEditPoSerwisieChange);

    DbGrid* grid = ui->DBGrid1;
    connectAction(m_forms.context.dialogs, grid, &DbGrid::cellClick, this, &TPojazdy_firmy::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::keyDown, this, &TPojazdy_firmy::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::keyUp, this, &TPojazdy_firmy::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::dblClick, this, &TPojazdy_firmy::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::keyPress, this, &TPojazdy_firmy::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::colExit, this, &TPojazdy_firmy::DBGrid1CellClick);
}

// ---------------------------------------------------------------- opening

void TPojazdy_firmy::openWindow() {
    AppContext& ctx = m_forms.context;
    Table* t = openVehicles();
    // A vehicle being entered or changed is left as the user has it: the window is only brought up.
    const bool pending = t->isEditing();
    if (!pending)
        showOwnerChoice(!t->isEmpty() && t->asBool(P::Pojazd_Wlasc));
    m_forms.context.schema = schema::readState(m_forms.context.database, m_forms.context.dataFolder());
    if (ctx.schema.parametersPresent)
        showOdometerControls(ctx.schema.vehiclesUpgraded);
    if (!pending) {
        fillOwnerDefaults();
        fillOdometerFromTrips();
        loadServiceSpinEdits();
        NowyPojazd = false;
    }
    centreOnScreen();
    show();
    raise();
    activateWindow();
    m_ui->DBRejestracja->setFocus();
}

void TPojazdy_firmy::centreOnScreen() {
    if (m_placed)
        return;
    m_placed = true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TPojazdy_firmy::showOwnerChoice(bool ownersVehicle) {
    m_ui->RadioGroupCzyjPojazd->setItemIndex(ownersVehicle ? 0 : 1);
}

void TPojazdy_firmy::showOdometerControls(bool shown) {
    auto* ui = m_ui.get();
    for (QWidget* w :
         {static_cast<QWidget*>(ui->LabelStanLicznikaPoczatek),
          static_cast<QWidget*>(ui->LabelAktualnyStanLicznika),
          static_cast<QWidget*>(ui->DBEditPoczatkowyStanLicznika),
          static_cast<QWidget*>(ui->DBTextAktualnyStanLicznika), static_cast<QWidget*>(ui->Panel2)})
        w->setVisible(shown);
}

void TPojazdy_firmy::fillOwnerDefaults() {
    AppContext& ctx = m_forms.context;
    Table* t = vehiclesTable();
    if (!t->isActive() || t->isEditing() || t->isEmpty() || !ctx.schema.vehiclesUpgraded ||
        !ctx.schema.ownerPresent)
        return;
    const QString ownerFile = tables::wlasciciel().fileName();
    if (!ctx.database.tableExists(QString::fromLatin1(Database::kAlias), ownerFile))
        return;
    QString surname, firstName, address;
    {
        Table owner(ctx.database);
        owner.setTableName(ownerFile);
        owner.open();
        surname = owner.asString(fields::wlasciciel::Nazwisko).trimmed();
        firstName = owner.asString(fields::wlasciciel::Imie).trimmed();
        address = owner.asString(fields::wlasciciel::AdresFirmy).trimmed();
    }
    if (surname.isEmpty() || firstName.isEmpty() || address.isEmpty())
        return;
    if (m_ui->DBWlasciciel_pojazdu->text().trimmed().isEmpty()) {
        t->edit();
        t->setValue(P::Wlasciciel, surname + QLatin1Char(' ') + firstName);
        t->post();
        t->flushBuffers();
        fillOdometerFromTrips();
    }
    if (m_ui->DBAdres_wlasciciela->text().trimmed().isEmpty()) {
        t->edit();
        t->setValue(P::Adr_Wlasciciela, address);
        t->post();
        t->flushBuffers();
    }
}

void TPojazdy_firmy::fillOdometerFromTrips() {
    Table* t = vehiclesTable();
    if (!t->isActive() || t->isEditing() || t->isEmpty() || !t->hasField(P::StanAktLicznika) ||
        t->isNull(P::NrKol_Pojazdu))
        return;
    const std::optional<qint64> reading =
        latestFinalReading(m_forms.context.database, t->asInteger(P::NrKol_Pojazdu));
    if (!reading || (!t->isNull(P::StanAktLicznika) && t->asInteger(P::StanAktLicznika) == *reading))
        return;
    t->edit();
    t->setValue(P::StanAktLicznika, *reading);
    t->post();
    t->flushBuffers();
}

void TPojazdy_firmy::loadServiceSpinEdits() {
    Table* t = vehiclesTable();
    if (!t->isActive() || t->isEmpty())
        return;
    // An empty field shows 0 (an empty number counts as 0), never the kilometres of the vehicle shown
    // before: a save stores what the spin edits show.
    if (t->hasField(P::IloscKmDoInfPrzed))
        setSpinSilently(m_ui->SpinEditPrzedSerwisem, t->value(P::IloscKmDoInfPrzed));
    if (t->hasField(P::IloscKmDoInfPo))
        setSpinSilently(m_ui->SpinEditPoSerwisie, t->value(P::IloscKmDoInfPo));
}

void TPojazdy_firmy::followVehicle() {
    Table* t = vehiclesTable();
    // A vehicle being entered or changed keeps what the user has set.
    if (!t->isActive() || t->isEditing())
        return;
    showOwnerChoice(!t->isEmpty() && t->asBool(P::Pojazd_Wlasc));
    loadServiceSpinEdits();
}

void TPojazdy_firmy::setSpinSilently(QSpinBox* spin, const QVariant& value) {
    const QSignalBlocker block(spin);
    spin->setValue(value.toInt());
}

// ---------------------------------------------------------------- the grid

void TPojazdy_firmy::DBGrid1CellClick() {
    runAction(m_forms.context.dialogs, [&] { synchronise(); });
}

void TPojazdy_firmy::synchronise() {
    Table* t = vehiclesTable();
    // A pending vehicle holds the grid on its row (the move was refused and the user told so): it is
    // neither re-read nor given defaults until it is saved or cancelled.
    if (!t->isActive() || t->isEditing())
        return;
    showOwnerChoice(!t->isEmpty() && t->asBool(P::Pojazd_Wlasc));
    try {
        t->refresh();
    } catch (const PendingRowError&) {
        return; // a trip or cost pending in the register keeps the vehicle as it is
    }
    fillOwnerDefaults();
    loadServiceSpinEdits();
}

// ---------------------------------------------------------------- adding, saving, cancelling

void TPojazdy_firmy::DodajClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table* t = openVehicles();
        t->last(); // a changed pending vehicle refuses, and keeps its flag
        NowyPojazd = false;
        Licznik = int(lastVehicleRowNumber(m_forms.context.database));
        t->append();
        NowyPojazd = true;
        m_ui->DBRejestracja->setFocus();
    });
}

void TPojazdy_firmy::ZapiszClick() {
    runAction(m_forms.context.dialogs, [&] { save(); });
}

void TPojazdy_firmy::writeTypedTexts() {
    for (DbEdit* box : findChildren<DbEdit*>()) {
        if (!box->hasPendingText())
            continue;
        try {
            box->updateRecord();
        } catch (const ConversionError& e) {
            box->setFocus();
            throw Error(QStringLiteral("%1: %2").arg(m_boxNames.value(box, box->dataField()), e.text()));
        }
    }
}

void TPojazdy_firmy::save() {
    AppContext& ctx = m_forms.context;
    Table* t = openVehicles();
    writeTypedTexts();
    if (t->isEmpty() && t->state() != Table::State::Insert) {
        ctx.dialogs.message(QStringLiteral("Przed wprowadzeniem danych pojazdu używaj przycisku \"Dodaj\""));
        return;
    }
    // The owner choice is not bound: a change of it alone is a change of the vehicle. An empty
    // Pojazd_Wlasc is shown as "pracownika".
    const bool ownersChosen = m_ui->RadioGroupCzyjPojazd->itemIndex() == 0;
    if (t->state() == Table::State::Browse && t->asBool(P::Pojazd_Wlasc) != ownersChosen)
        t->edit();

    if (t->asString(P::Nr_rej).trimmed().isEmpty() || t->asInteger(P::Pojemnosc) <= 0) {
        ctx.dialogs.messageBox(QStringLiteral("Pojazd musi posiadać rejestrację i pojemność"),
                               QStringLiteral("Błąd"));
        if (t->state() == Table::State::Insert)
            NowyPojazd = false;
        t->cancel();
        return;
    }

    using limits::Quantity;
    auto figure = [t](const QString& field) {
        return t->hasField(field) ? double(t->asInteger(field)) : 0.0;
    };
    const QString beyond = limits::refusal({{Quantity::Odometer, figure(P::StanPoczLIcznika)},
                                            {Quantity::Odometer, figure(P::StanLicznikaPo)},
                                            {Quantity::Distance, figure(P::CoIleKmSerwis)}});
    if (!beyond.isEmpty()) {
        // The vehicle stays as typed, to be put right.
        ctx.dialogs.messageBox(beyond, QStringLiteral("Błąd"));
        return;
    }

    if (t->isEditing()) {
        const bool inserting = t->state() == Table::State::Insert;
        qint64 number = 0;
        if (inserting) {
            // A row begun by typing into an empty list, not by "Dodaj", takes its number the same way.
            const qint64 counter = NowyPojazd ? Licznik : lastVehicleRowNumber(ctx.database);
            number = counter + 1;
            t->setValue(P::NrKol_Pojazdu, number);
        }
        t->setValue(P::Data, ctx.clock.today());
        t->setValue(P::Pojazd_Wlasc, ownersChosen);
        t->setValue(P::Dane_Poj_Wszystko,
                    vehicles::description(t->asString(P::Nr_rej), t->asString(P::Marka_Poj),
                                          t->asString(P::Nazwa_Poj), t->asInteger(P::Pojemnosc)));
        if (t->hasField(P::StanAktLicznika)) {
            // Only a vehicle being added starts its current odometer at its starting one.
            if (NowyPojazd && inserting)
                t->setValue(P::StanAktLicznika, t->value(P::StanPoczLIcznika));
        }
        if (t->hasField(P::IloscKmDoInfPrzed))
            t->setValue(P::IloscKmDoInfPrzed, m_ui->SpinEditPrzedSerwisem->value());
        if (t->hasField(P::IloscKmDoInfPo))
            t->setValue(P::IloscKmDoInfPo, m_ui->SpinEditPoSerwisie->value());
        if (t->hasField(P::StanAktLicznika) && t->isNull(P::StanAktLicznika)) {
            // The latest trip's final reading, which a trip saved meanwhile may have stored already;
            // the starting reading for a vehicle without trips.
            const std::optional<qint64> reading =
                inserting ? std::nullopt : latestFinalReading(ctx.database, t->asInteger(P::NrKol_Pojazdu));
            t->setValue(P::StanAktLicznika, reading ? QVariant(*reading) : t->value(P::StanPoczLIcznika));
        }
        t->post();
        t->flushBuffers();
        if (inserting)
            Licznik = int(number);
        NowyPojazd = false;
    }
    showOwnerChoice(t->asBool(P::Pojazd_Wlasc));
}

void TPojazdy_firmy::AnulujClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table* t = vehiclesTable();
        if (!t->isActive())
            return;
        if (t->state() == Table::State::Insert)
            NowyPojazd = false;
        t->cancel();
        showOwnerChoice(!t->isEmpty() && t->asBool(P::Pojazd_Wlasc));
        loadServiceSpinEdits();
    });
}

void TPojazdy_firmy::ZamknijClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table* t = vehiclesTable();
        if (t->isActive() && t->state() == Table::State::Insert) {
            m_forms.context.dialogs.message(
                QStringLiteral("Tabela jest w trakcie wprowadzanie, najpierw wciśnij przycisk \"Anuluj\""));
            return;
        }
        close();
    });
}

void TPojazdy_firmy::closeEvent(QCloseEvent* event) {
    // A vehicle left half-entered is dropped as "Anuluj" does: a later move elsewhere must not store it.
    if (isVisible()) {
        Table* t = vehiclesTable();
        if (t->isActive() && t->isEditing())
            t->cancel();
        NowyPojazd = false;
    }
    QWidget::closeEvent(event);
}

// ---------------------------------------------------------------- removing

void TPojazdy_firmy::UsunClick() {
    runAction(m_forms.context.dialogs, [&] { remove(); });
}

void TPojazdy_firmy::remove() {
    AppContext& ctx = m_forms.context;
    Table* t = openVehicles();
    if (t->isEmpty()) {
        ctx.dialogs.messageBox(QStringLiteral("Brak POJAZDU do USUNIĘCIA"), QStringLiteral("Informacja"));
        return;
    }
    if (!t->isNull(P::NrKol_Pojazdu)) {
        // Every period counts, not only the rows the register shows; and the number of a removed
        // vehicle may pass to the next one, so no row may keep carrying it.
        const qint64 number = t->asInteger(P::NrKol_Pojazdu);
        Database& db = ctx.database;
        if (vehicleHasRows(db, tables::koszty().fileName(), indexes::NrKol_Pojazdu_DataInd, number) ||
            vehicleHasRows(db, tables::przejazdy().fileName(), indexes::NrKol_Pojazdu_DataInd, number)) {
            ctx.dialogs.message(QStringLiteral(
                "Nie można usunąć pojazdu - usuń najpierw wszystkie koszty i przejazdy pojazdu"));
            return;
        }
        if (vehicleHasRows(db, tables::terminy().fileName(), kVehicleIndex, number) ||
            vehicleHasRows(db, tables::ryczalt().fileName(), kVehicleIndex, number)) {
            ctx.dialogs.message(
                QStringLiteral("Nie można usunąć pojazdu - usuń najpierw terminy i ryczałty pojazdu"));
            return;
        }
    }
    const bool inserting = t->state() == Table::State::Insert;
    if (ctx.dialogs.question(
            QStringLiteral("Zamiast usuwać lepiej odznaczyć pozycje \"pojazd używany \" - USUWAMY"),
            QStringLiteral("WYBIERZ"))) {
        t->deleteRecord();
        t->flushBuffers();
    } else {
        t->cancel();
    }
    if (inserting)
        NowyPojazd = false;
    showOwnerChoice(!t->isEmpty() && t->asBool(P::Pojazd_Wlasc));
    loadServiceSpinEdits();
}

// ---------------------------------------------------------------- odometer and service

void TPojazdy_firmy::setOdometerEditsLocked(bool locked) {
    for (DbEdit* box : {m_ui->DBEditPoczatkowyStanLicznika, m_ui->DBEditStanLicznikaOstSerwisu}) {
        box->setReadOnly(locked);
        box->setEnabled(!locked);
        box->setFlat(locked);
    }
    m_ui->ZapiszStanPocz->setVisible(!locked);
}

void TPojazdy_firmy::ZapiszStanPoczClick() {
    setOdometerEditsLocked(true);
}

void TPojazdy_firmy::EdytujStanPoczClick() {
    setOdometerEditsLocked(false);
}

void TPojazdy_firmy::SpinEditPrzedSerwisemChange() {
    serviceSpinChanged(P::IloscKmDoInfPrzed, m_ui->SpinEditPrzedSerwisem->value());
}

void TPojazdy_firmy::SpinEditPoSerwisieChange() {
    serviceSpinChanged(P::IloscKmDoInfPo, m_ui->SpinEditPoSerwisie->value());
}

void TPojazdy_firmy::serviceSpinChanged(const QString& field, int value) {
    runAction(m_forms.context.dialogs, [&] {
        Table* t = vehiclesTable();
        // Without a vehicle there is nothing to change; a new row is begun only by "Dodaj".
        if (!t->isActive() || t->isEmpty() || !t->hasField(field))
            return;
        t->edit();
        // Held in the row at once, so the change counts as a change: a move elsewhere is refused
        // instead of dropping it, and "Zapisz" stores it.
        t->setValue(field, value);
    });
}

} // namespace tarlok
