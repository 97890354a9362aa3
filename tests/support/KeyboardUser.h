#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>

class QWidget;

namespace tarlok::test {

// A user with the keyboard alone: every key goes to the control that has the focus, as the
// keyboard's keys do. The window a key press opens becomes the active one as a window manager makes
// it; nothing is clicked and no handler is called.
class KeyboardUser {
public:
    // Makes `window` the active window (what the window manager does for a window just shown) and
    // waits until a control of it has the focus; false when none takes it.
    static bool enter(QWidget* window);
    // The control with the focus, named as the window names it: its own object name, or that of the
    // nearest named control it belongs to (a radio button of its group, the box of a combo box).
    static QString focused();
    static QWidget* focusWidget();

    // One key, or one combination (Qt::CTRL | Qt::Key_N), to the focused control.
    static void press(QKeyCombination keys);
    static void press(Qt::Key key) { press(QKeyCombination(key)); }
    // Presses a key `times` times.
    static void press(Qt::Key key, int times);
    // Types text key by key into the focused control.
    static void type(const QString& text);
    // Replaces the focused box's text: Ctrl+A, then the text typed.
    static void retype(const QString& text);
    // Presses Tab until the control named `name` has the focus; false (with the stops seen) when it is
    // not reached within a round of the window.
    static bool tabTo(const QString& name, QStringList* seen = nullptr);
    // The stops of Tab from the focused control round the window back to it (at most `limit`
    // presses), and those of Shift+Tab the other way. A trap shows as a round that never comes back.
    static QStringList tabRound(int limit = 80);
    static QStringList backtabRound(int limit = 80);

    // The keys pressed so far (a typed character counts as one).
    static int count();
};

} // namespace tarlok::test
