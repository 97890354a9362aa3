#include "SaveAsPdf.h"

#include "Output.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QPrinter>
#include <QWidget>

namespace tarlok::report {

PreviewOptions previewWithPdf(Dialogs& dialogs, const QString& windowTitle, const QString& documentTitle) {
    PreviewOptions options;
    options.windowTitle = windowTitle;
    const QString suggested = QDir::current().filePath(documentTitle + QStringLiteral(".pdf"));
    options.askPdfFileName = [&dialogs, suggested] {
        return dialogs.askSaveFileName(QStringLiteral("Zapisz jako PDF"), suggested,
                                       QStringLiteral("Pliki PDF (*.pdf)"));
    };
    options.pdfFailed = [&dialogs](const QString& fileName) {
        dialogs.messageBox(
            QStringLiteral("Nie można zapisać pliku \"%1\".").arg(QDir::toNativeSeparators(fileName)),
            QStringLiteral("Błąd"));
    };
    return options;
}

void showWithPdf(Output* output, Dialogs& dialogs, const Document& document, const QString& windowTitle) {
    if (output)
        output->preview(document, previewWithPdf(dialogs, windowTitle, document.title));
}

void printOrTell(Output* output, Dialogs& dialogs, const Document& document) {
    if (output && !output->print(document))
        dialogs.messageBox(QStringLiteral("Wydruk nie powiódł się - sprawdź drukarkę."),
                           QStringLiteral("Błąd"));
}

namespace {

// Keeps a window disabled for its lifetime, whichever way the work inside ends.
class DisabledWhile {
public:
    explicit DisabledWhile(QWidget* window) : m_window(window) {
        if (m_window)
            m_window->setEnabled(false);
    }
    ~DisabledWhile() {
        if (m_window)
            m_window->setEnabled(true);
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QWidget* m_window;
};

} // namespace

void printDotPage(Output* output, Dialogs& dialogs, const DotPage& page, QWidget* busy) {
    if (!output)
        return;
    const DisabledWhile disabled(busy);
    QPrinter& printer = output->printer();
    printOrTell(output, dialogs, page(printer.logicalDpiY(), [&printer] {
                    return printer.printerState() == QPrinter::Aborted;
                }));
}

void previewDotPage(Output* output, Dialogs& dialogs, const DotPage& page) {
    if (output) {
        const Document document = page(1200, {});
        showWithPdf(output, dialogs, document, document.title);
    }
}

} // namespace tarlok::report
