#include "TFormularzWydrukow.h"

#include "TWydruk_Ewidencja.h"
#include "TWydruk_EwidencjaPrzebieguDlaVat.h"
#include "TWydruk_Koszty.h"
#include "TWydruk_Rachunkow.h"
#include "calc/DeductibleCosts.h"
#include "calc/OdometerChain.h"
#include "calc/VehicleRows.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "common/Paths.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "reports/engine/SaveAsPdf.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TFormularzWydrukow.h"
#include "widgets/PeriodBoxes.h"

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalBlocker>

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace tarlok {

namespace {

namespace T = fields::przejazdy;
namespace V = fields::pojazdy;

const QString kVatChoice = QStringLiteral("Ewidencja przebiegu Pojazdu dla celów VAT");

// Closes a report's own table when the run leaves, however it leaves.
class TableGuard {
public:
    explicit TableGuard(ReportForm& form) : m_form(form) { m_form.openTable(); }
    ~TableGuard() { m_form.closeTable(); }
    TableGuard(const TableGuard&) = delete;
    TableGuard& operator=(const TableGuard&) = delete;

private:
    ReportForm& m_form;
};

// The month totals (WartoscSuma of each month's first row) of a vehicle in a year, read through
// table objects of their own: no window's table moves. A month without rows gives 0.
std::array<double, 13> monthTotals(Database& database, const QString& tableFile, qint64 vehicle, int year) {
    std::array<double, 13> totals{};
    std::array<bool, 13> seen{};
    VehicleRows rows(database, tableFile, indexes::NrKol_Pojazdu_DataInd, vehicle);
    Table* t = rows.table();
    if (!t)
        return totals;
    for (t->first(); !t->eof(); t->next()) {
        const qint64 month = t->asInteger(T::Miesiac); // the costs' fields have the same names
        if (t->asInteger(T::Rok) != year || month < 1 || month > 12 || seen[size_t(month)])
            continue;
        seen[size_t(month)] = true;
        totals[size_t(month)] = t->asFloat(T::WartoscSuma);
    }
    return totals;
}

struct Owner {
    QString nazwisko, imie, skrot, adres, nip;
    bool complete() const {
        return !nazwisko.isEmpty() && !imie.isEmpty() && !skrot.isEmpty() && !adres.isEmpty() &&
               !nip.isEmpty();
    }
};

// The owner and taxpayer of Wlasciciel.db; a missing file holds no owner data.
Owner readOwner(Database& database) {
    Owner owner;
    const QString file = QStringLiteral("Wlasciciel.db");
    if (!paths::fileExists(paths::fileIn(database.dataFolder(), file)))
        return owner;
    Table t(database);
    t.setDatabaseName(QString::fromLatin1(Database::kAlias));
    t.setTableName(file);
    t.open();
    if (!t.isEmpty()) {
        t.first();
        namespace W = fields::wlasciciel;
        owner = Owner{t.asString(W::Nazwisko).trimmed(), t.asString(W::Imie).trimmed(),
                      t.asString(W::NazwaFirmySkrot).trimmed(), t.asString(W::AdresFirmy).trimmed(),
                      t.asString(W::Nip).trimmed()};
    }
    return owner;
}

QString monthText(int month) {
    return month >= 1 && month <= 12 ? months::name(month) : months::kAll;
}

QString reading(const QVariant& value) {
    return value.isNull() ? QString() : numbers::integer(value.toLongLong());
}

} // namespace

const QString TFormularzWydrukow::kNoTripsForVat =
    QStringLiteral("Brak przejazdów pojazdu w wybranym okresie - ewidencja przebiegu pojazdu dla celów VAT "
                   "nie zostanie wydrukowana.");

QString TFormularzWydrukow::chainBreaksQuestion(int count) {
    return QStringLiteral("Licznik przebiegu pojazdu nie jest ciągły - liczba przerw w wybranym okresie: %1 "
                          "(przejazd nie zaczyna się od stanu licznika, na którym skończył się poprzedni; "
                          "szczegóły pokazuje przycisk \"Ciągłość licznika\" w ewidencji przejazdów).\n"
                          "Czy mimo to wydrukować ewidencję?")
        .arg(count);
}

TFormularzWydrukow::TFormularzWydrukow(Forms& forms)
    : m_forms(forms), m_ui(std::make_unique<Ui::TFormularzWydrukow>()) {
    m_ui->setupUi(this);
    setHelpTopic(this, 16);
    setModal(true);
    QFont vehicleFont(QStringLiteral("Arial"));
    vehicleFont.setBold(true);
    vehicleFont.setPixelSize(16);
    m_ui->LabelWybranyPojazd->setFont(vehicleFont);
    // The boxes take the register's lists; Enter alone changes neither.
    m_period = new PeriodBoxes(*m_ui->ComboBoxRok, *m_ui->ComboBoxMiesiac, this);
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);

    AppContext& ctx = forms.context;
    Table& vehicles = *ctx.data().TablePojazdy;
    m_ewidencja = std::make_unique<TWydruk_Ewidencja>(ctx.database, vehicles);
    m_koszty = std::make_unique<TWydruk_Koszty>(ctx.database, vehicles);
    m_rachunkow = std::make_unique<TWydruk_Rachunkow>(ctx.database, vehicles);
    m_vat = std::make_unique<TWydruk_EwidencjaPrzebieguDlaVat>(ctx.database, vehicles);
    m_ewidencja->report().setClock(&ctx.clock);
    m_koszty->report().setClock(&ctx.clock);
    m_rachunkow->report().setClock(&ctx.clock);
    m_vat->report().setClock(&ctx.clock);
    m_ewidencja->TablePrzejazdy1->onFilterRecord = [this](Table& t) {
        return TWydruk_Ewidencja_TablePrzejazdy1FilterRecord(t);
    };
    m_koszty->TableKoszty1->onFilterRecord = [this](Table& t) {
        return TWydruk_Koszty_TableKoszty1FilterRecord(t);
    };
    m_rachunkow->TableKoszty1->onFilterRecord = [this](Table& t) {
        return TWydruk_Rachunkow_TableKoszty1FilterRecord(t);
    };
    m_vat->Table1Przejazdy->onFilterRecord = [this](Table& t) {
        return TWydruk_EwidencjaPrzebieguDlaVat_Table1PrzejazdyFilterRecord(t);
    };

    Dialogs& dialogs = ctx.dialogs;
    connectAction(dialogs, m_ui->Drukuj, &QPushButton::clicked, this, &TFormularzWydrukow::DrukujClick);
    connectAction(dialogs, m_ui->Zamknij, &QPushButton::clicked, this, &TFormularzWydrukow::ZamknijClick);
    connectAction(dialogs, m_ui->CheckBoxZwiekszCzcionkeWydruku, &QCheckBox::clicked, this,
                  &TFormularzWydrukow::CheckBoxZwiekszCzcionkeWydrukuClick);
    connectAction(dialogs, m_ui->ComboBoxRok, &QComboBox::activated, this,
                  &TFormularzWydrukow::ComboBoxRokChange);
    connectAction(dialogs, m_ui->ComboBoxRok->lineEdit(), &QLineEdit::editingFinished, this,
                  &TFormularzWydrukow::ComboBoxRokChange);
}

TFormularzWydrukow::~TFormularzWydrukow() = default;

// ------------------------------------------------------------------ opened by the register

void TFormularzWydrukow::prepare(const QComboBox& yearBox, const QComboBox& monthBox) {
    Table& vehicles = *m_forms.context.data().TablePojazdy;
    m_ui->LabelWybranyPojazd->setText(
        vehicles.isActive() && !vehicles.isEmpty() ? vehicles.asString(V::Dane_Poj_Wszystko) : QString());
    auto copy = [](const QComboBox& from, QComboBox* to) {
        const QSignalBlocker block(to);
        to->clear();
        for (int i = 0; i < from.count(); ++i)
            to->addItem(from.itemText(i));
        to->setCurrentIndex(from.findText(from.currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive));
        to->setEditText(from.currentText());
    };
    copy(yearBox, m_ui->ComboBoxRok);
    copy(monthBox, m_ui->ComboBoxMiesiac);
    m_ui->CheckBoxDrukarka->setChecked(false);
    // The fourth choice still selects the VAT report when its caption is blank.
    m_ui->RadioGroupJakieZestawienie->button(EwidencjaDlaVat)
        ->setText(m_forms.context.schema.parametersPresent ? kVatChoice : QString());
}

void TFormularzWydrukow::openFromRegister(const QComboBox& yearBox, const QComboBox& monthBox) {
    prepare(yearBox, monthBox);
    m_forms.context.dialogs.showModal(this);
}

void TFormularzWydrukow::runTripRegister() {
    runAction(m_forms.context.dialogs, [&] {
        if (m_forms.refuseWhileTyping())
            return;
        prepareRun();
        const SharedData::Period p = m_forms.context.data().period();
        runEwidencja(QStringLiteral("Za miesiąc %1 %2r.").arg(monthText(p.month)).arg(p.year));
    });
}

void TFormularzWydrukow::runCostStatement() {
    runAction(m_forms.context.dialogs, [&] {
        if (m_forms.refuseWhileTyping())
            return;
        prepareRun();
        const SharedData::Period p = m_forms.context.data().period();
        runKoszty(QStringLiteral("Za miesiąc %1 %2r.").arg(monthText(p.month)).arg(p.year));
    });
}

// ------------------------------------------------------------------ handlers

void TFormularzWydrukow::ComboBoxRokChange() {
    AppContext& ctx = m_forms.context;
    QComboBox* yearBox = m_ui->ComboBoxRok;
    const QString text = yearBox->currentText().trimmed();
    if (!numbers::isInteger(text)) {
        if (!text.isEmpty())
            ctx.dialogs.message(PeriodBoxes::kInvalidYear);
        m_period->setYearText(QString::number(ctx.clock.today().year()));
    }
    const qint64 year = numbers::parseInteger(yearBox->currentText().trimmed());

    // The opened periods in the order they were opened, read through a table of their own.
    namespace O = fields::okresy;
    Table periods(ctx.database);
    periods.setDatabaseName(QString::fromLatin1(Database::kAlias));
    periods.setTableName(QStringLiteral("Okresy.db"));
    periods.open();
    QStringList names;
    for (periods.first(); !periods.eof(); periods.next()) {
        if (!periods.isNull(O::Rok) && periods.asInteger(O::Rok) == year)
            names.append(months::name(int(periods.asInteger(O::Miesiac))));
    }
    m_period->setMonthNames(names);
}

void TFormularzWydrukow::CheckBoxZwiekszCzcionkeWydrukuClick() {
    m_ewidencja->setDataPointSize(m_ui->CheckBoxZwiekszCzcionkeWydruku->isChecked() ? 8 : 7);
}

void TFormularzWydrukow::ZamknijClick() {
    reject();
}

void TFormularzWydrukow::DrukujClick() {
    if (m_forms.refuseWhileTyping())
        return;
    prepareRun();
    QString yearText = m_ui->ComboBoxRok->currentText().trimmed();
    if (yearText.isEmpty()) {
        yearText = QString::number(m_forms.context.clock.today().year());
        const QSignalBlocker block(m_ui->ComboBoxRok);
        m_ui->ComboBoxRok->setEditText(yearText);
    }
    const QString monthText = m_ui->ComboBoxMiesiac->currentText();
    const QString caption =
        QStringLiteral("Za miesiąc ") + monthText + QLatin1Char(' ') + yearText + QStringLiteral("r.");
    switch (chosen()) {
    case Ewidencja:
        runEwidencja(caption);
        break;
    case Koszty:
        runKoszty(caption);
        break;
    case Rachunkow:
        runRachunkow(caption, monthText, yearText);
        break;
    case EwidencjaDlaVat:
        runEwidencjaDlaVat();
        break;
    default:
        break;
    }
}

// ------------------------------------------------------------------ filters

SharedData::Period TFormularzWydrukow::filterPeriod() {
    SharedData& shared = m_forms.context.data();
    if (!isVisible())
        return shared.period();
    QComboBox* yearBox = m_ui->ComboBoxRok;
    const int today = m_forms.context.clock.today().year();
    if (yearBox->currentText().trimmed().isEmpty()) {
        const QSignalBlocker block(yearBox);
        yearBox->setEditText(QString::number(today));
    }
    const QString yearText = yearBox->currentText().trimmed();
    SharedData::Period p;
    p.year = numbers::isInteger(yearText) ? int(numbers::parseInteger(yearText)) : today;
    // Any other text than a month name or "Wszystko" leaves the register's month.
    const QString month = m_ui->ComboBoxMiesiac->currentText();
    if (month == months::kAll)
        p.month = 0;
    else
        p.month = months::number(month).value_or(shared.period().month);
    return p;
}

