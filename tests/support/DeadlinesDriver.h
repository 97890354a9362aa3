#pragma once

#include "WindowDriver.h"
#include "deadlines/DeadlineWarnings.h"

#include <QColor>
#include <QDate>
#include <QMap>
#include <QRect>
#include <QString>

class QAbstractButton;
class QLineEdit;
class QSpinBox;

namespace tarlok {
class TOpcjeDlaTerminow;
}

namespace tarlok::test {

class TestApp;

// The deadlines window as its user meets it: opened from the main window, its buttons pressed, its
// boxes typed into key by key, its dates picked, its grids clicked, and what it shows read back. The
// one place in the tests that knows the window's controls.
class DeadlinesDriver : public WindowDriver {
public:
    enum class Button { Add, Edit, Save, Cancel, Delete, Help, Close, Create, HandOver, Print, Notes };
    enum class Box {
        CostOC,
        CostOC2,
        CostAC,
        CostAC2,
        CostNW,
        CostTech,
        CostWarranty,
        CostRepairs,
        Additional, // "Koszt dodatkowy:"
        Year,       // "Rok podatkowy"
        TotalOC,
        TotalAC,
        Total,
        LastService, // "Licznik po ostatnim serwisie:"
        Reading,     // "Aktualny stan liczmika:"
        NextService, // "Przyszły stan licz. dla serwisu:"
        Alarm,
    };
    enum class Spin { DaysBefore, DaysAfter, EndOfInforming, KmBefore, KmAfter };

    explicit DeadlinesDriver(TestApp& app);
    TOpcjeDlaTerminow& window() const;

    // --- opening and closing ---
    // "TERMINY" in the main window; the window stays shown for the test.
    void openFromMainWindow();
    // "&Ustawienie terminów".
    void openSettings();
    // isShown(), title(), pressEscape() and closeByTitleBar() as every window's driver.
    using WindowDriver::isShown;

    // --- buttons (pressing a disabled or hidden one fails the test) ---
    void press(Button button);
    bool isEnabled(Button button) const;
    bool isShown(Button button) const;
    QString hint(Button button) const;
    void add() { press(Button::Add); }
    void edit() { press(Button::Edit); }
    void save() { press(Button::Save); }
    void cancel() { press(Button::Cancel); }
    void close() { press(Button::Close); }
    // "&Usuń" answered Yes or No.
    void remove(bool yes);
    // "PRZEKAŻ AUTO DO SERWISU" answered Yes or No.
    void handOver(bool yes);

    // --- boxes ---
    void type(Box box, const QString& text);
    void typeAndEnter(Box box, const QString& text);
    // Types more at the end of what the box holds, key by key.
    void typeMore(Box box, const QString& text);
    QString text(Box box) const;
    bool isOpenForTyping(Box box) const;   // enabled, writable, framed
    bool isClosedForTyping(Box box) const; // disabled or read-only, and flat
    QColor colour(Box box) const;
    bool isShown(Box box) const;
    bool isEnabled(Box box) const;

    // --- watch boxes, dates, spins ---
    void tick(deadlines::Kind kind);
    bool isTicked(deadlines::Kind kind) const;
    void tickAllYears();
    bool allYearsTicked() const;
    void pickDate(deadlines::Slot slot, const QDate& date);
    QDate date(deadlines::Slot slot) const;
    QColor pickerColour(deadlines::Slot slot) const;
    bool isPickerShown(deadlines::Slot slot) const;
    // Whether the control of that name ("LabelUbezpieczenieOC", "Panel1", ...) is shown.
    bool isShown(const QString& name) const;
    // Where each panel and each box shown stands (in the window's coordinates), once laid out; by
    // object name.
    QMap<QString, QRect> places() const;
    void setSpin(Spin spin, int value);
    int spin(Spin spin) const;

    // --- grids ---
    void clickVehicle(int row);
    void clickRow(int row);
    int rowCount() const;
    QString cell(int row, int column) const;
    int columnWidth(int column) const;
    // The colour a grid draws a row's text in; QColor(Qt::blue) stands for the grid's own colour.
    QColor rowColour(int row, bool selected) const;
    QColor vehicleColour(int row, bool selected) const;

    // --- the panels and the service alarm ---
    bool panelsEnabled() const; // the watch boxes, the dates and costs, the days and the grid
    bool isAlarmShown() const;
    QString remaining() const; // the kilometres left to the service

protected:
    QWidget& driven() const override;

private:
    QAbstractButton* button(Button button) const;
    QLineEdit* box(Box box) const;
    QSpinBox* spinBox(Spin spin) const;

    TestApp& m_app;
};

} // namespace tarlok::test
