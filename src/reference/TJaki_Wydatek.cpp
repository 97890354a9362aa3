// The expense-kinds window: the register's expense-kinds table with the VAT rate and the fuel flag of
// each kind; a kind can be taken into the cost being entered.
#include "TJaki_Wydatek.h"

#include "ReferenceWindows.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/EngineError.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TJaki_Wydatek.h"
#include "widgets/DataLink.h"

namespace tarlok {

namespace W = fields::wydatki;

TJaki_Wydatek::TJaki_Wydatek(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TJaki_Wydatek>()) {
    setObjectName(QStringLiteral("Jaki_Wydatek"));
    m_ui->setupUi(this);
    setHelpTopic(this, 2);
    Dialogs& dialogs = m_forms.context.dialogs;
    Table* table = kinds();
    // What is typed here holds every move and whole-program action until it is saved or cancelled.
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    forms.pendingEdits.add(
        this, table,
        QStringLiteral("Wprowadzany rodzaj kosztu nie został zapisany - zapisz go przyciskiem \"\u2714\" "
                       "albo anuluj przyciskiem \"\u2716\" w formatce KOSZTY (WYDATKI FIRMY)."));
    table->beforeInsert = [this](Table& t) {
        TableWydatkiBeforeInsert(t);
    };
    table->afterInsert = [this](Table& t) {
        TableWydatkiAfterInsert(t);
    };
    table->beforePost = [this](Table& t) {
        TableWydatkiBeforePost(t);
    };
    table->afterDelete = [this](Table& t) {
        TableWydatkiAfterDelete(t);
    };
    // The picker follows every move, so that editing a kind keeps its own date unless it is changed.
    connect(table, &Table::scrolled, this, [this] {
        if (kinds()->state() == Table::State::Browse)
            takeDateFromRow();
    });

    reference::setupNavigator(m_ui->DBNavigator1, table, dialogs);
    reference::listWindowKeys(this, table, nullptr, m_ui->Zamknij);
    reference::takeOnEnter(m_ui->DBGrid1, m_ui->Wprowadz);

    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DbGrid* grid = m_ui->DBGrid1;
    grid->setDataSource(table);
    grid->setInPlaceEditing(false);
    grid->setRowSelect(true);
    grid->addColumn(W::Data, QStringLiteral("Data"), 90, left, true);
    grid->addColumn(W::Wydatek, QStringLiteral("Wydatek"), 380, left, true);
    grid->addColumn(W::Pom3, QStringLiteral("Vat"), 50, right, true);

    m_ui->DBWydatek->setDataSource(table, W::Wydatek);
    m_ui->DBComboBoxVat->setItems({QStringLiteral("23"), QStringLiteral("8"), QStringLiteral("22"),
                                   QStringLiteral("7"), QStringLiteral("5"), QStringLiteral("0")});
    m_ui->DBComboBoxVat->setDataSource(table, W::Pom3);
    // Ticked stores true: a kind marked as fuel is fuel wherever the flag is read.
    m_ui->DBCzyPaliwo->setValues(true, false);
    m_ui->DBCzyPaliwo->setDataSource(table, W::CzyPaliwo);

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    connectAction(m_forms.context.dialogs, m_ui->Wprowadz, &QPushButton::clicked, this,
                  &TJaki_Wydatek::WprowadzClick);
    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this,
                  &TJaki_Wydatek::ZamknijClick);
    connectAction(m_forms.context.dialogs, m_ui->Pomoc, &QPushButton::clicked, this,
                  &TJaki_Wydatek::PomocClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::dblClick, this, &TJaki_Wydatek::DBGrid1DblClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::cellClick, this, &TJaki_Wydatek::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::keyDown, this, &TJaki_Wydatek::DBGrid1CellClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::keyUp, this, &TJaki_Wydatek::DBGrid1CellClick);
    setErrorHandlerForChildren(this, [&dialogs](const Error& e) { dialogs.message(e.text()); });
}

TJaki_Wydatek::~TJaki_Wydatek() {
    // The register's table outlives this window: its events must not reach it any more.
    Table* table = kinds();
    table->beforeInsert = nullptr;
    table->afterInsert = nullptr;
    table->beforePost = nullptr;
    table->afterDelete = nullptr;
}

