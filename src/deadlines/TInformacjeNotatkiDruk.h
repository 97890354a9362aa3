#pragma once

#include "reports/engine/Report.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace tarlok {

class Forms;

// "Informacje i Notatki": the notes of a vehicle and year as typed in the notes window, word-wrapped in
// a framed block about 142 mm wide and 95 mm high. Notes longer than one block go on in further blocks,
// framed the same way, on as many pages as they need: no line is lost. A4 portrait.
class TInformacjeNotatkiDruk : public QObject {
    Q_OBJECT

public:
    explicit TInformacjeNotatkiDruk(Forms& forms);
    ~TInformacjeNotatkiDruk() override;

    report::Report& report() { return m_report; }
    // The printout of `notes` (line breaks kept) under the vehicle's description.
    report::Document document(const QString& vehicle, const QString& notes);
    // The printout in the preview; returns when the preview is closed.
    void preview(const QString& vehicle, const QString& notes);

    // The notes broken into the printed lines of the block, one block's lines after another; an empty
    // text is one empty block.
    static QList<QStringList> blocks(const QString& notes);

private:
    Forms& m_forms;
    report::Report m_report;
};

} // namespace tarlok
