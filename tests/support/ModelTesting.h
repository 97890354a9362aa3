#pragma once

class QAbstractItemModel;
class QAbstractItemView;

namespace tarlok::test {

// Puts a QAbstractItemModelTester (failures reported as Qt Test failures) on `model` for as long as the
// model lives; a model already watched is left as it is.
void watchModel(QAbstractItemModel* model);
// The same for the model a grid shows.
void watchGrid(QAbstractItemView* grid);
// The same for every data grid of the program's windows.
void watchAllGrids();

} // namespace tarlok::test
