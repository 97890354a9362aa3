#include "TInformacjeNotatkiDruk.h"

#include "TTerminyDruk.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "reports/engine/SaveAsPdf.h"

namespace tarlok {

namespace {

using report::Align;
using report::Font;

const QString kText = QStringLiteral("Tekst");

// The block: a framed band 100 mm high across the print width, the text 142 mm wide and 95 mm high
// in its middle.
constexpr int kBandHeight = 1000;
constexpr QRect kBlock{240, 25, 1420, 950};
const Font kNotesFont = Font::sized(10);

} // namespace

TInformacjeNotatkiDruk::TInformacjeNotatkiDruk(Forms& forms)
    : m_forms(forms), m_report(QStringLiteral("Informacje i Notatki")) {
    setObjectName(QStringLiteral("InformacjeNotatkiDruk"));
    report::Report& r = m_report;
    r.setClock(&forms.context.clock);
    r.setOrientation(QPageLayout::Portrait);
    r.setMargins(100, 100, 100, 100);
    r.setFont(Font::sized(10));

    report::Band& title = r.title();
    title.setHeight(140);
    title.label({0, 15, 1900, 0}, QStringLiteral("Informacje i Notatki"))
        .setName(QStringLiteral("QRLabelTytul"))
        .setFont(Font::sized(12, true))
        .setAlign(Align::Centre);
    title.label({0, 80, 1900, 0}, QString())
        .setName(QStringLiteral("QRLabelDanePojazdu"))
        .setFont(Font::sized(10))
        .setShrinkToFit(true);

    report::Band& block = r.detail();
    block.setHeight(kBandHeight).setFrame(report::AllSides);
    block.field(kBlock, kText)
        .setName(QStringLiteral("QRMemoInformacje"))
        .setFont(kNotesFont)
        .setWordWrap(true);

    report::Band& footer = r.pageFooter();
    footer.setHeight(40);
    footer.label({0, 15, 0, 0}, kDeadlineSignature).setFont(Font::sized(6));
}

TInformacjeNotatkiDruk::~TInformacjeNotatkiDruk() = default;

QList<QStringList> TInformacjeNotatkiDruk::blocks(const QString& notes) {
    const report::Measure measure(1200);
    const QStringList lines = measure.wrap(notes, kNotesFont, kBlock.width());
    const int perBlock = std::max(1, int(kBlock.height() / measure.lineHeight(kNotesFont)));
    QList<QStringList> out;
    for (qsizetype at = 0; at < lines.size(); at += perBlock)
        out.append(lines.mid(at, perBlock));
    if (out.isEmpty())
        out.append(QStringList());
    return out;
}

report::Document TInformacjeNotatkiDruk::document(const QString& vehicle, const QString& notes) {
    m_report.item(QStringLiteral("QRLabelDanePojazdu")).setText(vehicle);
    QList<report::Row> rows;
    for (const QStringList& lines : blocks(notes)) {
        report::Row row;
        row.set(kText, lines.join(QLatin1Char('\n')));
        rows.append(row);
    }
    m_report.setData(report::DataSource::rows(rows));
    return m_report.layout();
}

void TInformacjeNotatkiDruk::preview(const QString& vehicle, const QString& notes) {
    report::showWithPdf(m_forms.context.output, m_forms.context.dialogs, document(vehicle, notes),
                        m_report.documentTitle());
}

} // namespace tarlok
