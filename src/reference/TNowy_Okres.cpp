// The new-period window: opens the month after the newest period and puts the register on it.
#include "TNowy_Okres.h"

#include "PeriodRules.h"
#include "app/Actions.h"
#include "app/AppContext.h"
#include "app/Forms.h"
#include "common/Months.h"
#include "platform/Dialogs.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TNowy_Okres.h"

#include <QSignalBlocker>

namespace tarlok {

TNowy_Okres::TNowy_Okres(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TNowy_Okres>()) {
    setObjectName(QStringLiteral("Nowy_Okres"));
    m_ui->setupUi(this);
    setModal(true);
    connect(m_ui->Wprowadz, &QPushButton::clicked, this, &TNowy_Okres::WprowadzClick);
    connect(m_ui->Anuluj, &QPushButton::clicked, this, &TNowy_Okres::AnulujClick);
}

TNowy_Okres::~TNowy_Okres() = default;

void TNowy_Okres::prepare() {
    m_year = 0;
    m_month = 0;
    m_ui->LabelNowyOkres->clear();
    TEwidencja_przejazdow& reg = *m_forms.Ewidencja_przejazdow;
    // A trip or cost being entered in the register is saved or cancelled first.
    if (reg.holdPendingRow())
        throw Abort();
    Table* periodsTable = reg.TableOkresy;
    periodsTable->open();
    periodsTable->last();
    if (periodsTable->isEmpty() || periodsTable->isNull(QStringLiteral("Rok")) ||
        periodsTable->isNull(QStringLiteral("Miesiac")))
        throw Error(
            QStringLiteral("Nie ma jeszcze żadnego okresu - otwórz najpierw pierwszy okres przyciskiem "
                           "\"EWIDENCJA\"."));
    const periods::Period next = periods::next(int(periodsTable->asInteger(QStringLiteral("Rok"))),
                                               int(periodsTable->asInteger(QStringLiteral("Miesiac"))));
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
        TEwidencja_przejazdow& reg = *m_forms.Ewidencja_przejazdow;
        auto* rui = reg.ui();
        const periods::Period period{m_year, m_month};
        const QDate date = periods::nextPeriodDate(period);

        Table* periodsTable = reg.TableOkresy;
        periodsTable->open();
        periodsTable->append();
        periodsTable->setValue(QStringLiteral("Rok"), period.year);
        periodsTable->setValue(QStringLiteral("Miesiac"), period.month);
        periodsTable->setValue(QStringLiteral("Data"), date);
        periodsTable->post();
        periodsTable->flushBuffers();
        m_year = 0;
        m_month = 0;

        // The register's lists are made again from the periods table: its year list gains a new year,
        // its month list holds the months of the new period's year (whatever year was shown), and the
        // boxes show the new period.
        reg.fillPeriodLists();
        {
            const QSignalBlocker blockYear(rui->ComboBoxRok);
            const QString yearText = QString::number(period.year);
            if (rui->ComboBoxRok->findText(yearText) < 0)
                rui->ComboBoxRok->addItem(yearText); // a year beyond the list's range is listed too
            rui->ComboBoxRok->setEditText(yearText);
        }
        for (Table* table : {reg.TableKoszty, reg.TablePrzejazdy})
            if (table->isActive())
                table->refresh();
        rui->DataPrzejazdu->setDate(date);
        rui->DataKosztu->setDate(date);

        const int month = reg.WybranyMiesiac();
        reg.OpisySumPrzejazdow(month);
        reg.OpisySumKosztow(month);
        reg.SumyKosztow(month);
        if (reg.TableKoszty->isActive())
            reg.TableKoszty->refresh();
        accept();
    });
}

void TNowy_Okres::AnulujClick() {
    reject();
}

} // namespace tarlok
