#pragma once

#include <QString>

#include <memory>

namespace tarlok {

class Database;
class Table;

// A table object of its own on a file of the data folder ("Pojazdy.db"), not yet opened: for code that
// reads or writes a file without moving any window's table.
std::unique_ptr<Table> dataFolderTable(Database& database, const QString& file);

} // namespace tarlok
