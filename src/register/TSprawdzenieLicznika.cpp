#include "TSprawdzenieLicznika.h"

#include "common/Months.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "ui_TSprawdzenieLicznika.h"

#include <QHeaderView>

namespace tarlok {

QString TSprawdzenieLicznika::breaksFound(int count) {
    return QStringLiteral("Liczba przerw ciągłości licznika: %1. Przejazd w wierszu nie zaczyna się od "
                          "stanu licznika, na którym skończył się poprzedni przejazd.")
        .arg(count);
}

TSprawdzenieLicznika::TSprawdzenieLicznika(Forms& forms)
    : m_forms(forms), m_ui(std::make_unique<Ui::TSprawdzenieLicznika>()) {
    setObjectName(QStringLiteral("SprawdzenieLicznika"));
    m_ui->setupUi(this);
    setHelpTopic(this, 19);
    setModal(true);
    QHeaderView* header = m_ui->StringGridPrzerwy->horizontalHeader();
    const int widths[] = {90, 110, 130, 190, 120, 100};
    for (int c = 0; c < 6; ++c)
        header->resizeSection(c, widths[c]);
    header->setStretchLastSection(true);
    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this,
                  &TSprawdzenieLicznika::ZamknijClick);
}

TSprawdzenieLicznika::~TSprawdzenieLicznika() = default;

void TSprawdzenieLicznika::check(const Vehicle& vehicle, int year, int month) {
    const std::vector<odometer::Trip> trips =
        odometer::vehicleTrips(m_forms.context.database, vehicle.number, year, month);
    m_found = odometer::breaks(trips);

    m_ui->LabelPojazd->setText(QStringLiteral("Pojazd: ") + vehicle.description);
    m_ui->LabelOkres->setText(month >= 1 && month <= 12
                                  ? QStringLiteral("Okres: %1 %2").arg(months::name(month)).arg(year)
                                  : QStringLiteral("Okres: cały rok %1").arg(year));
    QTableWidget* grid = m_ui->StringGridPrzerwy;
    grid->clearContents();
    grid->setRowCount(int(m_found.size()));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    for (int row = 0; row < int(m_found.size()); ++row) {
        const odometer::Break& b = m_found[size_t(row)];
        const QString texts[] = {numbers::shortDate(b.date),
                                 vehicle.registration,
                                 numbers::shortDate(b.previousDate),
                                 numbers::integer(b.previousEnd),
                                 numbers::integer(b.start),
                                 numbers::integer(b.difference()),
                                 (b.isGap() ? kGap : kOverlap).toString()};
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c >= 3 && c <= 5)
                item->setTextAlignment(right);
            grid->setItem(row, c, item);
        }
    }
    grid->setCurrentItem(nullptr);
    m_ui->Zamknij->setFocus();
    if (trips.empty())
        m_ui->LabelWynik->setText(kNoTrips.toString());
    else if (m_found.empty())
        m_ui->LabelWynik->setText(kChainWhole.toString());
    else
        m_ui->LabelWynik->setText(breaksFound(int(m_found.size())));
}

void TSprawdzenieLicznika::openFor(const Vehicle& vehicle, int year, int month) {
    check(vehicle, year, month);
    m_forms.context.dialogs.showModal(this);
}

void TSprawdzenieLicznika::ZamknijClick() {
    accept();
}

} // namespace tarlok
