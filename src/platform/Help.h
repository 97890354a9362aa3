#pragma once

#include <QList>
#include <QString>

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

} // namespace tarlok
