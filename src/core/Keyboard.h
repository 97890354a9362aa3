#pragma once

class QAbstractButton;
class QKeySequence;
class QWidget;

namespace tarlok {

// The keyboard rules every window of the registry follows, given once when the window is adopted:
// - a grid or list is one stop of Tab: Tab and Shift+Tab leave it, the arrows move inside it; a grid
//   that only shows sums (nothing to select, nothing to edit) is no stop at all;
// - a box that cannot be typed into (read only, now or later) is out of the Tab order;
// - Ctrl+Tab and Ctrl+Shift+Tab switch the window's tabs from anywhere in it;
// - a window larger than the screen's work area gets scroll bars inside instead of an edge off the
//   screen.
void keepKeyboardRules(QWidget& window);

// A second way to press `button`: `keys` press it while it is shown and enabled (so a button on a
// hidden tab page does not answer), and its hint names the keys.
void pressOnKeys(QAbstractButton* button, const QKeySequence& keys);

} // namespace tarlok
