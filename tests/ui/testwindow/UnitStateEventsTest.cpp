// The units' diagnostics stored with the run's test group only, and the lid
// of a ZAMO80 or ZAMO2-4 that stops a run when it opens.
#include "MainFormFixture.h"
#include "support/QtPrinters.h"

#include "run/UnitStateEvents.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class UnitStateEventsTest : public MainFormFixture {
protected:
    void StartRun(bool zamo80, bool zamo24 = false)
    {
        unit1.Plug(2, zamo80, zamo24);
        AddStep("ACZ");
        form->StartFirstTestSequence(true);
        ASSERT_TRUE(form->pTestRunning());
        recorder->calls.clear();
        form->operatorLog().clear();
    }
    QStringList Diagnostics() const { return recorder->calls.filter("DIAG"); }

    // The handlers on the window's run.
    UnitStateEvents Events() { return UnitStateEvents(form->Sequencer(), *form); }
};

TEST_F(UnitStateEventsTest, DiagnosticsAreStoredWithTheRunsGroupInTheColumnsOfUnit1sModel)
{
    unit2.Plug(2);
    unit2.diagnostics = QStringList{"", "1.5", "25", "5", "5", "-5", "True", "True", "True", "V1.0"};
    Events().RXMasterDiagnostics(2);   // no run: it belongs to no group
    EXPECT_THAT(Diagnostics(), IsEmpty());
    EXPECT_TRUE(LogText().contains("Diagnostics of Unit #2 not stored: no test group is being recorded"));

    StartRun(true);
    Events().RXMasterDiagnostics(2);
    EXPECT_THAT(Diagnostics(), ElementsAre("DIAG unit 2 group 5 ZAMO80 ,1.5,25,5,5,-5,True,True,True,V1.0"));

    form->StopTests();   // the group is closed: a late report is not stored with it
    Events().RXMasterDiagnostics(2);
    EXPECT_EQ(Diagnostics().size(), 1);
}

TEST_F(UnitStateEventsTest, AnOpenedLidStopsARunAndNothingElse)
{
    Events().RXMasterLidState(1, false);   // no run
    EXPECT_FALSE(form->operatorLog().text().contains("Lid"));

    StartRun(true);
    Events().RXMasterLidState(1, true);
    EXPECT_TRUE(form->pTestRunning());
    Events().RXMasterLidState(2, false);
    EXPECT_FALSE(form->pTestRunning());
    const QStringList lines = form->operatorLog().text().split("\r\n");
    EXPECT_EQ(lines.count("*ZAMO80 Lid Opened.  Aborting tests!"), 1);
    EXPECT_TRUE(lines.contains("* Tests Cancelled"));
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 5"));

    StartRun(false, true);   // a single ZAMO2-4
    Events().RXMasterLidState(1, false);
    EXPECT_TRUE(form->operatorLog().text().contains("*ZAMO2-4 Lid Opened.  Aborting tests!"));
    EXPECT_FALSE(form->pTestRunning());
}

} // namespace
