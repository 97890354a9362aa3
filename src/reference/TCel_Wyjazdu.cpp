// The trip-purposes window: the register's purposes table, kept through a navigator bar and two edits
// (or in the grid itself while "Zapis bezpośrednio w tabeli" is ticked); a purpose can be taken into
// the trip being entered.
#include "TCel_Wyjazdu.h"

#include "ReferenceWindows.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TCel_Wyjazdu.h"
#include "widgets/DataLink.h"

namespace tarlok {

namespace C = fields::celWyj;

TCel_Wyjazdu::TCel_Wyjazdu(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TCel_Wyjazdu>()) {
    setObjectName(QStringLiteral("Cel_Wyjazdu"));
    m_ui->setupUi(this);
    setHelpTopic(this, 7);
    Dialogs& dialogs = m_forms.context.dialogs;
    Table* table = purposes();
    // What is typed here holds every move and whole-program action until it is saved or cancelled.
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    forms.pendingEdits.add(
        this, table,
        QStringLiteral("Wprowadzany cel wyjazdu nie został zapisany - zapisz go przyciskiem \"\u2714\" albo "
                       "anuluj przyciskiem \"\u2716\" w formatce CEL WYJAZDU."));
    table->beforeInsert = [this](Table& t) {
        TableCelWyjazduBeforeInsert(t);
    };
    table->beforePost = [this](Table& t) {
        TableCelWyjazduBeforePost(t);
    };

    reference::setupNavigator(m_ui->DBNavigator1, table, dialogs);
    reference::listWindowKeys(this, table, nullptr, m_ui->Zamknij);
    reference::takeOnEnter(m_ui->DBGrid1, m_ui->Wprowadz);

    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    DbGrid* grid = m_ui->DBGrid1;
    grid->setDataSource(table);
    grid->setInPlaceEditing(false);
    grid->addColumn(C::Cel_Wyjazdu, QStringLiteral("Cel wyjazdu"), 250, left);
    grid->addColumn(C::Pom1, QStringLiteral("Opis"), 300, left);

    m_ui->DBCelWyjazdu->setDataSource(table, C::Cel_Wyjazdu);
    m_ui->DBOpisCeluWyjazdu->setDataSource(table, C::Pom1);

    // Enter in an edit writes its text; it must not press a button of the window.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    connectAction(m_forms.context.dialogs, m_ui->Wprowadz, &QPushButton::clicked, this,
                  &TCel_Wyjazdu::WprowadzClick);
    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this,
                  &TCel_Wyjazdu::ZamknijClick);
    connectAction(m_forms.context.dialogs, m_ui->CheckBoxZapisBezposrednioTabela, &QCheckBox::clicked, this,
                  &TCel_Wyjazdu::CheckBoxZapisBezposrednioTabelaClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::dblClick, this, &TCel_Wyjazdu::DBGrid1DblClick);
    setErrorHandlerForChildren(this, [&dialogs](const Error& e) { dialogs.message(e.text()); });
}

TCel_Wyjazdu::~TCel_Wyjazdu() {
    // The register's table outlives this window: its events must not reach it any more.
    Table* table = purposes();
    table->beforeInsert = nullptr;
    table->beforePost = nullptr;
}

Table* TCel_Wyjazdu::purposes() const {
    return m_forms.context.data().TableCelWyjazdu;
}

void TCel_Wyjazdu::prepare(bool pickForTrip) {
    m_ui->DBCelWyjazdu->setDataSource(purposes(), C::Cel_Wyjazdu);
    m_ui->Wprowadz->setVisible(pickForTrip);
    CheckBoxZapisBezposrednioTabelaClick();
    // The register closes its tables when it closes; the list is shown on an open table all the same.
    runAction(m_forms.context.dialogs, [&] {
        if (!purposes()->isActive())
            purposes()->open();
    });
}

void TCel_Wyjazdu::TableCelWyjazduBeforeInsert(Table&) {
    m_ui->DBCelWyjazdu->setFocus();
}

void TCel_Wyjazdu::TableCelWyjazduBeforePost(Table& table) {
    if (reference::isBlank(table.asString(C::Cel_Wyjazdu))) {
        m_forms.context.dialogs.message(QStringLiteral("Pozycja do zapisu jest pusta"));
        table.cancel();
        throw Abort();
    }
}

void TCel_Wyjazdu::pickPurpose(bool withDescription) {
    Table* table = purposes();
    // A purpose just typed is stored (or refused) before it is taken.
    table->checkBrowseMode();
    if (table->isEmpty()) {
        m_forms.context.dialogs.messageBox(QStringLiteral("Brak pozycji do wprowadzenia"),
                                           QStringLiteral("Informacja"));
        return;
    }
    reference::copyPurpose(*table, *m_forms.context.data().TablePrzejazdy, withDescription);
    close();
}

void TCel_Wyjazdu::WprowadzClick() {
    runAction(m_forms.context.dialogs, [&] { pickPurpose(true); });
}

void TCel_Wyjazdu::DBGrid1DblClick() {
    runAction(m_forms.context.dialogs, [&] { pickPurpose(false); });
}

void TCel_Wyjazdu::ZamknijClick() {
    // The window that opened this one acts on it (the register shows its costs tab).
    m_leftByExit = true;
    close();
}

void TCel_Wyjazdu::CheckBoxZapisBezposrednioTabelaClick() {
    m_ui->DBGrid1->setInPlaceEditing(m_ui->CheckBoxZapisBezposrednioTabela->isChecked());
}

bool TCel_Wyjazdu::openWindow(bool pickForTrip) {
    m_leftByExit = false;
    runAction(m_forms.context.dialogs, [&] {
        prepare(pickForTrip);
        m_forms.context.dialogs.showModal(this);
    });
    return m_leftByExit;
}

} // namespace tarlok
