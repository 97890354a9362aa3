#include "VehicleGrid.h"

#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"

namespace tarlok {

namespace {

namespace V = fields::pojazdy;

} // namespace

void setupVehicleGrid(Ui::TEwidencja_przejazdow& form, Table* vehicles) {
    auto* ui = &form;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignCenter;

    DbGrid* cars = ui->DBGridPojazdy;
    cars->setDataSource(vehicles);
    cars->setRowSelect(true);
    cars->setInPlaceEditing(false);
    cars->addColumn(V::NrKol_Pojazdu, QStringLiteral("Nr"), 36, right, true);
    cars->addColumn(V::Dane_Poj_Wszystko, QStringLiteral("Dane aktualnego pojazdy"), 250, left, true);
    cars->addColumn(QStringLiteral("Inform_samochod"), QStringLiteral("Poj. prac."), 62, centre, true);
    cars->addColumn(QStringLiteral("UzywanyString"), QStringLiteral("Używany"), 60, centre, true);
    cars->addColumn(V::StanAktLicznika, QStringLiteral("Licznik"), 76, right, true);
    cars->addColumn(V::DataOstSerwisu, QStringLiteral("Ost. serwis"), 86, centre, true);
    cars->addColumn(V::StanLicznikaPo, QStringLiteral("Licz.po ost.serwisie"), 124, right, true);
    cars->setColumnBackground(0, QColor(0xd8, 0xd8, 0xd8));
    cars->setCellColors([vehicles](int row, int, bool selected, QColor& text, QColor&) {
        if (selected) {
            text = Qt::white;
            return;
        }
        const Record r = vehicles->displayRecord(row);
        const QVariant used = r.value(vehicles->fieldIndex(V::Uzywany));
        if (used.isNull())
            return;
        text = used.toBool() ? Qt::black : Qt::red;
    });

    // The vehicle's name above the tabs.
    ui->DBNazwaPojazdu->setDataSource(vehicles, V::Nazwa_Poj);
}

} // namespace tarlok
