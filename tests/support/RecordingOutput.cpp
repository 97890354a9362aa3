#include "RecordingOutput.h"

#include "reports/engine/Painter.h"

#include <QPrinter>

namespace tarlok::test {

RecordingOutput::RecordingOutput() = default;
RecordingOutput::~RecordingOutput() = default;

QPrinter& RecordingOutput::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

bool RecordingOutput::print(const report::Document& document) {
    if (whilePrinting)
        whilePrinting();
    if (failing)
        return false;
    m_sent.append(Sent{document, true, QString(), {}});
    return true;
}

void RecordingOutput::preview(const report::Document& document, const report::PreviewOptions& options) {
    m_sent.append(Sent{document, false, options.windowTitle, options});
}

QString RecordingOutput::saveLastAsPdf() {
    if (m_sent.isEmpty() || !m_sent.last().options.askPdfFileName)
        return QString();
    const Sent& sent = m_sent.last();
    const QString fileName = sent.options.askPdfFileName();
    if (fileName.isEmpty())
        return QString();
    if (!report::writePdf(sent.document, fileName) && sent.options.pdfFailed)
        sent.options.pdfFailed(fileName);
    return fileName;
}

} // namespace tarlok::test
