#pragma once

#include "Help.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <memory>

class QDialog;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace tarlok {

// The program's help: Polish pages compiled into the program, one per window (under the topic number
// the window's "Pomoc" button and F1 open) and one per task, with links between them, a contents page
// and a search over every page. The window opens at a topic and stays open beside the program.
class HelpWindow final : public Help {
public:
    HelpWindow();
    ~HelpWindow() override;
    void setHelpFile(const QString& file) override { m_file = file; }
    QString helpFile() const override { return m_file; }
    void showTopic(int topic) override;

    struct Page {
        QUrl url;
        int topic = 0; // 0 for the contents page
        QString title;
        QString text; // the page as plain text
    };
    // The page of a topic; an empty address when no page has that number.
    static QUrl topicUrl(int topic);
    // The contents page.
    static QUrl contentsUrl();
    // Every page, the contents first, then by topic number.
    static const QList<Page>& pages();
    // The pages that hold every word of `query`, regardless of case and of Polish letters typed
    // without their marks ("zaliczka" finds "zaliczkę", "lacznie" finds "łącznie").
    static QList<Page> search(const QString& query);

    // The window itself, once a topic was shown (for tests and screenshots).
    QDialog* window() const { return m_window.get(); }
    QTextBrowser* browser() const { return m_browser; }
    QLineEdit* searchBox() const { return m_search; }
    QListWidget* results() const { return m_results; }

private:
    void build();
    void showResults();
    void openResult();

    QString m_file;
    std::unique_ptr<QDialog> m_window;
    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_search = nullptr;
    QListWidget* m_results = nullptr;
};

} // namespace tarlok
