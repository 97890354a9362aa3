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
using tarlok::test::TestTable;

namespace {

const QString kNazwa = QStringLiteral("Nazwa");
const QString kKwota = QStringLiteral("Kwota");
const QString kIlosc = QStringLiteral("Ilosc");
const QString kData = QStringLiteral("Data");

// Replaces the whole text of a box as a user does: select everything and type.
void retype(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    if (text.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(&edit, text);
}

// A window with edits bound to the test table's Nazwa, Kwota ("0.00"), Ilosc and Data, a navigator bar
// and a plain button that takes the focus. The table holds three rows:
//   Alfa  5  12.5  5 March 2024
//   Beta  7  3     6 March 2024   ticked, Opis "x"
//   Gamma (all else empty)
struct Form {
    TestTable t;
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    DbEdit name, amount, count, date;
    DbNavigator navigator;
    QPushButton other{QStringLiteral("inny")};
    ErrorLog log;

    explicit Form(bool rows = true) {
        if (rows)
            t.add({
                {5, 12.5, QStringLiteral("Alfa"), QVariant(), QDate(2024, 3, 5), QVariant()},
                {7, 3.0, QStringLiteral("Beta"), true, QDate(2024, 3, 6), QStringLiteral("x")},
                {QVariant(), QVariant(), QStringLiteral("Gamma"), QVariant(), QVariant(), QVariant()},
            });
        amount.setDisplayPattern(QStringLiteral("0.00"));
        name.setDataSource(table(), kNazwa);
        amount.setDataSource(table(), kKwota);
        count.setDataSource(table(), kIlosc);
        date.setDataSource(table(), kData);
        navigator.setDataSource(table());
        for (QWidget* w : std::initializer_list<QWidget*>{&name, &amount, &count, &date, &navigator, &other})
            layout->addWidget(w);
    }
    Table* table() { return t.table.get(); }
    bool show() {
        setErrorHandlerForChildren(&window, log.handler());
        return tarlok::test::showActive(window);
    }
    void post() { QTest::mouseClick(navigator.button(DbNavigator::Button::Post), Qt::LeftButton); }
};

} // namespace

class TestBoxes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void typingEditsAndPostStores() {
        Form f;
        QVERIFY(f.show());
        QCOMPARE(f.name.text(), QStringLiteral("Alfa"));
        QCOMPARE(f.amount.text(), QStringLiteral("12,50"));
        QCOMPARE(f.count.text(), QStringLiteral("5"));
        QCOMPARE(f.date.text(), QStringLiteral("5.03.2024"));

        QSignalSpy changed(&f.name, &DbEdit::changed);
        retype(f.amount, QStringLiteral("7,25"));
        QCOMPARE(f.table()->state(), Table::State::Edit);
        retype(f.name, QStringLiteral("Delta"));
        QCOMPARE(changed.count(), 5);
        // Two texts pending at once: writing the first must not repaint the second away.
        f.count.setTextSilently(QStringLiteral("-3"));
        f.post();
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Delta")));
        QCOMPARE(f.t.stored(0, kKwota).toDouble(), 7.25);
        QCOMPARE(f.t.stored(0, kIlosc).toLongLong(), -3);
        QCOMPARE(f.t.stored(1, kNazwa), QVariant(QStringLiteral("Beta")));
        QCOMPARE(f.amount.text(), QStringLiteral("7,25"));

        // The next row; an emptied box empties its field.
        f.table()->next();
        QCOMPARE(f.amount.text(), QStringLiteral("3,00"));
        retype(f.amount, QString());
        f.post();
        QVERIFY(f.t.stored(1, kKwota).isNull());
        QVERIFY(f.log.texts.isEmpty());
    }

    void typingIntoEmptyTableInserts() {
        Form f(false);
        QVERIFY(f.show());
        retype(f.name, QStringLiteral("Nowy"));
        QCOMPARE(f.table()->state(), Table::State::Insert);
        QCOMPARE(f.name.text(), QStringLiteral("Nowy"));
        f.post();
        QCOMPARE(f.table()->recordCount(), 1);
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Nowy")));
    }

