// The new-period window: opens the month after the newest period and puts the register on it.
#include "TNowy_Okres.h"

#include "PeriodRules.h"
#include "common/Months.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TNowy_Okres.h"

#include <QSignalBlocker>

namespace tarlok {

TNowy_Okres::TNowy_Okres(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TNowy_Okres>()) {
    setObjectName(QStringLiteral("Nowy_Okres"));
    m_ui->setupUi(this);
    setHelpTopic(this, 15);
    setModal(true);
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    connectAction(m_forms.context.dialogs, m_ui->Wprowadz, &QPushButton::clicked, this,
                  &TNowy_Okres::WprowadzClick);
    connectAction(m_forms.context.dialogs, m_ui->Anuluj, &QPushButton::clicked, this,
                  &TNowy_Okres::AnulujClick);
}

TNowy_Okres::~TNowy_Okres() = default;

void TNowy_Okres::prepare() {
    m_year = 0;
    m_month = 0;
    m_ui->LabelNowyOkres->clear();
    SharedData& shared = m_forms.context.data();
    // A trip or cost being entered in the register is saved or cancelled first.
    if (m_forms.refuseWhileTyping())
        throw Abort();
    Table* periodsTable = shared.TableOkresy;
    periodsTable->open();
    periodsTable->last();
    if (periodsTable->isEmpty() || periodsTable->isNull(fields::okresy::Rok) ||
        periodsTable->isNull(fields::okresy::Miesiac))
        throw Error(
            QStringLiteral("Nie ma jeszcze żadnego okresu - otwórz najpierw pierwszy okres przyciskiem "
                           "\"EWIDENCJA\"."));
    const periods::Period next = periods::next(int(periodsTable->asInteger(fields::okresy::Rok)),
                                               int(periodsTable->asInteger(fields::okresy::Miesiac)));
    m_year = next.year;
    m_month = next.month;
    m_ui->LabelNowyOkres->setText(periods::label(next));
}

void TNowy_Okres::WprowadzClick() {
    runAction(m_forms.context.dialogs, [&] {
        if (m_year == 0) {
            reject(); // no period was prepared (or it is in the table already)
            return;
        }
        const periods::Period period{m_year, m_month};
        m_year = 0;
        m_month = 0;
        // The register follows: its lists hold the new period and it shows it.
        m_forms.context.data().addPeriod(period.year, period.month, periods::nextPeriodDate(period));
        accept();
    });
}

void TNowy_Okres::AnulujClick() {
    reject();
}

} // namespace tarlok
