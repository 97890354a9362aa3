#pragma once

#include "Document.h"
#include "Preview.h"

#include <functional>

class QWidget;

namespace tarlok {
class Dialogs;
}

namespace tarlok::report {

class Output;

// The preview of a printout with "Zapisz jako PDF": the file name asked through Dialogs (the document's
// title in the current folder suggested), and a message box when the file cannot be written.
PreviewOptions previewWithPdf(Dialogs& dialogs, const QString& windowTitle, const QString& documentTitle);

// The document in the preview with "Zapisz jako PDF"; returns when the preview is closed. Nothing
// without an output.
void showWithPdf(Output* output, Dialogs& dialogs, const Document& document, const QString& windowTitle);

// Prints the document at once; a printer that gives up is told in a message box. Nothing without an
// output.
void printOrTell(Output* output, Dialogs& dialogs, const Document& document);

// A printout drawn straight in a device's dots: laid out at a resolution, drawing nothing more once
// `aborted` answers true.
using DotPage = std::function<Document(int dpi, const std::function<bool()>& aborted)>;

// Laid out at the printer's resolution and printed at once (stopping when the job is aborted); `busy`
// is disabled while the job runs and enabled again however it ends.
void printDotPage(Output* output, Dialogs& dialogs, const DotPage& page, QWidget* busy);
// Laid out in the dots of 1200 dpi, the resolution of the PDF file, and shown in the preview with
// "Zapisz jako PDF" (the preview draws the page on any device at the device's own resolution).
void previewDotPage(Output* output, Dialogs& dialogs, const DotPage& page);

} // namespace tarlok::report
