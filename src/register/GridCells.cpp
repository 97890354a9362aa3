#include "GridCells.h"

#include <QTableWidget>

namespace tarlok::grids {

void setCell(QTableWidget* grid, int column, int row, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->setItem(row, column, item);
    }
    item->setText(text);
}

void fill(QTableWidget* grid, const QString& text) {
    for (int c = 0; c < grid->columnCount(); ++c)
        for (int r = 0; r < grid->rowCount(); ++r)
            setCell(grid, c, r, text);
}

QString cell(const QTableWidget* grid, int column, int row) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace tarlok::grids
