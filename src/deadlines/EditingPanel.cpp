// The editing buttons of the deadlines window: adding, editing, saving, cancelling and deleting a row.
#include "EditingPanel.h"

#include "DeadlineSave.h"
#include "DeadlinesForm.h"
#include "ServicePanel.h"
#include "SlotsPanel.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TOpcjeDlaTerminow.h"
#include "widgets/DataLink.h"

#include <QSignalBlocker>

namespace tarlok {

using namespace deadlines;
namespace F = fields::terminy;
namespace P = fields::pojazdy;

namespace {

const QString kUseEditOrAdd = QStringLiteral("Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj\", a "
                                             "jeżeli wprowadzasz nowy zapis użyj przycisku \"Dodaj\" ");
const QString kNoVehicle = QStringLiteral("Brak pojazdu - wprowadź najpierw pojazd w formatce POJAZDY.");

} // namespace

EditingPanel::EditingPanel(DeadlinesForm& form) : m_form(form) {
    setupControls();
}

EditingPanel::~EditingPanel() = default;

void EditingPanel::setupControls() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    const std::pair<DbEdit*, const QString*> costs[] = {
        {ui.DBEditKosztOC, &F::KosztOC},
        {ui.DBEditKosztOCRata2, &F::Pom3},
        {ui.DBEditKosztAC, &F::KosztAC},
        {ui.DBEditKosztACRata2, &F::Pom7},
        {ui.DBEditKosztNW, &F::Pom4},
        {ui.DBEditKosztPrzegTech, &F::KosztPrzegTech},
        {ui.DBEditKosztPrzegGwar, &F::KosztPrzegGwar},
        {ui.DBEditKosztNapraw, &F::KosztNapraw},
        {ui.DBEditKosztyCalkowite, &F::KosztyCalkowite},
    };
    for (const auto& [box, field] : costs) {
        box->setDataSource(m_form.table, *field);
        if (box != ui.DBEditKosztNW)
            box->setDisplayPattern(QStringLiteral("0.00"));
        box->setAlignment(Qt::AlignRight);
    }
    ui.DBEditKosztyCalkowite->setFlat(true);
    // The boxes are named in the messages about what was typed into them.
    m_boxNames = {{ui.DBEditKosztOC, QStringLiteral("Koszt całkowity OC, rata I")},
                  {ui.DBEditKosztOCRata2, QStringLiteral("Koszt całkowity OC, rata II")},
                  {ui.DBEditKosztAC, QStringLiteral("Koszt całkowity AC, rata I")},
                  {ui.DBEditKosztACRata2, QStringLiteral("Koszt całkowity AC, rata II")},
                  {ui.DBEditKosztNW, QStringLiteral("Koszt NW (w pełnych złotych)")},
                  {ui.DBEditKosztPrzegTech, QStringLiteral("Koszt przeg tech.")},
                  {ui.DBEditKosztPrzegGwar, QStringLiteral("Koszt przeg. gwar.")},
                  {ui.DBEditKosztNapraw, QStringLiteral("Koszt napraw i wym. wyp.")}};
    for (QLineEdit* box : {ui.EditKosztyCalkowiteOC, ui.EditKosztyCalkowiteAC})
        box->setAlignment(Qt::AlignRight);
    ui.EditKosztDodatkowy->setAlignment(Qt::AlignRight);
}

void EditingPanel::connectHandlers() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    Dialogs& dialogs = m_form.context.dialogs;
    using P = EditingPanel;
    connectAction(dialogs, ui.Dodaj, &QPushButton::clicked, this, &P::DodajClick);
    connectAction(dialogs, ui.Edytuj, &QPushButton::clicked, this, &P::EdytujClick);
    connectAction(dialogs, ui.Zapisz, &QPushButton::clicked, this, &P::ZapiszClick);
    connectAction(dialogs, ui.Anuluj, &QPushButton::clicked, this, &P::AnulujClick);
    connectAction(dialogs, ui.Usun, &QPushButton::clicked, this, &P::UsunClick);
    // Code sets these boxes silently: only what the user types arrives here.
    connectAction(dialogs, ui.EditKosztDodatkowy, &QLineEdit::textEdited, this, &P::EditKosztDodatkowyChange);
    connectAction(dialogs, ui.EditRokPodatkowy, &QLineEdit::textEdited, this, &P::yearTyped);
}

