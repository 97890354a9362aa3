// The owner and taxpayer window: the owner table of the schema window in a grid and in edits.
#include "TWlascicielPodatnik.h"

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
#include "ui_TWlascicielPodatnik.h"
#include "widgets/DataLink.h"

namespace tarlok {

namespace W = fields::wlasciciel;

namespace {

// The fixed note under the edits, one text per line (the trailing blanks belong to it).
const QStringList& noteLines() {
    static const QStringList lines = {
        QStringLiteral("Pola Nazwisko, Imię, Nazwa Firmy, Skrócona nazwa firmy, Adres oraz "),
        QStringLiteral("Nip muszą być wypełnione dla poprawnego wydruku EWIDENCJI "),
        QStringLiteral("DLA VAT "),
    };
    return lines;
}

} // namespace

TWlascicielPodatnik::TWlascicielPodatnik(Forms& forms)
    : QWidget(nullptr, Qt::Window), m_forms(forms), m_ui(std::make_unique<Ui::TWlascicielPodatnik>()) {
    setObjectName(QStringLiteral("WlascicielPodatnik"));
    m_ui->setupUi(this);
    setHelpTopic(this, 6);
    Dialogs& dialogs = m_forms.context.dialogs;
    Table* table = owner();
    // What is typed here holds every move and whole-program action until it is saved or cancelled.
    forms.pendingEdits.add(
        this, table,
        QStringLiteral("Wprowadzane dane właściciela nie zostały zapisane - zapisz je przyciskiem \"\u2714\" "
                       "albo anuluj przyciskiem \"\u2716\" w formatce WŁAŚCICIEL."));

    reference::setupNavigator(m_ui->DBNavigator1, table, dialogs);
    reference::listWindowKeys(this, table, nullptr, m_ui->Zamknij);

    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    DbGrid* grid = m_ui->DBGrid1;
    grid->setDataSource(table);
    grid->setInPlaceEditing(true);
    grid->addColumn(W::Nazwisko, QStringLiteral("Nazwisko"), 120, left);
    grid->addColumn(W::Imie, QStringLiteral("Imię"), 100, left);
    grid->addColumn(W::NazwaFirmySkrot, QStringLiteral("Skrócona nazwa firmy"), 160, left);
    grid->addColumn(W::Nip, QStringLiteral("Nip"), 100, left);
    grid->addColumn(W::Regon, QStringLiteral("Regon"), 100, left);
    grid->addColumn(W::AdresFirmy, QStringLiteral("Adres"), 200, left);

    const std::pair<DbEdit*, QString> edits[] = {
        {m_ui->DBEditNazwisko, W::Nazwisko},
        {m_ui->DBEditImie, W::Imie},
        {m_ui->DBEditNazwaFirmy, W::NazwaFirmy},
        {m_ui->DBEditNazwaFirmySkrot, W::NazwaFirmySkrot},
        {m_ui->DBEditAdresFirmy, W::AdresFirmy},
        {m_ui->DBEditNip, W::Nip},
        {m_ui->DBEditRegon, W::Regon},
        {m_ui->DBEditTelefon, W::Telefon},
        {m_ui->DBEditFax, W::Fax},
        {m_ui->DBEditMail, W::mail},
        {m_ui->DBEditWWW, W::WWW},
        {m_ui->DBEditBank, W::Bank},
        {m_ui->DBEditKonto, W::konto},
    };
    for (const auto& [edit, field] : edits)
        edit->setDataSource(table, field);
    m_ui->DBEditDataPowstania->setDataSource(table, W::DataPowstania);

    m_ui->LabelUwaga->setText(noteLines().join(QLatin1Char('\n')));

    connectAction(m_forms.context.dialogs, m_ui->Zamknij, &QPushButton::clicked, this,
                  &TWlascicielPodatnik::ZamknijClick);
    setErrorHandlerForChildren(this, [&dialogs](const Error& e) { dialogs.message(e.text()); });
}

TWlascicielPodatnik::~TWlascicielPodatnik() = default;

Table* TWlascicielPodatnik::owner() const {
    return m_forms.context.data().TableWlasciciel;
}

void TWlascicielPodatnik::openWindow() {
    reference::openInDataFolder(*owner(), m_forms.context.dataFolder(), tables::wlasciciel().name);
    if (!isVisible())
        reference::centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TWlascicielPodatnik::ZamknijClick() {
    runAction(m_forms.context.dialogs, [&] {
        // What was typed and not yet stored is stored now rather than dropped with the table.
        Table* table = owner();
        table->checkBrowseMode();
        table->close();
        close();
    });
}

} // namespace tarlok
