#include "ReportPreview.h"

#include "core/AppContext.h"
#include "platform/Dialogs.h"
#include "reports/engine/Output.h"

#include <QDir>

namespace tarlok {

void showPreview(AppContext& context, const report::Document& document, const QString& windowTitle) {
    if (!context.output)
        return;
    report::PreviewOptions options;
    options.windowTitle = windowTitle;
    const QString suggested = QDir::current().filePath(document.title + QStringLiteral(".pdf"));
    options.askPdfFileName = [&dialogs = context.dialogs, suggested] {
        return dialogs.askSaveFileName(QStringLiteral("Zapisz jako PDF"), suggested,
                                       QStringLiteral("Pliki PDF (*.pdf)"));
    };
    options.pdfFailed = [&dialogs = context.dialogs](const QString& fileName) {
        dialogs.messageBox(
            QStringLiteral("Nie można zapisać pliku \"%1\".").arg(QDir::toNativeSeparators(fileName)),
            QStringLiteral("Błąd"));
    };
    context.output->preview(document, options);
}

} // namespace tarlok
