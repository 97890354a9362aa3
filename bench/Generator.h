#pragma once

#include <QDate>
#include <QString>

namespace tarlok::bench {

struct GeneratorOptions {
    int vehicles = 20;
    int years = 10;
    int lastYear = 2024;
    int tripsPerMonth = 60;
    int costsPerMonth = 15;
};

// Writes a large data folder below `drive` through the program's own start-up and table engine:
// vehicles, ten years of periods, rates, expense kinds, routes, and for every vehicle and month its
// trips and costs with their month totals and running values as the program's saves store them.
void generate(const QString& drive, const GeneratorOptions& options);

// One deadlines row for every vehicle and year, as the deadlines window saves them; run by generate(),
// and by the benchmark for a folder generated before the folder had them.
void generateDeadlines(const QString& drive, const GeneratorOptions& options);

// The day the benchmark runs on: the middle of the last generated month.
QDate benchDay(const GeneratorOptions& options);

} // namespace tarlok::bench
