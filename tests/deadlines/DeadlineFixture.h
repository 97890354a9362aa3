#pragma once

// A firm with vehicles and deadline rows, the deadlines table of the deadlines window opened on the
// current vehicle, and readers of what a printout lays out.
#include "support/TestApp.h"

#include "deadlines/TOpcjeDlaTerminow.h"
#include "reports/engine/Report.h"
#include "store/Table.h"

#include <QMap>
#include <QTest>

#include <algorithm>
#include <memory>

namespace tarlok::test {

// Vehicles 1 "KR 1234A" (1400 cm³) and 2 "KR 9999Z" (800 cm³), one period (May 2024), the register
// opened (its vehicles table on vehicle 1); today is 15 May 2024.
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
inline qint64 addDeadline(TestApp& app, int vehicle, int year, const QVariantMap& more = {}) {
    QVariantMap row{{"NrKol_Pojazdu", vehicle}, {"Rok", year}};
    for (auto it = more.begin(); it != more.end(); ++it)
        row.insert(it.key(), it.value());
    return app.seed(QStringLiteral("Terminy.db"), row);
}

// The six costs of a row (OC, AC, technical and warranty inspection, repairs) and its total.
inline QVariantMap costs(double oc, double ac, double tech, double gwar, double napr, double total) {
    return {{"KosztOC", oc},          {"KosztAC", ac},       {"KosztPrzegTech", tech},
            {"KosztPrzegGwar", gwar}, {"KosztNapraw", napr}, {"KosztyCalkowite", total}};
}

inline QVariantMap with(QVariantMap a, const QVariantMap& b) {
    for (auto it = b.begin(); it != b.end(); ++it)
        a.insert(it.key(), it.value());
    return a;
}

// The deadlines window's table as its opening leaves it: on the data folder, the current vehicle's rows
// by year.
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

// The texts of a page line by line: texts whose tops are equal form a line, read left to right.
inline QList<QStringList> lines(const report::Page& page) {
    QMap<qint64, QList<const report::TextItem*>> byTop;
    for (const report::TextItem& t : page.texts)
        byTop[qRound64(t.rect.top() * 10)].append(&t);
    QList<QStringList> out;
    for (auto& row : byTop) {
        std::stable_sort(row.begin(), row.end(),
                         [](auto* a, auto* b) { return a->rect.left() < b->rect.left(); });
        QStringList texts;
        for (const report::TextItem* t : row)
            texts.append(t->text);
        out.append(texts);
    }
    return out;
}

inline QList<QStringList> lines(const report::Document& doc) {
    QList<QStringList> out;
    for (const report::Page& page : doc.pages)
        out += lines(page);
    return out;
}

// The first text item equal to `text` on any page; nullptr when there is none.
inline const report::TextItem* findText(const report::Document& doc, const QString& text) {
    for (const report::Page& page : doc.pages) {
        if (const report::TextItem* t = page.find(text))
            return t;
    }
    return nullptr;
}

// Texts that a clipping box would cut: wider, in their font, than the box they are printed in.
inline QStringList clippedTexts(const report::Document& doc) {
    const report::Measure measure(1200);
    QStringList out;
    for (const report::Page& page : doc.pages) {
        for (const report::TextItem& t : page.texts) {
            for (const QString& line : t.text.split(QLatin1Char('\n'))) {
                if (t.clip && measure.width(line, t.font) > t.rect.width() + 0.01)
                    out.append(line);
            }
        }
    }
    return out;
}

// Neighbouring texts of one line whose inked extents (by their alignment in their boxes) come closer
// than `gap` tenths of a millimetre: "left|right" pairs.
inline QStringList crowdedTexts(const report::Document& doc, double gap = 5.0) {
    const report::Measure measure(1200);
    QStringList out;
    for (const report::Page& page : doc.pages) {
        QMap<qint64, QList<std::pair<double, double>>> extents;
        QMap<qint64, QList<std::pair<double, QString>>> byTop;
        for (const report::TextItem& t : page.texts) {
            if (t.text.isEmpty() || t.text.contains(QLatin1Char('\n')))
                continue;
            const double w = measure.width(t.text, t.font);
            double left = t.rect.left();
            if (t.align == report::Align::Right)
                left = t.rect.right() - w;
            else if (t.align == report::Align::Centre)
                left = t.rect.center().x() - w / 2;
            byTop[qRound64(t.rect.top() * 10)].append({left, t.text});
            extents[qRound64(t.rect.top() * 10)].append({left, left + w});
        }
        for (auto it = extents.begin(); it != extents.end(); ++it) {
            QList<std::pair<double, double>> spans = it.value();
            QList<std::pair<double, QString>> texts = byTop[it.key()];
            std::sort(spans.begin(), spans.end());
            std::sort(texts.begin(), texts.end());
            for (qsizetype i = 1; i < spans.size(); ++i)
                if (spans[i].first - spans[i - 1].second < gap)
                    out.append(texts[i - 1].second + QLatin1Char('|') + texts[i].second);
        }
    }
    return out;
}

} // namespace tarlok::test
