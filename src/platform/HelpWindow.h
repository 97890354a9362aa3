#pragma once

#include "Help.h"

#include <QMap>
#include <memory>

class QDialog;
class QTextBrowser;

namespace tarlok {

// The program's help viewer: a window that opens at a topic number and shows a short Polish text for
// the topic.
class HelpWindow final : public Help {
public:
    HelpWindow();
    ~HelpWindow() override;
    void setHelpFile(const QString& file) override { m_file = file; }
    QString helpFile() const override { return m_file; }
    void showTopic(int topic) override;

    // The text of a topic (a general text for an unknown number).
    static QString topicText(int topic);

private:
    QString m_file;
    std::unique_ptr<QDialog> m_window;
    QTextBrowser* m_browser = nullptr;
};

} // namespace tarlok
