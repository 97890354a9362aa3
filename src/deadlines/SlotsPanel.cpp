// The date slots of the deadlines window: the kinds watched, the date pickers with their warnings and
// the day spins.
#include "SlotsPanel.h"

#include "DeadlinesForm.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TOpcjeDlaTerminow.h"
#include "widgets/DataLink.h"

#include <limits>

namespace tarlok {

using namespace deadlines;
namespace F = fields::terminy;

namespace {

// The grid column that shows each date slot.
constexpr std::array<int, SlotCount> kSlotColumns = {1, 3, 2, 4, 5, 6, 7, 8, 9, 10};

} // namespace

SlotsPanel::SlotsPanel(DeadlinesForm& form) : m_form(form) {
    setupControls();
}

SlotsPanel::~SlotsPanel() = default;

void SlotsPanel::setupControls() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    for (int kind = 0; kind < KindCount; ++kind)
        m_form.watchBoxes[size_t(kind)]->setDataSource(m_form.table, DeadlinesForm::watchField(Kind(kind)));
    const QDate today = m_form.context.clock.today();
    for (DbDateEdit* picker : m_form.pickers)
        picker->setDate(today);

    // The day spins step by one; only the hidden end of informing has bounds.
    for (QSpinBox* spin : {ui.SpinEditDniPrzedTerminem, ui.SpinEditDniPoTerminie}) {
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        spin->setValue(0);
    }
    ui.SpinEditKonczInformowanie->setRange(1, 180);
    ui.SpinEditKonczInformowanie->setValue(30);
    for (QWidget* hidden :
         {static_cast<QWidget*>(ui.LabelZakoncz), static_cast<QWidget*>(ui.SpinEditKonczInformowanie),
          static_cast<QWidget*>(ui.LabelDniKoniec)})
        hidden->setVisible(false);
}

void SlotsPanel::connectHandlers() {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    Dialogs& dialogs = m_form.context.dialogs;
    using P = SlotsPanel;
    const std::array<void (P::*)(), KindCount> toggles = {
        &P::DBCheckBoxTerminOCClick,        &P::DBCheckBoxTerminACClick,
        &P::DBCheckBoxTerminPrzegTechClick, &P::DBCheckBoxTerminPrzegGwarClick,
        &P::DBCheckBoxTerminNaprawyClick,   &P::DBCheckBoxTerminWymianyClick,
        &P::DBCheckBoxTerminWazDokumClick,  &P::DBCheckBoxTerminyInneClick};
    for (int kind = 0; kind < KindCount; ++kind)
        connectAction(dialogs, m_form.watchBoxes[size_t(kind)], &DbCheckBox::changed, this,
                      toggles[size_t(kind)]);
    const std::array<void (P::*)(), SlotCount> pickers = {
        &P::DateTimePickerOCChange,  &P::DateTimePickerOC2Change,  &P::DateTimePickerACChange,
        &P::DateTimePickerAC2Change, &P::DateTimePickerTechChange, &P::DateTimePickerGwarChange,
        &P::DateTimePickerPojChange, &P::DateTimePickerOlejChange, &P::DateTimePickerDokChange,
        &P::DateTimePickerInneChange};
    for (int slot = 0; slot < SlotCount; ++slot)
        connectAction(dialogs, m_form.pickers[size_t(slot)], &DbDateEdit::changed, this,
                      pickers[size_t(slot)]);

    connectAction(dialogs, ui.SpinEditDniPrzedTerminem, &QSpinBox::valueChanged, this,
                  &P::SpinEditDniPrzedTerminemChange);
    connectAction(dialogs, ui.SpinEditDniPoTerminie, &QSpinBox::valueChanged, this,
                  &P::SpinEditDniPoTerminieChange);
    connectAction(dialogs, ui.SpinEditKonczInformowanie, &QSpinBox::valueChanged, this,
                  &P::SpinEditKonczInformowanieChange);
}

// ---------------------------------------------------------------- the current row

