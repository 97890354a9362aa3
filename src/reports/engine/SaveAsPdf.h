#pragma once

#include "Preview.h"

namespace tarlok {
class Dialogs;
}

namespace tarlok::report {

// The preview of a printout with "Zapisz jako PDF": the file name asked through Dialogs (the document's
// title in the current folder suggested), and a message box when the file cannot be written.
PreviewOptions previewWithPdf(Dialogs& dialogs, const QString& windowTitle, const QString& documentTitle);

} // namespace tarlok::report
