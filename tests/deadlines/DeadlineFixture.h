#pragma once

// A firm with vehicles and deadline rows, the deadlines window's table opened on the current vehicle,
// and readers of what a printout lays out.
#include "support/TestApp.h"

#include "deadlines/TOpcjeDlaTerminow.h"
#include "reports/engine/Report.h"
#include "store/Table.h"

#include <QMap>
#include <QTest>

#include <algorithm>
#include <memory>

namespace tarlok::test {

// Vehicles 1 "KR 1234A" and 2 "KR 9999Z", the period May 2024 (today is 15 May 2024), the register
// opened on vehicle 1.
inline std::unique_ptr<TestApp> deadlineFirm() {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, QStringLiteral("KR 1234A"), 1400);
    app->addVehicle(2, QStringLiteral("KR 9999Z"), 800);
    app->addPeriod(2024, 5);
    app->openRegister();
    app->dialogs.clear();
    return app;
}

// A deadlines row as the deadlines window stores it.
inline void addDeadline(TestApp& app, int vehicle, int year, QVariantMap values = {}) {
    values.insert("NrKol_Pojazdu", vehicle);
    values.insert("Rok", year);
    app.seed(QStringLiteral("Terminy.db"), values);
}

// The six printed costs of a row: OC, AC, technical and warranty inspection, repairs, and the total.
inline QVariantMap costs(double oc, double ac, double tech, double gwar, double napr, double total) {
    return {{"KosztOC", oc},          {"KosztAC", ac},       {"KosztPrzegTech", tech},
            {"KosztPrzegGwar", gwar}, {"KosztNapraw", napr}, {"KosztyCalkowite", total}};
}

// The deadlines window's table as its opening leaves it: the current vehicle's rows by year.
inline Table& openDeadlinesView(TestApp& app) {
    Table& t = *app.forms().OpcjeDlaTerminow->TableTerminy;
    t.close();
    t.setDatabaseName(app.dataFolder());
    t.setTableName(QStringLiteral("Terminy"));
    t.setIndexName(QStringLiteral("NrKol_PojRokInd"));
    t.setMasterSource(app.data().TablePojazdy, QStringLiteral("NrKol_Pojazdu"));
    t.open();
    return t;
}

// The texts of every page line by line (equal tops), each line read left to right.
inline QList<QStringList> lines(const report::Document& doc) {
    QList<QStringList> out;
    for (const report::Page& page : doc.pages) {
        QMap<qint64, QMap<double, QString>> byTop;
        for (const report::TextItem& t : page.texts)
            byTop[qRound64(t.rect.top() * 10)].insert(t.rect.left(), t.text);
        for (const auto& line : byTop)
            out.append(line.values());
    }
    return out;
}

// Texts that do not fit where they are printed: wider than a clipping box, or closer than 0.5 mm to
// the next text of their line (by where their alignment puts the ink).
inline QStringList cramped(const report::Document& doc) {
    const report::Measure measure(1200);
    QStringList out;
    for (const report::Page& page : doc.pages) {
        QMap<qint64, QMap<double, std::pair<double, QString>>> spans; // top -> left -> (right, text)
        for (const report::TextItem& t : page.texts) {
            const double w = measure.width(t.text, t.font);
            if (t.text.isEmpty() || t.text.contains('\n'))
                continue;
            if (t.clip && w > t.rect.width() + 0.01)
                out.append(t.text);
            const double left = t.align == report::Align::Right    ? t.rect.right() - w
                                : t.align == report::Align::Centre ? t.rect.center().x() - w / 2
                                                                   : t.rect.left();
            spans[qRound64(t.rect.top() * 10)].insert(left, {left + w, t.text});
        }
        for (const auto& line : spans) {
            for (auto it = line.begin(); std::next(it) != line.end(); ++it)
                if (std::next(it).key() - it.value().first < 5.0)
                    out.append(it.value().second + '|' + std::next(it).value().second);
        }
    }
    return out;
}

} // namespace tarlok::test
