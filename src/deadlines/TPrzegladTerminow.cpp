#include "TPrzegladTerminow.h"

#include "DeadlinesForm.h"

#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "ui_TPrzegladTerminow.h"

#include <QHeaderView>

#include <algorithm>

namespace tarlok {

using deadlines::OverviewLine;
using deadlines::OverviewState;

namespace {

// The colours of the deadlines window: red for a deadline due, gray for one past, the service alarm
// in yellow or red.
void paint(QTableWidgetItem* item, OverviewState state) {
    switch (state) {
    case OverviewState::Due:
        item->setForeground(QColor(255, 0, 0));
        break;
    case OverviewState::Past:
        item->setForeground(QColor(128, 128, 128));
        break;
    case OverviewState::ServiceYellow:
        item->setBackground(QColor(255, 255, 0));
        item->setForeground(Qt::black);
        break;
    case OverviewState::ServiceRed:
        item->setBackground(QColor(255, 0, 0));
        item->setForeground(Qt::white);
        break;
    }
}

} // namespace

TPrzegladTerminow::TPrzegladTerminow(Forms& forms)
    : m_forms(forms), m_ui(std::make_unique<Ui::TPrzegladTerminow>()) {
    setObjectName(QStringLiteral("PrzegladTerminow"));
    m_ui->setupUi(this);
    setModal(true);
    QHeaderView* header = m_ui->StringGridTerminy->horizontalHeader();
    const int widths[] = {140, 220, 150, 160};
    for (int c = 0; c < 4; ++c)
        header->resizeSection(c, widths[c]);
    header->setStretchLastSection(true);
    Dialogs& dialogs = forms.context.dialogs;
    connectAction(dialogs, m_ui->StringGridTerminy, &QTableWidget::cellDoubleClicked, this,
                  &TPrzegladTerminow::StringGridTerminyDblClick);
    connectAction(dialogs, m_ui->OtworzTerminy, &QPushButton::clicked, this,
                  &TPrzegladTerminow::OtworzTerminyClick);
    connectAction(dialogs, m_ui->Zamknij, &QPushButton::clicked, this, &TPrzegladTerminow::ZamknijClick);
}

TPrzegladTerminow::~TPrzegladTerminow() = default;

QString TPrzegladTerminow::nothingDue(const QDate& today) {
    return QStringLiteral("Na dzień %1 żaden termin ani serwis używanych pojazdów nie wymaga uwagi.")
        .arg(numbers::shortDate(today));
}

int TPrzegladTerminow::refresh() {
    AppContext& ctx = m_forms.context;
    const QDate today = ctx.clock.today();
    m_lines = deadlines::readOverview(ctx.database, ctx.dataFolder(), today);
    QTableWidget* grid = m_ui->StringGridTerminy;
    grid->clearContents();
    grid->setRowCount(int(m_lines.size()));
    for (int row = 0; row < int(m_lines.size()); ++row) {
        const OverviewLine& line = m_lines[size_t(row)];
        const QString texts[] = {line.registration, deadlines::kindText(line), deadlines::whenText(line),
                                 deadlines::leftText(line)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            paint(item, line.state);
            grid->setItem(row, c, item);
        }
    }
    if (m_lines.empty()) {
        m_ui->LabelOpis->setText(nothingDue(today));
    } else {
        m_ui->LabelOpis->setText(
            QStringLiteral("Terminy i serwisy używanych pojazdów wymagające uwagi na dzień %1 (czerwone - "
                           "zbliża się termin, szare - po terminie):")
                .arg(numbers::shortDate(today)));
    }
    m_ui->OtworzTerminy->setEnabled(!m_lines.empty());
    return int(m_lines.size());
}

void TPrzegladTerminow::openWindow() {
    runAction(m_forms.context.dialogs, [&] {
        refresh();
        m_forms.context.dialogs.showModal(this);
    });
}

void TPrzegladTerminow::showIfDue(QWidget* mainWindow) {
    runAction(m_forms.context.dialogs, [&] {
        if (refresh() == 0)
            return;
        mainWindow->show();
        m_forms.context.dialogs.showModal(this);
    });
}

void TPrzegladTerminow::openDeadlines(int row) {
    if (row < 0 || row >= int(m_lines.size()))
        return;
    const OverviewLine line = m_lines[size_t(row)];
    m_forms.deadlinesForm->entry.openOn(line.vehicle, line.year);
    // What was changed there shows here at once.
    refresh();
}

void TPrzegladTerminow::StringGridTerminyDblClick() {
    openDeadlines(m_ui->StringGridTerminy->currentRow());
}

void TPrzegladTerminow::OtworzTerminyClick() {
    // No line chosen yet: the first, the most pressing deadline.
    openDeadlines(std::max(m_ui->StringGridTerminy->currentRow(), 0));
}

void TPrzegladTerminow::ZamknijClick() {
    accept();
}

} // namespace tarlok