void SlotsPanel::loadCurrentRow() {
    Table* t = m_form.table;
    const QDate today = m_form.context.clock.today();
    if (!m_form.hasRow() || t->state() == Table::State::Insert) {
        for (DbDateEdit* picker : m_form.pickers)
            DeadlinesForm::setPickerSilently(picker, today);
    } else {
        for (int slot = 0; slot < SlotCount; ++slot) {
            const QDate date = t->asDate(DeadlinesForm::slotField(Slot(slot)));
            DeadlinesForm::setPickerSilently(m_form.pickers[size_t(slot)], date.isValid() ? date : today);
        }
        Ui::TOpcjeDlaTerminow& ui = m_form.ui;
        DeadlinesForm::setSpinSilently(ui.SpinEditDniPrzedTerminem, int(t->asInteger(F::InformujPrzed)));
        DeadlinesForm::setSpinSilently(ui.SpinEditDniPoTerminie, int(t->asInteger(F::InformujPo)));
        DeadlinesForm::setSpinSilently(
            ui.SpinEditKonczInformowanie,
            t->isNull(F::KoniecInformacji) ? 10 : int(t->asInteger(F::KoniecInformacji)));
        m_form.setYearBox(t->isNull(F::Rok) ? QString::number(today.year())
                                            : QString::number(t->asInteger(F::Rok)));
    }
    if (t->isActive() && !t->isEditing())
        t->refresh();
}

void SlotsPanel::writeToRow() {
    Table* t = m_form.table;
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    for (int slot = 0; slot < SlotCount; ++slot)
        t->setValue(DeadlinesForm::slotField(Slot(slot)), m_form.pickers[size_t(slot)]->date());
    t->setValue(F::InformujPrzed, ui.SpinEditDniPrzedTerminem->value());
    t->setValue(F::InformujPo, ui.SpinEditDniPoTerminie->value());
    t->setValue(F::KoniecInformacji, ui.SpinEditKonczInformowanie->value());
}

// ---------------------------------------------------------------- warnings

void SlotsPanel::dateCheck() {
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != SlotOC2 && slot != SlotAC2)
            m_form.setColour(m_form.pickers[size_t(slot)], m_form.windowColour);
    }
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    for (DbDateEdit* picker : m_form.pickers)
        picker->setVisible(true);
    for (QLabel* label : {ui.LabelUbezpieczenieOC, ui.LabelUbezpieczenieAC, ui.LabelTerminOC2,
                          ui.LabelTerminAC2, ui.LabelPrzegTech, ui.LabelPrzegGwar, ui.LabelNaprawa,
                          ui.LabelWymiana, ui.LabelWaznosci, ui.LabelInny})
        label->setVisible(true);
    checkSlots(false);
}

void SlotsPanel::editedDateCheck() {
    checkSlots(true);
}

void SlotsPanel::checkSlots(bool fromPickers) {
    Table* t = m_form.table;
    const bool row = t->isActive() && !t->isEmpty();
    const QDate today = m_form.context.clock.today();
    const int before = m_form.ui.SpinEditDniPrzedTerminem->value();
    const int after = m_form.ui.SpinEditDniPoTerminie->value();
    for (int slot = 0; slot < SlotCount; ++slot) {
        DbDateEdit* picker = m_form.pickers[size_t(slot)];
        const Kind kind = kindOf(Slot(slot));
        if (!row || !t->asBool(DeadlinesForm::watchField(kind))) {
            picker->setVisible(false);
            m_form.slotLabels[size_t(slot)]->setVisible(false);
            if (slot == SlotAC)
                m_form.ui.LabelUbezpieczenieAC->setVisible(false); // no heading over nothing
            continue;
        }
        const QDate date = fromPickers ? picker->date() : t->asDate(DeadlinesForm::slotField(Slot(slot)));
        switch (pickerWarning(date, today, before, after)) {
        case PickerWarning::Due:
            m_form.setColour(picker, deadlineColours::red);
            break;
        case PickerWarning::Past:
            m_form.setColour(picker, deadlineColours::gray);
            break;
        case PickerWarning::Ahead:
            m_form.setColour(picker, Qt::white);
            break;
        }
    }
}

// ---------------------------------------------------------------- the kinds watched

void SlotsPanel::applyKindToggles() {
    // The boxes follow the row; the dates loaded stay.
    Table* t = m_form.table;
    const bool row = m_form.hasRow() || (t->isActive() && t->isEditing());
    for (int kind = 0; kind < KindCount; ++kind)
        showKind(Kind(kind), row && t->asBool(DeadlinesForm::watchField(Kind(kind))));
}

