#include "SaveAsPdf.h"

#include "platform/Dialogs.h"

#include <QDir>

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

} // namespace tarlok::report
