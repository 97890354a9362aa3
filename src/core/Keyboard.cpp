#include "Keyboard.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWindow>

namespace tarlok {

namespace {

// A box's own line edit inside a combo or spin box takes no focus of its own: its box does.
bool isInnerEdit(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent);
}

bool isReadOnly(const QWidget* w) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->isReadOnly();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
        return spin->isReadOnly();
    return false;
}

// A box that cannot be typed into is reached by a click (to copy its text), never by Tab; it follows
// the box's read-only state as code changes it.
class ReadOnlyOutOfTab final : public QObject {
public:
    explicit ReadOnlyOutOfTab(QWidget* box) : QObject(box) { follow(box); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ReadOnlyChange)
            follow(static_cast<QWidget*>(watched));
        return false;
    }

private:
    static void follow(QWidget* box) {
        box->setFocusPolicy(isReadOnly(box) ? Qt::ClickFocus : Qt::StrongFocus);
    }
};

// The work area of the window's screen less the window's frame (an estimate before it has one).
QSize roomOnScreen(const QWidget& window) {
    QScreen* screen = window.screen();
    if (!screen)
        return {};
    QMargins frame = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    if (frame.isNull())
        frame = QMargins(4, 30, 4, 4);
    const QRect area = screen->availableGeometry();
    return {area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom()};
}

// A window larger than the room on its screen: one laid out by a layout shrinks as far as the layout
// lets it; in one laid out by fixed positions the controls move into a scroll area of the window's
// size, in the same places and the same Tab order (they stay in the same window), and the window
// becomes as large as the room allows.
class FitToScreen final : public QObject {
public:
    explicit FitToScreen(QWidget* window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Show)
            fit();
        return false;
    }

private:
    void fit() {
        const QSize room = roomOnScreen(*m_window);
        if (room.isEmpty())
            return;
        if (!m_area) {
            const QSize full = m_window->size();
            if (full.width() <= room.width() && full.height() <= room.height())
                return;
            if (m_window->layout()) {
                // A laid-out window shrinks as far as its layout lets it.
                m_window->resize(full.boundedTo(room).expandedTo(m_window->minimumSizeHint()));
                return;
            }
            wrap(full);
        }
        // A scroll bar takes room from the other direction: the window widens (or heightens) by it.
        QSize wanted = m_area->widget()->size();
        if (wanted.height() > room.height())
            wanted.rwidth() += m_area->verticalScrollBar()->sizeHint().width();
        if (wanted.width() > room.width())
            wanted.rheight() += m_area->horizontalScrollBar()->sizeHint().height();
        m_window->resize(wanted.boundedTo(room));
    }

    void wrap(const QSize& full) {
        auto* area = new QScrollArea(m_window);
        area->setObjectName(QStringLiteral("PrzewijanaFormatka"));
        area->setFrameShape(QFrame::NoFrame);
        area->setFocusPolicy(Qt::NoFocus);
        auto* content = new QWidget;
        content->setObjectName(QStringLiteral("ZawartoscFormatki"));
        content->setFixedSize(full);
        area->setWidget(content);
        for (QObject* child : m_window->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w || w == area || w->isWindow())
                continue;
            const QRect place = w->geometry();
            const bool hidden = w->isHidden();
            w->setParent(content);
            w->setGeometry(place);
            w->setVisible(!hidden);
        }
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(full + QSize(area->verticalScrollBar()->sizeHint().width(),
                                              area->horizontalScrollBar()->sizeHint().height()));
        auto* layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(area);
        area->show();
        m_area = area;
    }

    QWidget* m_window;
    QPointer<QScrollArea> m_area;
};

// Tab in the program's windows, walked over the window's focus chain (the order its form sets) by
// the program's own rule rather than Qt's: a control that takes a focus proxy's place (a combo box's
// line edit, a tab widget) is passed by for the proxy, and a control whose items sit elsewhere in the
// chain (a radio group) is left from the group's own place, so a group never sends Tab round in a
// circle of its own.
constexpr const char* kKeyboardRules = "tarlokKeyboardRules";

