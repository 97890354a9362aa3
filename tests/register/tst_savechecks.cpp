// The checks of a trip save and of a cost save, in their order: which check refuses what was entered,
// with which message and caption, when several would. Expected values are worked out by hand.
#include "support/TestApp.h"

#include "calc/SaveChecks.h"
#include "common/Error.h"

using namespace tarlok;

Q_DECLARE_METATYPE(tarlok::trips::TripEntry)
Q_DECLARE_METATYPE(tarlok::costs::CostEntry)

namespace {

const QString kError = "Błąd";
const QString kVehiclePending = "Wprowadzany pojazd nie został zapisany";

// A trip that passes every check: 1000 to 1120 km in May 2024 at 0,8358 zł.
trips::TripEntry goodTrip() {
    trips::TripEntry t;
    t.route = "Kraków - Tarnów";
    t.purpose = "Serwis";
    t.start = 1000;
    t.finalReading = 1120;
    t.date = QDate(2024, 5, 10);
    t.rate = 0.8358;
    t.hasVehicle = true;
    t.periodYear = 2024;
    t.periodMonth = 5;
    return t;
}

// A repair of 100 zł net at 23 % VAT with the automatic choice "50 %".
costs::CostEntry goodCost() {
    costs::CostEntry c;
    c.rate = 23;
    c.net = 100.0;
    c.autoChoice = 1;
    c.documentNumber = "F/1";
    c.kind = "Naprawa";
    c.date = QDate(2024, 5, 10);
    return c;
}

} // namespace

class SaveChecksTest : public QObject {
    Q_OBJECT

private slots:
    void tripBeforeTheTypedTexts_data() {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("vehicleRefusal");
        QTest::addColumn<bool>("inserting");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("rateEmpty");
        QTest::addColumn<int>("check"); // -1: none
        QTest::newRow("nothing pending")
            << false << kVehiclePending << true << true << true << int(trips::SaveCheck::NothingStarted);
        QTest::newRow("vehicle being entered")
            << true << kVehiclePending << false << false << true << int(trips::SaveCheck::Vehicle);
        QTest::newRow("no rate, edited")
            << true << QString() << false << true << true << int(trips::SaveCheck::NoNewTrip);
        QTest::newRow("no rate, inserted without the button")
            << true << QString() << true << false << true << int(trips::SaveCheck::NoNewTrip);
        QTest::newRow("no rate, new trip") << true << QString() << true << true << true << -1;
        QTest::newRow("a rate, edited") << true << QString() << false << false << false << -1;
    }
    void tripBeforeTheTypedTexts() {
        QFETCH(bool, editing);
        QFETCH(QString, vehicleRefusal);
        QFETCH(bool, inserting);
        QFETCH(bool, started);
        QFETCH(bool, rateEmpty);
        QFETCH(int, check);
        const auto refusal = trips::startRefusal({editing, vehicleRefusal, inserting, started, rateEmpty});
        QCOMPARE(refusal ? int(refusal->check) : -1, check);
        if (refusal && refusal->check == trips::SaveCheck::Vehicle)
            QCOMPARE(refusal->message, kVehiclePending);
        if (refusal)
            QVERIFY(refusal->caption.isEmpty()); // plain messages
    }

    void tripAsEntered_data() {
        QTest::addColumn<trips::TripEntry>("trip");
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message"); // the start of it
        using C = trips::SaveCheck;
        QTest::newRow("complete") << goodTrip() << -1 << QString() << QString();
        trips::TripEntry t = goodTrip();
        t.route = "  ";
        t.date = QDate(2024, 4, 10);
        QTest::newRow("no route, wrong month too") << t << int(C::Incomplete) << kError << "Przejazd musi";
        t = goodTrip();
        t.finalReading = 0;
        QTest::newRow("no final reading") << t << int(C::Incomplete) << kError << "Przejazd musi";
        t = goodTrip();
        t.byFinalReading = false;
        QTest::newRow("kilometres given, none typed") << t << int(C::Incomplete) << kError << "Przejazd musi";
        t = goodTrip();
        t.start.reset();
        QTest::newRow("no starting reading") << t << int(C::Incomplete) << kError << "Przejazd musi";
        t = goodTrip();
        t.rateEmpty = true;
        QTest::newRow("rate box empty") << t << int(C::Incomplete) << kError << "Przejazd musi";
        t = goodTrip();
        t.hasVehicle = false;
        t.date = QDate(2023, 4, 10);
        QTest::newRow("no vehicle, wrong period too")
            << t << int(C::NoVehicle) << QString() << "Wprowadź najpierw jakiś pojazd";
        t = goodTrip();
        t.date = QDate(2023, 4, 10);
        QTest::newRow("wrong month and year") << t << int(C::WrongMonth) << QString() << "Miesiąc daty";
        t = goodTrip();
        t.date = QDate(2023, 5, 10);
        QTest::newRow("wrong year") << t << int(C::WrongYear) << QString() << "Rok daty";
        t = goodTrip();
        t.finalReading = 900;
        t.date = QDate(2024, 6, 1);
        QTest::newRow("below the start, wrong month")
            << t << int(C::WrongMonth) << QString() << "Miesiąc daty";
        t.date = QDate(2024, 5, 1);
        QTest::newRow("below the start") << t << int(C::Negative) << kError << "Stan licznika końcowy";
        t = goodTrip();
        t.byFinalReading = false;
        t.km = -5;
        QTest::newRow("negative kilometres") << t << int(C::Negative) << kError << "Ilość km nie może";
        t = goodTrip();
        t.rate = 100.5;
        QTest::newRow("rate above 100") << t << int(C::BeyondLimits) << kError << "Stawka za km";
        t = goodTrip();
        t.byFinalReading = false;
        t.km = 100'000;
        QTest::newRow("distance above 99 999") << t << int(C::BeyondLimits) << kError << "Ilość km musi";
        t = goodTrip();
        t.start = 9'999'990;
        t.byFinalReading = false;
        t.km = 20;
        QTest::newRow("final reading above the odometer")
            << t << int(C::BeyondLimits) << kError << "Stan licznika musi";
    }
    void tripAsEntered() {
        QFETCH(trips::TripEntry, trip);
        QFETCH(int, check);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        const auto refusal = trips::entryRefusal(trip);
        QCOMPARE(refusal ? int(refusal->check) : -1, check);
        if (refusal) {
            QCOMPARE(refusal->caption, caption);
            QVERIFY2(refusal->message.startsWith(message), qPrintable(refusal->message));
        }
    }

