#include "ScriptedDialogs.h"

#include <QDialog>
#include <QWidget>

namespace tarlok {

ScriptedDialogs::ScriptedDialogs(QString applicationTitle) : m_title(std::move(applicationTitle)) {
}

void ScriptedDialogs::message(const QString& text) {
    m_messages.append({text, m_title, Buttons::Ok, false});
    if (onMessage)
        onMessage(m_messages.last());
}

void ScriptedDialogs::messageBox(const QString& text, const QString& caption) {
    m_messages.append({text, caption, Buttons::Ok, false});
    if (onMessage)
        onMessage(m_messages.last());
}

bool ScriptedDialogs::question(const QString& text, const QString& caption) {
    bool yes = false;
    if (m_answers.isEmpty())
        ++m_unanswered;
    else
        yes = m_answers.dequeue();
    m_messages.append({text, caption, Buttons::YesNo, yes});
    if (onMessage)
        onMessage(m_messages.last());
    return yes;
}

int ScriptedDialogs::showModal(QWidget* window) {
    const QString className = QString::fromLatin1(window->metaObject()->className());
    m_modalShows.append(className);
    window->show();
    auto scripts = m_scripts.find(className);
    if (scripts != m_scripts.end() && !scripts->isEmpty()) {
        auto script = scripts->dequeue();
        script(window);
    }
    int result = 0;
    if (auto* dialog = qobject_cast<QDialog*>(window))
        result = dialog->result();
    if (m_closeModal && window->isVisible())
        window->hide();
    return result;
}

void ScriptedDialogs::onModal(const QString& className, std::function<void(QWidget*)> script) {
    m_scripts[className].enqueue(std::move(script));
}

QStringList ScriptedDialogs::texts() const {
    QStringList list;
    for (const Record& r : m_messages)
        list.append(r.text);
    return list;
}

QString ScriptedDialogs::askSaveFileName(const QString& caption, const QString& suggestedName,
                                         const QString& filter) {
    m_saveRequests.append(SaveRequest{caption, suggestedName, filter});
    return m_saveNames.isEmpty() ? QString() : m_saveNames.dequeue();
}

QString ScriptedDialogs::askOpenFileName(const QString&, const QString&, const QString&) {
    return m_openNames.isEmpty() ? QString() : m_openNames.dequeue();
}

} // namespace tarlok
