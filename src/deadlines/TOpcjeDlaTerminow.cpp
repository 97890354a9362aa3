#include "TOpcjeDlaTerminow.h"

#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TOpcjeDlaTerminow.h"

namespace tarlok {

TOpcjeDlaTerminow::TOpcjeDlaTerminow(Forms& forms)
    : m_forms(forms), m_ui(std::make_unique<Ui::TOpcjeDlaTerminow>()) {
    m_ui->setupUi(this);
    TableTerminy = new Table(forms.context.database, this);
    TableTerminy->setObjectName(QStringLiteral("TableTerminy"));
    connectAction(m_forms.context.dialogs, m_ui->TworzTabTerminy, &QPushButton::clicked, this,
                  &TOpcjeDlaTerminow::TworzTabTerminyClick);
}

TOpcjeDlaTerminow::~TOpcjeDlaTerminow() = default;

bool TOpcjeDlaTerminow::createDeadlinesTable() {
    AppContext& ctx = m_forms.context;
    const QString folder = ctx.dataFolder();
    try {
        ctx.database.createTable(folder, tables::terminy(), tables::terminy().fieldsOf(FieldOrigin::Base));
        ctx.dialogs.message(QStringLiteral("Tablica \"Terminy\" została utworzona"));
        TableTerminy->close();
        TableTerminy->setDatabaseName(folder);
        TableTerminy->setTableName(QStringLiteral("Terminy"));
        TableTerminy->open();
        for (QWidget* panel : {m_ui->Panel1, m_ui->Panel2, m_ui->Panel4, m_ui->Panel5})
            panel->setVisible(true);
        m_ui->TworzTabTerminy->setVisible(false);
        return true;
    } catch (const Error&) {
        ctx.dialogs.message(QStringLiteral("Błąd tworzenia tablicy Terminy"));
        return false;
    }
}

void TOpcjeDlaTerminow::TworzTabTerminyClick() {
    runAction(m_forms.context.dialogs, [&] { createDeadlinesTable(); });
}

} // namespace tarlok
