#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace tarlok::test {

// Types `text` at the cursor of `widget`, key by key, as a user with a Polish keyboard does (letters
// such as "ń" included, which QTest::keyClicks cannot send).
void typeText(QWidget* widget, const QString& text);

// Replaces the whole text of a box as a user does: the box focused, everything selected and typed over
// key by key (an empty text is a Backspace over the selection).
void retype(QLineEdit* box, const QString& text);

// retype, then Return: a data-aware box writes what was typed into its row.
void retypeAndEnter(QLineEdit* box, const QString& text);

} // namespace tarlok::test
