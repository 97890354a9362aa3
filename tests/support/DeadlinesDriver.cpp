#include "DeadlinesDriver.h"

#include "ModelTesting.h"
#include "TestApp.h"
#include "Typing.h"

#include "app/TMeniProgramu.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "ui_TMeniProgramu.h"
#include "ui_TOpcjeDlaTerminow.h"

#include <QLineEdit>
#include <QTest>

namespace tarlok::test {

namespace {

QColor baseOf(const QWidget* widget) {
    return widget->palette().color(QPalette::Base);
}

} // namespace

DeadlinesDriver::DeadlinesDriver(TestApp& app) : m_app(app) {
    watchGrid(window().ui()->DBGridPojazdy);
    watchGrid(window().ui()->DBGridTerminy);
}

TOpcjeDlaTerminow& DeadlinesDriver::window() const {
    return *m_app.forms().OpcjeDlaTerminow;
}

QWidget& DeadlinesDriver::driven() const {
    return window();
}

// ---------------------------------------------------------------- opening and closing

void DeadlinesDriver::openFromMainWindow() {
    m_app.dialogs.setCloseModalWindows(false);
    QPushButton* terminy = m_app.forms().MeniProgramu->ui()->SpeedButton4;
    QVERIFY2(terminy->isEnabled(), "\"TERMINY\" is disabled");
    terminy->click();
}

void DeadlinesDriver::openSettings() {
    m_app.dialogs.setCloseModalWindows(false);
    QAction* settings = m_app.forms().MeniProgramu->ui()->Opcje1;
    QVERIFY2(settings->isEnabled(), "\"Ustawienie terminów\" is disabled");
    settings->trigger();
}

// ---------------------------------------------------------------- buttons

QAbstractButton* DeadlinesDriver::button(Button which) const {
    auto* ui = window().ui();
    switch (which) {
    case Button::Add:
        return ui->Dodaj;
    case Button::Edit:
        return ui->Edytuj;
    case Button::Save:
        return ui->Zapisz;
    case Button::Cancel:
        return ui->Anuluj;
    case Button::Delete:
        return ui->Usun;
    case Button::Help:
        return ui->Pomoc;
    case Button::Close:
        return ui->Zamknij;
    case Button::Create:
        return ui->TworzTabTerminy;
    case Button::HandOver:
        return ui->PrzekazAutoSerwis;
    case Button::Print:
        return ui->Drukuj;
    case Button::Notes:
        return ui->Informacja;
    }
    return nullptr;
}

void DeadlinesDriver::press(Button which) {
    pressButton(button(which), By::Mouse);
}

bool DeadlinesDriver::isEnabled(Button which) const {
    return button(which)->isEnabled();
}

bool DeadlinesDriver::isShown(Button which) const {
    return button(which)->isVisible();
}

QString DeadlinesDriver::hint(Button which) const {
    return button(which)->toolTip();
}

void DeadlinesDriver::remove(bool yes) {
    m_app.dialogs.answer(yes);
    press(Button::Delete);
}

void DeadlinesDriver::handOver(bool yes) {
    m_app.dialogs.answer(yes);
    press(Button::HandOver);
}

// ---------------------------------------------------------------- boxes

QLineEdit* DeadlinesDriver::box(Box which) const {
    auto* ui = window().ui();
    switch (which) {
    case Box::CostOC:
        return ui->DBEditKosztOC;
    case Box::CostOC2:
        return ui->DBEditKosztOCRata2;
    case Box::CostAC:
        return ui->DBEditKosztAC;
    case Box::CostAC2:
        return ui->DBEditKosztACRata2;
    case Box::CostNW:
        return ui->DBEditKosztNW;
    case Box::CostTech:
        return ui->DBEditKosztPrzegTech;
    case Box::CostWarranty:
        return ui->DBEditKosztPrzegGwar;
    case Box::CostRepairs:
        return ui->DBEditKosztNapraw;
    case Box::Additional:
        return ui->EditKosztDodatkowy;
    case Box::Year:
        return ui->EditRokPodatkowy;
    case Box::TotalOC:
        return ui->EditKosztyCalkowiteOC;
    case Box::TotalAC:
        return ui->EditKosztyCalkowiteAC;
    case Box::Total:
        return ui->DBEditKosztyCalkowite;
    case Box::LastService:
        return ui->EditStanLicznikaPoSerwisie;
    case Box::Reading:
        return ui->EditAktualnyStanLicznika;
    case Box::NextService:
        return ui->EditStanLicznikaDoSerwisu;
    case Box::Alarm:
        return ui->EditAlarmSerwis;
    }
    return nullptr;
}

void DeadlinesDriver::type(Box which, const QString& text) {
    QLineEdit* b = box(which);
    QVERIFY2(b->isEnabled() && !b->isReadOnly(), qPrintable(b->objectName() + " is closed for typing"));
    retype(b, text);
}

void DeadlinesDriver::typeAndEnter(Box which, const QString& text) {
    type(which, text);
    QTest::keyClick(box(which), Qt::Key_Return);
}

void DeadlinesDriver::typeMore(Box which, const QString& text) {
    QLineEdit* b = box(which);
    QVERIFY2(b->isEnabled() && !b->isReadOnly(), qPrintable(b->objectName() + " is closed for typing"));
    WindowDriver::typeMore(b, text);
}

QString DeadlinesDriver::text(Box which) const {
    return box(which)->text();
}

bool DeadlinesDriver::isOpenForTyping(Box which) const {
    const QLineEdit* b = box(which);
    return b->isEnabled() && !b->isReadOnly() && b->hasFrame();
}

bool DeadlinesDriver::isClosedForTyping(Box which) const {
    const QLineEdit* b = box(which);
    return (!b->isEnabled() || b->isReadOnly()) && !b->hasFrame();
}

QColor DeadlinesDriver::colour(Box which) const {
    return baseOf(box(which));
}

bool DeadlinesDriver::isShown(Box which) const {
    return box(which)->isVisible();
}

bool DeadlinesDriver::isEnabled(Box which) const {
    return box(which)->isEnabled();
}

// ---------------------------------------------------------------- watch boxes, dates, spins

void DeadlinesDriver::tick(deadlines::Kind kind) {
    auto* ui = window().ui();
    QAbstractButton* boxes[] = {ui->DBCheckBoxTerminOC,        ui->DBCheckBoxTerminAC,
                                ui->DBCheckBoxTerminPrzegTech, ui->DBCheckBoxTerminPrzegGwar,
                                ui->DBCheckBoxTerminNaprawy,   ui->DBCheckBoxTerminWymiany,
                                ui->DBCheckBoxTerminWazDokum,  ui->DBCheckBoxTerminyInne};
    QAbstractButton* b = boxes[kind];
    QVERIFY2(b->isEnabled(), qPrintable(b->objectName() + " is disabled"));
    b->click();
}

bool DeadlinesDriver::isTicked(deadlines::Kind kind) const {
    auto* ui = window().ui();
    const QAbstractButton* boxes[] = {ui->DBCheckBoxTerminOC,        ui->DBCheckBoxTerminAC,
                                      ui->DBCheckBoxTerminPrzegTech, ui->DBCheckBoxTerminPrzegGwar,
                                      ui->DBCheckBoxTerminNaprawy,   ui->DBCheckBoxTerminWymiany,
                                      ui->DBCheckBoxTerminWazDokum,  ui->DBCheckBoxTerminyInne};
    return boxes[kind]->isChecked();
}

void DeadlinesDriver::tickAllYears() {
    QVERIFY(window().ui()->CheckBoxWszystkieLata->isEnabled());
    window().ui()->CheckBoxWszystkieLata->click();
}

bool DeadlinesDriver::allYearsTicked() const {
    return window().ui()->CheckBoxWszystkieLata->isChecked();
}

static DbDateEdit* pickerOf(const TOpcjeDlaTerminow& w, deadlines::Slot slot) {
    auto* ui = w.ui();
    DbDateEdit* pickers[] = {ui->DateTimePickerOC,  ui->DateTimePickerOC2,  ui->DateTimePickerAC,
                             ui->DateTimePickerAC2, ui->DateTimePickerTech, ui->DateTimePickerGwar,
                             ui->DateTimePickerPoj, ui->DateTimePickerOlej, ui->DateTimePickerDok,
                             ui->DateTimePickerInne};
    return pickers[slot];
}

void DeadlinesDriver::pickDate(deadlines::Slot slot, const QDate& date) {
    DbDateEdit* picker = pickerOf(window(), slot);
    QVERIFY2(picker->isVisible() && picker->isEnabled(), qPrintable(picker->objectName() + " is hidden"));
    picker->setDate(date);
    emit picker->changed();
}

QDate DeadlinesDriver::date(deadlines::Slot slot) const {
    return pickerOf(window(), slot)->date();
}

QColor DeadlinesDriver::pickerColour(deadlines::Slot slot) const {
    return baseOf(pickerOf(window(), slot));
}

bool DeadlinesDriver::isPickerShown(deadlines::Slot slot) const {
    return pickerOf(window(), slot)->isVisible();
}

bool DeadlinesDriver::isShown(const QString& name) const {
    const QWidget* w = window().findChild<QWidget*>(name);
    return w && w->isVisible();
}

QMap<QString, QRect> DeadlinesDriver::places() const {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QMap<QString, QRect> places;
    for (const QWidget* w : window().findChildren<QWidget*>()) {
        const bool panel = w->objectName().startsWith(QLatin1String("Panel"));
        if ((panel || qobject_cast<const QLineEdit*>(w)) && w->isVisible() && !w->objectName().isEmpty())
            places.insert(w->objectName(), QRect(w->mapTo(&window(), QPoint(0, 0)), w->size()));
    }
    return places;
}

QSpinBox* DeadlinesDriver::spinBox(Spin which) const {
    auto* ui = window().ui();
    switch (which) {
    case Spin::DaysBefore:
        return ui->SpinEditDniPrzedTerminem;
    case Spin::DaysAfter:
        return ui->SpinEditDniPoTerminie;
    case Spin::EndOfInforming:
        return ui->SpinEditKonczInformowanie;
    case Spin::KmBefore:
        return ui->SpinEditPrzedSerwisem;
    case Spin::KmAfter:
        return ui->SpinEditPoSerwisie;
    }
    return nullptr;
}

void DeadlinesDriver::setSpin(Spin which, int value) {
    QSpinBox* s = spinBox(which);
    QVERIFY2(s->isEnabled(), qPrintable(s->objectName() + " is disabled"));
    s->setValue(value);
}

int DeadlinesDriver::spin(Spin which) const {
    return spinBox(which)->value();
}

// ---------------------------------------------------------------- grids

void DeadlinesDriver::clickVehicle(int row) {
    WindowDriver::clickRow(window().ui()->DBGridPojazdy, row, 0);
}

void DeadlinesDriver::clickRow(int row) {
    WindowDriver::clickRow(window().ui()->DBGridTerminy, row, 0);
}

int DeadlinesDriver::rowCount() const {
    return window().ui()->DBGridTerminy->model()->rowCount();
}

QString DeadlinesDriver::cell(int row, int column) const {
    return cellText(window().ui()->DBGridTerminy, row, column);
}

int DeadlinesDriver::columnWidth(int column) const {
    const DbGrid* grid = window().ui()->DBGridTerminy;
    return grid->isColumnHidden(column) ? 0 : grid->columnWidth(column);
}

QColor DeadlinesDriver::rowColour(int row, bool selected) const {
    return textColour(window().ui()->DBGridTerminy, row, 12, selected);
}

QColor DeadlinesDriver::vehicleColour(int row, bool selected) const {
    return textColour(window().ui()->DBGridPojazdy, row, 1, selected);
}

// ---------------------------------------------------------------- panels and alarm

bool DeadlinesDriver::panelsEnabled() const {
    auto* ui = window().ui();
    return ui->Panel1->isEnabled() && ui->Panel4->isEnabled() && ui->SpinEditDniPrzedTerminem->isEnabled() &&
           ui->DBGridTerminy->isEnabled() && ui->Dodaj->isEnabled();
}

bool DeadlinesDriver::isAlarmShown() const {
    return window().ui()->EditAlarmSerwis->isVisible();
}

QString DeadlinesDriver::remaining() const {
    auto* ui = window().ui();
    return ui->LabelIleZostalo->isVisible() ? ui->LabelIleZostalo->text() : QString();
}

} // namespace tarlok::test
