#pragma once

#include "Document.h"

#include <functional>
#include <memory>

class QPrintPreviewDialog;
class QWidget;

namespace tarlok::report {

struct PreviewOptions {
    QString windowTitle;
    // Asks for the name of the PDF file to write ("Zapisz jako PDF"); an empty name cancels. Without it
    // the preview offers no PDF action.
    std::function<QString()> askPdfFileName;
    // Told the file name when the PDF could not be written.
    std::function<void(const QString& fileName)> pdfFailed;
};

// Qt's print preview showing the document, with its print command and the action "Zapisz jako PDF"
// (object name "zapiszJakoPdf") on its tool bar. The caller shows it, modally or not.
std::unique_ptr<QPrintPreviewDialog> makePreview(const Document& document, const PreviewOptions& options,
                                                 QWidget* parent = nullptr);

} // namespace tarlok::report
