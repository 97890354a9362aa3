#include "Preview.h"

#include "Painter.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace tarlok::report {

std::unique_ptr<QPrintPreviewDialog> makePreview(const Document& document, const PreviewOptions& options,
                                                 QWidget* parent) {
    auto shared = std::make_shared<const Document>(document);
    auto dialog = std::make_unique<QPrintPreviewDialog>(parent);
    dialog->setWindowTitle(options.windowTitle.isEmpty() ? document.title : options.windowTitle);
    QPrinter* printer = dialog->printer();
    printer->setDocName(document.title);
    setUpPage(*printer, document);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [shared](QPrinter* target) { paint(*shared, *target); });

    if (options.askPdfFileName) {
        auto* save = new QAction(QStringLiteral("Zapisz jako PDF"), dialog.get());
        save->setObjectName(QStringLiteral("zapiszJakoPdf"));
        save->setToolTip(QStringLiteral("Zapisanie wydruku w pliku PDF"));
        QObject::connect(save, &QAction::triggered, dialog.get(),
                         [shared, ask = options.askPdfFileName, failed = options.pdfFailed] {
                             const QString fileName = ask();
                             if (fileName.isEmpty())
                                 return;
                             if (!writePdf(*shared, fileName) && failed)
                                 failed(fileName);
                         });
        // The preview's own tool bar holds its commands; the PDF action joins them at the end.
        if (auto* bar = dialog->findChild<QToolBar*>()) {
            bar->addSeparator();
            bar->addAction(save);
        } else {
            dialog->addAction(save);
        }
    }
    return dialog;
}

} // namespace tarlok::report