void EditingPanel::showTotals() {
    Table* t = m_form.table;
    const bool row = t->isActive() && !t->isEmpty();
    const QVariant none;
    m_form.ui.EditKosztyCalkowiteOC->setText(
        amountText(instalmentTotal(row ? t->value(F::KosztOC) : none, row ? t->value(F::Pom3) : none)));
    m_form.ui.EditKosztyCalkowiteAC->setText(
        amountText(instalmentTotal(row ? t->value(F::KosztAC) : none, row ? t->value(F::Pom7) : none)));
}

void EditingPanel::yearTyped() {
    Table* t = m_form.table;
    if (!t->isActive() || !t->isEditing())
        return;
    // A whole number is the row's year at once (the grid shows it); any other text holds the row until
    // the save refuses it.
    const QString text = m_form.ui.EditRokPodatkowy->text().trimmed();
    try {
        if (numbers::isInteger(text)) {
            t->setValue(F::Rok, numbers::parseInteger(text));
            return;
        }
    } catch (const EngineError&) {
        // too large for a year: refused by the save
    }
    t->markModified();
}

void EditingPanel::DodajClick() {
    AppContext& ctx = m_form.context;
    Table* t = m_form.table;
    const QString refusal = m_form.data.vehicleRefusal();
    if (!refusal.isEmpty()) {
        ctx.dialogs.message(refusal);
        return;
    }
    if (m_form.vehicles()->isEmpty()) {
        ctx.dialogs.message(kNoVehicle);
        return;
    }
    if (t->state() != Table::State::Insert) {
        try {
            t->append();
        } catch (const PendingRowError& e) {
            ctx.dialogs.message(e.text()); // the row typed into stays, with its year
            return;
        }
    }
    closeEditBoxes();
    m_form.setYearBox(QString::number(ctx.clock.today().year()));
    m_form.slotPanel->applyKindToggles();
    showTotals();
}

void EditingPanel::EdytujClick() {
    Table* t = m_form.table;
    if (!t->isActive() || t->isEditing())
        return;
    t->edit();
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    ui.EditRokPodatkowy->setReadOnly(false);
    ui.EditRokPodatkowy->setFrame(true);
    {
        const QSignalBlocker block(ui.EditKosztDodatkowy);
        ui.EditKosztDodatkowy->clear();
    }
    ui.EditKosztDodatkowy->setEnabled(true);
    ui.EditKosztDodatkowy->setReadOnly(false);
    ui.EditKosztDodatkowy->setFrame(true);
    ui.LabelKoszttDodatkowy->setEnabled(true);
}

void EditingPanel::closeEditBoxes() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    ui.EditKosztDodatkowy->setReadOnly(true);
    ui.EditKosztDodatkowy->setEnabled(false);
    ui.EditKosztDodatkowy->setFrame(false);
    ui.LabelKoszttDodatkowy->setEnabled(false);
    ui.EditRokPodatkowy->setReadOnly(true);
    ui.EditRokPodatkowy->setFrame(false);
}

void EditingPanel::EditKosztDodatkowyChange() {
    m_form.table->markModified();
    const QString text = m_form.ui.EditKosztDodatkowy->text();
    if (!text.isEmpty() && text != QLatin1String("-") && !numbers::isNumber(text))
        m_form.context.dialogs.message(QStringLiteral("Wpisana wartość nie jest liczbą"));
}

void EditingPanel::ZapiszClick() {
    save();
}

void EditingPanel::writeTypedTexts() {
    for (DbEdit* box : m_form.window.findChildren<DbEdit*>()) {
        if (!box->hasPendingText())
            continue;
        try {
            box->updateRecord();
        } catch (const Error& e) {
            box->setFocus();
            throw Error(QStringLiteral("%1: %2").arg(m_boxNames.value(box, box->dataField()), e.text()));
        }
    }
}