bool takesTab(const QWidget* w, const QWidget* window) {
    return w != window && w->window() == window && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           !w->focusProxy() && w->isEnabled() && w->isVisibleTo(window);
}

// The stop a control belongs to: the outermost control around it (or itself) that takes Tab, so the
// items of a radio group or the line edit of a combo box stand for their group or box.
QWidget* stopOf(QWidget* w, const QWidget* window) {
    QWidget* stop = nullptr;
    for (QWidget* p = w; p && p != window; p = p->parentWidget())
        if (takesTab(p, window))
            stop = p;
    return stop;
}

bool insideItemView(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(p))
            return true;
    return false;
}

class TabWalk final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        auto* from = qobject_cast<QWidget*>(watched);
        if (!from || from != QApplication::focusWidget())
            return false;
        QWidget* window = from->window();
        // A cell being edited and a text that takes Tab as a character keep their own Tab.
        if (!window->property(kKeyboardRules).toBool() || insideItemView(from) ||
            qobject_cast<QPlainTextEdit*>(from) || qobject_cast<QTextEdit*>(from))
            return false;
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        QWidget* start = stopOf(from, window);
        if (!start)
            start = from;
        QWidget* to = start;
        do {
            to = forward ? to->nextInFocusChain() : to->previousInFocusChain();
        } while (to != start && stopOf(to, window) != to);
        if (to == start)
            return true;
        to->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        for (QWidget* p = to->parentWidget(); p; p = p->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(p))
                area->ensureWidgetVisible(to);
        }
        return true;
    }
};

void switchTab(QTabWidget* tabs, int step) {
    if (!tabs->isVisible() || !tabs->isEnabled() || tabs->count() < 2)
        return;
    for (int i = 1; i < tabs->count(); ++i) {
        const int next = (tabs->currentIndex() + step * i + tabs->count()) % tabs->count();
        if (tabs->isTabEnabled(next)) {
            tabs->setCurrentIndex(next);
            return;
        }
    }
}

} // namespace

void keepKeyboardRules(QWidget& window) {
    static QPointer<TabWalk> walk;
    if (!walk) {
        walk = new TabWalk(qApp);
        qApp->installEventFilter(walk);
    }
    window.setProperty(kKeyboardRules, true);
    for (QAbstractItemView* view : window.findChildren<QAbstractItemView*>()) {
        view->setTabKeyNavigation(false);
        if (view->selectionMode() == QAbstractItemView::NoSelection &&
            view->editTriggers() == QAbstractItemView::NoEditTriggers)
            view->setFocusPolicy(Qt::NoFocus);
    }
    for (QWidget* box : window.findChildren<QWidget*>()) {
        if ((qobject_cast<QLineEdit*>(box) && !isInnerEdit(box)) || qobject_cast<QAbstractSpinBox*>(box))
            box->installEventFilter(new ReadOnlyOutOfTab(box));
    }
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        QPointer<QTabWidget> guarded(tabs);
        const auto add = [&](QKeyCombination keys, int step) {
            auto* shortcut = new QShortcut(QKeySequence(keys), tabs);
            QObject::connect(shortcut, &QShortcut::activated, tabs, [guarded, step] {
                if (guarded)
                    switchTab(guarded, step);
            });
        };
        add(Qt::CTRL | Qt::Key_Tab, 1);
        add(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
        add(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1);
    }
    window.installEventFilter(new FitToScreen(&window));
}

void pressOnKeys(QAbstractButton* button, const QKeySequence& keys) {
    auto* shortcut = new QShortcut(keys, button);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->click();
    });
    const QString named = QStringLiteral("(%1)").arg(keys.toString(QKeySequence::NativeText));
    const auto withKeys = [&named](const QString& hint) {
        return hint.trimmed().isEmpty() ? named : hint.trimmed() + QLatin1Char(' ') + named;
    };
    button->setToolTip(withKeys(button->toolTip()));
    button->setStatusTip(withKeys(button->statusTip()));
}

} // namespace tarlok
