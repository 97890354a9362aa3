#include "TInformacjeNotatki.h"

#include "DeadlinesForm.h"
#include "TInformacjeNotatkiDruk.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/Tables.h"
#include "ui_TInformacjeNotatki.h"
#include "widgets/DataLink.h"

namespace tarlok {

TInformacjeNotatki::TInformacjeNotatki(Forms& forms)
    : m_forms(forms), m_ui(std::make_unique<Ui::TInformacjeNotatki>()) {
    setObjectName(QStringLiteral("InformacjeNotatki"));
    m_ui->setupUi(this);
    setHelpTopic(this, 18);
    setModal(true);
    AppContext& ctx = forms.context;
    m_ui->DBTextDanePojazdu->setDataSource(ctx.data().TablePojazdy, fields::pojazdy::Dane_Poj_Wszystko);
    // The notes of the deadlines window's current row; the memo follows that table as it opens and moves.
    m_ui->DBMemo1->setDataSource(forms.deadlinesForm->table, fields::terminy::Informacje);
    // The notes are typed into the deadlines row: the deadlines window saves them.
    forms.pendingEdits.add(this, forms.deadlinesForm->table);
    setErrorHandlerForChildren(this, [&dialogs = ctx.dialogs](const Error& e) { dialogs.message(e.text()); });
    connectAction(ctx.dialogs, m_ui->Drukuj, &QPushButton::clicked, this, &TInformacjeNotatki::DrukujClick);
    connectAction(ctx.dialogs, m_ui->Zamknij, &QPushButton::clicked, this, &TInformacjeNotatki::ZamknijClick);
}

TInformacjeNotatki::~TInformacjeNotatki() = default;

void TInformacjeNotatki::showForYear(const QString& yearText) {
    m_ui->LabelRokPodatkowy->setText(QStringLiteral("Rok podatkowy ") + yearText);
    m_forms.context.dialogs.showModal(this);
}

void TInformacjeNotatki::DrukujClick() {
    m_forms.InformacjeNotatkiDruk->preview(m_ui->DBTextDanePojazdu->text(), m_ui->DBMemo1->text());
    reject();
}

void TInformacjeNotatki::ZamknijClick() {
    reject();
}

} // namespace tarlok
