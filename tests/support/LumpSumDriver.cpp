#include "LumpSumDriver.h"

#include "ModelTesting.h"
#include "TestApp.h"
#include "Typing.h"

#include "app/TMeniProgramu.h"
#include "core/Forms.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "platform/ScriptedDialogs.h"
#include "register/GridCells.h"
#include "ui_TMeniProgramu.h"
#include "ui_TRyczaltEwidencja.h"

#include <QTest>

namespace tarlok::test {

LumpSumDriver::LumpSumDriver(TestApp& app) : m_app(app) {
    watchGrid(window().ui()->DBGridPojazdyPrac);
    watchGrid(window().ui()->DBGrid1);
}

TRyczaltEwidencja& LumpSumDriver::window() const {
    return *m_app.forms().RyczaltEwidencja;
}

QWidget& LumpSumDriver::driven() const {
    return window();
}

void LumpSumDriver::open() {
    m_app.dialogs.setCloseModalWindows(false);
    QAbstractButton* ryczalt = m_app.forms().MeniProgramu->ui()->SpeedRyczalt;
    QVERIFY2(ryczalt->isEnabled(), "RYCZAŁT is disabled");
    ryczalt->click();
}

// ---------------------------------------------------------------- buttons

QAbstractButton* LumpSumDriver::button(Button which) const {
    auto* ui = window().ui();
    switch (which) {
    case Button::Create:
        return ui->TworzTabRyczalt;
    case Button::Save:
        return ui->Zapisz;
    case Button::Cancel:
        return ui->Anuluj;
    case Button::Delete:
        return ui->Usun;
    case Button::Print:
        return ui->Drukuj;
    case Button::Preview:
        return ui->Podglad;
    case Button::Help:
        return ui->Pomoc;
    case Button::YearSums:
        return ui->PodsumowanieRoczne;
    case Button::Close:
        return ui->Zamknij;
    }
    return nullptr;
}

void LumpSumDriver::press(Button which) {
    pressButton(button(which), By::Click);
}

bool LumpSumDriver::isEnabled(Button which) const {
    return button(which)->isEnabled();
}

bool LumpSumDriver::isShown(Button which) const {
    return button(which)->isVisible();
}

QString LumpSumDriver::caption(Button which) const {
    return button(which)->text();
}

QString LumpSumDriver::hint(Button which) const {
    // The hint shows as the tool tip and in the main window's status bar.
    const QAbstractButton* b = button(which);
    return b->toolTip() == b->statusTip() ? b->toolTip() : QStringLiteral("(tool tip and status tip differ)");
}

void LumpSumDriver::deleteRecord(Answer answer) {
    if (answer == Answer::Yes)
        m_app.dialogs.answerYes();
    else if (answer == Answer::No)
        m_app.dialogs.answerNo();
    press(Button::Delete);
}

// ---------------------------------------------------------------- the period

void LumpSumDriver::chooseYear(const QString& year) {
    chooseFromList(window().ui()->ComboBoxRok, year, true);
}

void LumpSumDriver::chooseMonth(const QString& month) {
    chooseFromList(window().ui()->ComboBoxMiesiac, month, true);
}

void LumpSumDriver::typeYear(const QString& text) {
    typeIntoList(window().ui()->ComboBoxRok, text);
}

QString LumpSumDriver::year() const {
    return window().ui()->ComboBoxRok->currentText();
}

QString LumpSumDriver::month() const {
    return window().ui()->ComboBoxMiesiac->currentText();
}

QStringList LumpSumDriver::years() const {
    return itemsOf(window().ui()->ComboBoxRok);
}

QStringList LumpSumDriver::months() const {
    return itemsOf(window().ui()->ComboBoxMiesiac);
}

bool LumpSumDriver::isPeriodShown() const {
    return window().ui()->Panel1->isVisible();
}

// ---------------------------------------------------------------- sheets

void LumpSumDriver::chooseSheet(Sheet which) {
    auto* ui = window().ui();
    QWidget* page = which == Sheet::Records ? ui->TabSheetRyczalt : ui->TabSheetZestawienie;
    const int index = ui->PageControl1->indexOf(page);
    QVERIFY2(ui->PageControl1->isEnabled() && ui->PageControl1->isTabEnabled(index),
             "the sheet cannot be chosen");
    ui->PageControl1->setCurrentIndex(index);
}

LumpSumDriver::Sheet LumpSumDriver::sheet() const {
    auto* ui = window().ui();
    return ui->PageControl1->currentWidget() == ui->TabSheetRyczalt ? Sheet::Records : Sheet::Summary;
}

bool LumpSumDriver::isSummarySheetEnabled() const {
    auto* ui = window().ui();
    return ui->PageControl1->isEnabled() &&
           ui->PageControl1->isTabEnabled(ui->PageControl1->indexOf(ui->TabSheetZestawienie));
}

// ---------------------------------------------------------------- boxes

QLineEdit* LumpSumDriver::box(Box which) const {
    auto* ui = window().ui();
    switch (which) {
    case Box::Limit:
        return ui->EditLimitKilometrow;
    case Box::Rate:
        return ui->EditStawkaZaKilometr;
    case Box::LumpSum:
        return ui->DBRyczalt;
    case Box::Leave:
        return ui->DBDniUrlopu;
    case Box::WithoutCar:
        return ui->DBDniBezsamochodu;
    case Box::Other:
        return ui->DBInneNieobecnosci;
    case Box::Deduction:
        return ui->DBPotracenia;
    case Box::Due:
        return ui->DBNaleznosc;
    case Box::SumBefore:
        return ui->EditKosztyDoMiesiaca;
    case Box::SumMonth:
        return ui->EditKosztyZaMiesiac;
    case Box::SumTotal:
        return ui->EditKosztyRazem;
    case Box::YearCar:
        return ui->EditRocznyPojazd;
    case Box::YearCars:
        return ui->EditRocznyPojazdy;
    }
    return nullptr;
}

void LumpSumDriver::type(Box which, const QString& text) {
    QLineEdit* b = box(which);
    QVERIFY2(isOpenForTyping(which), qPrintable(b->objectName() + " cannot be typed into"));
    retype(b, text);
}

QString LumpSumDriver::text(Box which) const {
    return box(which)->text();
}

bool LumpSumDriver::isShown(Box which) const {
    return box(which)->isVisible();
}

bool LumpSumDriver::isOpenForTyping(Box which) const {
    const QLineEdit* b = box(which);
    return b->isVisible() && b->isEnabled() && !b->isReadOnly();
}

QString LumpSumDriver::label(Label which) const {
    auto* ui = window().ui();
    switch (which) {
    case Label::SumBefore:
        return ui->LabelKosztyDoMiesiaca->text();
    case Label::SumMonth:
        return ui->LabelKosztyZaMiesiac->text();
    case Label::SumTotal:
        return ui->LabelKosztyRazem->text();
    }
    return {};
}

bool LumpSumDriver::isShown(Label which) const {
    auto* ui = window().ui();
    switch (which) {
    case Label::SumBefore:
        return ui->LabelKosztyDoMiesiaca->isVisible();
    case Label::SumMonth:
        return ui->LabelKosztyZaMiesiac->isVisible();
    case Label::SumTotal:
        return ui->LabelKosztyRazem->isVisible();
    }
    return false;
}

void LumpSumDriver::pickDate(const QDate& date) {
    auto* picker = window().ui()->DateTimePickerDataOswiadczenia;
    QVERIFY2(picker->isEnabled() && picker->isVisible(), "the declaration date cannot be picked");
    picker->setDate(date);
    emit picker->changed();
}

QDate LumpSumDriver::date() const {
    return window().ui()->DateTimePickerDataOswiadczenia->date();
}

// ---------------------------------------------------------------- grids

void LumpSumDriver::clickCar(int row) {
    clickRow(window().ui()->DBGridPojazdyPrac, row, 1, true);
}

int LumpSumDriver::carCount() const {
    return window().ui()->DBGridPojazdyPrac->model()->rowCount();
}

QString LumpSumDriver::carCell(int row, int column) const {
    return cellText(window().ui()->DBGridPojazdyPrac, row, column);
}

QColor LumpSumDriver::carTextColour(int row, bool selected) const {
    return textColour(window().ui()->DBGridPojazdyPrac, row, 1, selected);
}

void LumpSumDriver::clickRecord(int row) {
    clickRow(window().ui()->DBGrid1, row, 1, true);
}

int LumpSumDriver::recordCount() const {
    return window().ui()->DBGrid1->model()->rowCount();
}

QString LumpSumDriver::recordCell(int row, int column) const {
    return cellText(window().ui()->DBGrid1, row, column);
}

bool LumpSumDriver::isRecordGridShown() const {
    return window().ui()->DBGrid1->isVisible();
}

// ---------------------------------------------------------------- the summary sheet

QString LumpSumDriver::sheetCell(int column, int row) const {
    return grids::cell(window().ui()->StringGridZestawienie, column, row);
}

QStringList LumpSumDriver::sheetLine(int month) const {
    QStringList line;
    for (int c = 1; c <= 10; ++c)
        line.append(sheetCell(c, month + 1));
    return line;
}

} // namespace tarlok::test