bool TFormularzWydrukow::periodInEffect(Choice report) {
    const SharedData& shared = m_forms.context.data();
    // The cost statement follows the costs tab; the other three reports follow the trips tab.
    const SharedData::Scope scope = report == Koszty ? shared.costsScope() : shared.tripsScope();
    return scope == SharedData::Scope::Period || (isVisible() && chosen() == report);
}

namespace {

// The months a period keeps: its month, or the whole year for "Wszystko" (month 0).
std::pair<int, int> keptMonths(const SharedData::Period& p) {
    return p.month == 0 ? std::pair{1, 12} : std::pair{p.month, p.month};
}

} // namespace

bool TFormularzWydrukow::admits(Table& table, Choice report) {
    if (!periodInEffect(report))
        return true;
    const SharedData::Period p = filterPeriod();
    const auto [from, to] = keptMonths(p);
    const qint64 month = table.asInteger(T::Miesiac); // the costs' fields have the same names
    return from <= month && month <= to && table.asInteger(T::Rok) == p.year;
}

void TFormularzWydrukow::readOnlyWhatIsKept(ReportForm& form, Choice report) {
    if (!periodInEffect(report)) {
        form.readEveryPeriod();
        return;
    }
    const SharedData::Period p = filterPeriod();
    const auto [from, to] = keptMonths(p);
    form.readPeriod(p.year, from, to);
}

bool TFormularzWydrukow::TWydruk_Ewidencja_TablePrzejazdy1FilterRecord(Table& table) {
    return admits(table, Ewidencja);
}

bool TFormularzWydrukow::TWydruk_Koszty_TableKoszty1FilterRecord(Table& table) {
    // The register's month box always holds a month or "Wszystko": its chosen period has one.
    return admits(table, Koszty);
}

bool TFormularzWydrukow::TWydruk_Rachunkow_TableKoszty1FilterRecord(Table& table) {
    return admits(table, Rachunkow);
}

bool TFormularzWydrukow::TWydruk_EwidencjaPrzebieguDlaVat_Table1PrzejazdyFilterRecord(Table& table) {
    if (m_vatMonth != 0 && table.asInteger(T::Miesiac) != m_vatMonth)
        return false;
    return admits(table, EwidencjaDlaVat);
}

// ------------------------------------------------------------------ running a report

int TFormularzWydrukow::chosen() const {
    return m_ui->RadioGroupJakieZestawienie->itemIndex();
}

void TFormularzWydrukow::prepareRun() {
    Table& vehicles = *m_forms.context.data().TablePojazdy;
    if (!vehicles.isActive())
        vehicles.open();
    qputenv("TMP", QDir::toNativeSeparators(QDir::currentPath()).toLocal8Bit());
    const bool shown = !m_ui->CheckBoxSchowajDanePojazdy->isChecked();
    m_ewidencja->setShown({"QRLabelNrPojazdu", "QRlabelNumerRejestracyjny"}, shown);
    m_koszty->setShown(
        {"QRLabelNrPojazdu", "QRlabelNumerRejestracyjny", "QRLabelMarka", "QRLabelJakiSamochod"}, shown);
    m_rachunkow->setShown(
        {"QRLabelNrPojazdu", "QRlabelNumerRejestracyjny", "QRLabelMarka", "QRlabelMarkaPojazdu"}, shown);
}

void TFormularzWydrukow::fillVehicleHeading(ReportForm& form, const QString& periodCaption, bool capacity,
                                            bool make) {
    Table& vehicles = *m_forms.context.data().TablePojazdy;
    auto field = [&](const QString& name) {
        return vehicles.isEmpty() ? QString() : vehicles.asString(name);
    };
    form.setCaption(QStringLiteral("QRLabelWlasciciel"), field(V::Wlasciciel));
    form.setCaption(QStringLiteral("QRLabelAdresWlasciciela"), field(V::Adr_Wlasciciela));
    form.setCaption(QStringLiteral("QRLabelZaMiesiac"), periodCaption);
    form.setCaption(QStringLiteral("QRlabelNumerRejestracyjny"), field(V::Nr_rej));
    if (capacity)
        form.setCaption(QStringLiteral("QRlabelPojemnoscSilnika"),
                        field(V::Pojemnosc) + QStringLiteral(" cm3"));
    if (make)
        form.setCaption(QStringLiteral("QRLabelJakiSamochod"), field(V::Marka_Poj));
}