    void leavingOrEnterWritesIntoRecord() {
        Form f;
        QVERIFY(f.show());
        retype(f.count, QStringLiteral("9"));
        f.other.setFocus();
        QCOMPARE(f.table()->value(kIlosc), QVariant(qlonglong(9)));
        retype(f.amount, QStringLiteral("1,5"));
        QTest::keyClick(&f.amount, Qt::Key_Return);
        QCOMPARE(f.table()->value(kKwota).toDouble(), 1.5);
        // Into the record only: the file keeps the old row until the post.
        QCOMPARE(f.table()->state(), Table::State::Edit);
        QCOMPARE(f.t.stored(0, kIlosc).toLongLong(), 5);
    }

    void codeSettingTheFieldReplacesTypedText() {
        Form f;
        QVERIFY(f.show());
        retype(f.name, QStringLiteral("Wpisany"));
        f.table()->setValue(kIlosc, 11); // another field: the typed name stays
        QCOMPARE(f.name.text(), QStringLiteral("Wpisany"));
        QCOMPARE(f.count.text(), QStringLiteral("11"));
        f.table()->setValue(kNazwa, QStringLiteral("Z kodu")); // its own field: the code's value wins
        QCOMPARE(f.name.text(), QStringLiteral("Z kodu"));
        f.table()->post();
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Z kodu")));
    }

    void cancelShowsStoredValues() {
        Form f;
        QVERIFY(f.show());
        retype(f.name, QStringLiteral("Zeta"));
        retype(f.amount, QStringLiteral("99"));
        QCOMPARE(f.table()->asString(kNazwa), QStringLiteral("Zeta"));
        QTest::mouseClick(f.navigator.button(DbNavigator::Button::Cancel), Qt::LeftButton);
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(f.name.text(), QStringLiteral("Alfa"));
        QCOMPARE(f.amount.text(), QStringLiteral("12,50"));
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Alfa")));
    }

