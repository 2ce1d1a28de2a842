// A unit of the run lost during a two-step run of the whole station on
// simulated units, in virtual time: its link closes and fails as a failed
// port does (closed, then the error), the station asks the operator, and the
// operator takes a minute to answer. A unit back by then goes on, and the
// group completes with both units' readings; a unit that is not back has its
// run cancelled with the reason told, and nothing stored says otherwise.
#include "platform/FakeD2xx.h"
#include "support/QtPrinters.h"
#include "support/StationHarness.h"
#include "support/StoredRunChecks.h"

#include <QPushButton>

#include <gmock/gmock.h>

namespace {

const QString UsbErrorBox = "There is an error communicating with the device. \r\n\r\n"
                            "Please disconnect and reconnect the device, and then click 'OK'";

struct Loss {
    const char* name;
    bool zamo80;
    int lost;          // 1, or 2 beside a base unit 1
    bool betweenSteps; // after the first step's verdicts, else while it measures
    bool backBeforeOk;
};

class UnitLossRun : public ::testing::TestWithParam<Loss> {
protected:
    QString operatorLog() const { return station.windows().commBuffer(); }
    qsizetype started() const { return operatorLog().count(" test on Electrodes "); }
    QString file() const { return station.stationSettings().paths.databaseFile; }
    // The electrodes with a stored verdict, by unit and row ("A1", ...).
    QStringList judged() const
    {
        QStringList names;
        for (const QString& verdict : station.storedVerdicts())
            names << verdict.section(' ', 0, 0);
        return names;
    }

    // Two ACZ steps on every electrode: A1-B1, and A2-B2 with two units.
    void startRun(const Loss& c)
    {
        ASSERT_TRUE(station.start());
        station.connectSimulatedUnit(1, 2, c.zamo80);
        if (c.lost == 2)
            station.connectSimulatedUnit(2, 2);
        ui::TestWindow& form = station.testWindow();
        ASSERT_TRUE(station.runUntil(
            [&] {
                return form.testListPanel().runButton()->isEnabled()
                       && (c.lost == 1 || station.unitStatus(2).endsWith("; A2-B2"));
            },
            20000));
        station.useTestList("A1-P2", {"ACZ,A1-P2,1", "ACZ,A1-P2,1"});
        testsupport::StationHarness::startNextRunWithLot("Lot 7");
        form.testListPanel().runButton()->click();
        ASSERT_TRUE(form.testRunning());
    }

    // Unit n's port fails: the link closes it and reports the error.
    void loseUnit(const Loss& c)
    {
        unit::UnitLink& link = station.link(c.lost);
        link.disconnectDevice();
        emit link.usbError(c.lost, QStringLiteral("FT_GetQueueStatus - General IO Error"));
    }

    platform::ScopedFakeD2xx noConverters; // "OK" finds no unit on USB
    testsupport::StationHarness station;
};

} // namespace