    void tripDistance() {
        trips::TripEntry t = goodTrip();
        QCOMPARE(trips::distance(t), 120);
        t.byFinalReading = false;
        t.km = 35;
        QCOMPARE(trips::distance(t), 35);
    }

    void costBeforeTheTypedTexts() {
        using C = costs::SaveCheck;
        auto check = [](bool editing, bool started, const QString& vehicle) {
            const auto refusal = costs::startRefusal({editing, started, vehicle});
            return refusal ? int(refusal->check) : -1;
        };
        QCOMPARE(check(false, false, kVehiclePending), int(C::NothingStarted));
        QCOMPARE(check(true, false, kVehiclePending), int(C::NoNewCost));
        QCOMPARE(check(true, true, kVehiclePending), int(C::Vehicle));
        QCOMPARE(check(true, true, QString()), -1);
    }

    void costAsEntered_data() {
        QTest::addColumn<costs::CostEntry>("cost");
        QTest::addColumn<int>("check");
        QTest::addColumn<double>("value");
        using C = costs::SaveCheck;
        // 23 % of 100 is 23; half of it counted: 111,50
        QTest::newRow("automatic 50 %") << goodCost() << -1 << 111.5;
        costs::CostEntry c = goodCost();
        c.manual = true;
        c.percentText = "60";
        QTest::newRow("manual 60 %") << c << -1 << 113.8; // 0,6 x 23 = 13,80
        c.percentText = "abc";
        c.documentNumber.clear();
        QTest::newRow("bad percentage before the document") << c << int(C::BadPercent) << 0.0;
        c = goodCost();
        c.rate.reset();
        c.net = 50.0;
        QTest::newRow("no VAT rate: the value as typed") << c << -1 << 50.0;
        c.net.reset();
        QTest::newRow("no value") << c << int(C::Incomplete) << 0.0;
        c = goodCost();
        c.kind = " ";
        QTest::newRow("no kind") << c << int(C::Incomplete) << 111.5;
        c = goodCost();
        c.fuel = true;
        c.current.before = 1000;
        c.finalText = "10000000";
        c.documentNumber.clear();
        QTest::newRow("reading above the odometer before the document") << c << int(C::BeyondLimits) << 0.0;
        c = goodCost();
        c.fuel = true;
        c.current.before = 1000;
        c.finalText = "1500";
        QTest::newRow("fuel: 500 km from the readings") << c << -1 << 111.5;
    }
    void costAsEntered() {
        QFETCH(costs::CostEntry, cost);
        QFETCH(int, check);
        QFETCH(double, value);
        const costs::CostSave save = costs::checkCost(cost);
        QCOMPARE(save.refusal ? int(save.refusal->check) : -1, check);
        if (save.refusal) {
            QCOMPARE(save.refusal->caption, kError);
            return;
        }
        QCOMPARE(save.value, value);
        QCOMPARE(save.split.has_value(), cost.rate && cost.net);
        QCOMPARE(save.odometer.has_value(), cost.fuel);
        if (save.odometer)
            QCOMPARE(save.odometer->km, std::optional<qint64>(500));
    }

    // A reading that is no whole number stops the save with the conversion message.
    void costReadingNoNumber() {
        costs::CostEntry c = goodCost();
        c.fuel = true;
        c.finalText = "12a";
        QVERIFY_THROWS_EXCEPTION(ConversionError, costs::checkCost(c));
    }
};

TARLOK_TEST_MAIN(SaveChecksTest)
#include "tst_savechecks.moc"