    void badTextKeepsRowInEditAndReports() {
        Form f;
        QVERIFY(f.show());
        retype(f.amount, QStringLiteral("12x"));
        f.post();
        QCOMPARE(f.log.conversions, 1);
        QVERIFY2(f.log.texts.value(0).contains(QStringLiteral("12x")), qPrintable(f.log.texts.value(0)));
        QCOMPARE(f.table()->state(), Table::State::Edit);
        QCOMPARE(f.amount.text(), QStringLiteral("12x"));
        QCOMPARE(f.t.stored(0, kKwota).toDouble(), 12.5);
        // A post by code meets the same refusal.
        QVERIFY_THROWS_EXCEPTION(ConversionError, f.table()->post());

        retype(f.amount, QStringLiteral("4.75")); // a dot is read as well
        f.post();
        QCOMPARE(f.log.texts.size(), 1);
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(f.t.stored(0, kKwota).toDouble(), 4.75);

        // A fraction is no whole number; a day that does not exist is no date.
        retype(f.count, QStringLiteral("2,5"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, f.table()->post());
        retype(f.count, QStringLiteral("2"));
        retype(f.date, QStringLiteral("31.02.2024"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, f.table()->post());
        retype(f.date, QStringLiteral("7.03.2024"));
        f.table()->post();
        QCOMPARE(f.t.stored(0, kIlosc).toLongLong(), 2);
        QCOMPARE(f.t.stored(0, kData).toDate(), QDate(2024, 3, 7));
    }

    void alphaIsCutAndUpperCased() {
        Form f;
        QVERIFY(f.show());
        retype(f.name, QStringLiteral("ABCDEFGHIJKLMN"));
        QCOMPARE(f.name.text(), QStringLiteral("ABCDEFGHIJ"));
        f.post();
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("ABCDEFGHIJ")));

        f.name.setUpperCase(true);
        retype(f.name, QStringLiteral("wa 123"));
        QTest::sendKeyEvent(QTest::Click, &f.name, Qt::Key_unknown, QStringLiteral("ź"), Qt::NoModifier);
        QCOMPARE(f.name.text(), QStringLiteral("WA 123Ź"));
        f.post();
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("WA 123Ź")));
    }

    void silentTextAndReadOnly() {
        Form f;
        QVERIFY(f.show());
        QSignalSpy changed(&f.name, &DbEdit::changed);
        // A text given by code starts no edit and is no user change...
        f.name.setTextSilently(QStringLiteral("Kod"));
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);
        // ...but once the row is edited it is saved as shown.
        f.table()->edit();
        QCOMPARE(f.name.text(), QStringLiteral("Kod"));
        f.table()->post();
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Kod")));
        // While browsing, a move shows the next record instead.
        f.name.setTextSilently(QStringLiteral("Nic"));
        f.table()->next();
        QCOMPARE(f.name.text(), QStringLiteral("Beta"));
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Kod")));

        f.name.setReadOnly(true);
        f.name.setFocus();
        QTest::keyClicks(&f.name, QStringLiteral("Q"));
        QCOMPARE(f.name.text(), QStringLiteral("Beta"));
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);
    }

    void bindingAtRunTime() {
        Form f;
        auto closed = f.t.open(false);
        DbText label;
        label.setDisplayPattern(QStringLiteral("0.00"));
        label.setDataSource(closed.get(), kKwota);
        f.name.setDataSource(closed.get(), kNazwa);
        f.layout->addWidget(&label);
        QVERIFY(f.show());

        // A closed table shows nothing and takes nothing.
        QCOMPARE(f.name.text(), QString());
        retype(f.name, QStringLiteral("abc"));
        f.other.setFocus();
        QCOMPARE(closed->state(), Table::State::Inactive);
        QVERIFY(f.log.texts.isEmpty());
        closed->open();
        QCOMPARE(f.name.text(), QStringLiteral("Alfa"));
        QCOMPARE(label.text(), QStringLiteral("12,50"));
        closed->close();
        QCOMPARE(f.name.text(), QString());
        QCOMPARE(label.text(), QString());

        // Unbinding drops the box's writer: what was typed before is not stored.
        f.name.setDataSource(f.table(), kNazwa);
        retype(f.name, QStringLiteral("Inny"));
        f.name.setDataSource(nullptr, QString());
        QCOMPARE(f.name.text(), QString());
        f.table()->post();
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Alfa")));

        // A destroyed box leaves no writer behind.
        auto* temporary = new DbEdit(&f.window);
        temporary->setDataSource(f.table(), kNazwa);
        temporary->show();
        retype(*temporary, QStringLiteral("Tymczas"));
        delete temporary;
        f.table()->post();
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("Alfa")));
    }

    void disabledControlsRepaintAtTheEnd() {
        Form f;
        QVERIFY(f.show());
        f.table()->disableControls();
        f.table()->next();
        f.table()->next();
        QCOMPARE(f.name.text(), QStringLiteral("Alfa"));
        f.table()->enableControls();
        QCOMPARE(f.name.text(), QStringLiteral("Gamma"));
    }

    void checkBoxWritesItsValuesAtOnce() {
        Form f;
        DbCheckBox used(QStringLiteral("Używany"));
        DbCheckBox tag(QStringLiteral("Znacznik"));
        DbCheckBox flag(QStringLiteral("Flaga"));
        used.setDataSource(f.table(), QStringLiteral("Uzywany"));
        tag.setValues(QStringLiteral("T"), QStringLiteral("N"));
        tag.setDataSource(f.table(), kNazwa);
        flag.setValues(7, 0);
        flag.setDataSource(f.table(), kIlosc);
        for (QWidget* w : std::initializer_list<QWidget*>{&used, &tag, &flag})
            f.layout->addWidget(w);
        QVERIFY(f.show());

        QVERIFY(!used.isChecked()); // an empty field
        QVERIFY(!flag.isChecked()); // 5
        f.table()->next();
        QVERIFY(used.isChecked());
        QVERIFY(flag.isChecked()); // 7
        f.table()->prior();

        QSignalSpy changed(&used, &DbCheckBox::changed);
        QTest::mouseClick(&used, Qt::LeftButton, {}, QPoint(8, used.height() / 2));
        QVERIFY(used.isChecked());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.table()->state(), Table::State::Edit);
        QCOMPARE(f.table()->value(QStringLiteral("Uzywany")), QVariant(true));

        // Values other than true/false; a field holding neither shows unticked.
        QVERIFY(!tag.isChecked());
        QTest::keyClick(&tag, Qt::Key_Space);
        QCOMPARE(f.table()->value(kNazwa), QVariant(QStringLiteral("T")));
        QTest::keyClick(&tag, Qt::Key_Space);
        QCOMPARE(f.table()->value(kNazwa), QVariant(QStringLiteral("N")));
        f.table()->post();
        QCOMPARE(f.t.stored(0, QStringLiteral("Uzywany")), QVariant(true));
        QCOMPARE(f.t.stored(0, kNazwa), QVariant(QStringLiteral("N")));

        used.setReadOnly(true);
        QTest::keyClick(&used, Qt::Key_Space);
        QTest::mouseClick(&used, Qt::LeftButton, {}, QPoint(8, used.height() / 2));
        QVERIFY(used.isChecked());
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 1);
    }

    void comboKeepsTextApartFromList() {
        Form f;
        DbComboBox combo;
        combo.setDataSource(f.table(), kIlosc);
        f.layout->addWidget(&combo);
        QVERIFY(f.show());
        QSignalSpy changed(&combo, &DbComboBox::changed);

        QCOMPARE(combo.text(), QStringLiteral("5"));
        combo.setItems({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")});
        QCOMPARE(combo.text(), QStringLiteral("5"));
        combo.setItems({QStringLiteral("40"), QStringLiteral("5")});
        QCOMPARE(combo.text(), QStringLiteral("5"));
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);

        // Choosing from the list edits the row.
        combo.setItems({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")});
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.table()->state(), Table::State::Edit);
        const QString chosen = combo.text();
        QVERIFY2(combo.items().contains(chosen), qPrintable(chosen));
        f.post();
        QCOMPARE(f.t.stored(0, kIlosc), QVariant(chosen.toLongLong()));

        // Typing edits it too, leaving the box writes the text; the list stays as it was.
        retype(*combo.lineEdit(), QStringLiteral("23"));
        f.other.setFocus();
        QCOMPARE(f.table()->value(kIlosc), QVariant(qlonglong(23)));
        f.post();
        QCOMPARE(f.t.stored(0, kIlosc).toLongLong(), 23);
        QCOMPARE(combo.count(), 3);

        combo.setReadOnly(true);
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.text(), QStringLiteral("23"));
        QCOMPARE(f.table()->state(), Table::State::Browse);
    }

    void memoEditsAndCancels() {
        Form f;
        DbMemo memo;
        memo.setDataSource(f.table(), QStringLiteral("Opis"));
        f.layout->addWidget(&memo);
        QVERIFY(f.show());

        memo.setFocus();
        QTest::keyClicks(&memo, QStringLiteral("Linia"));
        QTest::keyClick(&memo, Qt::Key_Return);
        QTest::keyClicks(&memo, QStringLiteral("Dwa"));
        QCOMPARE(f.table()->state(), Table::State::Edit);
        f.post();
        QCOMPARE(f.t.stored(0, QStringLiteral("Opis")), QVariant(QStringLiteral("Linia\nDwa")));

        QTest::keyClicks(&memo, QStringLiteral("!"));
        f.table()->cancel();
        QCOMPARE(memo.text(), QStringLiteral("Linia\nDwa"));
        f.table()->next();
        QCOMPARE(memo.text(), QStringLiteral("x"));
    }

    void dateEditReportsOnlyUserChanges() {
        Form f;
        DbDateEdit free;
        f.layout->addWidget(&free);
        QVERIFY(f.show());
        QSignalSpy changed(&free, &DbDateEdit::changed);

        QVERIFY(free.isEmpty());
        free.setDate(QDate(2024, 5, 6));
        QCOMPARE(free.date(), QDate(2024, 5, 6));
        QCOMPARE(free.text(), QStringLiteral("6.05.2024"));
        free.clear();
        QVERIFY(!free.date().isValid());
        QCOMPARE(free.text().trimmed(), QString());
        free.setDate(QDate(2024, 5, 6));
        QCOMPARE(changed.count(), 0);

        free.setFocus();
        free.setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(&free, Qt::Key_Up);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(free.date(), QDate(2024, 5, 7));
        free.selectAll();
        QTest::keyClick(&free, Qt::Key_Delete);
        QVERIFY(free.isEmpty());
        QCOMPARE(changed.count(), 2);
        emit free.calendarWidget()->clicked(QDate(2024, 5, 20)); // a day picked in the calendar
        QCOMPARE(free.date(), QDate(2024, 5, 20));
        QCOMPARE(changed.count(), 3);

        // A whole date typed with its dots stays in the picker, whether a section ends by its dot or by
        // its last possible digit.
        const std::pair<const char*, QDate> typed[] = {{"20.12.2025", QDate(2025, 12, 20)},
                                                       {"7.3.2026", QDate(2026, 3, 7)},
                                                       {"1.1.2025", QDate(2025, 1, 1)},
                                                       {"05.11.2024", QDate(2024, 11, 5)}};
        for (const auto& [keys, date] : typed) {
            free.setCurrentSection(QDateTimeEdit::DaySection);
            free.setSelectedSection(QDateTimeEdit::DaySection);
            QTest::keyClicks(&free, QString::fromLatin1(keys));
            QCOMPARE(free.date(), date);
            QVERIFY(free.hasFocus());
        }
    }

    void dateEditBoundToField() {
        Form f;
        DbDateEdit picker;
        picker.setDataSource(f.table(), kData);
        f.layout->addWidget(&picker);
        QVERIFY(f.show());
        QSignalSpy changed(&picker, &DbDateEdit::changed);

        QCOMPARE(picker.date(), QDate(2024, 3, 5));
        f.table()->last();
        QVERIFY(picker.isEmpty());
        f.table()->first();
        picker.setDate(QDate(2024, 4, 1));
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(changed.count(), 0);
        f.table()->first();
        QCOMPARE(picker.date(), QDate(2024, 3, 5));

        picker.setFocus();
        picker.setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(&picker, Qt::Key_Up);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.table()->state(), Table::State::Edit);
        f.post();
        QCOMPARE(f.t.stored(0, kData).toDate(), QDate(2024, 3, 6));
        QTest::keyClick(&picker, Qt::Key_Up);
        f.table()->cancel();
        QCOMPARE(picker.date(), QDate(2024, 3, 6));
    }

    void errorsReachTheWindowsHandler() {
        Form f;
        auto* panel = new QWidget(&f.window);
        auto* edit = new DbEdit(panel);
        auto* box = new DbCheckBox(QStringLiteral("pole"), panel);
        auto* panelLayout = new QVBoxLayout(panel);
        panelLayout->addWidget(edit);
        panelLayout->addWidget(box);
        f.layout->addWidget(panel);
        edit->setDataSource(f.table(), QStringLiteral("Brak"));
        box->setDataSource(f.table(), QStringLiteral("Brak2"));
        QVERIFY(f.show());

        retype(*edit, QStringLiteral("a"));
        f.other.setFocus();
        QCOMPARE(f.log.texts.size(), 1);
        QVERIFY2(f.log.texts[0].contains(QStringLiteral("Brak")), qPrintable(f.log.texts[0]));
        f.table()->cancel();
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(f.log.texts.size(), 2);
        QVERIFY2(f.log.texts[1].contains(QStringLiteral("Brak2")), qPrintable(f.log.texts[1]));
        QVERIFY(!box->isChecked());
    }
};

QTEST_MAIN(TestBoxes)
#include "tst_boxes.moc"
