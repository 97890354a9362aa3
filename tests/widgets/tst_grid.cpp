// The grid and the navigator bar over a table: following the cursor, moving it by mouse and keys, a
// refused move, editing in place, colours, and a large table.

#include "WidgetTestTable.h"

#include "store/Database.h"
#include "widgets/DbGrid.h"
#include "widgets/DbNavigator.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using namespace tarlok;
using tarlok::test::ErrorLog;
using tarlok::test::TestTable;

namespace {

const QString kNazwa = QStringLiteral("Nazwa");
const QString kKwota = QStringLiteral("Kwota");
const QString kIlosc = QStringLiteral("Ilosc");

// Five rows: Wiersz1 .. Wiersz5 with Ilosc 1 .. 5 and Kwota 1.5 .. 7.5.
void addFiveRows(TestTable& t) {
    std::vector<tarlok::test::Row> rows;
    for (int i = 1; i <= 5; ++i)
        rows.push_back(
            {i, 1.5 * i, QStringLiteral("Wiersz%1").arg(i), QVariant(), QDate(2024, 1, i), QVariant()});
    t.add(rows);
}

// A grid with the columns Nazwa, Kwota ("0.00"), Ilosc, Data in a shown, active window.
struct GridWindow {
    QWidget widget;
    DbGrid* grid = new DbGrid(&widget);
    DbNavigator* navigator = new DbNavigator(&widget);
    QLineEdit* other = new QLineEdit(&widget);
    ErrorLog log;

    explicit GridWindow(Table* table) {
        auto* layout = new QVBoxLayout(&widget);
        layout->addWidget(grid);
        layout->addWidget(navigator);
        layout->addWidget(other);
        grid->addColumn(kNazwa, QStringLiteral("Nazwa"), 90, {});
        grid->addColumn(kKwota, QStringLiteral("Kwota"), 70, {}, false, QStringLiteral("0.00"));
        grid->addColumn(kIlosc, QStringLiteral("Ilość"), 50, Qt::AlignCenter);
        grid->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 80, {});
        grid->setDataSource(table);
        navigator->setDataSource(table);
        setErrorHandlerForChildren(&widget, log.handler());
        widget.resize(420, 300);
    }

    QPoint cell(int row, int column) const {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    QString text(int row, int column) const { return grid->model()->index(row, column).data().toString(); }
    void click(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(row, column));
    }
};

} // namespace

class TestGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void showsRowsInDisplayFormats() {
        TestTable t;
        addFiveRows(t);
        GridWindow w(t.table.get());
        QVERIFY(tarlok::test::showActive(w.widget));

        QCOMPARE(w.grid->model()->rowCount(), 5);
        QCOMPARE(w.grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ilość"));
        QCOMPARE(w.text(0, 0), QStringLiteral("Wiersz1"));
        QCOMPARE(w.text(1, 1), QStringLiteral("3,00"));
        QCOMPARE(w.text(4, 2), QStringLiteral("5"));
        QCOMPARE(w.text(2, 3), QStringLiteral("3.01.2024"));
        const auto numberAlignment =
            Qt::Alignment(w.grid->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt());
        QVERIFY(numberAlignment & Qt::AlignRight);
        const auto centred = Qt::Alignment(w.grid->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt());
        QVERIFY(centred & Qt::AlignHCenter);

        // A row being inserted is shown where it will be, and goes again when cancelled.
        t.table->append();
        QCOMPARE(w.grid->model()->rowCount(), 6);
        QCOMPARE(w.grid->currentIndex().row(), 5);
        t.table->setValue(kNazwa, QStringLiteral("Nowy"));
        QCOMPARE(w.text(5, 0), QStringLiteral("Nowy"));
        t.table->cancel();
        QCOMPARE(w.grid->model()->rowCount(), 5);
    }

