#include "DeadlinesForm.h"

#include "EditingPanel.h"
#include "SlotsPanel.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Dialogs.h"
#include "store/Database.h"
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

const QString kHeld = QStringLiteral("Wprowadzany zapis terminów nie został zapisany - zapisz go przyciskiem "
                                     "\"Zapisz\" albo anuluj przyciskiem \"Anuluj\".");

Table* makeTable(Forms& forms, QWidget& window) {
    auto* table = new Table(forms.context.database, &window);
    table->setObjectName(QStringLiteral("TableTerminy"));
    table->setIndexName(QStringLiteral("NrKol_PojRokInd"));
    table->setMasterSource(forms.context.data().TablePojazdy, P::NrKol_Pojazdu);
    table->setPendingGuard(kHeld);
    forms.pendingEdits.add(&window, table);
    return table;
}

} // namespace

DeadlinesForm::DeadlinesForm(Forms& registry, QWidget& owner, Ui::TOpcjeDlaTerminow& form,
                             DeadlinesEntry& opener)
    : forms(registry), context(registry.context), data(registry.context.data()), window(owner), ui(form),
      entry(opener), table(makeTable(registry, owner)) {
    pickers = {ui.DateTimePickerOC,   ui.DateTimePickerOC2,  ui.DateTimePickerAC,  ui.DateTimePickerAC2,
               ui.DateTimePickerTech, ui.DateTimePickerGwar, ui.DateTimePickerPoj, ui.DateTimePickerOlej,
               ui.DateTimePickerDok,  ui.DateTimePickerInne};
    slotLabels = {ui.LabelUbezpieczenieOC, ui.LabelTerminOC2, ui.LabelTerminAC1, ui.LabelTerminAC2,
                  ui.LabelPrzegTech,       ui.LabelPrzegGwar, ui.LabelNaprawa,   ui.LabelWymiana,
                  ui.LabelWaznosci,        ui.LabelInny};
    watchBoxes = {ui.DBCheckBoxTerminOC,        ui.DBCheckBoxTerminAC,      ui.DBCheckBoxTerminPrzegTech,
                  ui.DBCheckBoxTerminPrzegGwar, ui.DBCheckBoxTerminNaprawy, ui.DBCheckBoxTerminWymiany,
                  ui.DBCheckBoxTerminWazDokum,  ui.DBCheckBoxTerminyInne};
    windowColour = ui.DateTimePickerOC->palette().color(QPalette::Base);
}

DeadlinesForm::~DeadlinesForm() = default;

const QString& DeadlinesForm::slotField(Slot slot) {
    switch (slot) {
    case SlotOC:
        return F::TerminOC;
    case SlotOC2:
        return F::Termin1;
    case SlotAC:
        return F::TerminAC;
    case SlotAC2:
        return F::Termin2;
    case SlotTech:
        return F::TerminPrzegTechnicznego;
    case SlotGwar:
        return F::TerminPrzegGwarancyjnego;
    case SlotNaprawa:
        return F::TerminNaprawy;
    case SlotWymiana:
        return F::TerminWymianyWyposazenia;
    case SlotDokument:
        return F::TerminWaznosciDokumentu;
    case SlotInny:
    case SlotCount:
        break;
    }
    return F::TerminWaznosciInny;
}

const QString& DeadlinesForm::watchField(Kind kind) {
    switch (kind) {
    case OC:
        return F::SprawdzOC;
    case AC:
        return F::SprawdzAC;
    case PrzegTech:
        return F::SprawdzPrzegTechniczny;
    case PrzegGwar:
        return F::SprawdzPrzegGwarancyjny;
    case Naprawa:
        return F::SprawdzTermNaprawy;
    case Wymiana:
        return F::SprawdzTermWymiany;
    case Dokument:
        return F::SprawdzTermWazDokumentu;
    case Inny:
    case KindCount:
        break;
    }
    return F::SprawdzTermWazInny;
}

Table* DeadlinesForm::vehicles() const {
    return data.TablePojazdy;
}

bool DeadlinesForm::hasRow() const {
    return table->isActive() && table->recordCount() > 0;
}

bool DeadlinesForm::vehicleInUse() const {
    Table* cars = vehicles();
    return cars->isActive() && !cars->isEmpty() && cars->state() != Table::State::Insert &&
           cars->asBool(P::Uzywany);
}

bool DeadlinesForm::serviceAvailable() const {
    Table* cars = vehicles();
    return context.schema.deadlinesUpgraded && table->isActive() && table->hasField(F::IloscKmDoInfPrzed) &&
           cars->isActive() && cars->hasField(P::StanAktLicznika) && cars->hasField(P::StanLicznikaPo) &&
           cars->hasField(P::CoIleKmSerwis);
}

bool DeadlinesForm::createTable() {
    const QString folder = context.dataFolder();
    try {
        context.database.createTable(folder, tables::terminy(),
                                     tables::terminy().fieldsOf(FieldOrigin::Base));
        context.dialogs.message(QStringLiteral("Tablica \"Terminy\" została utworzona"));
        table->close();
        table->setDatabaseName(folder);
        table->setTableName(QStringLiteral("Terminy"));
        table->open();
        showPanels(true);
        return true;
    } catch (const Error&) {
        context.dialogs.message(QStringLiteral("Błąd tworzenia tablicy Terminy"));
        return false;
    }
}

void DeadlinesForm::showPanels(bool shown) {
    for (QWidget* panel : {static_cast<QWidget*>(ui.Panel1), static_cast<QWidget*>(ui.Panel2),
                           static_cast<QWidget*>(ui.Panel4), static_cast<QWidget*>(ui.Panel5)})
        panel->setVisible(shown);
    ui.TworzTabTerminy->setVisible(!shown);
}

void DeadlinesForm::showCurrentRow() {
    slotPanel->loadCurrentRow();
    slotPanel->applyKindToggles();
    slotPanel->dateCheck();
    editing->showTotals();
}

void DeadlinesForm::setColour(QWidget* widget, const QColor& colour) const {
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Base) == colour)
        return;
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void DeadlinesForm::setSpinSilently(QSpinBox* spin, int value) {
    const QSignalBlocker block(spin);
    spin->setValue(value);
}

void DeadlinesForm::setPickerSilently(DbDateEdit* picker, const QDate& date) {
    picker->setDate(date);
}

void DeadlinesForm::setYearBox(const QString& text) const {
    const QSignalBlocker block(ui.EditRokPodatkowy);
    ui.EditRokPodatkowy->setText(text);
}

} // namespace tarlok
