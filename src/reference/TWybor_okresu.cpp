// The first-period window: shown by "EWIDENCJA" while no period exists; it stores the first month of
// the register and opens the register on it.
#include "TWybor_okresu.h"

#include "PeriodRules.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "store/Table.h"
#include "ui_TWybor_okresu.h"

#include <QCompleter>
#include <QSignalBlocker>

namespace tarlok {

namespace {

const QString kBadYear = QStringLiteral("Nieprawidłowa wartość roku");

} // namespace

TWybor_okresu::TWybor_okresu(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TWybor_okresu>()) {
    setObjectName(QStringLiteral("Wybor_okresu"));
    m_ui->setupUi(this);
    setHelpTopic(this, 14);
    setModal(true);
    // A month name typed in other letters is no month name: completion must not correct its case.
    m_ui->ComboBoxMiesiace->completer()->setCaseSensitivity(Qt::CaseSensitive);
    connectAction(m_forms.context.dialogs, m_ui->Rok_ewidencji, &QLineEdit::textEdited, this,
                  &TWybor_okresu::Rok_ewidencjiChange);
    connectAction(m_forms.context.dialogs, m_ui->Wprowadz_okres, &QPushButton::clicked, this,
                  &TWybor_okresu::Wprowadz_okresClick);
}

TWybor_okresu::~TWybor_okresu() = default;

void TWybor_okresu::propose(int year, int month) {
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->LabelRok), static_cast<QWidget*>(m_ui->LabelMiesiac),
          static_cast<QWidget*>(m_ui->Rok_ewidencji), static_cast<QWidget*>(m_ui->ComboBoxMiesiace),
          static_cast<QWidget*>(m_ui->Wprowadz_okres)})
        w->setEnabled(true);
    m_ui->Rok_ewidencji->setText(QString::number(year));
    const QSignalBlocker block(m_ui->ComboBoxMiesiace);
    m_ui->ComboBoxMiesiace->setCurrentIndex(month - 1);
    m_ui->ComboBoxMiesiace->setEditText(months::name(month));
}

void TWybor_okresu::Rok_ewidencjiChange() {
    if (numbers::isInteger(m_ui->Rok_ewidencji->text()))
        return;
    m_forms.context.dialogs.message(kBadYear);
    m_ui->Rok_ewidencji->setText(QString::number(m_forms.context.clock.today().year()));
}

void TWybor_okresu::Wprowadz_okresClick() {
    AppContext& ctx = m_forms.context;
    bool stored = false;
    runAction(ctx.dialogs, [&] {
        const QDate today = ctx.clock.today();
        QLineEdit* yearEdit = m_ui->Rok_ewidencji;
        if (yearEdit->text().trimmed().isEmpty())
            yearEdit->setText(QString::number(today.year()));
        if (!numbers::isInteger(yearEdit->text())) {
            ctx.dialogs.message(kBadYear);
            yearEdit->setText(QString::number(today.year()));
            return;
        }
        const qint64 typed = numbers::parseInteger(yearEdit->text());
        if (typed < periods::kFirstYear || typed > periods::kLastYear) {
            ctx.dialogs.messageBox(QStringLiteral("Rok ewidencji musi się mieścić w przedziale od %1 do %2.")
                                       .arg(periods::kFirstYear)
                                       .arg(periods::kLastYear),
                                   QStringLiteral("Błąd"));
            yearEdit->setFocus();
            return;
        }
        const int year = int(typed);
        const int month = periods::monthOf(m_ui->ComboBoxMiesiace->currentText(), today.month());
        const QDate date = periods::firstPeriodDate(year, month, today);

        // The shared tables first: a table that cannot be opened leaves nothing stored. The register
        // follows the new period (the main window then shows it).
        SharedData& shared = m_forms.context.data();
        shared.openTables();
        shared.addPeriod(year, month, date);
        stored = true;
    });
    if (stored)
        accept();
}

} // namespace tarlok