TEST_P(UnitLossRun, ARunWaitsForTheOperatorsAnswerThenGoesOnOrIsCancelled)
{
    const Loss& c = GetParam();
    startRun(c);
    // Between steps: the step has its verdicts and the sequencer's next tick
    // is still to come; while it measures: two seconds into the step.
    const run::RunState& state = station.testWindow().state();
    const run::MeasurementSchedule& schedule = station.testWindow().sequencer().schedule();
    ASSERT_TRUE(station.runUntil(
        [&] {
            const auto& step = state.activeTest;
            return step
                   && (c.betweenSteps ? step->isTestIterationComplete()
                                      : !step->isTestIterationComplete() && schedule.elapsedSeconds() >= 2);
        },
        120000));
    const QStringList judgedBefore = judged();

    // The operator answers after a minute, longer than the step may take.
    bool runningWhileAsked = false;
    qsizetype startedWhileAsked = -1;
    station.prompts().whileMessageShown = [&](const platform::ShownPrompt& shown) {
        if (shown.text != UsbErrorBox)
            return;
        station.runUntil([] { return false; }, 60000);
        runningWhileAsked = station.testWindow().testRunning();
        startedWhileAsked = started();
        if (c.backBeforeOk)
            station.link(c.lost).connectSimulator(2, c.zamo80, false);
    };
    const qsizetype startedBefore = started();
    loseUnit(c);
    ASSERT_TRUE(station.runUntil([&] { return !station.testWindow().testRunning(); }, 240000));
    EXPECT_TRUE(runningWhileAsked);
    EXPECT_EQ(startedWhileAsked, startedBefore) << "no step starts while the unit is gone";
    const QString log = operatorLog();
    EXPECT_TRUE(log.contains(QString("* Unit #%1 Disconnected *").arg(c.lost)));

    if (c.backBeforeOk) {
        EXPECT_EQ(station.prompts().messages(), QStringList{UsbErrorBox});
        EXPECT_TRUE(log.contains("* Tests Completed")) << log.right(2000).toStdString();
        EXPECT_EQ(testsupport::groupEnds(file()), "1|True|False\n");
        // Both steps on every electrode.
        const QStringList twice = c.lost == 2 ? QStringList{"A1", "B1", "A1", "B1", "A2", "B2", "A2", "B2"}
                                              : QStringList{"A1", "B1", "A1", "B1"};
        EXPECT_EQ(judged(), twice);
    } else {
        const QString reason = QString("Connection to Unit #%1 has been lost.  Aborting test.").arg(c.lost);
        EXPECT_EQ(station.prompts().messages(), (QStringList{UsbErrorBox, reason}));
        EXPECT_TRUE(log.contains("* " + reason + "\r\n* Tests Cancelled")) << log.right(2000).toStdString();
        EXPECT_FALSE(log.contains("TEST EXCEEDED MAX EXPECTED DURATION"));
        EXPECT_FALSE(log.contains("* Tests Completed"));
        EXPECT_EQ(started(), startedBefore) << "no step starts once the unit is gone";
        EXPECT_EQ(testsupport::groupEnds(file()), "1|False|True\n");
        // A ZAMO80 run gets its condensed group, though no unit is left.
        EXPECT_EQ(testsupport::condensedGroups(file()), c.zamo80 ? "1|2\n" : "");
        // What was stored before the loss stays: between steps, the first
        // step's verdicts of both units.
        EXPECT_EQ(judged(), judgedBefore);
        if (c.betweenSteps && !c.zamo80) {
            EXPECT_EQ(judgedBefore, c.lost == 2 ? QStringList({"A1", "B1", "A2", "B2"}) : QStringList({"A1", "B1"}));
        }
        EXPECT_FALSE(station.frame().disconnectUnitActions[c.lost]->isEnabled());
        EXPECT_TRUE(station.frame().connectUnitActions[c.lost]->isEnabled());

        // Connected again from the menu, the unit runs the list to its end.
        station.prompts().whileMessageShown = nullptr;
        station.connectSimulatedUnit(c.lost, 2, c.zamo80);
        ASSERT_TRUE(
            station.runUntil([&] { return station.testWindow().testListPanel().runButton()->isEnabled(); }, 20000));
        ASSERT_TRUE(station.runTestList("Lot 8", 240000));
        EXPECT_TRUE(operatorLog().contains("* Tests Completed"));
        EXPECT_EQ(testsupport::groupEnds(file()),
                  c.zamo80 ? "1|False|True\n3|True|False\n" : "1|False|True\n2|True|False\n");
        EXPECT_EQ(testsupport::condensedGroups(file()), c.zamo80 ? "1|2\n3|4\n" : "");
    }
    EXPECT_EQ(testsupport::untrueRecords(file()), "");
}

INSTANTIATE_TEST_SUITE_P(Units, UnitLossRun,
                         ::testing::Values(Loss{"BaseUnitWhileItMeasures", false, 1, false, false},
                                           Loss{"BaseUnitBetweenSteps", false, 1, true, false},
                                           Loss{"Zamo80WhileItMeasures", true, 1, false, false},
                                           Loss{"Zamo80BetweenSteps", true, 1, true, false},
                                           Loss{"Unit2WhileItMeasures", false, 2, false, false},
                                           Loss{"Unit2BetweenSteps", false, 2, true, false},
                                           Loss{"BaseUnitBackBetweenSteps", false, 1, true, true},
                                           Loss{"Unit2BackBetweenSteps", false, 2, true, true}),
                         [](const ::testing::TestParamInfo<Loss>& info) { return std::string(info.param.name); });
