#pragma once

#include "Dialogs.h"

#include <QList>
#include <QMap>
#include <QQueue>
#include <QStringList>
#include <functional>

namespace tarlok {

// Dialogs for tests and for the benchmark: records every message (text, caption, buttons), answers
// questions from a queue, and shows modal windows without blocking. A script queued for a window
// class runs while that window is "modal" (it may press the window's buttons); the window is then
// closed unless the script leaves it open on purpose.
class ScriptedDialogs final : public Dialogs {
public:
    struct Record {
        QString text;
        QString caption;
        Buttons buttons = Buttons::Ok;
        bool answer = false; // the answer given to a question
    };

    explicit ScriptedDialogs(QString applicationTitle = QString());

    void message(const QString& text) override;
    void messageBox(const QString& text, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    int showModal(QWidget* window) override;
    QString askSaveFileName(const QString& caption, const QString& suggestedName,
                            const QString& filter) override;
    QString askOpenFileName(const QString& caption, const QString& folder, const QString& filter) override;

    // Questions are answered from this queue; an empty queue answers No and counts an unanswered one.
    void answer(bool yes) { m_answers.enqueue(yes); }
    void answerYes() { answer(true); }
    void answerNo() { answer(false); }
    int unanswered() const { return m_unanswered; }
    int pendingAnswers() const { return int(m_answers.size()); }

    // A script run by the next modal show of a window of this class (its metaObject class name).
    void onModal(const QString& className, std::function<void(QWidget*)> script);
    // When true (the default), a modal window is hidden again after its script (or at once when it
    // has no script), as if the user had closed it.
    void setCloseModalWindows(bool close) { m_closeModal = close; }

    // File names to save are answered from this queue; an empty queue answers "" (cancelled).
    void answerSaveFileName(const QString& fileName) { m_saveNames.enqueue(fileName); }
    struct SaveRequest {
        QString caption;
        QString suggestedName;
        QString filter;
    };
    const QList<SaveRequest>& saveRequests() const { return m_saveRequests; }
    // File names to read are answered from this queue; an empty queue answers "" (cancelled).
    void answerOpenFileName(const QString& fileName) { m_openNames.enqueue(fileName); }

    const QList<Record>& messages() const { return m_messages; }
    QStringList texts() const;
    QString lastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }
    const Record& last() const { return m_messages.last(); }
    bool contains(const QString& text) const { return texts().contains(text); }
    void clear() { m_messages.clear(); }

    // Class names of the windows shown modally, in order.
    const QStringList& modalShows() const { return m_modalShows; }
    void clearModalShows() { m_modalShows.clear(); }

    // Observers, for a benchmark or a test that wants to react to a message as it appears.
    std::function<void(const Record&)> onMessage;

private:
    QString m_title;
    QList<Record> m_messages;
    QQueue<bool> m_answers;
    QQueue<QString> m_saveNames;
    QQueue<QString> m_openNames;
    QList<SaveRequest> m_saveRequests;
    int m_unanswered = 0;
    QMap<QString, QQueue<std::function<void(QWidget*)>>> m_scripts;
    QStringList m_modalShows;
    bool m_closeModal = true;
};

} // namespace tarlok
