#pragma once

#include "Document.h"

class QPagedPaintDevice;
class QPrinter;

// Drawing a laid-out Document on a device: a printer, a PDF writer, an image or the pages of Qt's print
// preview. Positions in tenths of a millimetre become device dots at the device's resolution; fonts
// keep their point sizes.
namespace tarlok::report {

// Sets a printer or PDF writer to the document's sheet: A4 in its orientation, without margins.
void setUpPage(QPagedPaintDevice& device, const Document& document);

// Draws the document's pages, starting a new page between them on a printer or PDF writer. A printer's
// page range (from / to) is honoured. False when painting cannot start (a file that cannot be written)
// or the printer gave up.
bool paint(const Document& document, QPaintDevice& device);

// Writes the document to a PDF file at 1200 dpi with its fonts embedded; false when it cannot be written.
bool writePdf(const Document& document, const QString& fileName);

// Prints straight on the printer, its page set up for the document first.
bool print(const Document& document, QPrinter& printer);

} // namespace tarlok::report
