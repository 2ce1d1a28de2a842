// ACLG and DEFR steps of a ZAMO80 run on a simulated unit: the start is
// acknowledged, the charge triggered, the final reading judged and the run
// goes on to its end.
#include "support/StationHarness.h"

#include <QPushButton>
#include <QRegularExpression>

#include <gmock/gmock.h>

namespace {

class DefibRunTest : public ::testing::Test {
protected:
    // The steps run on the one electrode selected (a ZAMO80 step names one).
    void runOnZamo80(const QString& electrode, const QStringList& types)
    {
        ASSERT_TRUE(station.start());
        station.connectSimulatedUnit(1, 2, true);
        ui::TestWindow& form = station.testWindow();
        ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
        QStringList steps;
        for (const QString& type : types)
            steps << type + "," + electrode + ",1";
        station.useTestList(electrode, steps);
        testsupport::StationHarness::startNextRunWithLot("LOT-9");
        form.testListPanel().runButton()->click();
        ASSERT_TRUE(form.testRunning()) << station.windows().commBuffer().toStdString();
        ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 10 * 60 * 1000, 250));
    }

    QStringList logLines() const { return station.windows().commBuffer().split("\r\n"); }

    testsupport::StationHarness station;
};

TEST_F(DefibRunTest, AclgAndDefrStepsAreAcknowledgedTriggeredAndJudged)
{
    runOnZamo80("B1", {"ACLG", "DEFR"});

    const QStringList lines = logLines();
    EXPECT_TRUE(lines.contains("* Tests Completed")) << station.windows().commBuffer().toStdString();
    EXPECT_TRUE(lines.filter("failed to start").isEmpty());
    EXPECT_EQ(lines.count("Sending Trigger Charge Command"), 2);
    EXPECT_EQ(lines.count("* ACLG Test Complete on Electrode B1"), 1);
    EXPECT_EQ(lines.count("* DEFR Test Complete on Electrode B1"), 1);
    // The open-circuit pre-check's verdict, the ACLG and DEFR verdicts, and the average ACLG verdict at the end.
    EXPECT_EQ(lines.filter("Final result recorded for B1: ").size(), 4);
    for (const char* label : {"61s", "4s", "60s"})
        EXPECT_EQ(lines.filter(QRegularExpression(QString("^Measurement recorded for B1 at %1 interval: ").arg(label)))
                      .size(),
                  1)
            << label;
    EXPECT_TRUE(station.logText().contains("ACLG.1"));
}

} // namespace
