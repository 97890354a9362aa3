#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace tarlok {

// Every message box, question and modal show of the program goes through this interface: production
// uses message boxes and exec(); tests record the messages and answer questions from a queue.
class Dialogs {
public:
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    // A plain message with the application's title as caption and an OK button.
    virtual void message(const QString& text) = 0;
    // A message box with its own caption (for example "Błąd" or "Informacja") and an OK button.
    virtual void messageBox(const QString& text, const QString& caption) = 0;
    // A Yes/No question (caption "WYBIERZ" before every deletion); true for Yes.
    virtual bool question(const QString& text, const QString& caption) = 0;
    // Shows `window` modally and returns when it is closed; the result is the dialog's result code.
    virtual int showModal(QWidget* window) = 0;
    // Asks for the name of a file to write: a caption, a suggested name (a folder may stand before
    // it) and a filter such as "Pliki PDF (*.pdf)". Empty when the user cancels.
    virtual QString askSaveFileName(const QString& caption, const QString& suggestedName,
                                    const QString& filter) = 0;
    // Asks for the name of an existing file to read, in `folder`, with a filter as above. Empty when the
    // user cancels.
    virtual QString askOpenFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
};

// A file dialog of the program: Qt's own dialog, its list's dates and sizes written in the program's
// locale (Polish) whatever the system's locale is, as everything else in the program.
void useProgramLocale(QFileDialog& dialog);

// Production dialogs: QMessageBox and QDialog::exec().
class WidgetDialogs final : public Dialogs {
public:
    explicit WidgetDialogs(QString applicationTitle);
    void message(const QString& text) override;
    void messageBox(const QString& text, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    int showModal(QWidget* window) override;
    QString askSaveFileName(const QString& caption, const QString& suggestedName,
                            const QString& filter) override;
    QString askOpenFileName(const QString& caption, const QString& folder, const QString& filter) override;

private:
    QString m_title;
};

} // namespace tarlok
