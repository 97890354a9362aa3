#pragma once

// A firm with one vehicle in the register, and the print window driven through its real controls.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "reports/TFormularzWydrukow.h"
#include "ui_TFormularzWydrukow.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace tarlok::test {

using report::Document;

// Vehicle 1 "KR 1234A", 1400 cm³, make "Marka1", owned by Jan Kowalski; vehicle 2 for rows that must
// never show. The periods given; the register opened on the newest of them (its costs tab).
inline std::unique_ptr<TestApp> firm(const QList<QPair<int, int>>& periods = {{2024, 4}, {2024, 5}}) {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, QStringLiteral("KR 1234A"), 1400, true,
                    {{"Wlasciciel", QStringLiteral("Jan Kowalski")},
                     {"Adr_Wlasciciela", QStringLiteral("ul. Długa 5, 30-001 Kraków")}});
    app->addVehicle(2, QStringLiteral("KR 9999Z"), 800);
    for (const auto& [year, month] : periods)
        app->addPeriod(year, month);
    app->openRegister();
    app->dialogs.clear();
    return app;
}

// A trip as the register stores it.
inline void addTrip(TestApp& app, const QDate& date, int km, double rate, double amount,
                    const QVariantMap& more = {}, int vehicle = 1) {
    QVariantMap row{{"NrKol_Pojazdu", vehicle},
                    {"Rok", date.year()},
                    {"Miesiac", date.month()},
                    {"Data", date},
                    {"Trasa", QStringLiteral("Kraków - Łódź")},
                    {"Cel_Wyj", QStringLiteral("Spotkanie z klientem")},
                    {"Kilometry", km},
                    {"Stawka", rate},
                    {"Wartosc", amount}};
    for (auto it = more.begin(); it != more.end(); ++it)
        row.insert(it.key(), it.value());
    app.seed(QStringLiteral("Przejazdy.db"), row);
}

inline void addCost(TestApp& app, const QDate& date, const QString& number, const QString& kind, double value,
                    const QVariantMap& more = {}, int vehicle = 1) {
    QVariantMap row{
        {"NrKol_Pojazdu", vehicle}, {"Rok", date.year()}, {"Miesiac", date.month()}, {"Data", date},
        {"Nr_Rachunku", number},    {"Rodzaj_Wyd", kind}, {"Wartosc", value}};
    for (auto it = more.begin(); it != more.end(); ++it)
        row.insert(it.key(), it.value());
    app.seed(QStringLiteral("Koszty.db"), row);
}

struct Choice {
    int report = 0;
    QString month; // empty: as the register had it
    QString year;
    std::function<void(Ui::TFormularzWydrukow*)> more;
};

inline const QString kPrintWindow = QStringLiteral("tarlok::TFormularzWydrukow");

// "Formularz Wydruków" pressed in the register: while the print window is shown, `script` acts in it.
// The script holds copies of what it uses, so that one left queued by a failed press harms no later
// show.
inline void openPrintWindow(TestApp& app, std::function<void(TFormularzWydrukow&)> script) {
    const auto shown = app.dialogs.modalShows().count(kPrintWindow);
    auto ran = std::make_shared<bool>(false);
    app.dialogs.onModal(kPrintWindow, [script = std::move(script), ran](QWidget* window) {
        *ran = true;
        auto* form = qobject_cast<TFormularzWydrukow*>(window);
        QVERIFY(form);
        script(*form);
    });
    RegisterDriver(app).press(RegisterDriver::Button::PrintForm);
    QCOMPARE(app.dialogs.modalShows().count(kPrintWindow), shown + 1);
    QVERIFY(*ran);
}

// "Formularz Wydruków" of the register: the window prepared from the register's boxes and shown; the
// script picks the report, the period and the options through the window's controls and presses
// "Drukuj".
inline void printFromWindow(TestApp& app, const Choice& choice) {
    openPrintWindow(app, [choice](TFormularzWydrukow& form) {
        Ui::TFormularzWydrukow* ui = form.ui();
        if (!choice.year.isEmpty())
            ui->ComboBoxRok->setEditText(choice.year);
        if (!choice.month.isEmpty())
            ui->ComboBoxMiesiac->setEditText(choice.month);
        ui->RadioGroupJakieZestawienie->button(choice.report)->click();
        if (choice.more)
            choice.more(ui);
        QTest::mouseClick(ui->Drukuj, Qt::LeftButton);
    });
}

// Every text of the document in reading order, page after page.
inline QStringList texts(const Document& doc) {
    QStringList out;
    for (const report::Page& page : doc.pages)
        out += page.readingOrder();
    return out;
}

// True when `b` is the text right after `a` in reading order.
inline bool followedBy(const QStringList& list, const QString& a, const QString& b) {
    const qsizetype at = list.indexOf(a);
    return at >= 0 && list.value(at + 1) == b;
}

// The texts of a page whose left edge stands at `left` on the sheet, top to bottom.
inline QStringList column(const report::Page& page, double left) {
    std::vector<const report::TextItem*> found;
    for (const report::TextItem& t : page.texts) {
        if (qAbs(t.rect.left() - left) < 0.01)
            found.push_back(&t);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](auto* a, auto* b) { return a->rect.top() < b->rect.top(); });
    QStringList out;
    for (const report::TextItem* t : found)
        out.append(t->text);
    return out;
}

} // namespace tarlok::test
