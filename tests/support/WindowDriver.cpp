#include "WindowDriver.h"

#include "Typing.h"

#include "widgets/DbGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace tarlok::test {

bool WindowDriver::isShown() const {
    return driven().isVisible();
}

QString WindowDriver::title() const {
    return driven().windowTitle();
}

void WindowDriver::pressEscape() {
    QTest::keyClick(&driven(), Qt::Key_Escape);
}

void WindowDriver::closeByTitleBar() {
    driven().close();
}

void WindowDriver::pressButton(QAbstractButton* button, By by, bool mustShow) {
    QVERIFY2(!mustShow || button->isVisible(), qPrintable(button->objectName() + " is hidden"));
    QVERIFY2(button->isEnabled(), qPrintable(button->objectName() + " is disabled"));
    if (by == By::Mouse)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->click();
}

QStringList WindowDriver::itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->itemText(i));
    return items;
}

void WindowDriver::chooseFromList(QComboBox* list, const QString& text, bool mustShow) {
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(QStringLiteral("\"%1\" is not listed in %2: %3")
                                        .arg(text, list->objectName(), itemsOf(list).join(", "))));
    QVERIFY2(list->isEnabled() && (!mustShow || list->isVisible()),
             qPrintable(list->objectName() + " cannot be used"));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void WindowDriver::typeIntoList(QComboBox* list, const QString& text) {
    QLineEdit* edit = list->lineEdit();
    retype(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void WindowDriver::typeMore(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->end(false);
    typeText(box, text);
}

void WindowDriver::clickRow(QTableView* grid, int row, int column, bool mustBeUsable) {
    const QModelIndex index = grid->model()->index(row, column);
    QVERIFY2(index.isValid(),
             qPrintable(QStringLiteral("%1 has no row %2").arg(grid->objectName()).arg(row)));
    QVERIFY2(!mustBeUsable || (grid->isEnabled() && grid->isVisible()),
             qPrintable(grid->objectName() + " cannot be clicked"));
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

QString WindowDriver::cellText(const QAbstractItemView* grid, int row, int column) {
    const QAbstractItemModel* model = grid->model();
    return model->index(row, column).data().toString();
}

QColor WindowDriver::textColour(const DbGrid* grid, int row, int column, bool selected) {
    QColor text(Qt::blue);
    QColor background(Qt::white);
    grid->cellColors()(row, column, selected, text, background);
    return text;
}

} // namespace tarlok::test