void SlotsPanel::showKind(Kind kind, bool shown) {
    Ui::TOpcjeDlaTerminow& ui = m_form.ui;
    QList<QWidget*> widgets;
    QList<int> columns;
    switch (kind) {
    case OC:
        widgets = {ui.DateTimePickerOC, ui.DateTimePickerOC2, ui.LabelUbezpieczenieOC, ui.LabelTerminOC1,
                   ui.LabelTerminOC2};
        columns = {1, 3};
        break;
    case AC:
        widgets = {ui.DateTimePickerAC, ui.DateTimePickerAC2, ui.LabelUbezpieczenieAC, ui.LabelTerminAC1,
                   ui.LabelTerminAC2};
        columns = {2, 4};
        break;
    default: {
        const Slot slot = Slot(kind + 2);
        widgets = {m_form.pickers[size_t(slot)], m_form.slotLabels[size_t(slot)]};
        columns = {kSlotColumns[size_t(slot)]};
        break;
    }
    }
    for (QWidget* w : widgets)
        w->setVisible(shown);
    for (int column : columns) {
        ui.DBGridTerminy->setColumnWidth(column, shown ? 64 : 0);
        ui.DBGridTerminy->setColumnHidden(column, !shown);
    }
}

void SlotsPanel::kindToggled(Kind kind) {
    Table* t = m_form.table;
    const bool ticked = m_form.watchBoxes[size_t(kind)]->isChecked();
    showKind(kind, ticked);
    if (ticked) {
        // The kind's dates: the row's when they lie in this year, else today.
        const QDate today = m_form.context.clock.today();
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (kindOf(Slot(slot)) != kind)
                continue;
            const QDate date = t->isActive() ? t->asDate(DeadlinesForm::slotField(Slot(slot))) : QDate();
            DeadlinesForm::setPickerSilently(m_form.pickers[size_t(slot)],
                                             date.isValid() && date.year() == today.year() ? date : today);
        }
    }
    editedDateCheck();
}

void SlotsPanel::DBCheckBoxTerminOCClick() {
    kindToggled(OC);
}
void SlotsPanel::DBCheckBoxTerminACClick() {
    kindToggled(AC);
}
void SlotsPanel::DBCheckBoxTerminPrzegTechClick() {
    kindToggled(PrzegTech);
}
void SlotsPanel::DBCheckBoxTerminPrzegGwarClick() {
    kindToggled(PrzegGwar);
}
void SlotsPanel::DBCheckBoxTerminNaprawyClick() {
    kindToggled(Naprawa);
}
void SlotsPanel::DBCheckBoxTerminWymianyClick() {
    kindToggled(Wymiana);
}
void SlotsPanel::DBCheckBoxTerminWazDokumClick() {
    kindToggled(Dokument);
}
void SlotsPanel::DBCheckBoxTerminyInneClick() {
    kindToggled(Inny);
}

// ---------------------------------------------------------------- dates and days

void SlotsPanel::pickerChanged(Slot slot) {
    // A date picked for a row being entered or changed is held in it, so no move drops it unsaved.
    Table* t = m_form.table;
    if (t->isActive() && t->isEditing())
        t->setValue(DeadlinesForm::slotField(slot), m_form.pickers[size_t(slot)]->date());
    editedDateCheck();
}

void SlotsPanel::DateTimePickerOCChange() {
    pickerChanged(SlotOC);
}
void SlotsPanel::DateTimePickerOC2Change() {
    pickerChanged(SlotOC2);
}
void SlotsPanel::DateTimePickerACChange() {
    pickerChanged(SlotAC);
}
void SlotsPanel::DateTimePickerAC2Change() {
    pickerChanged(SlotAC2);
}
void SlotsPanel::DateTimePickerTechChange() {
    pickerChanged(SlotTech);
}
void SlotsPanel::DateTimePickerGwarChange() {
    pickerChanged(SlotGwar);
}
void SlotsPanel::DateTimePickerPojChange() {
    pickerChanged(SlotNaprawa);
}
void SlotsPanel::DateTimePickerOlejChange() {
    pickerChanged(SlotWymiana);
}
void SlotsPanel::DateTimePickerDokChange() {
    pickerChanged(SlotDokument);
}
void SlotsPanel::DateTimePickerInneChange() {
    pickerChanged(SlotInny);
}

void SlotsPanel::daySpinChanged(const QString& field, int value) {
    Table* t = m_form.table;
    if (t->isActive() && t->isEditing())
        t->setValue(field, value);
    dateCheck();
    m_form.ui.DBGridTerminy->viewport()->update();
}

void SlotsPanel::SpinEditDniPrzedTerminemChange() {
    daySpinChanged(F::InformujPrzed, m_form.ui.SpinEditDniPrzedTerminem->value());
}
void SlotsPanel::SpinEditDniPoTerminieChange() {
    daySpinChanged(F::InformujPo, m_form.ui.SpinEditDniPoTerminie->value());
}
void SlotsPanel::SpinEditKonczInformowanieChange() {
    daySpinChanged(F::KoniecInformacji, m_form.ui.SpinEditKonczInformowanie->value());
}

} // namespace tarlok
