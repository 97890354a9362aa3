#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace tarlok {

class Dialogs;
class Table;

// The trips and the costs of the register's period as the lines of a file: the columns of the tab's
// grid followed by the amounts the register computes for each row.
namespace registerexport {

struct Column {
    QString title;
    QString field;
    QString pattern; // a display pattern such as "0.00"; empty: as the grid shows the field
};

const std::vector<Column>& tripColumns();
const std::vector<Column>& costColumns();

// The header and one line per row of the table's view (the rows its grid lists, in the grid's order),
// numbers in the Polish format without grouping, dates as the grid writes them; a field the table
// lacks, or an empty value, gives an empty field.
QList<QStringList> lines(const Table& table, const std::vector<Column>& columns);

// A file name for the rows of a vehicle (by its registration) in a period: "Przejazdy_KR_1234A_2024_05.csv",
// the month left out for the whole year (0).
QString suggestedName(const QString& what, const QString& registration, int year, int month);

// The rows of `table` in view (the trips, `trips`, or the costs) of the vehicle `registration` in the
// period, written to a CSV file the user names (".csv" added when the name has no suffix); a period
// without rows says `nothingText` instead, a file that cannot be written says so.
void exportRows(Dialogs& dialogs, const Table& table, const QString& registration, int year, int month,
                const QString& what, const QString& nothingText, bool trips);

} // namespace registerexport

} // namespace tarlok
