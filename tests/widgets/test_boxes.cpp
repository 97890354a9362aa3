// The bound boxes as a user drives them: typing, leaving a box, Enter, posting, cancelling, and what
// each field type makes of a text.

#include "WidgetTestTable.h"

#include "widgets/DbCheckBox.h"
#include "widgets/DbComboBox.h"
#include "widgets/DbDateEdit.h"
#include "widgets/DbEdit.h"
#include "widgets/DbMemo.h"
#include "widgets/DbNavigator.h"
#include "widgets/DbText.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using namespace tarlok;
using tarlok::test::ErrorLog;
using tarlok::test::Row;
using tarlok::test::TestTable;

namespace {

const QString kNazwa = QStringLiteral("Nazwa");
const QString kKwota = QStringLiteral("Kwota");
const QString kIlosc = QStringLiteral("Ilosc");
const QString kData = QStringLiteral("Data");

// Three rows: Alfa 5 12.5 (5 March 2024), Beta 7 3 ticked (6 March 2024), Gamma with empty fields.
void addThreeRows(TestTable& t) {
    t.add({
        {5, 12.5, QStringLiteral("Alfa"), QVariant(), QDate(2024, 3, 5), QVariant()},
        {7, 3.0, QStringLiteral("Beta"), true, QDate(2024, 3, 6), QStringLiteral("x")},
        {QVariant(), QVariant(), QStringLiteral("Gamma"), QVariant(), QVariant(), QVariant()},
    });
}

// Replaces the whole text of a box as a user does: select everything and type.
void retype(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    if (text.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(&edit, text);
}

// A window holding the given widgets one under another, plus a plain button that takes the focus.
struct Window {
    QWidget widget;
    QVBoxLayout* layout = new QVBoxLayout(&widget);
    QPushButton* other = new QPushButton(QStringLiteral("inny"), &widget);

    void add(QWidget& w) { layout->addWidget(&w); }
    bool show() {
        layout->addWidget(other);
        return tarlok::test::showActive(widget);
    }
};

} // namespace

class TestBoxes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void typingEditsAndPostStores() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit name, amount, count;
        amount.setDisplayPattern(QStringLiteral("0.00"));
        name.setDataSource(t.table.get(), kNazwa);
        amount.setDataSource(t.table.get(), kKwota);
        count.setDataSource(t.table.get(), kIlosc);
        w.add(name);
        w.add(amount);
        w.add(count);
        QVERIFY(w.show());

        QCOMPARE(name.text(), QStringLiteral("Alfa"));
        QCOMPARE(amount.text(), QStringLiteral("12,50"));
        QCOMPARE(count.text(), QStringLiteral("5"));

        QSignalSpy changed(&name, &DbEdit::changed);
        retype(amount, QStringLiteral("7,25"));
        QCOMPARE(t.table->state(), Table::State::Edit);
        retype(name, QStringLiteral("Delta"));
        QCOMPARE(changed.count(), 5);
        // Two texts pending at once: writing the first must not repaint the second away.
        count.setTextSilently(QStringLiteral("-3"));
        t.table->post();

        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Delta")));
        QCOMPARE(t.stored(0, kKwota).toDouble(), 7.25);
        QCOMPARE(t.stored(0, kIlosc).toLongLong(), -3);
        QCOMPARE(t.stored(1, kNazwa), QVariant(QStringLiteral("Beta")));
        QCOMPARE(amount.text(), QStringLiteral("7,25"));

