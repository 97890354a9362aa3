#include "KeyboardUser.h"

#include "Typing.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWidget>

namespace tarlok::test {

namespace {
int pressed = 0;
} // namespace

int KeyboardUser::count() {
    return pressed;
}

bool KeyboardUser::enter(QWidget* window) {
    if (!window || !window->isVisible())
        return false;
    // Keys and shortcuts go to the window the platform has focused.
    window->activateWindow();
    QApplication::setActiveWindow(window);
    for (int i = 0; i < 100; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->window() == window && QGuiApplication::focusWindow() == window->windowHandle())
            return true;
        QTest::qWait(10);
    }
    return false;
}

QWidget* KeyboardUser::focusWidget() {
    return QApplication::focusWidget();
}

QString KeyboardUser::focused() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QString name = w->objectName();
        const bool inner =
            qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget());
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !inner)
            return name;
    }
    return QString();
}

void KeyboardUser::press(QKeyCombination keys) {
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        qFatal("no control has the focus");
    ++pressed;
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    // A button's Alt+letter presses it as a click that shows: it is released a moment later.
    if (keys.keyboardModifiers() & Qt::AltModifier)
        QTest::qWait(150);
    // What a key leaves to the event loop (an edited cell is committed from there) is done before the
    // next key, as between a user's keys.
    QCoreApplication::processEvents();
}

void KeyboardUser::press(Qt::Key key, int times) {
    for (int i = 0; i < times; ++i)
        press(key);
}

void KeyboardUser::type(const QString& text) {
    // Key by key to whatever has the focus then: the first key into a grid's cell opens its editor.
    for (const QChar ch : text) {
        ++pressed;
        typeText(QApplication::focusWidget(), QString(ch));
    }
}

void KeyboardUser::retype(const QString& text) {
    press(Qt::CTRL | Qt::Key_A);
    if (text.isEmpty())
        press(Qt::Key_Backspace);
    else
        type(text);
}

bool KeyboardUser::tabTo(const QString& name, QStringList* seen) {
    for (int i = 0; i < 80; ++i) {
        if (focused() == name)
            return true;
        if (seen)
            *seen << focused();
        press(Qt::Key_Tab);
    }
    return false;
}

namespace {

QStringList round(QKeyCombination keys, int limit) {
    const QWidget* start = QApplication::focusWidget();
    QStringList stops{KeyboardUser::focused()};
    for (int i = 0; i < limit; ++i) {
        KeyboardUser::press(keys);
        if (QApplication::focusWidget() == start)
            return stops;
        stops << KeyboardUser::focused();
    }
    stops << QStringLiteral("(no way back)");
    return stops;
}

} // namespace

QStringList KeyboardUser::tabRound(int limit) {
    return round(QKeyCombination(Qt::Key_Tab), limit);
}

QStringList KeyboardUser::backtabRound(int limit) {
    return round(QKeyCombination(Qt::SHIFT, Qt::Key_Backtab), limit);
}

} // namespace tarlok::test
