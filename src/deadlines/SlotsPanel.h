#pragma once

#include "DeadlineWarnings.h"

#include <QObject>
#include <QString>

namespace tarlok {

class DeadlinesForm;

// The date slots of the deadlines window: a watch box for each kind of deadline, a date picker for each
// slot with the colour of its warning, and the day spins (how many days before and after a deadline it
// warns, and when it stops). What is picked or set for a row being entered or changed is held in it.
class SlotsPanel : public QObject {
    Q_OBJECT

public:
    explicit SlotsPanel(DeadlinesForm& form);
    ~SlotsPanel() override;
    // The handlers connected, once the window's controls are all set up.
    void connectHandlers();

    // The row's dates and days in the pickers and spins (today's date for a row without one).
    void loadCurrentRow();
    // The kinds the row watches shown, the others hidden (in the grid too).
    void applyKindToggles();
    // Every slot shown again, then the warnings of the row's dates.
    void dateCheck();
    // The pickers' dates and the spins written to the row being saved.
    void writeToRow();

public slots:
    void DBCheckBoxTerminOCClick();
    void DBCheckBoxTerminACClick();
    void DBCheckBoxTerminPrzegTechClick();
    void DBCheckBoxTerminPrzegGwarClick();
    void DBCheckBoxTerminNaprawyClick();
    void DBCheckBoxTerminWymianyClick();
    void DBCheckBoxTerminWazDokumClick();
    void DBCheckBoxTerminyInneClick();
    void DateTimePickerOCChange();
    void DateTimePickerOC2Change();
    void DateTimePickerACChange();
    void DateTimePickerAC2Change();
    void DateTimePickerTechChange();
    void DateTimePickerGwarChange();
    void DateTimePickerPojChange();
    void DateTimePickerOlejChange();
    void DateTimePickerDokChange();
    void DateTimePickerInneChange();
    void SpinEditDniPrzedTerminemChange();
    void SpinEditDniPoTerminieChange();
    void SpinEditKonczInformowanieChange();

private:
    void setupControls();
    void editedDateCheck();
    void checkSlots(bool fromPickers);
    void kindToggled(deadlines::Kind kind);
    void showKind(deadlines::Kind kind, bool shown);
    void pickerChanged(deadlines::Slot slot);
    void daySpinChanged(const QString& field, int value);

    DeadlinesForm& m_form;
};

} // namespace tarlok