    void followsTheTableAndMovesIt() {
        TestTable t;
        addFiveRows(t);
        GridWindow w(t.table.get());
        w.grid->setRowSelect(true);
        QVERIFY(tarlok::test::showActive(w.widget));
        QSignalSpy clicks(w.grid, &DbGrid::cellClick);

        QCOMPARE(w.grid->currentIndex().row(), 0);
        t.table->next();
        QCOMPARE(w.grid->currentIndex().row(), 1);
        t.table->last();
        QCOMPARE(w.grid->currentIndex().row(), 4);
        QVERIFY(w.grid->selectionModel()->isRowSelected(4, QModelIndex()));

        w.click(2, 1);
        QCOMPARE(t.table->recNo(), 2);
        QCOMPARE(t.table->asString(kNazwa), QStringLiteral("Wiersz3"));
        QCOMPARE(w.grid->currentIndex().row(), 2);
        QVERIFY(w.grid->selectionModel()->isRowSelected(2, QModelIndex()));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks[0][0].toInt(), 2);
        QCOMPARE(clicks[0][1].toInt(), 1);

        // Keys move the table.
        QSignalSpy keys(w.grid, &DbGrid::keyDown);
        w.grid->setFocus();
        QTest::keyClick(w.grid, Qt::Key_Down);
        QCOMPARE(t.table->recNo(), 3);
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys[0][0].toInt(), int(Qt::Key_Down));
        QTest::keyClick(w.grid, Qt::Key_Home);
        QCOMPARE(t.table->recNo(), 0);
        QTest::keyClick(w.grid, Qt::Key_End);
        QCOMPARE(t.table->recNo(), 4);
        QTest::keyClick(w.grid, Qt::Key_Up);
        QCOMPARE(t.table->recNo(), 3);
        QCOMPARE(w.grid->currentIndex().row(), 3);
        QTest::keyClick(w.grid, Qt::Key_PageUp);
        QCOMPARE(t.table->recNo(), 0);
        QTest::keyClick(w.grid, Qt::Key_PageDown);
        QCOMPARE(t.table->recNo(), 4);
        QCOMPARE(w.grid->currentIndex().row(), 4);

        // Suspended notifications: the grid stays until the table lets it follow again.
        t.table->disableControls();
        t.table->first();
        t.table->next();
        QCOMPARE(w.grid->currentIndex().row(), 4);
        t.table->enableControls();
        QCOMPARE(w.grid->currentIndex().row(), 1);
    }

    void refusedMoveKeepsThePendingRow() {
        TestTable t;
        addFiveRows(t);
        GridWindow w(t.table.get());
        QVERIFY(tarlok::test::showActive(w.widget));

        t.table->setPendingGuard(QStringLiteral("Zapisz najpierw wiersz"));
        t.table->next();
        t.table->edit();
        t.table->setValue(kNazwa, QStringLiteral("Zmieniony"));

        w.click(3, 0);
        QCOMPARE(w.log.pendingRows, 1);
        QCOMPARE(w.log.texts.value(0), QStringLiteral("Zapisz najpierw wiersz"));
        QCOMPARE(t.table->recNo(), 1);
        QCOMPARE(t.table->state(), Table::State::Edit);
        QCOMPARE(w.grid->currentIndex().row(), 1);
        QCOMPARE(w.text(1, 0), QStringLiteral("Zmieniony"));

        w.grid->setFocus();
        QTest::keyClick(w.grid, Qt::Key_Down);
        QCOMPARE(w.log.pendingRows, 2);
        QCOMPARE(w.grid->currentIndex().row(), 1);

        // A current index set from elsewhere is put back as well.
        w.grid->setCurrentIndex(w.grid->model()->index(4, 0));
        QCOMPARE(w.log.pendingRows, 3);
        QCOMPARE(w.grid->currentIndex().row(), 1);
        QCOMPARE(t.table->recNo(), 1);

        // Without the guard the changed row is stored by the move.
        t.table->setPendingGuard(QString());
        w.click(3, 0);
        QCOMPARE(t.table->recNo(), 3);
        QCOMPARE(t.stored(1, kNazwa), QVariant(QStringLiteral("Zmieniony")));
    }

    void editingInPlace() {
        TestTable t;
        addFiveRows(t);
        GridWindow w(t.table.get());
        w.grid->setInPlaceEditing(true);
        QVERIFY(tarlok::test::showActive(w.widget));
        w.other->setFocus();
        QSignalSpy entered(w.grid, &DbGrid::enter);
        QSignalSpy exited(w.grid, &DbGrid::exit);

        // Typing into a cell edits the row; Enter writes the cell into the record.
        w.grid->setFocus();
        QTest::keyClicks(w.grid->focusWidget(), QStringLiteral("X"));
        QCOMPARE(t.table->state(), Table::State::Edit);
        auto* editor = qobject_cast<QLineEdit*>(w.grid->focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Nowa"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits an editor's Enter from its event queue
        QCOMPARE(t.table->asString(kNazwa), QStringLiteral("Nowa"));
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Wiersz1")));
        QTest::mouseClick(w.navigator->button(DbNavigator::Button::Post), Qt::LeftButton);
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Nowa")));
        // Focus went into the grid and on into its cell editor: that is not leaving the grid.
        QCOMPARE(entered.count(), 1);
        QCOMPARE(exited.count(), 0);

        // A text that is no number: reported, the row stays in edit and the cell shows the text.
        const QModelIndex amount = w.grid->model()->index(0, 1);
        w.grid->setCurrentIndex(amount);
        w.grid->edit(amount);
        editor = qobject_cast<QLineEdit*>(w.grid->focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("1,5")); // the plain value, not the pattern
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("abc"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(w.log.conversions, 1);
        QVERIFY(w.log.texts.value(0).contains(QStringLiteral("abc")));
        QCOMPARE(t.table->state(), Table::State::Edit);
        QCOMPARE(w.text(0, 1), QStringLiteral("abc"));
        QTest::mouseClick(w.navigator->button(DbNavigator::Button::Post), Qt::LeftButton);
        QCOMPARE(w.log.conversions, 2);
        QCOMPARE(t.table->state(), Table::State::Edit);

        // Cancel drops the text and shows the stored value.
        QTest::mouseClick(w.navigator->button(DbNavigator::Button::Cancel), Qt::LeftButton);
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(w.text(0, 1), QStringLiteral("1,50"));

        // An open editor is written by a post.
        w.grid->edit(amount);
        editor = qobject_cast<QLineEdit*>(w.grid->focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("2,25"));
        t.table->post();
        QCOMPARE(t.stored(0, kKwota).toDouble(), 2.25);

        w.other->setFocus();
        QCOMPARE(exited.count(), 1);
        QCOMPARE(entered.count(), 1);
    }

    void coloursByWindowAndColumn() {
        TestTable t;
        addFiveRows(t);
        GridWindow w(t.table.get());
        Table* table = t.table.get();
        const int ilosc = table->fieldIndex(kIlosc);
        w.grid->setColumnBackground(2, QColor(Qt::lightGray));
        w.grid->setCellColors([table, ilosc](int row, int column, bool, QColor&, QColor& background) {
            if (column != 2 && table->displayRecord(row).value(ilosc).toLongLong() >= 4)
                background = QColor(Qt::red);
        });
        QVERIFY(tarlok::test::showActive(w.widget));
        t.table->moveTo(1); // the current cell is painted selected; rows 0 and 2 to 4 are not

        const QImage image = w.grid->viewport()->grab().toImage();
        auto colourAt = [&](int row, int column) {
            const QRect r = w.grid->visualRect(w.grid->model()->index(row, column));
            return image.pixelColor(r.left() + 2, r.top() + 2);
        };
        QCOMPARE(colourAt(3, 0), QColor(Qt::red));
        QCOMPARE(colourAt(4, 3), QColor(Qt::red));
        QVERIFY(colourAt(2, 0) != QColor(Qt::red));
        QCOMPARE(colourAt(3, 2), QColor(Qt::lightGray));
        QCOMPARE(colourAt(0, 2), QColor(Qt::lightGray));
    }

    void largeTableReadsOnlyVisibleRows() {
        TestTable t;
        auto table = t.open(false);
        table->addCalculatedField(QStringLiteral("Podwojna"), FieldType::Integer);
        int calculated = 0;
        table->onCalcFields = [&calculated](Table& row) {
            ++calculated;
            row.setValue(QStringLiteral("Podwojna"), row.asInteger(QStringLiteral("Ilosc")) * 2);
        };
        table->open();
        {
            Transaction transaction(*table);
            for (int i = 1; i <= 3000; ++i) {
                table->append();
                table->setValue(kIlosc, i);
                table->post();
            }
            transaction.commit();
        }
        table->first();

        QWidget window;
        auto* grid = new DbGrid(&window);
        grid->addColumn(kIlosc, QStringLiteral("Ilość"), 60, {});
        grid->addColumn(QStringLiteral("Podwojna"), QStringLiteral("Razy dwa"), 60, {});
        grid->setDataSource(table.get());
        window.resize(200, 300);
        QVERIFY(tarlok::test::showActive(window));

        calculated = 0;
        table->refresh();
        table->last();
        grid->viewport()->grab();
        QCOMPARE(grid->model()->rowCount(), 3000);
        QVERIFY2(calculated < 200, qPrintable(QString::number(calculated)));
        QCOMPARE(grid->currentIndex().row(), 2999);
        QCOMPARE(grid->model()->index(2999, 1).data().toString(), QStringLiteral("6000"));
    }

    void navigatorFollowsStateAndConfirmsDelete() {
        TestTable t;
        addFiveRows(t);
        GridWindow w(t.table.get());
        QStringList hints;
        for (int i = 0; i < DbNavigator::kButtonCount; ++i)
            hints.append(QStringLiteral("Podpowiedź %1").arg(i));
        w.navigator->setHints(hints);
        bool answer = false;
        int asked = 0;
        w.navigator->setConfirmDelete([&] {
            ++asked;
            return answer;
        });
        QVERIFY(tarlok::test::showActive(w.widget));
        using B = DbNavigator::Button;
        auto enabled = [&](B b) {
            return w.navigator->button(b)->isEnabled();
        };
        auto click = [&](B b) {
            QTest::mouseClick(w.navigator->button(b), Qt::LeftButton);
        };

        QCOMPARE(w.navigator->button(B::Post)->toolTip(), QStringLiteral("Podpowiedź 7"));
        QCOMPARE(w.navigator->button(B::Refresh)->statusTip(), QStringLiteral("Podpowiedź 9"));
        QVERIFY(!enabled(B::First) && !enabled(B::Prior));
        QVERIFY(enabled(B::Next) && enabled(B::Last) && enabled(B::Edit) && enabled(B::Delete));
        QVERIFY(!enabled(B::Post) && !enabled(B::Cancel));

        click(B::Next);
        QCOMPARE(t.table->recNo(), 1);
        QVERIFY(enabled(B::First) && enabled(B::Prior));
        click(B::Last);
        QVERIFY(!enabled(B::Next) && !enabled(B::Last));

        click(B::Edit);
        QCOMPARE(t.table->state(), Table::State::Edit);
        QVERIFY(enabled(B::Post) && enabled(B::Cancel) && !enabled(B::Edit));
        click(B::Cancel);
        QCOMPARE(t.table->state(), Table::State::Browse);

        click(B::Delete);
        QCOMPARE(asked, 1);
        QCOMPARE(t.table->recordCount(), 5);
        answer = true;
        click(B::Delete);
        QCOMPARE(asked, 2);
        QCOMPARE(t.table->recordCount(), 4);
        QCOMPARE(w.grid->model()->rowCount(), 4);

        t.table->close();
        for (int i = 0; i < DbNavigator::kButtonCount; ++i)
            QVERIFY(!enabled(B(i)));
        QCOMPARE(w.grid->model()->rowCount(), 0);
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
