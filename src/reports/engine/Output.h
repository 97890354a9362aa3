#pragma once

#include "Preview.h"

#include <memory>

class QPrinter;

namespace tarlok {
class Dialogs;
}

namespace tarlok::report {

// Where the reports go: the printer chosen in "Ustawienie drukarki", printing straight on it, and the
// preview. The application holds one for the run; a test holds one that records what was sent.
class Output {
public:
    virtual ~Output() = default;

    // The printer the reports use; the main window's printer set-up changes it.
    virtual QPrinter& printer() = 0;
    // Prints the document at once on the printer; false when the printer gave up.
    virtual bool print(const Document& document) = 0;
    // Shows the document in the preview, modally, and returns when the preview is closed. Its print
    // command prints on the printer above; "Zapisz jako PDF" asks the options for a file name.
    virtual void preview(const Document& document, const PreviewOptions& options) = 0;
};

// The production output: the system's printer and Qt's print preview, shown through Dialogs.
class PrinterOutput final : public Output {
public:
    explicit PrinterOutput(Dialogs& dialogs);
    ~PrinterOutput() override;

    QPrinter& printer() override;
    bool print(const Document& document) override;
    void preview(const Document& document, const PreviewOptions& options) override;

private:
    Dialogs& m_dialogs;
    std::unique_ptr<QPrinter> m_printer; // made when first needed
};

} // namespace tarlok::report
