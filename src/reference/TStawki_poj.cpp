// The rates window: the one row of the rates table (per-kilometre rates by engine capacity, the rate of
// other vehicles, a remark and the kilometre limit by locality), bound to the register's rates table.
#include "TStawki_poj.h"

#include "common/Limits.h"

#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TStawki_poj.h"
#include "widgets/DataLink.h"

#include <QShowEvent>

namespace tarlok {

namespace S = fields::stawki;

TStawki_poj::TStawki_poj(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TStawki_poj>()) {
    setObjectName(QStringLiteral("Stawki_poj"));
    m_ui->setupUi(this);
    setHelpTopic(this, 13);
    setModal(true);

    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    Table* table = rates();
    // What is typed here holds every move and whole-program action until it is saved or cancelled.
    forms.pendingEdits.add(
        this, table,
        QStringLiteral("Wprowadzane stawki nie zostały zapisane - zapisz je przyciskiem \"Zapisz\" albo "
                       "anuluj przyciskiem \"Anuluj\" w formatce STAWKI POJAZDÓW."));
    const QString rate = QStringLiteral("0.0000");
    m_ui->DBStawka_do_900->setDataSource(table, S::Stawka_do_900);
    m_ui->DBStawka_do_900->setDisplayPattern(rate);
    m_ui->DBStawka_po_900->setDataSource(table, S::Stawka_po_900);
    m_ui->DBStawka_po_900->setDisplayPattern(rate);
    m_ui->DBStawka_inna->setDataSource(table, S::Stawka_inna);
    m_ui->DBStawka_inna->setDisplayPattern(rate);
    m_ui->DBUwagi->setDataSource(table, S::Uwagi);
    m_ui->DBEditLimitKm->setDataSource(table, S::Pom2);
    setErrorHandlerForChildren(this, [this](const Error& e) { m_forms.context.dialogs.message(e.text()); });

    connectAction(m_forms.context.dialogs, m_ui->Zapisz, &QPushButton::clicked, this,
                  &TStawki_poj::ZapiszClick);
    connectAction(m_forms.context.dialogs, m_ui->Anuluj, &QPushButton::clicked, this,
                  &TStawki_poj::AnulujClick);
    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this,
                  &TStawki_poj::ZamknijClick);
}

TStawki_poj::~TStawki_poj() = default;

Table* TStawki_poj::rates() const {
    return m_forms.context.data().TableStawki;
}

void TStawki_poj::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    runAction(m_forms.context.dialogs, [&] { rates()->open(); });
}

void TStawki_poj::ZapiszClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table* table = rates();
        table->open();
        table->edit(); // on an empty table this starts the one row
        for (DbEdit* box :
             {m_ui->DBStawka_do_900, m_ui->DBStawka_po_900, m_ui->DBStawka_inna, m_ui->DBEditLimitKm})
            box->updateRecord();
        using limits::Quantity;
        const QString refusal = limits::refusal({{Quantity::Rate, table->asFloat(S::Stawka_do_900)},
                                                 {Quantity::Rate, table->asFloat(S::Stawka_po_900)},
                                                 {Quantity::Rate, table->asFloat(S::Stawka_inna)},
                                                 {Quantity::Distance, table->asFloat(S::Pom2)}});
        if (!refusal.isEmpty()) {
            // The rates stay as typed, to be put right.
            m_forms.context.dialogs.messageBox(refusal, QStringLiteral("Błąd"));
            return;
        }
        table->setValue(S::Data, m_forms.context.clock.today());
        table->post();
        table->flushBuffers();
    });
}

void TStawki_poj::AnulujClick() {
    runAction(m_forms.context.dialogs, [&] { dropPending(); });
    reject();
}

// A change typed but not saved is dropped when the window is left, by this button, by the close box
// or by Esc: kept pending, it would be stored by whatever posted the table next.
void TStawki_poj::ZamknijClick() {
    reject();
}

void TStawki_poj::done(int result) {
    runAction(m_forms.context.dialogs, [&] { dropPending(); });
    QDialog::done(result);
}

void TStawki_poj::dropPending() {
    if (rates()->isEditing())
        rates()->cancel();
}

} // namespace tarlok