Table* TJaki_Wydatek::kinds() const {
    return m_forms.context.data().TableWydatki;
}

void TJaki_Wydatek::prepare(bool pickForCost) {
    m_ui->Wprowadz->setVisible(pickForCost);
    if (!pickForCost)
        showVatBox();
    // The register closes its tables when it closes; the list is shown on an open table all the same.
    runAction(m_forms.context.dialogs, [&] {
        if (!kinds()->isActive())
            kinds()->open();
        takeDateFromRow();
    });
}

void TJaki_Wydatek::showVatBox() {
    m_ui->DBComboBoxVat->setVisible(true);
    m_ui->LabelVAT->setVisible(true);
}

void TJaki_Wydatek::takeDateFromRow() {
    Table* table = kinds();
    if (!table->isActive() || table->isEmpty()) {
        m_ui->DataWyd->clear();
        return;
    }
    m_ui->DataWyd->setDate(table->asDateTime(W::Data).date());
}

void TJaki_Wydatek::TableWydatkiBeforeInsert(Table&) {
    m_ui->DBWydatek->setFocus();
    m_ui->DataWyd->setDate(m_forms.context.clock.today());
    showVatBox();
}

void TJaki_Wydatek::TableWydatkiAfterInsert(Table&) {
    m_ui->DataWyd->setDate(m_forms.context.clock.today());
    showVatBox();
}

void TJaki_Wydatek::TableWydatkiBeforePost(Table& table) {
    if (m_ui->DataWyd->isEmpty())
        m_ui->DataWyd->setDate(m_forms.context.clock.today());
    table.setValue(W::Data, m_ui->DataWyd->date().startOfDay());
    if (reference::isBlank(table.asString(W::Wydatek))) {
        m_forms.context.dialogs.message(QStringLiteral("Pozycja do zapisu jest pusta"));
        table.cancel();
        showVatBox();
        throw Abort();
    }
    showVatBox();
}

void TJaki_Wydatek::TableWydatkiAfterDelete(Table&) {
    takeDateFromRow();
    showVatBox();
}

void TJaki_Wydatek::followCurrentKind() {
    takeDateFromRow();
    Table* table = kinds();
    m_choice.fuel = table->isActive() && !table->isEmpty() && table->asBool(W::CzyPaliwo);
    showVatBox();
}

void TJaki_Wydatek::DBGrid1CellClick() {
    runAction(m_forms.context.dialogs, [&] { followCurrentKind(); });
}

void TJaki_Wydatek::takeKind() {
    Table* kind = kinds();
    // A kind just typed is stored (or refused) before it is taken.
    kind->checkBrowseMode();
    if (kind->isEmpty()) {
        m_forms.context.dialogs.messageBox(QStringLiteral("Brak pozycji do wprowadzenia"),
                                           QStringLiteral("Informacja"));
        return;
    }
    m_forms.context.schema = schema::readState(m_forms.context.database, m_forms.context.dataFolder());
    const SchemaState& schema = m_forms.context.schema;
    reference::copyExpenseKind(*kind, *m_forms.context.data().TableKoszty,
                               schema.parametersPresent && schema.costsUpgraded);
    m_choice.taken = true;
    m_choice.fuel = kind->asBool(W::CzyPaliwo);
    close();
}

void TJaki_Wydatek::WprowadzClick() {
    runAction(m_forms.context.dialogs, [&] { takeKind(); });
}

void TJaki_Wydatek::DBGrid1DblClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table* table = kinds();
        m_choice.fuel = table->isActive() && !table->isEmpty() && table->asBool(W::CzyPaliwo);
        showVatBox();
        takeKind();
    });
}

void TJaki_Wydatek::ZamknijClick() {
    close();
}

void TJaki_Wydatek::PomocClick() {
    m_forms.context.showHelp(2);
}

TJaki_Wydatek::Choice TJaki_Wydatek::openWindow(bool pickForCost) {
    m_choice = {};
    runAction(m_forms.context.dialogs, [&] {
        prepare(pickForCost);
        m_forms.context.dialogs.showModal(this);
    });
    return m_choice;
}

} // namespace tarlok
