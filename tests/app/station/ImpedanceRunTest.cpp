// Impedance runs of the whole station offscreen on simulated units: every
// electrode judged on the simulator's reading, and data errors retried
// until the unit gives a good reading.
#include "support/QtPrinters.h"
#include "support/StationHarness.h"

#include "run/VerdictRules.h"

#include <gmock/gmock.h>

#include <QPushButton>

namespace {

QString ResultText(const QString& code)
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
    void ConnectUnit(bool zamo80)
    {
        ASSERT_TRUE(station.Start());
        QObject::connect(&station.Link(1), &ctlZAMOUsbComm::RXACZTestData, &station.Form(),
                         [this](int, qint16 channel, const AczReading& r) {
                             if (r.completed)
                                 finals.push_back({channel, r.measureHigh, r.measurement, r.zamo80Family});
                         });
        station.ConnectSimulatedUnit(1, 2, zamo80);
        MainForm& form = station.Form();
        ASSERT_TRUE(station.RunUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
    }

    // An ACZ list on A1 and B1, from the Run button to its end.
    void RunAczList()
    {
        MainForm& form = station.Form();
        station.UseTestList("A1-B1", {"ACZ,A1-B1,1"});
        testsupport::StationHarness::StartNextRunWithLot("LOT-7");
        form.testListPanel().runButton()->click();
        ASSERT_TRUE(form.pTestRunning());
        ASSERT_TRUE(station.RunUntil([&] { return !form.pTestRunning(); }, 120000));
        ASSERT_TRUE(StationWindows::CommBuffer().contains("* Tests Completed")) << StationWindows::CommBuffer().toStdString();
    }

    // The line of the verdict that the reading deserves.
    QString ExpectedResultLine(const Reading& r)
    {
        const double limit = r.zamo80 ? station.Settings().limits.limitZamo80Acz : station.Settings().limits.limitAcz;
        const double warning =
            r.zamo80 ? station.Settings().limits.warningZamo80Acz : station.Settings().limits.warningAcz;
        const QString code = VerdictRules::WithCalibrationExpiry(
            VerdictRules::Judge(r.value, limit, warning),
            station.Link(1).ElectrodeChannelCalibrationExpired(r.channel));
        return "Final result recorded for " + VerdictRules::ElectrodeName(1, r.channel) + ": " + ResultText(code);
    }

    QStringList Lines() const { return StationWindows::CommBuffer().split("\r\n"); }

    testsupport::StationHarness station;
    std::vector<Reading> finals;
};

TEST_F(ImpedanceRunTest, AnAczListOnATwoChannelBaseUnitJudgesBothElectrodes)
{
    ConnectUnit(false);
    RunAczList();

    ASSERT_EQ(finals.size(), 2u);
    const QStringList lines = Lines();
    for (const Reading& r : finals) {
        const QString name = VerdictRules::ElectrodeName(1, r.channel);
        EXPECT_EQ(lines.count("* ACZ Test Complete on Electrode " + name), 1) << name.toStdString();
        EXPECT_TRUE(lines.contains("Measurement recorded for " + name + " at 20s interval: "
                                   + VerdictRules::Fixed3(r.value)))
            << name.toStdString();
        EXPECT_EQ(lines.filter("Final result recorded for " + name + ": ").size(), 1) << name.toStdString();
        EXPECT_TRUE(lines.contains(ExpectedResultLine(r))) << ExpectedResultLine(r).toStdString();
    }
    EXPECT_TRUE(lines.filter("Data error").isEmpty());
}

TEST_F(ImpedanceRunTest, Zamo80ChannelZeroDataErrorsAreRetransmittedUntilTheAlternateReading)
{
    ConnectUnit(true);
    RunAczList();

    const QStringList lines = Lines();
    EXPECT_EQ(lines.count("* Data error detected on Electrode A1. Requesting retransmission."), 3);
    EXPECT_EQ(station.Sent(1).count("[C00(L)]"), 3);
    EXPECT_EQ(lines.count("* ACZ Test Complete on Electrode A1"), 4);
    EXPECT_TRUE(lines.filter("Data Error").isEmpty());

    // Three bad readings of A1, then the good one it is judged on.
    std::vector<qint16> highsOfA1;
    for (const Reading& r : finals) {
        if (r.channel == 0)
            highsOfA1.push_back(r.measureHigh);
    }
    EXPECT_THAT(highsOfA1, ::testing::ElementsAre(9999, 9999, 9999, 0));
    for (const Reading& r : finals) {
        if (r.measureHigh == 0) {
            EXPECT_TRUE(lines.contains(ExpectedResultLine(r))) << ExpectedResultLine(r).toStdString();
        }
    }
    EXPECT_EQ(lines.filter("Final result recorded for ").size(), 2);
}

} // namespace
