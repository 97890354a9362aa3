#include "ModelTesting.h"

#include "widgets/DbGrid.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>

namespace tarlok::test {

namespace {
const char* const kWatched = "tarlokModelTester";
}

void watchModel(QAbstractItemModel* model) {
    if (!model || model->property(kWatched).toBool())
        return;
    model->setProperty(kWatched, true);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
}

void watchGrid(QAbstractItemView* grid) {
    watchModel(grid->model());
}

void watchAllGrids() {
    const QList<QWidget*> widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets)
        if (auto* grid = qobject_cast<DbGrid*>(widget))
            watchGrid(grid);
}

} // namespace tarlok::test