void TFormularzWydrukow::runEwidencja(const QString& periodCaption) {
    CheckBoxZwiekszCzcionkeWydrukuClick();
    fillVehicleHeading(*m_ewidencja, periodCaption, true, false);
    // The employer under the signature place: the firm and the person who signs for it.
    const Owner employer = readOwner(m_forms.context.database);
    QStringList name{employer.skrot, employer.imie + QLatin1Char(' ') + employer.nazwisko};
    for (QString& part : name)
        part = part.trimmed();
    name.removeAll(QString());
    m_ewidencja->setCaption(QStringLiteral("QRLabelPracodawca"), name.join(QLatin1Char(' ')));
    m_ewidencja->setCaption(QStringLiteral("QRLabelAdresPracodawcy"), employer.adres);
    report::Document document;
    readOnlyWhatIsKept(*m_ewidencja, Ewidencja);
    {
        const TableGuard open(*m_ewidencja);
        document = m_ewidencja->layout();
    }
    send(document, *m_ewidencja);
}

void TFormularzWydrukow::runKoszty(const QString& periodCaption) {
    fillVehicleHeading(*m_koszty, periodCaption, false, true);
    report::Document document;
    readOnlyWhatIsKept(*m_koszty, Koszty);
    {
        const TableGuard open(*m_koszty);
        document = m_koszty->layout();
    }
    send(document, *m_koszty);
}

void TFormularzWydrukow::runRachunkow(const QString& periodCaption, const QString& monthText,
                                      const QString& yearText) {
    TWydruk_Rachunkow& form = *m_rachunkow;
    form.setCaption(QStringLiteral("QRLabelRazemZaMiesiac_String"),
                    QStringLiteral("Razem wydatki za aktualny miesiąc  (") + monthText + QLatin1Char(' ') +
                        yearText + QStringLiteral("r.") + QStringLiteral(")"));
    form.setCaption(QStringLiteral("QRLabelRazem2_string"),
                    QStringLiteral("Wydatki poniesione w poprzednich miesiacach"));
    form.setCaption(QStringLiteral("QRLabelRazem_z_aktualnym"),
                    QStringLiteral("Razem z aktualnym miesiącem tj. ") + monthText +
                        QStringLiteral(" włącznie"));
    form.setCaption(
        QStringLiteral("QRLabelKwotaZaliczonaWyd_String"),
        QStringLiteral("Kwota wydatków do zaliczenia w ciężar kosztów aktualnego miesiąca (m-c ") +
            monthText + QStringLiteral(")"));
    fillVehicleHeading(form, periodCaption, false, false);
    Table& vehicles = *m_forms.context.data().TablePojazdy;
    form.setCaption(QStringLiteral("QRlabelMarkaPojazdu"),
                    vehicles.isEmpty() ? QString() : vehicles.asString(V::Marka_Poj));

    // The month totals of the year, read without moving the register's tables.
    const SharedData::Period p = filterPeriod();
    const qint64 vehicle = vehicles.isEmpty() ? 0 : vehicles.asInteger(V::NrKol_Pojazdu);
    Database& database = m_forms.context.database;
    const auto costs = monthTotals(database, QStringLiteral("Koszty.db"), vehicle, p.year);
    const auto trips = monthTotals(database, QStringLiteral("Przejazdy.db"), vehicle, p.year);
    const deductible::Figures f = deductible::figures(costs, trips, p.month);
    const QStringList labels = TWydruk_Rachunkow::amountLabels();
    const double values[] = {f.before, f.costs, f.trips, f.cap, f.capBefore, f.deductible};
    for (int i = 0; i < 6; ++i)
        form.setCaption(labels[i], numbers::grouped(values[i], 10, 2));

    report::Document document;
    readOnlyWhatIsKept(form, Rachunkow);
    {
        const TableGuard open(form);
        document = form.layout();
    }
    send(document, form);
}

