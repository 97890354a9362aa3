#pragma once

// Guards for the walks of the register's tabs over the shared trips and costs tables: each switches
// what the table shows, or keeps its bound controls still, for the time of a walk, and puts it back
// when the walk ends, also when it ends by an error. Shared by the tab files of this folder only.
#include "store/Table.h"

#include <QSet>
#include <QString>

#include <functional>
#include <utility>

namespace tarlok::walks {

inline QString numberField() {
    return QStringLiteral("NrKol");
}

// Keeps the controls bound to a table still for the time of a walk over its rows; they show the
// result once at the end.
class QuietControls {
public:
    explicit QuietControls(Table& table) : m_table(table) { m_table.disableControls(); }
    ~QuietControls() {
        try {
            m_table.enableControls();
        } catch (...) {
            // The controls read the table again at its next move.
        }
    }
    QuietControls(const QuietControls&) = delete;
    QuietControls& operator=(const QuietControls&) = delete;

private:
    Table& m_table;
};

// For the time of a walk, the view shows the current vehicle's trips that `admit` accepts (every trip
// of the vehicle when it is empty) in place of the trips of the chosen period. Afterwards the view
// holds exactly the trips it held before: they are remembered by number, so that the period filter
// need not judge every trip of the vehicle again. A changed pending trip refuses before anything is
// switched.
class TripsView {
public:
    TripsView(Table& table, std::function<bool(Table&)> admit)
        : m_table(table), m_periodFilter(table.onFilterRecord), m_wasFiltered(table.isFiltered()),
          m_number(table.fieldIndex(numberField())) {
        m_table.checkBrowseMode();
        if (!m_table.isEmpty())
            m_current = m_table.asInteger(numberField());
        for (int row = 0; row < m_table.recordCount(); ++row)
            m_shown.insert(m_table.displayRecord(row).value(m_number).toLongLong());
        const bool filtered = bool(admit);
        m_table.onFilterRecord = std::move(admit);
        try {
            m_table.setFiltered(false);
            m_table.setFiltered(filtered);
        } catch (...) {
            restore();
            throw;
        }
    }
    ~TripsView() {
        try {
            restore();
        } catch (...) {
            m_table.onFilterRecord = m_periodFilter; // the view is read again at the next refresh
        }
    }
    TripsView(const TripsView&) = delete;
    TripsView& operator=(const TripsView&) = delete;

private:
    void restore() {
        if (m_table.isEditing())
            m_table.cancel(); // a walk's own row, left by a failure
        m_table.onFilterRecord = [this](Table& row) {
            return m_shown.contains(row.value(m_number).toLongLong());
        };
        m_table.setFiltered(false);
        m_table.setFiltered(m_wasFiltered);
        m_table.onFilterRecord = m_periodFilter;
        if (m_current != 0)
            m_table.locate(numberField(), {m_current});
    }

    Table& m_table;
    std::function<bool(Table&)> m_periodFilter;
    bool m_wasFiltered;
    int m_number;
    qint64 m_current = 0; // the trip under the cursor, which it is on again afterwards
    QSet<qint64> m_shown;
};

// For the time of a walk, the trips table covers the trips of every vehicle and every period: no link
// to the vehicle, no filter, the stored order. Afterwards it is linked to the vehicle again, on its
// index, with its filter on.
class EveryTrip {
public:
    EveryTrip(Table& table, Table* vehicles) : m_table(table), m_vehicles(vehicles) {
        try {
            m_table.setFiltered(false);
            m_table.setIndexName(QString());
            m_table.clearMasterSource();
        } catch (...) {
            restore();
            throw;
        }
    }
    ~EveryTrip() {
        try {
            restore();
        } catch (...) {
            // The link is set first; the next refresh reads the rows again.
        }
    }
    EveryTrip(const EveryTrip&) = delete;
    EveryTrip& operator=(const EveryTrip&) = delete;

private:
    void restore() {
        if (m_table.isEditing())
            m_table.cancel(); // a walk's own row, left by a failure
        // Linked while still in the stored order, so that only the vehicle's rows are read again.
        m_table.setMasterSource(m_vehicles, QStringLiteral("NrKol_Pojazdu"));
        m_table.setIndexName(QStringLiteral("NrKol_Pojazdu_DataInd"));
        m_table.setFiltered(true);
    }

    Table& m_table;
    Table* m_vehicles;
};

// A walk over every cost of the current vehicle in the register's costs table: the period filter is
// off and the bound controls wait until the end; then the filter is on again and the cursor back on
// the row it was on.
class VehicleCostsWalk {
public:
    explicit VehicleCostsWalk(Table& table) : m_table(table) {
        if (!table.isEditing() && !table.isEmpty())
            m_key = table.asInteger(numberField());
        table.disableControls();
        try {
            table.setFiltered(false);
        } catch (...) {
            table.enableControls();
            throw;
        }
    }
    ~VehicleCostsWalk() {
        try {
            if (m_table.isActive()) {
                if (m_table.isEditing())
                    m_table.cancel();
                m_table.setFiltered(true);
                if (m_key != 0)
                    m_table.locate(numberField(), {m_key});
            }
        } catch (...) {
            // The table is read again by whoever handles the error.
        }
        m_table.enableControls();
    }
    VehicleCostsWalk(const VehicleCostsWalk&) = delete;
    VehicleCostsWalk& operator=(const VehicleCostsWalk&) = delete;

private:
    Table& m_table;
    qint64 m_key = 0;
};

} // namespace tarlok::walks
