#include "TImportCsv.h"

#include "CostsTab.h"
#include "TEwidencja_przejazdow.h"
#include "TripsTab.h"

#include "common/Csv.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TImportCsv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>

namespace tarlok {

using namespace registerimport;

namespace {

const QString kError = QStringLiteral("Błąd");

} // namespace

TImportCsv::TImportCsv(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TImportCsv>()) {
    setObjectName(QStringLiteral("ImportCsv"));
    m_ui->setupUi(this);
    setModal(true);
    QHeaderView* header = m_ui->StringGridWiersze->horizontalHeader();
    const int widths[] = {55, 50, 90, 80, 160, 70, 600};
    for (int c = 0; c < 7; ++c)
        header->resizeSection(c, widths[c]);
    header->setStretchLastSection(true);
    Dialogs& dialogs = forms.context.dialogs;
    connectAction(dialogs, m_ui->Importuj, &QPushButton::clicked, this, &TImportCsv::ImportujClick);
    connectAction(dialogs, m_ui->Anuluj, &QPushButton::clicked, this, &TImportCsv::AnulujClick);
}

TImportCsv::~TImportCsv() = default;

void TImportCsv::importFile(What what) {
    runAction(m_forms.context.dialogs, [&] { readFile(what); });
}

void TImportCsv::readFile(What what) {
    AppContext& ctx = m_forms.context;
    Dialogs& dialogs = ctx.dialogs;
    // What is being typed is saved or cancelled first: the import rereads the trips and costs.
    if (m_forms.refuseWhileTyping())
        return;
    const QString fileName =
        dialogs.askOpenFileName(QStringLiteral("Import z pliku CSV"), QDir::currentPath(),
                                QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
    if (fileName.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs.messageBox(QStringLiteral("Nie można odczytać pliku \"%1\".").arg(shown), kError);
        return;
    }
    const std::optional<QString> text = csv::decode(file.readAll());
    if (!text) {
        dialogs.messageBox(QStringLiteral("Plik \"%1\" nie jest zapisany w kodowaniu UTF-8.").arg(shown),
                           kError);
        return;
    }

    SharedData& shared = ctx.data();
    Table* cars = shared.TablePojazdy;
    std::optional<qint64> current;
    if (cars->isActive() && !cars->isEmpty() && !cars->isNull(fields::pojazdy::NrKol_Pojazdu))
        current = cars->asInteger(fields::pojazdy::NrKol_Pojazdu);
    m_known = readKnown(ctx.database, current);
    // The rates a new trip gets ("Nowy przejazd").
    Table* rates = shared.TableStawki;
    if (rates->isActive() && !rates->isEmpty()) {
        m_known.rateUpTo900 = rates->asFloat(fields::stawki::Stawka_do_900);
        m_known.rateAbove900 = rates->asFloat(fields::stawki::Stawka_po_900);
    }
    m_preview = check(what, *text, m_known);
    if (!m_preview.fileError.isEmpty()) {
        dialogs.messageBox(
            QStringLiteral("Nie można zaimportować pliku \"%1\": %2.").arg(shown, m_preview.fileError),
            kError);
        return;
    }
    markDuplicates(m_preview, storedKeys(ctx.database, m_preview));
    showPreview(shown);
    dialogs.showModal(this);
}

void TImportCsv::showPreview(const QString& fileName) {
    const bool trips = m_preview.what == What::Trips;
    setWindowTitle(trips ? QStringLiteral("Import z pliku CSV - przejazdy")
                         : QStringLiteral("Import z pliku CSV - koszty"));
    m_ui->LabelPlik->setText(QStringLiteral("Plik: %1").arg(fileName));
    m_ui->LabelWynik->setText(
        QStringLiteral("Wierszy: %1, poprawnych: %2, duplikatów: %3, odrzuconych: %4. \"Importuj\" zapisze "
                       "wszystkie zaznaczone wiersze (duplikaty tylko zaznaczone).")
            .arg(m_preview.lines.size())
            .arg(m_preview.count(Verdict::Accepted))
            .arg(m_preview.count(Verdict::Duplicate))
            .arg(m_preview.count(Verdict::Refused)));
    QTableWidget* grid = m_ui->StringGridWiersze;
    grid->horizontalHeaderItem(4)->setText(trips ? QStringLiteral("Trasa") : QStringLiteral("Nr dokumentu"));
    grid->horizontalHeaderItem(5)->setText(trips ? QStringLiteral("Km") : QStringLiteral("Wartość"));
    grid->clearContents();
    grid->setRowCount(int(m_preview.lines.size()));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const Line& line = m_preview.lines[size_t(row)];
        QString result;
        switch (line.verdict) {
        case Verdict::Accepted:
            result = QStringLiteral("poprawny");
            break;
        case Verdict::Duplicate:
            result = trips ? QStringLiteral("taki przejazd jest już zapisany - zaznacz, aby go dodać")
                           : QStringLiteral("taki koszt jest już zapisany - zaznacz, aby go dodać");
            break;
        case Verdict::Refused:
            result = line.reason;
            break;
        }
        const bool known = line.verdict != Verdict::Refused;
        const QString texts[] = {QString::number(line.number),
                                 QString(),
                                 known ? line.vehicle->registration : QString(),
                                 known ? numbers::shortDate(line.date) : QString(),
                                 known ? (trips ? line.trip.route : line.cost.document) : QString(),
                                 known ? (trips ? numbers::integer(line.trip.km)
                                                : numbers::pattern(line.cost.value, QStringLiteral("0.00")))
                                       : QString(),
                                 result};
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c == 0 || c == 5)
                item->setTextAlignment(right);
            if (c == 6)
                item->setToolTip(result);
            if (line.verdict == Verdict::Refused)
                item->setForeground(QColor(255, 0, 0));
            if (c == 1 && known) {
                // An accepted line is always imported; a duplicate only when ticked.
                item->setCheckState(line.take ? Qt::Checked : Qt::Unchecked);
                item->setFlags(line.verdict == Verdict::Duplicate
                                   ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable
                                   : Qt::ItemIsSelectable);
            }
            grid->setItem(row, c, item);
        }
    }
    m_ui->Importuj->setFocus();
}

