#include "Help.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QVariant>
#include <QWidget>

#include <utility>

namespace tarlok {

namespace {

constexpr const char* kTopicProperty = "tarlokHelpTopic";

class HelpKey final : public QObject {
public:
    explicit HelpKey(std::function<void(int)> open) : m_open(std::move(open)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        const int topic = helpTopic(static_cast<QWidget*>(watched));
        if (topic <= 0)
            return false;
        m_open(topic);
        return true;
    }

private:
    std::function<void(int)> m_open;
};

} // namespace

void setHelpTopic(QWidget* widget, int topic) {
    widget->setProperty(kTopicProperty, topic);
}

int helpTopic(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant topic = w->property(kTopicProperty);
        if (topic.isValid())
            return topic.toInt();
    }
    return 0;
}

std::unique_ptr<QObject> helpKey(std::function<void(int topic)> open) {
    return std::make_unique<HelpKey>(std::move(open));
}

} // namespace tarlok
