// The routes window: the register's routes table with a name and a length per route; a route can be
// taken into the trip being entered.
#include "TTrasy.h"

#include "ReferenceWindows.h"
#include "common/Limits.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TTrasy.h"
#include "widgets/DataLink.h"

namespace tarlok {

namespace T = fields::trasy;

TTrasy::TTrasy(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TTrasy>()) {
    setObjectName(QStringLiteral("Trasy"));
    m_ui->setupUi(this);
    setHelpTopic(this, 12);
    Dialogs& dialogs = m_forms.context.dialogs;
    Table* table = routes();
    // What is typed here holds every move and whole-program action until it is saved or cancelled.
    // Closed before the archive copies the data files, and left closed.
    forms.tableHolders.addWindow(this);
    forms.pendingEdits.add(this, table,
                           QStringLiteral("Wprowadzana trasa nie została zapisana - zapisz ją przyciskiem "
                                          "\"Zapisz\" albo anuluj przyciskiem \"Anuluj\" w formatce TRASY."));

    DbGrid* grid = m_ui->DBGrid1;
    grid->setDataSource(table);
    grid->setInPlaceEditing(false);
    grid->setRowSelect(true);
    grid->addColumn(T::Trasa, QStringLiteral("Trasa"), 420, Qt::AlignLeft | Qt::AlignVCenter, true);
    grid->addColumn(T::Kilometry, QStringLiteral("Kilometry"), 90, Qt::AlignRight | Qt::AlignVCenter, true);

    m_ui->DBTrasa->setDataSource(table, T::Trasa);
    m_ui->DBKilometry->setDataSource(table, T::Kilometry);
    m_ui->DBUwagi->setDataSource(table, T::Uwagi);

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    // Every store of a route, also the one a move makes, follows the window's rule.
    table->beforePost = [this](Table& t) {
        if (const QString refusal = routeRefusal(t); !refusal.isEmpty()) {
            m_forms.context.dialogs.messageBox(refusal, QStringLiteral("Błąd"));
            t.cancel();
            throw Abort();
        }
    };

    connectAction(m_forms.context.dialogs, m_ui->Dodaj, &QPushButton::clicked, this, &TTrasy::DodajClick);
    connectAction(m_forms.context.dialogs, m_ui->Zapisz, &QPushButton::clicked, this, &TTrasy::ZapiszClick);
    connectAction(m_forms.context.dialogs, m_ui->Anuluj, &QPushButton::clicked, this, &TTrasy::AnulujClick);
    connectAction(m_forms.context.dialogs, m_ui->Usun, &QPushButton::clicked, this, &TTrasy::UsunClick);
    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this, &TTrasy::ZamknijClick);
    connectAction(m_forms.context.dialogs, m_ui->Wprowadz, &QPushButton::clicked, this,
                  &TTrasy::WprowadzClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::dblClick, this, &TTrasy::DBGrid1DblClick);
    reference::listWindowKeys(this, table, m_ui->Anuluj, m_ui->Zamknij, m_ui->Dodaj);
    reference::takeOnEnter(grid, m_ui->Wprowadz);
    setErrorHandlerForChildren(this, [&dialogs](const Error& e) { dialogs.message(e.text()); });
}

TTrasy::~TTrasy() {
    // The register's table outlives this window: its events must not reach it any more.
    routes()->beforePost = nullptr;
}

QString TTrasy::routeRefusal(const Table& table) {
    // A route needs a name and a length; a negative length is no length either.
    if (reference::isBlank(table.asString(T::Trasa)) || table.asInteger(T::Kilometry) <= 0)
        return QStringLiteral("Trasa musi posiadać swoją nazwę i odległość");
    return limits::refusal(limits::Quantity::Distance, double(table.asInteger(T::Kilometry)));
}

Table* TTrasy::routes() const {
    return m_forms.context.data().TableTrasy;
}

void TTrasy::prepare(bool pickForTrip) {
    m_ui->Wprowadz->setVisible(pickForTrip);
    // The register closes its tables when it closes; the list is shown on an open table all the same.
    runAction(m_forms.context.dialogs, [&] {
        if (!routes()->isActive())
            routes()->open();
    });
}

void TTrasy::writeEdits() {
    m_ui->DBTrasa->updateRecord();
    m_ui->DBKilometry->updateRecord();
    m_ui->DBUwagi->updateRecord();
}

bool TTrasy::saveRoute() {
    Table* table = routes();
    writeEdits();
    const QString refusal = routeRefusal(*table);
    if (refusal.isEmpty()) {
        if (table->isEditing()) {
            table->post();
            table->flushBuffers();
        }
        return true;
    }
    m_forms.context.dialogs.messageBox(refusal, QStringLiteral("Błąd"));
    table->cancel();
    return false;
}

void TTrasy::pickRoute() {
    Table* table = routes();
    if (table->isEditing()) {
        // A route just typed is stored (or refused) before it is taken.
        writeEdits();
        if (!table->isModified())
            table->cancel();
        else if (!saveRoute())
            return;
    }
    if (table->isEmpty()) {
        m_forms.context.dialogs.messageBox(QStringLiteral("Brak pozycji do wprowadzenia"),
                                           QStringLiteral("Informacja"));
        return;
    }
    reference::copyRoute(*table, *m_forms.context.data().TablePrzejazdy);
    close();
}

void TTrasy::DodajClick() {
    runAction(m_forms.context.dialogs, [&] {
        routes()->insert();
        m_ui->DBTrasa->setFocus();
    });
}

void TTrasy::ZapiszClick() {
    runAction(m_forms.context.dialogs, [&] { saveRoute(); });
}

void TTrasy::AnulujClick() {
    runAction(m_forms.context.dialogs, [&] { routes()->cancel(); });
}

void TTrasy::UsunClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table* table = routes();
        Dialogs& dialogs = m_forms.context.dialogs;
        if (table->isEmpty()) {
            dialogs.messageBox(QStringLiteral("Brak Trasy do USUNIĘCIA"), QStringLiteral("Informacja"));
            return;
        }
        if (dialogs.question(QStringLiteral("USUWAMY wybraną pozycję(TRASĘ)"), QStringLiteral("WYBIERZ")))
            table->deleteRecord();
        else
            table->cancel();
    });
}

void TTrasy::ZamknijClick() {
    close();
}

void TTrasy::WprowadzClick() {
    runAction(m_forms.context.dialogs, [&] { pickRoute(); });
}

void TTrasy::DBGrid1DblClick() {
    runAction(m_forms.context.dialogs, [&] { pickRoute(); });
}

void TTrasy::openWindow(bool pickForTrip) {
    runAction(m_forms.context.dialogs, [&] {
        prepare(pickForTrip);
        m_forms.context.dialogs.showModal(this);
    });
}

} // namespace tarlok
