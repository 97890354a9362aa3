#pragma once

#include "DeadlineWarnings.h"

#include <QColor>
#include <QString>
#include <QtGlobal>

#include <array>

class QDate;
class QObject;
class QLabel;
class QSpinBox;
class QWidget;

namespace Ui {
class TOpcjeDlaTerminow;
}

namespace tarlok {

struct AppContext;
class DbCheckBox;
class DbDateEdit;
class EditingPanel;
class Forms;
class ServicePanel;
class SharedData;
class SlotsPanel;
class Table;

// What the deadline overview may ask of the deadlines window.
class DeadlinesEntry {
public:
    // The window opened on the vehicle (its NrKol_Pojazdu) and its row of `year`.
    virtual void openOn(qint64 vehicle, int year) = 0;

protected:
    ~DeadlinesEntry() = default;
};

// The colours of the deadlines window's warnings.
namespace deadlineColours {
inline const QColor red{255, 0, 0};
inline const QColor gray{128, 128, 128};
inline const QColor yellow{255, 255, 0};
inline const QColor darkRed{128, 0, 0};
} // namespace deadlineColours

// The deadlines window's form context: its generated form, its table (a detail of the current vehicle),
// the vehicles, the colours and the state of the row shown, handed to the window's panels (the service
// alarm, the date slots, the editing buttons). The notes window, the schema window and the archive reach
// the deadlines table here; the overview reaches the window through `entry`.
class DeadlinesForm {
public:
    DeadlinesForm(Forms& registry, QWidget& owner, Ui::TOpcjeDlaTerminow& form, DeadlinesEntry& opener);
    ~DeadlinesForm();
    DeadlinesForm(const DeadlinesForm&) = delete;
    DeadlinesForm& operator=(const DeadlinesForm&) = delete;

    Forms& forms;
    AppContext& context;
    SharedData& data;
    QWidget& window;
    Ui::TOpcjeDlaTerminow& ui;
    DeadlinesEntry& entry;
    // The deadlines table (TableTerminy), held by the window for the whole run.
    Table* const table;

    // The controls of each date slot and each kind, in the order of deadlines::Slot and deadlines::Kind.
    std::array<DbDateEdit*, deadlines::SlotCount> pickers{};
    std::array<QLabel*, deadlines::SlotCount> slotLabels{}; // the label a date check hides
    std::array<DbCheckBox*, deadlines::KindCount> watchBoxes{};
    // The window colour of the edit boxes, from which the warnings stand out.
    QColor windowColour;
    // The vehicle row shown (its rowid), -1 for none yet.
    qint64 shownVehicle = -1;

    // The panels, set by the window once they are made.
    ServicePanel* service = nullptr;
    SlotsPanel* slotPanel = nullptr;
    EditingPanel* editing = nullptr;

    // The row field of each date slot and the watch flag of each kind.
    static const QString& slotField(deadlines::Slot slot);
    static const QString& watchField(deadlines::Kind kind);

    Table* vehicles() const;
    // The table is open and lists a row.
    bool hasRow() const;
    // The current vehicle is stored and ticked "Używany".
    bool vehicleInUse() const;
    // The tables carry the service fields.
    bool serviceAvailable() const;

    // Makes the table file, says so and opens the table on it; true when it was made.
    bool createTable();
    // The panels of a window with a table, or the creation button of one without.
    void showPanels(bool shown);
    // The current row loaded, its kinds shown or hidden, its dates checked, its totals shown.
    void showCurrentRow();

    void setColour(QWidget* widget, const QColor& colour) const;
    static void setSpinSilently(QSpinBox* spin, int value);
    static void setPickerSilently(DbDateEdit* picker, const QDate& date);
    void setYearBox(const QString& text) const;
};

} // namespace tarlok
