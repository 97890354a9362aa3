// Enter in a box of any window confirms that box and nothing else: no button of the window is pressed,
// nothing is printed, stored, deleted or closed.
#include "support/Files.h"
#include "support/TestApp.h"
#include "support/Typing.h"
#include "support/WindowOpeners.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TSprawdzenieLicznika.h"
#include "reports/TFormularzWydrukow.h"
#include "store/Tables.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include <functional>

using namespace tarlok;
using tarlok::test::TestApp;

namespace {

// The boxes of a window a user can type into or choose in: line edits of their own, combo boxes,
// spin and date boxes, grids and lists.
QList<QWidget*> boxesOf(QWidget* window) {
    QList<QWidget*> boxes;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const bool inside = qobject_cast<QComboBox*>(w->parentWidget()) ||
                                qobject_cast<QAbstractSpinBox*>(w->parentWidget());
            if (!inside && !edit->isReadOnly())
                boxes << w;
        } else if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                   qobject_cast<QAbstractItemView*>(w)) {
            boxes << w;
        }
    }
    return boxes;
}

} // namespace

class EnterTest : public QObject {
    Q_OBJECT

private slots:
    void enterInEveryBoxPressesNothing_data() {
        QTest::addColumn<QString>("window");
        for (const QString& name : test::windowOpeners().keys())
            QTest::newRow(qPrintable(name)) << name;
    }
    void enterInEveryBoxPressesNothing() {
        QFETCH(QString, window);
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        app->dialogs.setCloseModalWindows(false); // a modal window stays open for the keys
        app->seed(QStringLiteral("Trasy"), {{"Trasa", "Kraków - Tarnów"}, {"Kilometry", 80}});
        app->database.createTable(app->dataFolder(), tables::ryczalt());
        QWidget* shown = test::windowOpeners()[window](*app);
        QVERIFY(shown);
        QVERIFY2(shown->isVisible(), "the window opens");
        app->dialogs.clear();
        app->output.clear();
        const auto before = test::folderBytes(app->dataFolder());

        QList<QWidget*> boxes = boxesOf(shown);
        if (boxes.isEmpty())
            boxes << shown; // a window of buttons and texts: Enter anywhere in it
        for (QWidget* box : boxes) {
            if (!box->isVisible() || !box->isEnabled())
                continue;
            box->setFocus();
            // The box's own text typed again, then Enter and the keypad's Enter.
            if (auto* edit = qobject_cast<QLineEdit*>(box))
                test::retype(edit, edit->text());
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
            const QString what = QStringLiteral("%1 in %2").arg(box->objectName(), window);
            QVERIFY2(shown->isVisible(), qPrintable("closed by Enter: " + what));
            QVERIFY2(app->output.count() == 0, qPrintable("printed by Enter: " + what));
            QVERIFY2(app->dialogs.texts().isEmpty(),
                     qPrintable("a message after Enter in " + what + ": " + app->dialogs.lastText()));
        }
        QCOMPARE(test::folderBytes(app->dataFolder()), before);
    }

    // Enter alone in a month box reached as the user reaches it (Tab, which selects its text) keeps the
    // month shown, the first time after opening too; a second Enter prints nothing either.
    void enterKeepsTheMonth_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : {"ewidencja", "ryczalt", "wydruki"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void enterKeepsTheMonth() {
        QFETCH(QString, window);
        auto app = TestApp::started();
        app->openRegisterOnAVehicle(); // May 2024
        app->dialogs.setCloseModalWindows(false);
        app->database.createTable(app->dataFolder(), tables::ryczalt());
        QWidget* shown = test::windowOpeners()[window](*app);
        auto* yearBox = shown->findChild<QComboBox*>(QStringLiteral("ComboBoxRok"));
        auto* monthBox = shown->findChild<QComboBox*>(QStringLiteral("ComboBoxMiesiac"));
        QVERIFY(yearBox && monthBox);
        QCOMPARE(monthBox->currentText(), QStringLiteral("Maj"));
        app->dialogs.clear();

        // From the year box to the month box as Tab goes: the year box is left, the month's text selected.
        QApplication::setActiveWindow(shown);
        yearBox->setFocus(Qt::TabFocusReason);
        monthBox->setFocus(Qt::TabFocusReason);
        monthBox->lineEdit()->selectAll();
        QTest::keyClick(monthBox, Qt::Key_Return);
        QCOMPARE(monthBox->currentText(), QStringLiteral("Maj"));
        QTest::keyClick(monthBox, Qt::Key_Return);
        QCOMPARE(monthBox->currentText(), QStringLiteral("Maj"));
        QCOMPARE(app->data().period().month, 5);
        QCOMPARE(app->output.count(), 0);
        QVERIFY2(app->dialogs.texts().isEmpty(), qPrintable(app->dialogs.lastText()));
    }
};

TARLOK_TEST_MAIN(EnterTest)
#include "tst_enter.moc"
