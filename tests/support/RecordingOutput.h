#pragma once

#include "reports/engine/Output.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;

namespace tarlok::test {

// The report output of a test: keeps every document printed or previewed, with the preview's title
// and options, instead of printing or showing anything.
class RecordingOutput final : public report::Output {
public:
    struct Sent {
        report::Document document;
        bool printed = false; // straight on the printer; otherwise previewed
        QString title;        // the preview window's title
        report::PreviewOptions options;
    };

    RecordingOutput();
    ~RecordingOutput() override;

    QPrinter& printer() override;
    bool print(const report::Document& document) override;
    void preview(const report::Document& document, const report::PreviewOptions& options) override;

    // A printer that gives up: print() records nothing and answers false.
    bool failing = false;
    // Called inside print(), while the job runs.
    std::function<void()> whilePrinting;

    const QList<Sent>& sent() const { return m_sent; }
    const Sent& last() const { return m_sent.last(); }
    int count() const { return int(m_sent.size()); }
    void clear() { m_sent.clear(); }

    // Presses "Zapisz jako PDF" in the last preview: asks its options for the file name and writes the
    // document there. The name written, empty when cancelled; pdfFailed is told of a failure.
    QString saveLastAsPdf();

private:
    QList<Sent> m_sent;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tarlok::test
