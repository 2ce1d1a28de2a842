// Impedance runs of the whole station offscreen on simulated units: every
// electrode judged on the simulator's reading, and data errors retried
// until the unit gives a good reading.
#include "run/VerdictRules.h"
#include "support/QtPrinters.h"
#include "support/StationHarness.h"
#include "support/UnitReplies.h"

#include <QPushButton>

#include <gmock/gmock.h>

namespace {

QString resultText(const QString& code)
{
    if (code == "PASS")
        return "Passed";
    if (code == "PASS?")
        return "Marginal Pass";
    if (code == "PASS*")
        return "Passed with Expired Channel";
    if (code == "FAIL")
        return "Failed";
    return code;
}

class ImpedanceRunTest : public ::testing::Test {
protected:
    struct Reading {
        qint16 channel;
        qint16 measureHigh;
        double value;
        bool zamo80;
    };

    // Connects a simulated unit 1 and notes its final ACZ readings.
    void connectUnit(bool zamo80)
    {
        ASSERT_TRUE(station.start());
        testsupport::onReply<unit::AczReading>(
            &station.link(1), &station.testWindow(), [this](int, qint16 channel, const unit::AczReading& r) {
                if (r.completed)
                    finals.push_back({channel, r.measureHigh, r.measurement, r.zamo80Family});
            });
        station.connectSimulatedUnit(1, 2, zamo80);
        ui::TestWindow& form = station.testWindow();
        ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
    }

    // An ACZ list on A1 and B1, from the Run button to its end.
    void runAczList()
    {
        ui::TestWindow& form = station.testWindow();
        station.useTestList("A1-B1", {"ACZ,A1-B1,1"});
        testsupport::StationHarness::startNextRunWithLot("LOT-7");
        form.testListPanel().runButton()->click();
        ASSERT_TRUE(form.testRunning());
        ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 120000));
        ASSERT_TRUE(station.windows().commBuffer().contains("* Tests Completed"))
            << station.windows().commBuffer().toStdString();
    }

    // The line of the verdict that the reading deserves.
    QString expectedResultLine(const Reading& r)
    {
        const double limit =
            r.zamo80 ? station.stationSettings().limits.limitZamo80Acz : station.stationSettings().limits.limitAcz;
        const double warning =
            r.zamo80 ? station.stationSettings().limits.warningZamo80Acz : station.stationSettings().limits.warningAcz;
        const QString code = run::VerdictRules::withCalibrationExpiry(
            run::VerdictRules::judge(r.value, limit, warning),
            station.link(1).channels().electrodeChannelCalibrationExpired(r.channel));
        return "Final result recorded for " + run::VerdictRules::electrodeName(run::UnitIndex::first(), r.channel)
               + ": " + resultText(code);
    }

    QStringList logLines() const { return station.windows().commBuffer().split("\r\n"); }

    testsupport::StationHarness station;
    std::vector<Reading> finals;
};

TEST_F(ImpedanceRunTest, AnAczListOnATwoChannelBaseUnitJudgesBothElectrodes)
{
    connectUnit(false);
    runAczList();

    ASSERT_EQ(finals.size(), 2u);
    const QStringList lines = logLines();
    for (const Reading& r : finals) {
        const QString name = run::VerdictRules::electrodeName(run::UnitIndex::first(), r.channel);
        EXPECT_EQ(lines.count("* ACZ Test Complete on Electrode " + name), 1) << name.toStdString();
        EXPECT_TRUE(lines.contains("Measurement recorded for " + name
                                   + " at 20s interval: " + run::VerdictRules::fixed3(r.value)))
            << name.toStdString();
        EXPECT_EQ(lines.filter("Final result recorded for " + name + ": ").size(), 1) << name.toStdString();
        EXPECT_TRUE(lines.contains(expectedResultLine(r))) << expectedResultLine(r).toStdString();
    }
    EXPECT_TRUE(lines.filter("Data error").isEmpty());
}

TEST_F(ImpedanceRunTest, Zamo80ChannelZeroDataErrorsAreRetransmittedUntilTheAlternateReading)
{
    connectUnit(true);
    runAczList();

    // A1 is measured twice: in the open-circuit pre-check on A1 and B1, then in its own ACZ step.
    const QStringList lines = logLines();
    EXPECT_EQ(lines.count("* Data error detected on Electrode A1. Requesting retransmission."), 6);
    EXPECT_EQ(station.sent(1).count("[C00(L)]"), 6);
    EXPECT_EQ(lines.count("* ACZ Test Complete on Electrode A1"), 8);
    EXPECT_TRUE(lines.filter("Data Error").isEmpty());

    // Each time three bad readings of A1, then the good one it is judged on.
    std::vector<qint16> highsOfA1;
    for (const Reading& r : finals) {
        if (r.channel == 0)
            highsOfA1.push_back(r.measureHigh);
    }
    EXPECT_THAT(highsOfA1, ::testing::ElementsAre(9999, 9999, 9999, 0, 9999, 9999, 9999, 0));
    for (const Reading& r : finals) {
        if (r.measureHigh == 0) {
            EXPECT_TRUE(lines.contains(expectedResultLine(r))) << expectedResultLine(r).toStdString();
        }
    }
    EXPECT_EQ(lines.filter("Final result recorded for ").size(), 4);
}

} // namespace