        // Moving shows the next row; an emptied box empties its field.
        t.table->next();
        QCOMPARE(name.text(), QStringLiteral("Beta"));
        QCOMPARE(amount.text(), QStringLiteral("3,00"));
        retype(amount, QString());
        t.table->post();
        QVERIFY(t.stored(1, kKwota).isNull());
    }

    void typingIntoEmptyTableInserts() {
        TestTable t;
        Window w;
        DbEdit name;
        name.setDataSource(t.table.get(), kNazwa);
        w.add(name);
        QVERIFY(w.show());

        retype(name, QStringLiteral("Nowy"));
        QCOMPARE(t.table->state(), Table::State::Insert);
        QCOMPARE(name.text(), QStringLiteral("Nowy"));
        t.table->post();
        QCOMPARE(t.table->recordCount(), 1);
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Nowy")));
    }

    void leavingOrEnterWritesIntoRecord() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit amount, count;
        amount.setDataSource(t.table.get(), kKwota);
        count.setDataSource(t.table.get(), kIlosc);
        w.add(amount);
        w.add(count);
        QVERIFY(w.show());

        retype(count, QStringLiteral("9"));
        w.other->setFocus();
        QCOMPARE(t.table->value(kIlosc), QVariant(qlonglong(9)));

        retype(amount, QStringLiteral("1,5"));
        QTest::keyClick(&amount, Qt::Key_Return);
        QCOMPARE(t.table->value(kKwota).toDouble(), 1.5);

        // Written into the record only: the file keeps the old row until the post.
        QCOMPARE(t.table->state(), Table::State::Edit);
        QCOMPARE(t.stored(0, kIlosc).toLongLong(), 5);
    }

    void codeSettingTheFieldReplacesTypedText() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit name, count;
        name.setDataSource(t.table.get(), kNazwa);
        count.setDataSource(t.table.get(), kIlosc);
        w.add(name);
        w.add(count);
        QVERIFY(w.show());

        retype(name, QStringLiteral("Wpisany"));
        name.setFocus();
        t.table->setValue(kIlosc, 11); // another field: the typed name stays
        QCOMPARE(name.text(), QStringLiteral("Wpisany"));
        QCOMPARE(count.text(), QStringLiteral("11"));
        t.table->setValue(kNazwa, QStringLiteral("Z kodu")); // its own field: the code's value wins
        QCOMPARE(name.text(), QStringLiteral("Z kodu"));
        t.table->post();
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Z kodu")));
        QCOMPARE(t.stored(0, kIlosc).toLongLong(), 11);
    }

    void cancelShowsStoredValues() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit name, amount;
        amount.setDisplayPattern(QStringLiteral("0.00"));
        name.setDataSource(t.table.get(), kNazwa);
        amount.setDataSource(t.table.get(), kKwota);
        w.add(name);
        w.add(amount);
        QVERIFY(w.show());

        retype(name, QStringLiteral("Zeta"));
        retype(amount, QStringLiteral("99"));
        w.other->setFocus();
        QCOMPARE(t.table->asString(kNazwa), QStringLiteral("Zeta"));
        t.table->cancel();
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(name.text(), QStringLiteral("Alfa"));
        QCOMPARE(amount.text(), QStringLiteral("12,50"));
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Alfa")));
    }

    void badTextKeepsRowInEditAndReports() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit amount, count, date;
        DbNavigator navigator;
        amount.setDataSource(t.table.get(), kKwota);
        count.setDataSource(t.table.get(), kIlosc);
        date.setDataSource(t.table.get(), kData);
        navigator.setDataSource(t.table.get());
        w.add(amount);
        w.add(count);
        w.add(date);
        w.add(navigator);
        ErrorLog log;
        setErrorHandlerForChildren(&w.widget, log.handler());
        QVERIFY(w.show());

        retype(amount, QStringLiteral("12x"));
        QTest::mouseClick(navigator.button(DbNavigator::Button::Post), Qt::LeftButton);
        QCOMPARE(log.conversions, 1);
        QVERIFY2(log.texts.value(0).contains(QStringLiteral("12x")), qPrintable(log.texts.value(0)));
        QCOMPARE(t.table->state(), Table::State::Edit);
        QCOMPARE(amount.text(), QStringLiteral("12x"));
        QCOMPARE(t.stored(0, kKwota).toDouble(), 12.5);
        // A post by code meets the same refusal.
        QVERIFY_THROWS_EXCEPTION(ConversionError, t.table->post());
        QCOMPARE(t.table->state(), Table::State::Edit);

        retype(amount, QStringLiteral("4.75")); // a dot is read as well
        QTest::mouseClick(navigator.button(DbNavigator::Button::Post), Qt::LeftButton);
        QCOMPARE(log.texts.size(), 1);
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(t.stored(0, kKwota).toDouble(), 4.75);

        // A fraction is not a whole number; a date that does not exist is not a date.
        retype(count, QStringLiteral("2,5"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, t.table->post());
        retype(count, QStringLiteral("2"));
        retype(date, QStringLiteral("31.02.2024"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, t.table->post());
        retype(date, QStringLiteral("7.03.2024"));
        t.table->post();
        QCOMPARE(t.stored(0, kIlosc).toLongLong(), 2);
        QCOMPARE(t.stored(0, kData).toDate(), QDate(2024, 3, 7));
    }

    void alphaIsCutAndUpperCased() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit name;
        name.setDataSource(t.table.get(), kNazwa);
        w.add(name);
        QVERIFY(w.show());

        retype(name, QStringLiteral("ABCDEFGHIJKLMN"));
        QCOMPARE(name.text(), QStringLiteral("ABCDEFGHIJ"));
        t.table->post();
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("ABCDEFGHIJ")));

        name.setUpperCase(true);
        retype(name, QStringLiteral("wa 123"));
        QTest::sendKeyEvent(QTest::Click, &name, Qt::Key_unknown, QStringLiteral("ź"), Qt::NoModifier);
        QCOMPARE(name.text(), QStringLiteral("WA 123Ź"));
        t.table->post();
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("WA 123Ź")));
    }

    void silentTextAndReadOnly() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit name;
        name.setDataSource(t.table.get(), kNazwa);
        w.add(name);
        QVERIFY(w.show());
        QSignalSpy changed(&name, &DbEdit::changed);

        // A text given by code starts no edit and is no user change...
        name.setTextSilently(QStringLiteral("Kod"));
        QCOMPARE(name.text(), QStringLiteral("Kod"));
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);
        // ...but once the row is edited it is saved as shown.
        t.table->edit();
        QCOMPARE(name.text(), QStringLiteral("Kod"));
        t.table->post();
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Kod")));
        // While browsing, a move shows the next record instead.
        name.setTextSilently(QStringLiteral("Nic"));
        t.table->next();
        QCOMPARE(name.text(), QStringLiteral("Beta"));
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Kod")));

        name.setReadOnly(true);
        name.setFlat(true);
        QVERIFY(name.isFlat());
        name.setFocus();
        QTest::keyClicks(&name, QStringLiteral("Q"));
        QCOMPARE(name.text(), QStringLiteral("Beta"));
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);
    }

    void bindingAtRunTime() {
        TestTable t;
        addThreeRows(t);
        auto closed = t.open(false);
        Window w;
        DbEdit name;
        DbText label;
        label.setDisplayPattern(QStringLiteral("0.00"));
        name.setDataSource(closed.get(), kNazwa);
        label.setDataSource(closed.get(), kKwota);
        w.add(name);
        w.add(label);
        ErrorLog log;
        setErrorHandlerForChildren(&w.widget, log.handler());
        QVERIFY(w.show());

        // A closed table shows nothing and takes nothing.
        QCOMPARE(name.text(), QString());
        retype(name, QStringLiteral("abc"));
        w.other->setFocus();
        QCOMPARE(closed->state(), Table::State::Inactive);
        QVERIFY(log.texts.isEmpty());

        closed->open();
        QCOMPARE(name.text(), QStringLiteral("Alfa"));
        QCOMPARE(label.text(), QStringLiteral("12,50"));
        closed->close();
        QCOMPARE(name.text(), QString());
        QCOMPARE(label.text(), QString());

        name.setDataSource(t.table.get(), kIlosc);
        QCOMPARE(name.text(), QStringLiteral("5"));
        // Unbinding drops the box's writer: what was typed before is not stored.
        retype(name, QStringLiteral("8"));
        QCOMPARE(t.table->state(), Table::State::Edit);
        name.setDataSource(nullptr, QString());
        QCOMPARE(name.text(), QString());
        t.table->post();
        QCOMPARE(t.stored(0, kIlosc).toLongLong(), 5);

        // A destroyed box leaves no writer behind.
        auto* temporary = new DbEdit(&w.widget);
        temporary->setDataSource(t.table.get(), kNazwa);
        temporary->show();
        retype(*temporary, QStringLiteral("Tymczas"));
        delete temporary;
        t.table->post();
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("Alfa")));
    }

    void disabledControlsRepaintAtTheEnd() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbEdit name;
        name.setDataSource(t.table.get(), kNazwa);
        w.add(name);
        QVERIFY(w.show());

        t.table->disableControls();
        t.table->next();
        t.table->next();
        QCOMPARE(name.text(), QStringLiteral("Alfa"));
        t.table->enableControls();
        QCOMPARE(name.text(), QStringLiteral("Gamma"));
    }

    void checkBoxWritesItsValuesAtOnce() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbCheckBox used(QStringLiteral("Używany"));
        DbCheckBox tag(QStringLiteral("Znacznik"));
        used.setDataSource(t.table.get(), QStringLiteral("Uzywany"));
        tag.setValues(QStringLiteral("T"), QStringLiteral("N"));
        tag.setDataSource(t.table.get(), kNazwa);
        w.add(used);
        w.add(tag);
        QVERIFY(w.show());

        QVERIFY(!used.isChecked()); // an empty field
        t.table->next();
        QVERIFY(used.isChecked());
        t.table->prior();
        QVERIFY(!used.isChecked());

        QSignalSpy changed(&used, &DbCheckBox::changed);
        QTest::mouseClick(&used, Qt::LeftButton, {}, QPoint(8, used.height() / 2));
        QVERIFY(used.isChecked());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(t.table->state(), Table::State::Edit);
        QCOMPARE(t.table->value(QStringLiteral("Uzywany")), QVariant(true));

        // Values other than true/false; a field holding neither shows unticked.
        QVERIFY(!tag.isChecked());
        QTest::keyClick(&tag, Qt::Key_Space);
        QCOMPARE(t.table->value(kNazwa), QVariant(QStringLiteral("T")));
        QTest::keyClick(&tag, Qt::Key_Space);
        QCOMPARE(t.table->value(kNazwa), QVariant(QStringLiteral("N")));
        t.table->post();
        QCOMPARE(t.stored(0, QStringLiteral("Uzywany")), QVariant(true));
        QCOMPARE(t.stored(0, kNazwa), QVariant(QStringLiteral("N")));

        used.setReadOnly(true);
        QTest::keyClick(&used, Qt::Key_Space);
        QTest::mouseClick(&used, Qt::LeftButton, {}, QPoint(8, used.height() / 2));
        QVERIFY(used.isChecked());
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 1);

        // Integer stored values.
        DbCheckBox flag;
        flag.setValues(7, 0);
        flag.setDataSource(t.table.get(), kIlosc);
        QVERIFY(!flag.isChecked()); // 5
        t.table->next();
        QVERIFY(flag.isChecked()); // 7
    }

    void comboKeepsTextApartFromList() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbComboBox combo;
        combo.setDataSource(t.table.get(), kIlosc);
        w.add(combo);
        QVERIFY(w.show());
        QSignalSpy changed(&combo, &DbComboBox::changed);

        QCOMPARE(combo.text(), QStringLiteral("5"));
        combo.setItems({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")});
        QCOMPARE(combo.text(), QStringLiteral("5"));
        QCOMPARE(combo.count(), 3);
        combo.setItems({QStringLiteral("40"), QStringLiteral("5")});
        QCOMPARE(combo.text(), QStringLiteral("5"));
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);

        // Choosing from the list edits the row.
        combo.setFocus();
        combo.setItems({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")});
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(t.table->state(), Table::State::Edit);
        const QString chosen = combo.text();
        QVERIFY2(combo.items().contains(chosen), qPrintable(chosen));
        t.table->post();
        QCOMPARE(t.stored(0, kIlosc), QVariant(chosen.toLongLong()));

        // Typing edits it too, leaving the box writes the text; the list stays as it was.
        retype(*combo.lineEdit(), QStringLiteral("23"));
        w.other->setFocus();
        QCOMPARE(t.table->value(kIlosc), QVariant(qlonglong(23)));
        t.table->post();
        QCOMPARE(t.stored(0, kIlosc).toLongLong(), 23);
        QCOMPARE(combo.count(), 3);

        combo.setReadOnly(true);
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.text(), QStringLiteral("23"));
        QCOMPARE(t.table->state(), Table::State::Browse);
    }

    void memoEditsAndCancels() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbMemo memo;
        memo.setDataSource(t.table.get(), QStringLiteral("Opis"));
        w.add(memo);
        QVERIFY(w.show());

        QCOMPARE(memo.text(), QString());
        memo.setFocus();
        QTest::keyClicks(&memo, QStringLiteral("Linia"));
        QTest::keyClick(&memo, Qt::Key_Return);
        QTest::keyClicks(&memo, QStringLiteral("Dwa"));
        QCOMPARE(t.table->state(), Table::State::Edit);
        t.table->post();
        QCOMPARE(t.stored(0, QStringLiteral("Opis")), QVariant(QStringLiteral("Linia\nDwa")));

        QTest::keyClicks(&memo, QStringLiteral("!"));
        t.table->cancel();
        QCOMPARE(memo.text(), QStringLiteral("Linia\nDwa"));
        t.table->next();
        QCOMPARE(memo.text(), QStringLiteral("x"));
    }

    void dateEditReportsOnlyUserChanges() {
        Window w;
        DbDateEdit date;
        w.add(date);
        QVERIFY(w.show());
        QSignalSpy changed(&date, &DbDateEdit::changed);

        QVERIFY(date.isEmpty());
        QVERIFY(!date.date().isValid());
        date.setDate(QDate(2024, 5, 6));
        QCOMPARE(date.date(), QDate(2024, 5, 6));
        QCOMPARE(date.text(), QStringLiteral("6.05.2024"));
        date.clear();
        QVERIFY(date.isEmpty());
        QCOMPARE(date.text().trimmed(), QString());
        date.setDate(QDate(2024, 5, 6));
        QCOMPARE(changed.count(), 0);

        date.setFocus();
        date.setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(&date, Qt::Key_Up);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(date.date(), QDate(2024, 5, 7));

        date.selectAll();
        QTest::keyClick(&date, Qt::Key_Delete);
        QVERIFY(date.isEmpty());
        QCOMPARE(changed.count(), 2);

        // A day picked in the calendar.
        QVERIFY(date.calendarWidget());
        emit date.calendarWidget()->clicked(QDate(2024, 5, 20));
        QCOMPARE(date.date(), QDate(2024, 5, 20));
        QCOMPARE(changed.count(), 3);
    }

    void dateEditBoundToField() {
        TestTable t;
        addThreeRows(t);
        Window w;
        DbDateEdit date;
        date.setDataSource(t.table.get(), kData);
        w.add(date);
        QVERIFY(w.show());
        QSignalSpy changed(&date, &DbDateEdit::changed);

        QCOMPARE(date.date(), QDate(2024, 3, 5));
        t.table->last();
        QVERIFY(date.isEmpty());
        t.table->first();

        date.setDate(QDate(2024, 4, 1));
        QCOMPARE(t.table->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);
        t.table->first();
        QCOMPARE(date.date(), QDate(2024, 3, 5));

        date.setFocus();
        date.setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(&date, Qt::Key_Up);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(t.table->state(), Table::State::Edit);
        t.table->post();
        QCOMPARE(t.stored(0, kData).toDate(), QDate(2024, 3, 6));

        QTest::keyClick(&date, Qt::Key_Up);
        t.table->cancel();
        QCOMPARE(date.date(), QDate(2024, 3, 6));
    }

    void errorsReachTheWindowsHandler() {
        TestTable t;
        addThreeRows(t);
        Window w;
        auto* panel = new QWidget(&w.widget);
        auto* panelLayout = new QVBoxLayout(panel);
        auto* edit = new DbEdit(panel);
        auto* box = new DbCheckBox(QStringLiteral("pole"), panel);
        panelLayout->addWidget(edit);
        panelLayout->addWidget(box);
        w.layout->addWidget(panel);
        edit->setDataSource(t.table.get(), QStringLiteral("Brak"));
        box->setDataSource(t.table.get(), QStringLiteral("Brak2"));
        ErrorLog log;
        setErrorHandlerForChildren(&w.widget, log.handler());
        QVERIFY(w.show());

        retype(*edit, QStringLiteral("a"));
        w.other->setFocus();
        QCOMPARE(log.texts.size(), 1);
        QVERIFY2(log.texts[0].contains(QStringLiteral("Brak")), qPrintable(log.texts[0]));

        t.table->cancel();
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(log.texts.size(), 2);
        QVERIFY2(log.texts[1].contains(QStringLiteral("Brak2")), qPrintable(log.texts[1]));
        QVERIFY(!box->isChecked());
    }
};

QTEST_MAIN(TestBoxes)
#include "test_boxes.moc"
