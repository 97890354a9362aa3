#pragma once

#include <QString>

class QTableWidget;

// The cells of the register's string grids (the sums under the trips and costs grids and the yearly
// summary), addressed as the grids are: column, then row.
namespace tarlok::grids {

// Writes a cell, right-aligned when it is new.
void setCell(QTableWidget* grid, int column, int row, const QString& text);
// Writes every cell of the grid.
void fill(QTableWidget* grid, const QString& text);
// The text of a cell; empty when it was never written.
QString cell(const QTableWidget* grid, int column, int row);

} // namespace tarlok::grids
