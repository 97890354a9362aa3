#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QAbstractItemView;
class QComboBox;
class QLineEdit;
class QTableView;
class QWidget;

namespace tarlok {
class DbGrid;
}

namespace tarlok::test {

// What the window drivers do alike: the window shown, its title, Escape and the title bar's close box,
// and the controls as a user works them (a button that must be usable, a list to pick from, a grid row
// to click, a cell to read). A driver of one window derives from it; the control helpers serve any.
class WindowDriver {
public:
    virtual ~WindowDriver() = default;

    bool isShown() const;
    QString title() const;
    void pressEscape();
    // The close box of the title bar.
    void closeByTitleBar();

    // How a button is pressed: its own click (the focus stays in the box typed into), or the mouse's
    // (the button takes the focus, so the box left confirms its text first).
    enum class By { Click, Mouse };
    // Presses a button the user can press: a disabled one fails the test, and a hidden one with
    // `mustShow`.
    static void pressButton(QAbstractButton* button, By by, bool mustShow = true);
    // Picks an item of a list as the user does (made current, then activated): an item not listed or a
    // disabled list fails the test, and a hidden one with `mustShow`.
    static void chooseFromList(QComboBox* list, const QString& text, bool mustShow = false);
    static QStringList itemsOf(const QComboBox* list);
    // Types into the box of a list, key by key, and presses Enter.
    static void typeIntoList(QComboBox* list, const QString& text);
    // Types more at the end of what a box holds, key by key.
    static void typeMore(QLineEdit* box, const QString& text);
    // Clicks a grid's row in `column`: a row that is not there fails the test, and a hidden or disabled
    // grid with `mustBeUsable`.
    static void clickRow(QTableView* grid, int row, int column, bool mustBeUsable = false);
    static QString cellText(const QAbstractItemView* grid, int row, int column);
    // The colour a data grid draws a cell's text in; QColor(Qt::blue) stands for the grid's own colour.
    static QColor textColour(const DbGrid* grid, int row, int column, bool selected);

protected:
    // The window driven.
    virtual QWidget& driven() const = 0;
};

} // namespace tarlok::test
