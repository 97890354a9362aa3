// The drivers window: the drivers table of the schema window, edited in place in a grid and through a
// navigator bar; a driver can be taken into the trip being entered in the register.
#include "TKierowcy1.h"

#include "ReferenceWindows.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TKierowcy1.h"
#include "widgets/DataLink.h"

#include <QKeyEvent>

namespace tarlok {

namespace D = fields::kierowcy;

TKierowcy1::TKierowcy1(Forms& forms)
    : QWidget(nullptr, Qt::Window), m_forms(forms), m_ui(std::make_unique<Ui::TKierowcy1>()) {
    setObjectName(QStringLiteral("Kierowcy1"));
    m_ui->setupUi(this);
    setHelpTopic(this, 5);
    Dialogs& dialogs = m_forms.context.dialogs;
    Table* table = drivers();
    // What is typed here holds every move and whole-program action until it is saved or cancelled.
    forms.pendingEdits.add(
        this, table,
        QStringLiteral("Wprowadzany kierowca nie został zapisany - zapisz go przyciskiem \"\u2714\" albo "
                       "anuluj przyciskiem \"\u2716\" w formatce KIEROWCY POJAZDÓW."));

    reference::setupNavigator(m_ui->DBNavigator1, table, dialogs);
    reference::listWindowKeys(this, table, nullptr, m_ui->Zamknij);
    reference::takeOnEnter(m_ui->DBGridKierowcy, m_ui->WprowadzImieNazwisko);

    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DbGrid* grid = m_ui->DBGridKierowcy;
    grid->setDataSource(table);
    grid->setInPlaceEditing(true);
    grid->addColumn(D::NrKol, QStringLiteral("Nr"), 40, right, true);
    grid->addColumn(D::Imie, QStringLiteral("Imię"), 100, left);
    grid->addColumn(D::Nazwisko, QStringLiteral("Nazwisko"), 130, left);
    grid->addColumn(D::DataPrzyjecia, QStringLiteral("Data Przyjecia"), 95, left);
    grid->addColumn(D::DataZwolnienia, QStringLiteral("Data Zwolnienia"), 105, left);
    grid->addColumn(D::Adres, QStringLiteral("Adres"), 150, left);
    grid->addColumn(D::Telefon, QStringLiteral("Telefon"), 90, left);
    grid->addColumn(D::mail, QStringLiteral("E-mail"), 130, left);
    grid->installEventFilter(this);

    const std::pair<DbText*, QString> texts[] = {
        {m_ui->DBTextImie, D::Imie},
        {m_ui->DBTextNazwisko, D::Nazwisko},
        {m_ui->DBTextAdres, D::Adres},
        {m_ui->DBTextDataPrzyjecia, D::DataPrzyjecia},
        {m_ui->DBTextDataZwolnienia, D::DataZwolnienia},
        {m_ui->DBTextTelefon, D::Telefon},
        {m_ui->DBTextMail, D::mail},
    };
    for (const auto& [text, field] : texts) {
        text->setDataSource(table, field);
        text->setFlat(false);
    }

    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this,
                  &TKierowcy1::ZamknijClick);
    connectAction(m_forms.context.dialogs, m_ui->Anuluj, &QPushButton::clicked, this,
                  &TKierowcy1::AnulujClick);
    connectAction(m_forms.context.dialogs, m_ui->WprowadzImieNazwisko, &QPushButton::clicked, this,
                  &TKierowcy1::WprowadzImieNazwiskoClick);
    connectAction(m_forms.context.dialogs, grid, &DbGrid::dblClick, this,
                  &TKierowcy1::DBGridKierowcyDblClick);
    setErrorHandlerForChildren(this, [&dialogs](const Error& e) { dialogs.message(e.text()); });
}

TKierowcy1::~TKierowcy1() = default;

Table* TKierowcy1::drivers() const {
    return m_forms.context.data().TableKierowcy;
}

void TKierowcy1::openWindow(bool pickForTrip) {
    // A table left open (the window closed by its close box) is used as it is.
    reference::openInDataFolder(*drivers(), m_forms.context.dataFolder(), tables::kierowcy().name);
    m_ui->WprowadzImieNazwisko->setVisible(pickForTrip);
    if (!isVisible())
        reference::centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TKierowcy1::closeDrivers() {
    Table* table = drivers();
    if (table->isActive())
        table->checkBrowseMode();
    table->close();
}

void TKierowcy1::pickDriver() {
    Table* table = drivers();
    table->checkBrowseMode();
    if (table->isEmpty()) {
        m_forms.context.dialogs.messageBox(QStringLiteral("Brak pozycji do wprowadzenia"),
                                           QStringLiteral("Informacja"));
        return;
    }
    reference::copyDriver(*table, *m_forms.context.data().TablePrzejazdy);
    closeDrivers();
    close();
}

void TKierowcy1::WprowadzImieNazwiskoClick() {
    runAction(m_forms.context.dialogs, [&] { pickDriver(); });
}

void TKierowcy1::DBGridKierowcyDblClick() {
    runAction(m_forms.context.dialogs, [&] { pickDriver(); });
}

void TKierowcy1::AnulujClick() {
    runAction(m_forms.context.dialogs, [&] { drivers()->cancel(); });
}

void TKierowcy1::ZamknijClick() {
    runAction(m_forms.context.dialogs, [&] {
        closeDrivers();
        close();
    });
}

bool TKierowcy1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->DBGridKierowcy && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
            runAction(m_forms.context.dialogs, [&] {
                Table* table = drivers();
                if (!table->isActive() || table->isEmpty())
                    return;
                if (reference::confirmDelete(m_forms.context.dialogs))
                    table->deleteRecord();
            });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarlok
