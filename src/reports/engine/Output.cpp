#include "Output.h"

#include "Painter.h"

#include "platform/Dialogs.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tarlok::report {

PrinterOutput::PrinterOutput(Dialogs& dialogs) : m_dialogs(dialogs) {
}

PrinterOutput::~PrinterOutput() = default;

QPrinter& PrinterOutput::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrinterOutput::print(const Document& document) {
    QPrinter& target = printer();
    target.setDocName(document.title);
    return report::print(document, target);
}

void PrinterOutput::preview(const Document& document, const PreviewOptions& options) {
    std::unique_ptr<QPrintPreviewDialog> dialog = makePreview(document, options);
    // The preview's print command goes to the printer chosen in the printer set-up.
    const QPrinter& chosen = printer();
    QPrinter* target = dialog->printer();
    if (chosen.outputFormat() == QPrinter::NativeFormat && !chosen.printerName().isEmpty())
        target->setPrinterName(chosen.printerName());
    target->setCopyCount(chosen.copyCount());
    target->setCollateCopies(chosen.collateCopies());
    target->setDuplex(chosen.duplex());
    target->setColorMode(chosen.colorMode());
    setUpPage(*target, document);
    m_dialogs.showModal(dialog.get());
}

} // namespace tarlok::report
