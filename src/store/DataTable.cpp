#include "DataTable.h"

#include "Database.h"
#include "Table.h"

namespace tarlok {

std::unique_ptr<Table> dataFolderTable(Database& database, const QString& file) {
    auto table = std::make_unique<Table>(database);
    table->setDatabaseName(QString::fromLatin1(Database::kAlias));
    table->setTableName(file);
    return table;
}

} // namespace tarlok
