#include "RegisterExport.h"

#include "common/Csv.h"
#include "platform/Dialogs.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "widgets/DataLink.h"

#include <QDir>
#include <QFileInfo>

namespace tarlok::registerexport {

namespace {

namespace J = fields::przejazdy;
namespace K = fields::koszty;

Column column(const char* title, const QString& field, const char* pattern = "") {
    return Column{QString::fromUtf8(title), field, QString::fromLatin1(pattern)};
}

} // namespace

const std::vector<Column>& tripColumns() {
    static const std::vector<Column> columns = {
        // the trips grid
        column("Data", J::Data),
        column("Trasa", J::Trasa),
        column("Cel wyjazdu", J::Cel_Wyj),
        column("Km", J::Kilometry),
        column("Km nar. mc", J::Kilometry_Narastajaca),
        column("Wartość", J::Wartosc, "0.00"),
        column("Wart. nar. mc", J::Wartosc_Narastajaco, "0.00"),
        column("Km nar. rok", J::Kilometry_NarastajacaRok),
        column("Wart. nar. rok", J::Wartosc_NarastajacoRok, "0.00"),
        column("Licznik", J::StanLicznikaPo),
        column("Nazwisko kierowcy", J::Nazwisko),
        // what the amount is computed from
        column("Imię kierowcy", J::Imie),
        column("Stan licznika pocz.", J::StanLicznikaPrzed),
        column("Stawka zł/km", J::Stawka, "0.0000"),
    };
    return columns;
}

const std::vector<Column>& costColumns() {
    static const std::vector<Column> columns = {
        // the costs grid
        column("Data", K::Data),
        column("Nr dokumentu", K::Nr_Rachunku),
        column("Rodzaj wydatku", K::Rodzaj_Wyd),
        column("Wartość", K::Wartosc, "0.00"),
        column("Vat zal.", K::Pom2, "0.00"),
        column("Wart.nar.mc", K::Wartosc_Narastajaca, "0.00"),
        column("Wart.nar.rok", K::Wartosc_NarastajacaRok, "0.00"),
        column("Paliwo il.", K::IloscPaliwa),
        column("Paliwo sum.", K::SumaIloscPaliwo),
        // the VAT split of the document
        column("Wartość brutto", K::WartBrutto, "0.00"),
        column("VAT %", K::Pom3),
        column("VAT", K::VatWartosc, "0.00"),
        column("VAT niezaliczony", K::VatNieZaliczony, "0.00"),
    };
    return columns;
}

QList<QStringList> lines(const Table& table, const std::vector<Column>& columns) {
    QList<QStringList> out;
    QStringList header;
    std::vector<int> fields;
    for (const Column& c : columns) {
        header.append(c.title);
        fields.push_back(table.fieldIndex(c.field));
    }
    out.append(header);
    for (int row = 0; row < table.recordCount(); ++row) {
        const Record record = table.displayRecord(row);
        QStringList line;
        for (size_t i = 0; i < columns.size(); ++i) {
            const int f = fields[i];
            line.append(f < 0 ? QString()
                              : fieldText(table.fieldDef(f), record.value(f), columns[i].pattern));
        }
        out.append(line);
    }
    return out;
}

QString suggestedName(const QString& what, const QString& registration, int year, int month) {
    QString plate;
    for (const QChar c : registration.trimmed())
        plate += c.isLetterOrNumber() ? c : QLatin1Char('_');
    QString name = what;
    if (!plate.isEmpty())
        name += QLatin1Char('_') + plate;
    name += QLatin1Char('_') + QString::number(year);
    if (month >= 1 && month <= 12)
        name += QStringLiteral("_%1").arg(month, 2, 10, QLatin1Char('0'));
    return name + QStringLiteral(".csv");
}

void exportRows(Dialogs& dialogs, const Table& table, const QString& registration, int year, int month,
                const QString& what, const QString& nothingText, bool trips) {
    if (!table.isActive() || table.recordCount() == 0) {
        dialogs.messageBox(nothingText, QStringLiteral("Informacja"));
        return;
    }
    QString fileName =
        dialogs.askSaveFileName(QStringLiteral("Eksport do pliku CSV"),
                                QDir::current().filePath(suggestedName(what, registration, year, month)),
                                QStringLiteral("Pliki CSV (*.csv)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".csv");
    const auto rows = lines(table, trips ? tripColumns() : costColumns());
    if (!csv::write(fileName, csv::document(rows)))
        dialogs.messageBox(
            QStringLiteral("Nie można zapisać pliku \"%1\" - sprawdź, czy folder istnieje i czy "
                           "masz w nim prawo zapisu.")
                .arg(QDir::toNativeSeparators(fileName)),
            QStringLiteral("Błąd"));
}

} // namespace tarlok::registerexport
