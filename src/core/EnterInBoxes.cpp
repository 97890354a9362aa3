#include "EnterInBoxes.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>

namespace tarlok {

namespace {

// Sits on the window itself, so it sees only the Enter that the focused control did not take: a box
// confirms its text and passes the key on, a focused push button takes it and never passes it on.
class EnterStopsAtWindow final : public QObject {
public:
    explicit EnterStopsAtWindow(QObject* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }

private:
    QObject* m_window;
};

} // namespace

void keepEnterInBoxes(QWidget& window) {
    // Only a dialog turns an unused Enter into a button's click; other windows ignore it anyway.
    if (qobject_cast<QDialog*>(&window))
        window.installEventFilter(new EnterStopsAtWindow(&window));
}

} // namespace tarlok
