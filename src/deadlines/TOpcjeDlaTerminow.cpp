// The deadlines window: its table (a detail of the current vehicle), the watch flags, dates and costs
// of each vehicle and year, the warnings by colour and the service alarm with its hand-over.
#include "TOpcjeDlaTerminow.h"

#include "TInformacjeNotatki.h"
#include "TTerminyDruk.h"

#include "common/Numbers.h"
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

#include <limits>
#include <vector>

namespace tarlok {

using namespace deadlines;
namespace F = fields::terminy;

namespace {

const QString kByVehicleAndYear = QStringLiteral("NrKol_PojRokInd");
const QString& kVehicle = fields::pojazdy::NrKol_Pojazdu;
const QString kUsed = QStringLiteral("Uzywany");
const QString kDescription = QStringLiteral("Dane_Poj_Wszystko");
const QString kCurrentReading = QStringLiteral("StanAktLicznika");
const QString kServiceReading = QStringLiteral("StanLicznikaPo");
const QString kServiceInterval = QStringLiteral("CoIleKmSerwis");
const QString kServiceDate = QStringLiteral("DataOstSerwisu");

const QString kHeld = QStringLiteral("Wprowadzany zapis terminów nie został zapisany - zapisz go przyciskiem "
                                     "\"Zapisz\" albo anuluj przyciskiem \"Anuluj\".");
const QString kUseEditOrAdd = QStringLiteral("Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj\", a "
                                             "jeżeli wprowadzasz nowy zapis użyj przycisku \"Dodaj\" ");
const QString kNoVehicle = QStringLiteral("Brak pojazdu - wprowadź najpierw pojazd w formatce POJAZDY.");

// The row field of each date slot, and the grid column that shows it.
const std::array<const QString*, SlotCount> kSlotFields = {&F::TerminOC,
                                                           &F::Termin1,
                                                           &F::TerminAC,
                                                           &F::Termin2,
                                                           &F::TerminPrzegTechnicznego,
                                                           &F::TerminPrzegGwarancyjnego,
                                                           &F::TerminNaprawy,
                                                           &F::TerminWymianyWyposazenia,
                                                           &F::TerminWaznosciDokumentu,
                                                           &F::TerminWaznosciInny};
const std::array<int, SlotCount> kSlotColumns = {1, 3, 2, 4, 5, 6, 7, 8, 9, 10};
// The watch flag of each kind.
const std::array<const QString*, KindCount> kWatchFields = {
    &F::SprawdzOC,          &F::SprawdzAC,          &F::SprawdzPrzegTechniczny,  &F::SprawdzPrzegGwarancyjny,
    &F::SprawdzTermNaprawy, &F::SprawdzTermWymiany, &F::SprawdzTermWazDokumentu, &F::SprawdzTermWazInny};

const QColor kRed(255, 0, 0);
const QColor kGray(128, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kDarkRed(128, 0, 0);

QColor colourOf(TextColour colour, const QColor& normal) {
    switch (colour) {
    case TextColour::White:
        return Qt::white;
    case TextColour::Black:
        return Qt::black;
    case TextColour::Red:
        return kRed;
    case TextColour::Gray:
        return kGray;
    case TextColour::Normal:
        break;
    }
    return normal;
}

std::optional<qint64> readingOf(const QLineEdit* box) {
    const QString text = box->text().trimmed();
    if (text.isEmpty() || !numbers::isInteger(text))
        return std::nullopt;
    return numbers::parseInteger(text);
}

} // namespace

// ---------------------------------------------------------------- creation

TOpcjeDlaTerminow::TOpcjeDlaTerminow(Forms& forms)
    : m_forms(forms), m_data(forms.context.data()), m_ui(std::make_unique<Ui::TOpcjeDlaTerminow>()) {
    m_ui->setupUi(this);
    setHelpTopic(this, 9);
    setModal(true);
    TableTerminy = new Table(forms.context.database, this);
    TableTerminy->setObjectName(QStringLiteral("TableTerminy"));
    TableTerminy->setIndexName(kByVehicleAndYear);
    TableTerminy->setMasterSource(vehicles(), kVehicle);
    TableTerminy->setPendingGuard(kHeld);
    forms.pendingEdits.add(this, TableTerminy);
    TableTerminy->onFilterRecord = [this](Table& t) {
        return TableTerminyFilterRecord(t);
    };
    setupControls();
    setupGrids();
    connectHandlers();
    setErrorHandlerForChildren(this, [this](const Error& e) { context().dialogs.message(e.text()); });
}

TOpcjeDlaTerminow::~TOpcjeDlaTerminow() {
    // The grids and boxes are bound to the table: they let go of it before it goes.
    TableTerminy->close();
}

Table* TOpcjeDlaTerminow::vehicles() const {
    return m_data.TablePojazdy;
}

AppContext& TOpcjeDlaTerminow::context() const {
    return m_forms.context;
}

void TOpcjeDlaTerminow::setupControls() {
    auto* ui = m_ui.get();
    m_pickers = {ui->DateTimePickerOC,  ui->DateTimePickerOC2,  ui->DateTimePickerAC,
                 ui->DateTimePickerAC2, ui->DateTimePickerTech, ui->DateTimePickerGwar,
                 ui->DateTimePickerPoj, ui->DateTimePickerOlej, ui->DateTimePickerDok,
                 ui->DateTimePickerInne};
    m_slotLabels = {ui->LabelUbezpieczenieOC, ui->LabelTerminOC2, ui->LabelTerminAC1, ui->LabelTerminAC2,
                    ui->LabelPrzegTech,       ui->LabelPrzegGwar, ui->LabelNaprawa,   ui->LabelWymiana,
                    ui->LabelWaznosci,        ui->LabelInny};
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
    keepRoom.insert(keepRoom.end(), m_pickers.begin(), m_pickers.end());
    keepRoom.insert(keepRoom.end(), m_slotLabels.begin(), m_slotLabels.end());
    for (QWidget* w : keepRoom) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    m_watchBoxes = {ui->DBCheckBoxTerminOC,        ui->DBCheckBoxTerminAC,      ui->DBCheckBoxTerminPrzegTech,
                    ui->DBCheckBoxTerminPrzegGwar, ui->DBCheckBoxTerminNaprawy, ui->DBCheckBoxTerminWymiany,
                    ui->DBCheckBoxTerminWazDokum,  ui->DBCheckBoxTerminyInne};
    for (int kind = 0; kind < KindCount; ++kind)
        m_watchBoxes[size_t(kind)]->setDataSource(TableTerminy, *kWatchFields[size_t(kind)]);
    const QDate today = context().clock.today();
    for (DbDateEdit* picker : m_pickers)
        picker->setDate(today);
    m_windowColour = ui->DateTimePickerOC->palette().color(QPalette::Base);

    const std::pair<DbEdit*, const QString*> costs[] = {
        {ui->DBEditKosztOC, &F::KosztOC},
        {ui->DBEditKosztOCRata2, &F::Pom3},
        {ui->DBEditKosztAC, &F::KosztAC},
        {ui->DBEditKosztACRata2, &F::Pom7},
        {ui->DBEditKosztNW, &F::Pom4},
        {ui->DBEditKosztPrzegTech, &F::KosztPrzegTech},
        {ui->DBEditKosztPrzegGwar, &F::KosztPrzegGwar},
        {ui->DBEditKosztNapraw, &F::KosztNapraw},
        {ui->DBEditKosztyCalkowite, &F::KosztyCalkowite},
    };
    for (const auto& [box, field] : costs) {
        box->setDataSource(TableTerminy, *field);
        if (box != ui->DBEditKosztNW)
            box->setDisplayPattern(QStringLiteral("0.00"));
        box->setAlignment(Qt::AlignRight);
    }
    ui->DBEditKosztyCalkowite->setFlat(true);
    // The boxes are named in the messages about what was typed into them.
    m_boxNames = {{ui->DBEditKosztOC, QStringLiteral("Koszt całkowity OC, rata I")},
                  {ui->DBEditKosztOCRata2, QStringLiteral("Koszt całkowity OC, rata II")},
                  {ui->DBEditKosztAC, QStringLiteral("Koszt całkowity AC, rata I")},
                  {ui->DBEditKosztACRata2, QStringLiteral("Koszt całkowity AC, rata II")},
                  {ui->DBEditKosztNW, QStringLiteral("Koszt NW (w pełnych złotych)")},
                  {ui->DBEditKosztPrzegTech, QStringLiteral("Koszt przeg tech.")},
                  {ui->DBEditKosztPrzegGwar, QStringLiteral("Koszt przeg. gwar.")},
                  {ui->DBEditKosztNapraw, QStringLiteral("Koszt napraw i wym. wyp.")}};
    for (QLineEdit* box : {ui->EditKosztyCalkowiteOC, ui->EditKosztyCalkowiteAC})
        box->setAlignment(Qt::AlignRight);
    ui->EditKosztDodatkowy->setAlignment(Qt::AlignRight);

    // The spin edits step by one; only the hidden end of informing has bounds.
    for (QSpinBox* spin : {ui->SpinEditDniPrzedTerminem, ui->SpinEditDniPoTerminie, ui->SpinEditPrzedSerwisem,
                           ui->SpinEditPoSerwisie}) {
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        spin->setValue(0);
    }
    ui->SpinEditKonczInformowanie->setRange(1, 180);
    ui->SpinEditKonczInformowanie->setValue(30);
    for (QWidget* hidden :
         {static_cast<QWidget*>(ui->LabelZakoncz), static_cast<QWidget*>(ui->SpinEditKonczInformowanie),
          static_cast<QWidget*>(ui->LabelDniKoniec)})
        hidden->setVisible(false);

    QFont bold = ui->LabelIleZostalo->font();
    bold.setBold(true);
    ui->LabelIleZostalo->setFont(bold);
    QPalette red = ui->LabelIleZostalo->palette();
    red.setColor(QPalette::WindowText, kRed);
    ui->LabelIleZostalo->setPalette(red);
    ui->EditAlarmSerwis->setFont(bold);
    showAlarm(false, m_windowColour);

    closeEditBoxes();
    ui->TworzTabTerminy->setVisible(false);
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
    cars->setTitleColor(kDarkRed);
    cars->addColumn(kVehicle, QStringLiteral("Nr"), 36, right, true);
    cars->addColumn(kDescription, QStringLiteral("Dane pojazdu"), 230, left, true);
    cars->addColumn(QStringLiteral("Wlasciciel"), QStringLiteral("Właściciel"), 120, left, true);
    cars->addColumn(QStringLiteral("Inform_samochod"), QStringLiteral("Sam. pracow."), 92, centre, true);
    cars->addColumn(QStringLiteral("UzywanyString"), QStringLiteral("Używany"), 60, centre, true);
    cars->addColumn(kCurrentReading, QStringLiteral("Akt. licz."), 70, right, true);
    cars->addColumn(QStringLiteral("StanPoczLIcznika"), QStringLiteral("Pop. licz."), 70, right, true);
    cars->addColumn(kServiceInterval, QStringLiteral("Co ile serwis"), 92, right, true);
    cars->addColumn(kServiceDate, QStringLiteral("Data os. Serw."), 100, centre, true);
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
    grid->setTitleColor(kDarkRed);
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
    connectAction(dialogs, ui->Dodaj, &QPushButton::clicked, this, &W::DodajClick);
    connectAction(dialogs, ui->Drukuj, &QPushButton::clicked, this, &W::DrukujClick);
    connectAction(dialogs, ui->Informacja, &QPushButton::clicked, this, &W::InformacjaClick);
    connectAction(dialogs, ui->Edytuj, &QPushButton::clicked, this, &W::EdytujClick);
    connectAction(dialogs, ui->Zapisz, &QPushButton::clicked, this, &W::ZapiszClick);
    connectAction(dialogs, ui->Anuluj, &QPushButton::clicked, this, &W::AnulujClick);
    connectAction(dialogs, ui->Usun, &QPushButton::clicked, this, &W::UsunClick);
    connectAction(dialogs, ui->Pomoc, &QPushButton::clicked, this, &W::PomocClick);
    connectAction(dialogs, ui->Zamknij, &QPushButton::clicked, this, &W::ZamknijClick);
    connectAction(dialogs, ui->PrzekazAutoSerwis, &QPushButton::clicked, this, &W::PrzekazAutoSerwisClick);
    connectAction(dialogs, ui->CheckBoxWszystkieLata, &QCheckBox::clicked, this,
                  &W::CheckBoxWszystkieLataClick);
    // Code sets these boxes silently: only what the user types arrives here.
    connectAction(dialogs, ui->EditKosztDodatkowy, &QLineEdit::textEdited, this,
                  &W::EditKosztDodatkowyChange);
    connectAction(dialogs, ui->EditRokPodatkowy, &QLineEdit::textEdited, this, &W::yearTyped);

    const std::array<void (W::*)(), KindCount> toggles = {
        &W::DBCheckBoxTerminOCClick,        &W::DBCheckBoxTerminACClick,
        &W::DBCheckBoxTerminPrzegTechClick, &W::DBCheckBoxTerminPrzegGwarClick,
        &W::DBCheckBoxTerminNaprawyClick,   &W::DBCheckBoxTerminWymianyClick,
        &W::DBCheckBoxTerminWazDokumClick,  &W::DBCheckBoxTerminyInneClick};
    for (int kind = 0; kind < KindCount; ++kind)
        connectAction(dialogs, m_watchBoxes[size_t(kind)], &DbCheckBox::changed, this, toggles[size_t(kind)]);
    const std::array<void (W::*)(), SlotCount> pickers = {
        &W::DateTimePickerOCChange,  &W::DateTimePickerOC2Change,  &W::DateTimePickerACChange,
        &W::DateTimePickerAC2Change, &W::DateTimePickerTechChange, &W::DateTimePickerGwarChange,
        &W::DateTimePickerPojChange, &W::DateTimePickerOlejChange, &W::DateTimePickerDokChange,
        &W::DateTimePickerInneChange};
    for (int slot = 0; slot < SlotCount; ++slot)
        connectAction(dialogs, m_pickers[size_t(slot)], &DbDateEdit::changed, this, pickers[size_t(slot)]);

    connectAction(dialogs, ui->SpinEditDniPrzedTerminem, &QSpinBox::valueChanged, this,
                  &W::SpinEditDniPrzedTerminemChange);
    connectAction(dialogs, ui->SpinEditDniPoTerminie, &QSpinBox::valueChanged, this,
                  &W::SpinEditDniPoTerminieChange);
    connectAction(dialogs, ui->SpinEditKonczInformowanie, &QSpinBox::valueChanged, this,
                  &W::SpinEditKonczInformowanieChange);
    connectAction(dialogs, ui->SpinEditPrzedSerwisem, &QSpinBox::valueChanged, this,
                  &W::SpinEditPrzedSerwisemChange);
    connectAction(dialogs, ui->SpinEditPoSerwisie, &QSpinBox::valueChanged, this,
                  &W::SpinEditPoSerwisieChange);

    DbGrid* grid = ui->DBGridTerminy;
    connectAction(dialogs, grid, &DbGrid::cellClick, this, &W::DBGridTerminyCellClick);
    connectAction(dialogs, grid, &DbGrid::dblClick, this, &W::DBGridTerminyCellClick);
    connectAction(dialogs, grid, &DbGrid::keyUp, this, &W::DBGridTerminyCellClick);

    // Once per change of the current vehicle, whichever window moves it; never on a mere redraw.
    connectAction(dialogs, &m_data, &SharedData::vehicleChanged, this, &W::vehicleChanged);
}

// ---------------------------------------------------------------- creating the table

bool TOpcjeDlaTerminow::createDeadlinesTable() {
    AppContext& ctx = context();
    const QString folder = ctx.dataFolder();
    try {
        ctx.database.createTable(folder, tables::terminy(), tables::terminy().fieldsOf(FieldOrigin::Base));
        ctx.dialogs.message(QStringLiteral("Tablica \"Terminy\" została utworzona"));
        TableTerminy->close();
        TableTerminy->setDatabaseName(folder);
        TableTerminy->setTableName(QStringLiteral("Terminy"));
        TableTerminy->open();
        showPanels(true);
        return true;
    } catch (const Error&) {
        ctx.dialogs.message(QStringLiteral("Błąd tworzenia tablicy Terminy"));
        return false;
    }
}

void TOpcjeDlaTerminow::TworzTabTerminyClick() {
    runAction(context().dialogs, [&] {
        if (!createDeadlinesTable() || !isVisible())
            return;
        // The window shown: it works on the new table at once, as when it is opened on one.
        try {
            const QDate today = context().clock.today();
            for (DbDateEdit* picker : m_pickers)
                setPickerSilently(picker, today);
            setYearBox(QString::number(today.year()));
            m_shownVehicle = -1;
            vehicleChanged();
            closeEditBoxes();
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
        vehicles()->locate(kVehicle, {vehicle});
        m_openYear = year;
        openWindow(true);
    });
    m_openYear.reset();
}

void TOpcjeDlaTerminow::openWindow(bool mainEntry) {
    AppContext& ctx = context();
    Table* periods = m_data.TableOkresy;
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
        showPanels(false);
    } else {
        openDeadlines();
        showPanels(true);
        const QDate today = ctx.clock.today();
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (mainEntry || (slot != SlotOC2 && slot != SlotAC2))
                setPickerSilently(m_pickers[size_t(slot)], today);
        }
        setYearBox(QString::number(today.year()));
        m_shownVehicle = vehicles()->isEmpty() ? 0 : vehicles()->rowid();
        showVehicle(false);
        if (mainEntry) {
            CheckBoxWszystkieLataClick();
            closeEditBoxes();
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
                showCurrentRow();
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

void TOpcjeDlaTerminow::showPanels(bool shown) {
    auto* ui = m_ui.get();
    for (QWidget* panel : {static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->Panel2),
                           static_cast<QWidget*>(ui->Panel4), static_cast<QWidget*>(ui->Panel5)})
        panel->setVisible(shown);
    ui->TworzTabTerminy->setVisible(!shown);
}

bool TOpcjeDlaTerminow::closeTables() {
    m_reopen = TableTerminy->isActive();
    TableTerminy->close();
    closeEditBoxes();
    return m_reopen;
}

void TOpcjeDlaTerminow::reopenTables() {
    if (!m_reopen)
        return;
    m_reopen = false;
    openDeadlines();
    if (isVisible()) {
        m_shownVehicle = -1;
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
            if (!save())
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
        writeBackServiceFields();
    t->close();
    closeEditBoxes();
    m_shownVehicle = -1;
    return true;
}

void TOpcjeDlaTerminow::writeBackServiceFields() {
    Table* t = TableTerminy;
    if (!serviceAvailable() || t->isEmpty())
        return;
    // Every row of the vehicle in view keeps the service settings shown.
    const Table::QuietControls quiet(*t);
    Transaction transaction(*t);
    for (t->first(); !t->eof(); t->next()) {
        t->edit();
        writeServiceFields();
        t->post();
    }
    transaction.commit();
    t->flushBuffers();
}

void TOpcjeDlaTerminow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        runAction(context().dialogs, [&] { AnulujClick(); });
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
    if (shown == m_shownVehicle)
        return; // the same vehicle written or read again
    m_shownVehicle = shown;
    // The deadlines follow the vehicle once its move is over; they are read here, before the last row
    // is taken, so that the row loaded is the row the save writes.
    TableTerminy->refresh();
    showVehicle(true);
}

void TOpcjeDlaTerminow::showVehicle(bool toLastRow) {
    if (toLastRow && !TableTerminy->isEditing() && TableTerminy->recordCount() > 0)
        TableTerminy->last();
    applyVehicleState();
    showCurrentRow();
    serviceReadings();
    serviceCheck();
}

bool TOpcjeDlaTerminow::vehicleInUse() const {
    Table* cars = vehicles();
    return cars->isActive() && !cars->isEmpty() && cars->state() != Table::State::Insert &&
           cars->asBool(kUsed);
}

void TOpcjeDlaTerminow::applyVehicleState() {
    const bool used = vehicleInUse();
    setPanelsEnabled(used);
    if (!used)
        showAlarm(false, m_windowColour);
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
    return cars->value(kVehicle);
}

QString TOpcjeDlaTerminow::currentVehicleDescription() const {
    Table* cars = vehicles();
    if (!cars->isActive() || cars->isEmpty())
        return {};
    return cars->asString(kDescription);
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

// ---------------------------------------------------------------- the current row

bool TOpcjeDlaTerminow::hasRow() const {
    return TableTerminy->isActive() && TableTerminy->recordCount() > 0;
}

void TOpcjeDlaTerminow::loadCurrentRow() {
    Table* t = TableTerminy;
    const QDate today = context().clock.today();
    if (!hasRow() || t->state() == Table::State::Insert) {
        for (DbDateEdit* picker : m_pickers)
            setPickerSilently(picker, today);
    } else {
        for (int slot = 0; slot < SlotCount; ++slot) {
            const QDate date = t->asDate(*kSlotFields[size_t(slot)]);
            setPickerSilently(m_pickers[size_t(slot)], date.isValid() ? date : today);
        }
        auto* ui = m_ui.get();
        setSpinSilently(ui->SpinEditDniPrzedTerminem, int(t->asInteger(F::InformujPrzed)));
        setSpinSilently(ui->SpinEditDniPoTerminie, int(t->asInteger(F::InformujPo)));
        setSpinSilently(ui->SpinEditKonczInformowanie,
                        t->isNull(F::KoniecInformacji) ? 10 : int(t->asInteger(F::KoniecInformacji)));
        setYearBox(t->isNull(F::Rok) ? QString::number(today.year()) : QString::number(t->asInteger(F::Rok)));
    }
    if (t->isActive() && !t->isEditing())
        t->refresh();
}

void TOpcjeDlaTerminow::showCurrentRow() {
    loadCurrentRow();
    applyKindToggles();
    dateCheck();
    showTotals();
}

void TOpcjeDlaTerminow::DBGridTerminyCellClick() {
    // A row being entered or changed holds the grid on it (a move stores nothing and says so).
    if (!TableTerminy->isActive() || TableTerminy->isEditing())
        return;
    showCurrentRow();
}

void TOpcjeDlaTerminow::showTotals() {
    Table* t = TableTerminy;
    const bool row = t->isActive() && !t->isEmpty();
    const QVariant none;
    m_ui->EditKosztyCalkowiteOC->setText(
        amountText(instalmentTotal(row ? t->value(F::KosztOC) : none, row ? t->value(F::Pom3) : none)));
    m_ui->EditKosztyCalkowiteAC->setText(
        amountText(instalmentTotal(row ? t->value(F::KosztAC) : none, row ? t->value(F::Pom7) : none)));
}

// ---------------------------------------------------------------- warnings

void TOpcjeDlaTerminow::dateCheck() {
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != SlotOC2 && slot != SlotAC2)
            setColour(m_pickers[size_t(slot)], m_windowColour);
    }
    auto* ui = m_ui.get();
    for (DbDateEdit* picker : m_pickers)
        picker->setVisible(true);
    for (QLabel* label : {ui->LabelUbezpieczenieOC, ui->LabelUbezpieczenieAC, ui->LabelTerminOC2,
                          ui->LabelTerminAC2, ui->LabelPrzegTech, ui->LabelPrzegGwar, ui->LabelNaprawa,
                          ui->LabelWymiana, ui->LabelWaznosci, ui->LabelInny})
        label->setVisible(true);
    checkSlots(false);
}

void TOpcjeDlaTerminow::editedDateCheck() {
    checkSlots(true);
}

void TOpcjeDlaTerminow::checkSlots(bool fromPickers) {
    Table* t = TableTerminy;
    const bool row = t->isActive() && !t->isEmpty();
    const QDate today = context().clock.today();
    const int before = m_ui->SpinEditDniPrzedTerminem->value();
    const int after = m_ui->SpinEditDniPoTerminie->value();
    for (int slot = 0; slot < SlotCount; ++slot) {
        DbDateEdit* picker = m_pickers[size_t(slot)];
        const Kind kind = kindOf(Slot(slot));
        if (!row || !t->asBool(*kWatchFields[size_t(kind)])) {
            picker->setVisible(false);
            m_slotLabels[size_t(slot)]->setVisible(false);
            if (slot == SlotAC)
                m_ui->LabelUbezpieczenieAC->setVisible(false); // no heading over nothing
            continue;
        }
        const QDate date = fromPickers ? picker->date() : t->asDate(*kSlotFields[size_t(slot)]);
        switch (pickerWarning(date, today, before, after)) {
        case PickerWarning::Due:
            setColour(picker, kRed);
            break;
        case PickerWarning::Past:
            setColour(picker, kGray);
            break;
        case PickerWarning::Ahead:
            setColour(picker, Qt::white);
            break;
        }
    }
}

void TOpcjeDlaTerminow::DBGridTerminyDrawColumnCell(int row, bool selected, QColor& text) const {
    Table* t = TableTerminy;
    // A row being entered or changed: the grid is drawn plain.
    if (!t->isActive() || t->isEditing())
        return;
    const Record r = t->displayRecord(row);
    DeadlineRow deadlines;
    for (int kind = 0; kind < KindCount; ++kind) {
        const QVariant flag = r.value(t->fieldIndex(*kWatchFields[size_t(kind)]));
        deadlines.watched[size_t(kind)] = !flag.isNull() && flag.toBool();
    }
    for (int slot = 0; slot < SlotCount; ++slot)
        deadlines.dates[size_t(slot)] = r.value(t->fieldIndex(*kSlotFields[size_t(slot)])).toDate();
    auto* ui = m_ui.get();
    text = colourOf(rowColour(deadlines, context().clock.today(), ui->SpinEditDniPrzedTerminem->value(),
                              ui->SpinEditDniPoTerminie->value(), ui->SpinEditKonczInformowanie->value(),
                              selected),
                    text);
}

void TOpcjeDlaTerminow::DBGridPojazdyDrawColumnCell(int row, bool selected, QColor& text) const {
    Table* cars = vehicles();
    const int used = cars->fieldIndex(kUsed);
    text =
        colourOf(vehicleColour(used < 0 ? QVariant() : cars->displayRecord(row).value(used), selected), text);
}

bool TOpcjeDlaTerminow::TableTerminyFilterRecord(Table& table) {
    const int year = context().clock.today().year();
    // The box shows the year listed; a year typed during an edit is the user's and stays.
    if (isVisible() && !TableTerminy->isEditing() && m_ui->EditRokPodatkowy->text() != QString::number(year))
        setYearBox(QString::number(year));
    return !table.isNull(F::Rok) && table.asInteger(F::Rok) == year;
}

// ---------------------------------------------------------------- the kinds watched

void TOpcjeDlaTerminow::applyKindToggles() {
    // The boxes follow the row; the dates loaded stay.
    const bool row = hasRow() || (TableTerminy->isActive() && TableTerminy->isEditing());
    for (int kind = 0; kind < KindCount; ++kind)
        showKind(Kind(kind), row && TableTerminy->asBool(*kWatchFields[size_t(kind)]));
}

void TOpcjeDlaTerminow::showKind(Kind kind, bool shown) {
    auto* ui = m_ui.get();
    QList<QWidget*> widgets;
    QList<int> columns;
    switch (kind) {
    case OC:
        widgets = {ui->DateTimePickerOC, ui->DateTimePickerOC2, ui->LabelUbezpieczenieOC, ui->LabelTerminOC1,
                   ui->LabelTerminOC2};
        columns = {1, 3};
        break;
    case AC:
        widgets = {ui->DateTimePickerAC, ui->DateTimePickerAC2, ui->LabelUbezpieczenieAC, ui->LabelTerminAC1,
                   ui->LabelTerminAC2};
        columns = {2, 4};
        break;
    default: {
        const Slot slot = Slot(kind + 2);
        widgets = {m_pickers[size_t(slot)], m_slotLabels[size_t(slot)]};
        columns = {kSlotColumns[size_t(slot)]};
        break;
    }
    }
    for (QWidget* w : widgets)
        w->setVisible(shown);
    for (int column : columns) {
        ui->DBGridTerminy->setColumnWidth(column, shown ? 64 : 0);
        ui->DBGridTerminy->setColumnHidden(column, !shown);
    }
}

void TOpcjeDlaTerminow::kindToggled(Kind kind) {
    Table* t = TableTerminy;
    const bool ticked = m_watchBoxes[size_t(kind)]->isChecked();
    showKind(kind, ticked);
    if (ticked) {
        // The kind's dates: the row's when they lie in this year, else today.
        const QDate today = context().clock.today();
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (kindOf(Slot(slot)) != kind)
                continue;
            const QDate date = t->isActive() ? t->asDate(*kSlotFields[size_t(slot)]) : QDate();
            setPickerSilently(m_pickers[size_t(slot)],
                              date.isValid() && date.year() == today.year() ? date : today);
        }
    }
    editedDateCheck();
}

void TOpcjeDlaTerminow::DBCheckBoxTerminOCClick() {
    kindToggled(OC);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminACClick() {
    kindToggled(AC);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminPrzegTechClick() {
    kindToggled(PrzegTech);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminPrzegGwarClick() {
    kindToggled(PrzegGwar);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminNaprawyClick() {
    kindToggled(Naprawa);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminWymianyClick() {
    kindToggled(Wymiana);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminWazDokumClick() {
    kindToggled(Dokument);
}
void TOpcjeDlaTerminow::DBCheckBoxTerminyInneClick() {
    kindToggled(Inny);
}

// ---------------------------------------------------------------- dates and days

void TOpcjeDlaTerminow::pickerChanged(Slot slot) {
    // A date picked for a row being entered or changed is held in it, so no move drops it unsaved.
    Table* t = TableTerminy;
    if (t->isActive() && t->isEditing())
        t->setValue(*kSlotFields[size_t(slot)], m_pickers[size_t(slot)]->date());
    editedDateCheck();
}

void TOpcjeDlaTerminow::DateTimePickerOCChange() {
    pickerChanged(SlotOC);
}
void TOpcjeDlaTerminow::DateTimePickerOC2Change() {
    pickerChanged(SlotOC2);
}
void TOpcjeDlaTerminow::DateTimePickerACChange() {
    pickerChanged(SlotAC);
}
void TOpcjeDlaTerminow::DateTimePickerAC2Change() {
    pickerChanged(SlotAC2);
}
void TOpcjeDlaTerminow::DateTimePickerTechChange() {
    pickerChanged(SlotTech);
}
void TOpcjeDlaTerminow::DateTimePickerGwarChange() {
    pickerChanged(SlotGwar);
}
void TOpcjeDlaTerminow::DateTimePickerPojChange() {
    pickerChanged(SlotNaprawa);
}
void TOpcjeDlaTerminow::DateTimePickerOlejChange() {
    pickerChanged(SlotWymiana);
}
void TOpcjeDlaTerminow::DateTimePickerDokChange() {
    pickerChanged(SlotDokument);
}
void TOpcjeDlaTerminow::DateTimePickerInneChange() {
    pickerChanged(SlotInny);
}

void TOpcjeDlaTerminow::daySpinChanged(const QString& field, int value) {
    Table* t = TableTerminy;
    if (t->isActive() && t->isEditing())
        t->setValue(field, value);
    dateCheck();
    m_ui->DBGridTerminy->viewport()->update();
}

void TOpcjeDlaTerminow::SpinEditDniPrzedTerminemChange() {
    daySpinChanged(F::InformujPrzed, m_ui->SpinEditDniPrzedTerminem->value());
}
void TOpcjeDlaTerminow::SpinEditDniPoTerminieChange() {
    daySpinChanged(F::InformujPo, m_ui->SpinEditDniPoTerminie->value());
}
void TOpcjeDlaTerminow::SpinEditKonczInformowanieChange() {
    daySpinChanged(F::KoniecInformacji, m_ui->SpinEditKonczInformowanie->value());
}

void TOpcjeDlaTerminow::kmSpinChanged(const QString& field, int value) {
    Table* t = TableTerminy;
    if (t->isActive() && t->isEditing() && t->hasField(field))
        t->setValue(field, value);
    serviceCheck();
}

void TOpcjeDlaTerminow::SpinEditPrzedSerwisemChange() {
    kmSpinChanged(F::IloscKmDoInfPrzed, m_ui->SpinEditPrzedSerwisem->value());
}
void TOpcjeDlaTerminow::SpinEditPoSerwisieChange() {
    kmSpinChanged(F::IloscKmDoInfPo, m_ui->SpinEditPoSerwisie->value());
}

// ---------------------------------------------------------------- the service alarm

bool TOpcjeDlaTerminow::serviceAvailable() const {
    Table* cars = vehicles();
    return context().schema.deadlinesUpgraded && TableTerminy->isActive() &&
           TableTerminy->hasField(F::IloscKmDoInfPrzed) && cars->isActive() &&
           cars->hasField(kCurrentReading) && cars->hasField(kServiceReading) &&
           cars->hasField(kServiceInterval);
}

void TOpcjeDlaTerminow::serviceReadings() {
    auto* ui = m_ui.get();
    Table* cars = vehicles();
    if (!serviceAvailable() || cars->isEmpty()) {
        for (QLineEdit* box :
             {ui->EditStanLicznikaPoSerwisie, ui->EditAktualnyStanLicznika, ui->EditStanLicznikaDoSerwisu})
            box->clear();
        return;
    }
    auto text = [cars](const QString& field) {
        return cars->isNull(field) ? QString() : QString::number(cars->asInteger(field));
    };
    ui->EditStanLicznikaPoSerwisie->setText(text(kServiceReading));
    ui->EditAktualnyStanLicznika->setText(text(kCurrentReading));
    ui->EditStanLicznikaDoSerwisu->setText(
        cars->isNull(kServiceReading) || cars->isNull(kServiceInterval)
            ? QString()
            : QString::number(cars->asInteger(kServiceReading) + cars->asInteger(kServiceInterval)));
    const bool row = hasRow();
    const std::pair<QSpinBox*, const QString*> spins[] = {{ui->SpinEditPrzedSerwisem, &F::IloscKmDoInfPrzed},
                                                          {ui->SpinEditPoSerwisie, &F::IloscKmDoInfPo}};
    for (const auto& [spin, field] : spins) {
        if (row && !TableTerminy->isNull(*field))
            setSpinSilently(spin, int(TableTerminy->asInteger(*field)));
        else if (!cars->isNull(*field))
            setSpinSilently(spin, int(cars->asInteger(*field)));
    }
}

void TOpcjeDlaTerminow::serviceCheck() {
    auto* ui = m_ui.get();
    setColour(ui->EditAktualnyStanLicznika, m_windowColour);
    setColour(ui->EditStanLicznikaDoSerwisu, m_windowColour);
    ui->PrzekazAutoSerwis->setVisible(false);
    // A vehicle not in use, or without the readings, raises no alarm.
    std::optional<qint64> reading;
    if (serviceAvailable() && vehicleInUse() && !vehicles()->isNull(kCurrentReading))
        reading = vehicles()->asInteger(kCurrentReading);
    const ServiceAlarm alarm =
        serviceAlarm(reading, readingOf(ui->EditStanLicznikaDoSerwisu), ui->SpinEditPrzedSerwisem->value(),
                     ui->SpinEditPoSerwisie->value());
    if (alarm.level == ServiceAlarm::Level::None) {
        showAlarm(false, m_windowColour);
        return;
    }
    const QColor colour = alarm.level == ServiceAlarm::Level::Red ? kRed : kYellow;
    setColour(ui->EditAktualnyStanLicznika, colour);
    setColour(ui->EditStanLicznikaDoSerwisu, colour);
    showAlarm(true, colour);
    ui->LabelIleZostalo->setText(QString::number(alarm.remaining));
}

void TOpcjeDlaTerminow::showAlarm(bool shown, const QColor& colour) {
    auto* ui = m_ui.get();
    setColour(ui->EditAlarmSerwis, shown ? colour : m_windowColour);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->EditAlarmSerwis), static_cast<QWidget*>(ui->LabelDoSerwisowania),
          static_cast<QWidget*>(ui->LabelIleZostalo), static_cast<QWidget*>(ui->LabelKm),
          static_cast<QWidget*>(ui->PrzekazAutoSerwis)})
        w->setVisible(shown);
}

void TOpcjeDlaTerminow::PrzekazAutoSerwisClick() {
    AppContext& ctx = context();
    Table* cars = vehicles();
    Table* t = TableTerminy;
    // Neither a vehicle nor a deadlines row being changed is stored half-done by the hand-over.
    if (cars->isEditing()) {
        ctx.dialogs.message(cars->pendingGuard());
        return;
    }
    if (t->isActive() && t->isEditing()) {
        if (PendingEdits::isTyped(*TableTerminy)) {
            ctx.dialogs.message(t->pendingGuard());
            return;
        }
        t->cancel();
    }
    if (!ctx.dialogs.question(QStringLiteral("Czy przekazujemy POJAZD do serwisu"),
                              QStringLiteral("WYBIERZ"))) {
        serviceCheck();
        return;
    }
    if (cars->isEmpty() || !serviceAvailable())
        return;
    const qint64 reading = cars->asInteger(kCurrentReading);
    cars->edit();
    cars->setValue(kServiceReading, cars->value(kCurrentReading));
    cars->setValue(kServiceDate, ctx.clock.today());
    cars->post();
    cars->flushBuffers();
    if (hasRow()) {
        t->edit();
        t->setValue(F::StanLicznikaPo, cars->value(kCurrentReading));
        t->setValue(F::StanLicznikaSerwis, reading + cars->asInteger(kServiceInterval));
        t->post();
        t->flushBuffers();
    }
    showAlarm(false, m_windowColour);
    // The panel shows the new readings at once: a save or the close writes what it shows.
    serviceReadings();
    serviceCheck();
}

// ---------------------------------------------------------------- adding, editing, saving

void TOpcjeDlaTerminow::yearTyped() {
    Table* t = TableTerminy;
    if (!t->isActive() || !t->isEditing())
        return;
    // A whole number is the row's year at once (the grid shows it); any other text holds the row until
    // the save refuses it.
    const QString text = m_ui->EditRokPodatkowy->text().trimmed();
    try {
        if (numbers::isInteger(text)) {
            t->setValue(F::Rok, numbers::parseInteger(text));
            return;
        }
    } catch (const EngineError&) {
        // too large for a year: refused by the save
    }
    TableTerminy->markModified();
}

void TOpcjeDlaTerminow::DodajClick() {
    AppContext& ctx = context();
    Table* t = TableTerminy;
    const QString refusal = m_data.vehicleRefusal();
    if (!refusal.isEmpty()) {
        ctx.dialogs.message(refusal);
        return;
    }
    if (vehicles()->isEmpty()) {
        ctx.dialogs.message(kNoVehicle);
        return;
    }
    if (t->state() != Table::State::Insert) {
        try {
            t->append();
        } catch (const PendingRowError& e) {
            context().dialogs.message(e.text()); // the row typed into stays, with its year
            return;
        }
    }
    closeEditBoxes();
    setYearBox(QString::number(ctx.clock.today().year()));
    applyKindToggles();
    showTotals();
}

void TOpcjeDlaTerminow::EdytujClick() {
    Table* t = TableTerminy;
    if (!t->isActive() || t->isEditing())
        return;
    t->edit();
    auto* ui = m_ui.get();
    ui->EditRokPodatkowy->setReadOnly(false);
    ui->EditRokPodatkowy->setFrame(true);
    {
        const QSignalBlocker block(ui->EditKosztDodatkowy);
        ui->EditKosztDodatkowy->clear();
    }
    ui->EditKosztDodatkowy->setEnabled(true);
    ui->EditKosztDodatkowy->setReadOnly(false);
    ui->EditKosztDodatkowy->setFrame(true);
    ui->LabelKoszttDodatkowy->setEnabled(true);
}

void TOpcjeDlaTerminow::closeEditBoxes() {
    auto* ui = m_ui.get();
    ui->EditKosztDodatkowy->setReadOnly(true);
    ui->EditKosztDodatkowy->setEnabled(false);
    ui->EditKosztDodatkowy->setFrame(false);
    ui->LabelKoszttDodatkowy->setEnabled(false);
    ui->EditRokPodatkowy->setReadOnly(true);
    ui->EditRokPodatkowy->setFrame(false);
}

void TOpcjeDlaTerminow::EditKosztDodatkowyChange() {
    TableTerminy->markModified();
    const QString text = m_ui->EditKosztDodatkowy->text();
    if (!text.isEmpty() && text != QLatin1String("-") && !numbers::isNumber(text))
        context().dialogs.message(QStringLiteral("Wpisana wartość nie jest liczbą"));
}

void TOpcjeDlaTerminow::ZapiszClick() {
    save();
}

void TOpcjeDlaTerminow::writeTypedTexts() {
    for (DbEdit* box : findChildren<DbEdit*>()) {
        if (!box->hasPendingText())
            continue;
        try {
            box->updateRecord();
        } catch (const Error& e) {
            box->setFocus();
            throw Error(QStringLiteral("%1: %2").arg(m_boxNames.value(box, box->dataField()), e.text()));
        }
    }
}

bool TOpcjeDlaTerminow::save() {
    AppContext& ctx = context();
    auto* ui = m_ui.get();
    Table* t = TableTerminy;
    if (!t->isActive() || !t->isEditing()) {
        ctx.dialogs.message(kUseEditOrAdd);
        return false;
    }
    Table* cars = vehicles();
    const QString refusal = m_data.vehicleRefusal();
    if (!refusal.isEmpty() || cars->isEmpty()) {
        ctx.dialogs.message(refusal.isEmpty() ? kNoVehicle : refusal);
        return false;
    }

    // Everything typed is read before anything is written, so a refused save leaves the row as it was.
    try {
        writeTypedTexts();
    } catch (const Error& e) {
        ctx.dialogs.messageBox(e.text(), QStringLiteral("Błąd"));
        return false;
    }
    const QString yearText = ui->EditRokPodatkowy->text().trimmed();
    const int lowest = 1900;
    const int highest = 2999;
    qint64 year = 0;
    if (numbers::isInteger(yearText))
        year = numbers::parseInteger(yearText);
    if (year < lowest || year > highest) {
        ctx.dialogs.messageBox(QStringLiteral("Rok podatkowy \"%1\" nie jest poprawnym rokiem - wpisz rok "
                                              "czterema cyframi, np. %2.")
                                   .arg(yearText)
                                   .arg(ctx.clock.today().year()),
                               QStringLiteral("Błąd"));
        ui->EditRokPodatkowy->setFocus();
        return false;
    }
    const QString additionalText = ui->EditKosztDodatkowy->text().trimmed();
    double additional = 0;
    if (!additionalText.isEmpty()) {
        try {
            additional = numbers::parse(additionalText);
        } catch (const ConversionError& e) {
            ctx.dialogs.messageBox(QStringLiteral("Koszt dodatkowy: %1").arg(e.text()),
                                   QStringLiteral("Błąd"));
            ui->EditKosztDodatkowy->setFocus();
            return false;
        }
    }

    t->setValue(F::NrKol_Pojazdu, cars->value(kVehicle));
    for (int slot = 0; slot < SlotCount; ++slot)
        t->setValue(*kSlotFields[size_t(slot)], m_pickers[size_t(slot)]->date());
    t->setValue(F::InformujPrzed, ui->SpinEditDniPrzedTerminem->value());
    t->setValue(F::InformujPo, ui->SpinEditDniPoTerminie->value());
    t->setValue(F::KoniecInformacji, ui->SpinEditKonczInformowanie->value());
    if (serviceAvailable())
        writeServiceFields();
    t->setValue(F::Rok, year);

    RowCosts typed;
    typed.ac = t->asFloat(F::KosztAC);
    typed.oc = t->asFloat(F::KosztOC);
    typed.acII = t->asFloat(F::Pom7);
    typed.ocII = t->asFloat(F::Pom3);
    typed.nw = t->asInteger(F::Pom4);
    typed.tech = t->asFloat(F::KosztPrzegTech);
    typed.gwar = t->asFloat(F::KosztPrzegGwar);
    typed.napraw = t->asFloat(F::KosztNapraw);
    const RowCosts costs = savedCosts(typed, additional);
    t->setValue(F::KosztAC, costs.ac);
    t->setValue(F::KosztOC, costs.oc);
    t->setValue(F::Pom7, costs.acII);
    t->setValue(F::Pom3, costs.ocII);
    t->setValue(F::Pom4, costs.nw);
    t->setValue(F::KosztPrzegTech, costs.tech);
    t->setValue(F::KosztPrzegGwar, costs.gwar);
    t->setValue(F::KosztNapraw, costs.napraw);
    t->setValue(F::KosztyCalkowite, totalCost(costs));

    t->post();
    t->flushBuffers();
    if (!additionalText.isEmpty()) {
        const QSignalBlocker block(ui->EditKosztDodatkowy);
        ui->EditKosztDodatkowy->setText(QStringLiteral("0"));
    }
    closeEditBoxes();
    // The row saved with another year may have left the list: the row now current is shown.
    showCurrentRow();
    return true;
}

void TOpcjeDlaTerminow::writeServiceFields() {
    auto* ui = m_ui.get();
    Table* t = TableTerminy;
    Table* cars = vehicles();
    t->setValue(F::IloscKmDoInfPrzed, ui->SpinEditPrzedSerwisem->value());
    t->setValue(F::IloscKmDoInfPo, ui->SpinEditPoSerwisie->value());
    if (const auto reading = readingOf(ui->EditAktualnyStanLicznika))
        t->setValue(F::StanLicznika, *reading);
    if (!cars->isEmpty() && !cars->isNull(kServiceInterval))
        t->setValue(F::CoIlecKmSerwis, cars->value(kServiceInterval));
    if (const auto due = readingOf(ui->EditStanLicznikaDoSerwisu))
        t->setValue(F::StanLicznikaSerwis, *due);
    if (const auto last = readingOf(ui->EditStanLicznikaPoSerwisie))
        t->setValue(F::StanLicznikaPo, *last);
}

void TOpcjeDlaTerminow::AnulujClick() {
    Table* t = TableTerminy;
    {
        const QSignalBlocker block(m_ui->EditKosztDodatkowy);
        m_ui->EditKosztDodatkowy->clear();
    }
    closeEditBoxes();
    if (!t->isActive())
        return;
    t->cancel();
    showCurrentRow();
}

void TOpcjeDlaTerminow::UsunClick() {
    AppContext& ctx = context();
    Table* t = TableTerminy;
    if (!t->isActive() || (t->recordCount() == 0 && t->state() != Table::State::Insert)) {
        ctx.dialogs.messageBox(QStringLiteral("Brak Terminu do USUNIĘCIA"), QStringLiteral("Informacja"));
        return;
    }
    if (ctx.dialogs.question(QStringLiteral("Czy usunąć wybraną pozycję"), QStringLiteral("WYBIERZ"))) {
        t->deleteRecord();
        t->flushBuffers();
    } else {
        t->cancel();
    }
    closeEditBoxes();
    showCurrentRow();
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
    showCurrentRow();
}

void TOpcjeDlaTerminow::PomocClick() {
    context().showHelp(9);
}

// ---------------------------------------------------------------- small helpers

void TOpcjeDlaTerminow::setColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Base) == colour)
        return;
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void TOpcjeDlaTerminow::setSpinSilently(QSpinBox* spin, int value) {
    const QSignalBlocker block(spin);
    spin->setValue(value);
}

void TOpcjeDlaTerminow::setPickerSilently(DbDateEdit* picker, const QDate& date) {
    picker->setDate(date);
}

void TOpcjeDlaTerminow::setYearBox(const QString& text) {
    const QSignalBlocker block(m_ui->EditRokPodatkowy);
    m_ui->EditRokPodatkowy->setText(text);
}

} // namespace tarlok
