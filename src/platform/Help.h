#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QObject;
class QWidget;

namespace tarlok {

// The help viewer: a help file and topics by number.
class Help {
public:
    virtual ~Help() = default;
    virtual void setHelpFile(const QString& file) = 0;
    virtual QString helpFile() const = 0;
    // Opens the current help file at a topic.
    virtual void showTopic(int topic) = 0;
};

// Remembers what was asked, for tests and the benchmark.
class RecordingHelp final : public Help {
public:
    void setHelpFile(const QString& file) override { m_file = file; }
    QString helpFile() const override { return m_file; }
    void showTopic(int topic) override { m_topics.append({m_file, topic}); }
    struct Shown {
        QString file;
        int topic = 0;
    };
    const QList<Shown>& shown() const { return m_topics; }

private:
    QString m_file;
    QList<Shown> m_topics;
};

// The topic F1 opens while the focus is in `widget` or in anything inside it: a window gives its own
// topic, a page of a window's tabs may give the page's.
void setHelpTopic(QWidget* widget, int topic);
// The topic of the nearest of `widget` and its parents that was given one; 0 when none was.
int helpTopic(const QWidget* widget);

// The program's F1 key: a filter for the whole application that opens, through `open`, the topic of
// the widget the key went to. Keys in a window without a topic pass on as usual.
std::unique_ptr<QObject> helpKey(std::function<void(int topic)> open);

} // namespace tarlok
