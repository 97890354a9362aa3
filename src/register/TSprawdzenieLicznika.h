#pragma once

#include "calc/OdometerChain.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class TSprawdzenieLicznika;
}

namespace tarlok {

class Forms;

// The odometer chain of a vehicle in a period: one line per trip that does not start at the reading on
// which the trip before it ended (the date, the registration, the two readings and the difference), or
// a line saying the chain is whole. Modal; opened by the register for its vehicle and period.
class TSprawdzenieLicznika : public QDialog {
    Q_OBJECT

public:
    struct Vehicle {
        qint64 number = 0;    // NrKol_Pojazdu
        QString registration; // Nr_Rej
        QString description;  // Dane_Poj_Wszystko
    };

    // What the window says of a period without breaks, and without trips.
    static constexpr QStringView kChainWhole =
        u"Licznik jest ciągły: każdy przejazd zaczyna się od stanu licznika, "
        u"na którym skończył się poprzedni.";
    static constexpr QStringView kNoTrips = u"Brak przejazdów pojazdu w wybranym okresie.";
    // The line above the breaks: their number.
    static QString breaksFound(int count);
    // The kind of a break, in its line.
    static constexpr QStringView kGap = u"luka - km niezapisane";
    static constexpr QStringView kOverlap = u"nakładanie - km liczone dwa razy";

    explicit TSprawdzenieLicznika(Forms& forms);
    ~TSprawdzenieLicznika() override;

    // Reads the vehicle's trips of the month (1..12) or of the whole year (0) and shows their breaks.
    void check(const Vehicle& vehicle, int year, int month);
    // check(), then the window shown modally.
    void openFor(const Vehicle& vehicle, int year, int month);

    Ui::TSprawdzenieLicznika* ui() const { return m_ui.get(); }
    const std::vector<odometer::Break>& found() const { return m_found; }

public slots:
    void ZamknijClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TSprawdzenieLicznika> m_ui;
    std::vector<odometer::Break> m_found;
};

} // namespace tarlok