bool EditingPanel::save() {
    AppContext& ctx = m_form.context;
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    Table* t = m_form.table;
    if (!t->isActive() || !t->isEditing()) {
        ctx.dialogs.message(kUseEditOrAdd);
        return false;
    }
    Table* cars = m_form.vehicles();
    const QString refusal = m_form.data.vehicleRefusal();
    if (!refusal.isEmpty() || cars->isEmpty()) {
        ctx.dialogs.message(refusal.isEmpty() ? kNoVehicle : refusal);
        return false;
    }

    // Everything typed is read before anything is written, so a refused save leaves the row as it was.
    try {
        writeTypedTexts();
    } catch (const Error& e) {
        ctx.dialogs.messageBox(e.text(), QStringLiteral("Błąd"));
        return false;
    }
    SaveInput input;
    input.yearText = ui.EditRokPodatkowy->text();
    input.additionalText = ui.EditKosztDodatkowy->text();
    input.currentYear = ctx.clock.today().year();
    input.typed.ac = t->asFloat(F::KosztAC);
    input.typed.oc = t->asFloat(F::KosztOC);
    input.typed.acII = t->asFloat(F::Pom7);
    input.typed.ocII = t->asFloat(F::Pom3);
    input.typed.nw = t->asInteger(F::Pom4);
    input.typed.tech = t->asFloat(F::KosztPrzegTech);
    input.typed.gwar = t->asFloat(F::KosztPrzegGwar);
    input.typed.napraw = t->asFloat(F::KosztNapraw);
    const SaveResult result = saveFigures(input);
    if (result.refused != SaveResult::Refused::None) {
        ctx.dialogs.messageBox(result.refusal, QStringLiteral("Błąd"));
        if (result.refused == SaveResult::Refused::Year)
            ui.EditRokPodatkowy->setFocus();
        else
            ui.EditKosztDodatkowy->setFocus();
        return false;
    }

    t->setValue(F::NrKol_Pojazdu, cars->value(P::NrKol_Pojazdu));
    m_form.slotPanel->writeToRow();
    if (m_form.serviceAvailable())
        m_form.service->writeServiceFields();
    t->setValue(F::Rok, result.year);
    const RowCosts& costs = result.costs;
    t->setValue(F::KosztAC, costs.ac);
    t->setValue(F::KosztOC, costs.oc);
    t->setValue(F::Pom7, costs.acII);
    t->setValue(F::Pom3, costs.ocII);
    t->setValue(F::Pom4, costs.nw);
    t->setValue(F::KosztPrzegTech, costs.tech);
    t->setValue(F::KosztPrzegGwar, costs.gwar);
    t->setValue(F::KosztNapraw, costs.napraw);
    t->setValue(F::KosztyCalkowite, result.total);

    t->post();
    t->flushBuffers();
    if (result.additionalTaken) {
        const QSignalBlocker block(ui.EditKosztDodatkowy);
        ui.EditKosztDodatkowy->setText(QStringLiteral("0"));
    }
    closeEditBoxes();
    // The row saved with another year may have left the list: the row now current is shown.
    m_form.showCurrentRow();
    return true;
}

void EditingPanel::AnulujClick() {
    Table* t = m_form.table;
    {
        const QSignalBlocker block(m_form.ui.EditKosztDodatkowy);
        m_form.ui.EditKosztDodatkowy->clear();
    }
    closeEditBoxes();
    if (!t->isActive())
        return;
    t->cancel();
    m_form.showCurrentRow();
}

void EditingPanel::UsunClick() {
    AppContext& ctx = m_form.context;
    Table* t = m_form.table;
    if (!t->isActive() || (t->recordCount() == 0 && t->state() != Table::State::Insert)) {
        ctx.dialogs.messageBox(QStringLiteral("Brak Terminu do USUNIĘCIA"), QStringLiteral("Informacja"));
        return;
    }
    if (ctx.dialogs.question(QStringLiteral("Czy usunąć wybraną pozycję"), QStringLiteral("WYBIERZ"))) {
        t->deleteRecord();
        t->flushBuffers();
    } else {
        t->cancel();
    }
    closeEditBoxes();
    m_form.showCurrentRow();
}

} // namespace tarlok