void TFormularzWydrukow::runEwidencjaDlaVat() {
    TWydruk_EwidencjaPrzebieguDlaVat& form = *m_vat;
    AppContext& ctx = m_forms.context;
    Table& vehicles = *ctx.data().TablePojazdy;

    const Owner owner = readOwner(ctx.database);
    form.setCaption(QStringLiteral("QRLabelNazwisko_Imie_Nazwa_adres"),
                    owner.complete()
                        ? owner.skrot + QLatin1Char(' ') + owner.nazwisko + QLatin1Char(' ') + owner.imie +
                              QLatin1Char(' ') + owner.adres + QStringLiteral(" Nip:") + owner.nip
                        : TWydruk_EwidencjaPrzebieguDlaVat::kTaxpayerLayoutText);
    QString signer = (owner.imie + QLatin1Char(' ') + owner.nazwisko).trimmed();
    if (signer.isEmpty())
        signer = owner.skrot;
    if (signer.isEmpty() && !vehicles.isEmpty())
        signer = vehicles.asString(V::Wlasciciel).trimmed();
    form.setCaption(QStringLiteral("QRLabelPodatnikPodpis"), signer);
    form.setCaption(QStringLiteral("QRLabelRejestracja"),
                    vehicles.isEmpty() ? QString() : vehicles.asString(V::Nr_rej));
    form.setCaption(QStringLiteral("QRLabelDzienRoz"), QStringLiteral("1"));

    report::Document document;
    readOnlyWhatIsKept(form, EwidencjaDlaVat);
    {
        const TableGuard open(form);
        // The readings, the last day and the kilometres come from the report's own rows, month by month:
        // a log is kept for a month, so "Wszystko" prints each month of the year that has trips as a log
        // of its own, on pages of its own, with its own figures and confirmation.
        struct Month {
            QVariant firstReading, lastReading;
            qint64 year = 0, km = 0;
        };
        std::map<int, Month> byMonth;
        Table& t = *form.Table1Przejazdy;
        std::vector<odometer::Trip> trips;
        for (t.first(); !t.eof(); t.next()) {
            trips.push_back(odometer::tripOf(t));
            const auto [at, first] = byMonth.try_emplace(int(t.asInteger(T::Miesiac)));
            Month& m = at->second;
            if (first)
                m.firstReading = t.value(T::StanLicznikaPrzed);
            m.lastReading = t.value(T::StanLicznikaPo);
            m.year = t.asInteger(T::Rok);
            m.km += t.asInteger(T::Kilometry);
        }
        if (byMonth.empty()) {
            ctx.dialogs.messageBox(kNoTripsForVat, QStringLiteral("Informacja"));
            return;
        }
        // An inspector's first test of the register: every trip starts where the one before it ended.
        const auto breaks = odometer::breaks(std::move(trips));
        if (!breaks.empty() &&
            !ctx.dialogs.question(chainBreaksQuestion(int(breaks.size())), QStringLiteral("WYBIERZ")))
            return;
        const auto everyMonth = qScopeGuard([this] { m_vatMonth = 0; });
        for (const auto& [month, m] : byMonth) {
            form.setCaption(QStringLiteral("QRLabelStanLicznikaNaPoczMiesiaca"), reading(m.firstReading));
            form.setCaption(QStringLiteral("QRLabelStanLicznikaNaKonMiesiaca"), reading(m.lastReading));
            form.setCaption(QStringLiteral("QRLabelLicznikKoniecMc"), reading(m.lastReading));
            form.setCaption(QStringLiteral("QRLabelDzienZakon"),
                            numbers::integer(months::daysInMonth(int(m.year), month)));
            form.setCaption(QStringLiteral("QRLabelKilometryRazem"), numbers::integer(m.km));
            form.setCaption(QStringLiteral("QRLabelPotwierdzenie"),
                            TWydruk_EwidencjaPrzebieguDlaVat::kConfirmation.arg(
                                TWydruk_EwidencjaPrzebieguDlaVat::confirmationPeriod(int(m.year), month)));
            m_vatMonth = month;
            t.refresh();
            const report::Document log = form.layout();
            if (document.pages.isEmpty())
                document = log;
            else
                document.pages += log.pages;
        }
    }
    send(document, form);
}

void TFormularzWydrukow::send(const report::Document& document, const ReportForm& form) {
    AppContext& ctx = m_forms.context;
    if (m_ui->CheckBoxDrukarka->isChecked())
        report::printOrTell(ctx.output, ctx.dialogs, document);
    else
        report::showWithPdf(ctx.output, ctx.dialogs, document, form.windowTitle());
}

} // namespace tarlok
