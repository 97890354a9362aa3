#include "Typing.h"

#include <QLineEdit>
#include <QTest>

namespace tarlok::test {

void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        typeText(box, text);
}

void retypeAndEnter(QLineEdit* box, const QString& text) {
    retype(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace tarlok::test
