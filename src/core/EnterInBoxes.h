#pragma once

class QWidget;

namespace tarlok {

// Enter in a box confirms that box and nothing else. A dialog otherwise passes an Enter its boxes leave
// unused on to its default button (Qt makes the first push button of a dialog its default), so typing a
// year and pressing Enter would print, store or close. Every window of the registry gets this rule; a
// push button that has the focus still takes Enter itself.
void keepEnterInBoxes(QWidget& window);

} // namespace tarlok