void TImportCsv::ImportujClick() {
    QTableWidget* grid = m_ui->StringGridWiersze;
    for (int row = 0; row < grid->rowCount(); ++row) {
        Line& line = m_preview.lines[size_t(row)];
        if (line.verdict == Verdict::Duplicate)
            line.take = grid->item(row, 1)->checkState() == Qt::Checked;
    }
    AppContext& ctx = m_forms.context;
    if (m_preview.taken() == 0) {
        ctx.dialogs.messageBox(QStringLiteral("Brak wierszy do zaimportowania."),
                               QStringLiteral("Informacja"));
        return;
    }
    // One transaction on the trips or the costs file, with the passes of every month and year touched:
    // a failure leaves the file as it was and the preview open.
    TEwidencja_przejazdow& reg = *m_forms.Ewidencja_przejazdow;
    const bool trips = m_preview.what == What::Trips;
    const auto recompute = [&](qint64 vehicle, int year) {
        if (trips)
            reg.trips().recomputeTripsOfYear(vehicle, year);
        else
            reg.costs().recomputeCostsOfYear(vehicle, year);
    };
    const std::set<std::pair<qint64, int>> touched = store(ctx.database, m_preview, recompute, onRowStored);
    // Stored: the preview closes, so that nothing is stored twice.
    accept();
    showStored(touched);
}

void TImportCsv::showStored(const std::set<std::pair<qint64, int>>& touched) {
    AppContext& ctx = m_forms.context;
    SharedData& shared = ctx.data();
    TEwidencja_przejazdow& reg = *m_forms.Ewidencja_przejazdow;
    const bool trips = m_preview.what == What::Trips;
    if (trips) {
        // The odometers follow in the vehicles file: a stop between the two files leaves every trip
        // stored with its totals, and an odometer that the next save of a trip of the vehicle sets right.
        std::set<qint64> vehicles;
        for (const auto& [vehicle, year] : touched)
            vehicles.insert(vehicle);
        updateOdometers(ctx.database, vehicles);
        if (shared.TablePojazdy->isActive())
            shared.TablePojazdy->refresh();
    }
    const int month = reg.WybranyMiesiac();
    Table* shown = trips ? shared.TablePrzejazdy : shared.TableKoszty;
    if (shown->isActive())
        shown->refresh();
    if (trips) {
        reg.trips().showSums(month);
        shared.tripsWritten();
    } else {
        reg.costs().showSums(month);
        reg.costs().SpalanieSrednie();
        shared.costsWritten();
    }
    ctx.dialogs.messageBox(trips ? QStringLiteral("Zaimportowano przejazdów: %1.").arg(m_preview.taken())
                                 : QStringLiteral("Zaimportowano kosztów: %1.").arg(m_preview.taken()),
                           QStringLiteral("Informacja"));
}

void TImportCsv::AnulujClick() {
    reject();
}

} // namespace tarlok
