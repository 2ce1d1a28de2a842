// The units' diagnostics stored with the run's test group only, and the lid
// of a ZAMO80 or ZAMO2-4 that stops a run when it opens.
#include "run/RunFixture.h"
#include "run/UnitStateEvents.h"
#include "support/QtPrinters.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class UnitStateEventsTest : public RunFixture {
protected:
    void startRun(bool zamo80, bool zamo24 = false)
    {
        unit1.plug(2, zamo80, zamo24);
        addStep("ACZ");
        sequencer->startFirstTestSequence(true);
        ASSERT_TRUE(testRunning());
        recorder->calls.clear();
        host.log.clear();
    }
    QStringList diagnostics() const { return recorder->calls.filter("DIAG"); }

    // The handlers on the fixture's run.
    run::UnitStateEvents events()
    {
        return run::UnitStateEvents(sequencer->units(), sequencer->state(), sequencer->services(), host,
                                    [this] { sequencer->stopTests(); });
    }
};

TEST_F(UnitStateEventsTest, DiagnosticsAreStoredWithTheRunsGroupInTheColumnsOfUnit1sModel)
{
    unit2.plug(2);
    unit2.diagnostics = QStringList{"", "1.5", "25", "5", "5", "-5", "True", "True", "True", "V1.0"};
    events().diagnosticsReported(2); // no run: it belongs to no group
    EXPECT_THAT(diagnostics(), IsEmpty());
    EXPECT_TRUE(logText().contains("Diagnostics of Unit #2 not stored: no test group is being recorded"));

    startRun(true);
    events().diagnosticsReported(2);
    EXPECT_THAT(diagnostics(), ElementsAre("DIAG unit 2 group 5 ZAMO80 ,1.5,25,5,5,-5,True,True,True,V1.0"));

    sequencer->stopTests(); // the group is closed: a late report is not stored with it
    events().diagnosticsReported(2);
    EXPECT_EQ(diagnostics().size(), 1);
}

TEST_F(UnitStateEventsTest, AnOpenedLidStopsARunAndNothingElse)
{
    events().lidReported(1, false); // no run
    EXPECT_FALSE(operatorLog().contains("Lid"));

    startRun(true);
    events().lidReported(1, true);
    EXPECT_TRUE(testRunning());
    events().lidReported(2, false);
    EXPECT_FALSE(testRunning());
    const QStringList lines = operatorLog().split("\r\n");
    EXPECT_EQ(lines.count("*ZAMO80 Lid Opened.  Aborting tests!"), 1);
    EXPECT_TRUE(lines.contains("* Tests Cancelled"));
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 5"));

    startRun(false, true); // a single ZAMO2-4
    events().lidReported(1, false);
    EXPECT_TRUE(operatorLog().contains("*ZAMO2-4 Lid Opened.  Aborting tests!"));
    EXPECT_FALSE(testRunning());
}

} // namespace
