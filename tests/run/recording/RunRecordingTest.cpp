#include "RunRecordingFixture.h"
#include "config/StationSettings.h"
#include "run/AclgSums.h"
#include "testlists/StationTestLists.h"

#include <QElapsedTimer>

namespace {

constexpr run::UnitIndex Unit1 = run::UnitIndex::first();
constexpr run::UnitIndex Unit2 = run::UnitIndex::second();

QString rowsOf(platform::DbConnection& db, const QString& sql)
{
    return db.execute(sql).getString(QStringLiteral("|"), QStringLiteral("\n"));
}

TEST_P(RunRecordingTest, GroupAndStepRecordsOfARun)
{
    const qint32 group = recording.createTestGroupRecord();
    ASSERT_GT(group, 0);
    EXPECT_EQ(recording.keys().groupId, group);
    EXPECT_FALSE(groupIsZamo80(group));
    EXPECT_EQ(rowCount("SELECT UnitElectrodesID FROM UnitElectrodes WHERE GroupID = " + QString::number(group)), 2);

    auto acz = step("ACZ,A1-C1.B2,1", 3);
    acz->incrementIteration();
    recording.createTestRecords("ACZ", false, *acz);
    ASSERT_GT(recording.keys().testId, 0);
    auto db = openDirect();
    EXPECT_EQ(rowsOf(*db, "SELECT GroupID, TestTypeID, Zamo80ParentTestID, ShowOnReport FROM Tests"),
              QString("%1|2|3|True\n").arg(group));
    EXPECT_EQ(rowsOf(*db, "SELECT UnitNumber, TestID, Itteration FROM TestUnit ORDER BY UnitNumber"),
              QString("1|%1|1\n2|%1|1\n").arg(recording.keys().testId));

    // A unit without a selected channel that it has takes no part.
    unit2.channels.fill(false);
    recording.createTestRecords("DCO", false, *step("DCO,A1.B2,1"));
    EXPECT_GT(recording.keys().testUnitId[run::UnitIndex::first()], 0);
    EXPECT_EQ(recording.keys().testUnitId[run::UnitIndex::second()], 0);
}

TEST_P(RunRecordingTest, ShowOnReportFollowsThePreCheckAndTheAverageOption)
{
    recording.createTestGroupRecord();
    struct Case {
        QString type;
        bool preCheck;
        bool showShortCircuit;
        bool averageACLG;
        bool shown;
    };
    for (const Case& c : {Case{"ACZ", true, false, false, false}, Case{"ACZ", true, true, false, true},
                          Case{"ACLG", false, false, true, false}, Case{"ACLG", false, false, false, true},
                          Case{"DEFR", false, false, true, true}}) {
        state.preCheckRunning = c.preCheck;
        state.reportOptions = {c.showShortCircuit, c.averageACLG};
        recording.createTestRecords(c.type, false, *step(c.type + ",A1,1"));
        EXPECT_EQ(scalar("SELECT ShowOnReport FROM Tests WHERE TestID = " + QString::number(recording.keys().testId))
                      .toBool(),
                  c.shown)
            << c.type.toStdString() << c.preCheck << c.averageACLG;
    }
}

// The test units of a pace step follow the pace step's electrodes, not
// those of the step that is active beside it.
TEST_P(RunRecordingTest, APaceStepTakesItsTestUnitsFromItself)
{
    recording.createTestGroupRecord();
    state.activeTest = step("ACZ,A1-P1,1");
    recording.createTestRecords("ACZ", false, *state.activeTest);
    const run::RunRecordKeys before = recording.keys();
    auto pace = step("PACE1,A2-B2,5,0,0", 4);
    recording.createTestRecords("PACE1", true, *pace);
    ASSERT_GT(pace->paceDBTestID(), 0);
    EXPECT_EQ(pace->paceDBTestUnitID1(), 0);
    EXPECT_GT(pace->paceDBTestUnitID2(), 0);
    EXPECT_EQ(scalar("SELECT UnitNumber FROM TestUnit WHERE TestUnitID = " + QString::number(pace->paceDBTestUnitID2()))
                  .toInt(),
              2);
    EXPECT_EQ(recording.keys().testId, before.testId);
    EXPECT_EQ(recording.keys().testUnitId, before.testUnitId);
}

// A reading of every electrode is one write, at the end of the turn of the
// event loop; its lines say "recorded" only once it is stored.
TEST_P(RunRecordingTest, ReadingsOfOneTurnAreWrittenTogetherAndThenLogged)
{
    recording.createTestGroupRecord();
    recording.createTestRecords("ACZ", false, *step("ACZ,A1-P2,1"));
    for (int c = 0; c < 16; ++c)
        recording.recordChannelMeasurement(Unit1, c, "20", 1.25 + c, false, 0, 0, false, false, 20);
    recording.recordChannelMeasurement(Unit2, 2, "20", 7, false, 0, 0, false, false, 20);
    recording.recordChannelMeasurement(Unit1, 0, "1:30", 2, false, 0, 0, false, false, 5400);
    EXPECT_EQ(unit1.lastReadings[15].first, 16.25) << "the unit keeps its reading at once";
    EXPECT_FALSE(schedule.intervalReadingDue(Unit2, 2));
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements"), 0);
    EXPECT_TRUE(host.lines.filter("Measurement recorded").isEmpty());

    endTurn();
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements WHERE TimeInterval = '20'"), 2);
    const QString unit1Row = QString::number(recording.keys().measurementId[run::UnitIndex::first()]);
    EXPECT_EQ(scalar("SELECT TimeInterval FROM TestMeasurements WHERE MeasurementID = " + unit1Row).toString(), "1:30");
    EXPECT_EQ(scalar("SELECT P_Value FROM TestMeasurements WHERE TimeInterval = '20' AND TestUnitID = "
                     + QString::number(recording.keys().testUnitId[run::UnitIndex::first()]))
                  .toDouble(),
              16.25);
    EXPECT_EQ(scalar("SELECT TimeIntervalInt FROM TestMeasurements WHERE TimeInterval = '1:30'").toInt(), 5400);
    EXPECT_TRUE(host.lines.contains("Measurement recorded for C1 at 20s interval: 3.250"));
    EXPECT_TRUE(host.lines.contains("Measurement recorded for A1 at 1:30 (h:m) interval: 2.000"));
    EXPECT_EQ(logCount("Measurement recorded, ID = " + unit1Row + ": Electrode A, 2"), 1);

    // A later turn fills the row of its slot while the interval is the same,
    // the second value of a letter replacing the first.
    recording.recordChannelMeasurement(Unit1, 1, "1:30", 3, false, 0, 0, false, false, 5400);
    recording.recordChannelMeasurement(Unit1, 0, "1:30", 4, false, 0, 0, false, false, 5400);
    endTurn();
    EXPECT_EQ(QString::number(recording.keys().measurementId[run::UnitIndex::first()]), unit1Row);
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements"), 3);
    EXPECT_EQ(scalar("SELECT A_Value FROM TestMeasurements WHERE MeasurementID = " + unit1Row).toDouble(), 4);
    EXPECT_EQ(scalar("SELECT B_Value FROM TestMeasurements WHERE MeasurementID = " + unit1Row).toDouble(), 3);
}

TEST_P(RunRecordingTest, PairsAndSdrPointsGoToTheirRows)
{
    recording.createTestGroupRecord();
    recording.createTestRecords("ACLG", false, *step("ACLG,A1-B1,1"));
    recording.recordChannelMeasurement(Unit1, 0, "61", 1.5, false, 0, 2.5, true, false, 61);
    endTurn();
    EXPECT_EQ(scalar("SELECT A_Value FROM TestMeasurements WHERE TimeInterval = '61_R1'").toDouble(), 1.5);
    EXPECT_EQ(scalar("SELECT A_Value FROM TestMeasurements WHERE TimeInterval = '61_R2'").toDouble(), 2.5);
    EXPECT_EQ(unit1.lastReadings[0], std::make_pair(1.5, 2.5));
    EXPECT_TRUE(host.lines.contains("R2 Measurement recorded for A1 at 61s interval: 2.500"));

    recording.createTestRecords("SDR", false, *step("SDR,A1-B1,1"));
    for (int point = 1; point <= 4; ++point)
        for (int c = 0; c < 2; ++c)
            recording.recordChannelMeasurement(Unit1, c, QString::number(point * 10 - 5), point + c, true, point, 0,
                                               false, true, point * 10 - 5);
    endTurn();
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements WHERE TimeInterval IN ('5', '15', '25', '35')"), 4);
    EXPECT_EQ(scalar("SELECT B_Value FROM TestMeasurements WHERE TimeInterval = '35'").toDouble(), 5);
}

TEST_P(RunRecordingTest, VerdictsOfATestUnitShareARow)
{
    recording.createTestGroupRecord();
    recording.createTestRecords("DCO", false, *step("DCO,A1-P2,1"));
    recording.recordChannelResult(Unit1, 0, "PASS?", false);
    recording.recordChannelResult(Unit1, 1, "ERR", false);
    recording.recordChannelResult(Unit2, 0, "PASS*", false);
    endTurn();
    EXPECT_EQ(rowCount("SELECT ResultID FROM TestResults"), 2);
    EXPECT_EQ(scalar("SELECT B_Result FROM TestResults WHERE ResultID = "
                     + QString::number(recording.keys().resultId[run::UnitIndex::first()]))
                  .toString(),
              "ERR");
    EXPECT_TRUE(host.lines.contains("Final result recorded for A1: Marginal Pass"));
    EXPECT_TRUE(host.lines.contains("Final result recorded for B1: ERR"));
    EXPECT_TRUE(host.lines.contains("Final result recorded for A2: Passed with Expired Channel"));
}

TEST_P(RunRecordingTest, PaceResultsAndZamo24Properties)
{
    unit1.plug(16, true, true);
    unit2.isConnected = false;
    const qint32 group = recording.createTestGroupRecord();
    auto pace = step("PACE2,A1-C1,60,0,0");
    recording.createTestRecords("PACE2", true, *pace);
    recording.recordPaceTestResult(Unit1, 2, 3599, true, *pace, true, false);
    EXPECT_EQ(
        scalar("SELECT C_Result FROM TestResults WHERE ResultID = " + QString::number(pace->paceDBTestResultID1()))
            .toString(),
        "59m 59s");
    auto db = openDirect();
    EXPECT_EQ(rowsOf(*db, "SELECT UnitNumber, C_PaceAmplitude, C_PaceRate, C_PacePulseWidth FROM Zamo24PaceProperties "
                          "WHERE GroupID = "
                              + QString::number(group)),
              "1|22|62|1\n");
    EXPECT_TRUE(host.lines.contains("PACE completed for C1: 59m 59s ROLLED"));

    const int lines = host.lines.size();
    recording.recordPaceTestResult(Unit1, 2, 300, true, *pace, false, true);
    EXPECT_EQ(host.lines.size(), lines);
    recording.recordPaceTestResult(Unit1, 2, 300, true, *pace, true, true);
    EXPECT_EQ(host.lines.last(), "C1 Pads ROLLED");
}

TEST_P(RunRecordingTest, AverageAclgVerdictsAtTheEndOfAZamo80Run)
{
    unit1.plug(16, true);
    unit2.plug(16, true);
    const qint32 group = recording.createTestGroupRecord();
    testLists.active = {step("ACLG,A1-P1,2")};
    state.lists.expanded = {step("ACLG,A1,1", 6)};
    run::AclgSums sums;
    sums.clear();
    sums.add(0, 6, std::nullopt); // 3: at the warning
    sums.add(1, 2, std::nullopt); // 1
    sums.add(2, 8, std::nullopt); // 4: above the limit
    sums.add(3, 2, std::nullopt); // 1, on an expired channel
    unit1.calibrationExpired[3] = true;
    recording.clearKeys(); // the run's keys are gone by now
    recording.recordAverageACLGResults(group, sums);

    auto db = openDirect();
    EXPECT_EQ(rowsOf(*db, "SELECT Zamo80ParentTestID FROM Tests t JOIN TestTypes y ON t.TestTypeID = y.TypeID "
                          "WHERE y.TypeName = 'AVG_ACLG' AND t.GroupID = "
                              + QString::number(group)),
              "7\n");
    EXPECT_EQ(rowsOf(*db, "SELECT TimeInterval, A_Value, B_Value, C_Value, D_Value, E_Value FROM TestMeasurements"),
              "61|3|1|4|1|\n");
    EXPECT_EQ(rowsOf(*db, "SELECT A_Result, B_Result, C_Result, D_Result, E_Result FROM TestResults"),
              "PASS?|PASS|FAIL|PASS*|\n");
}

TEST_P(RunRecordingTest, AverageAclgNeedsZamo80ModeAndAnAclgStep)
{
    run::AclgSums sums;
    for (std::size_t channel = 0; channel < run::AclgSums::Channels; ++channel)
        sums.add(channel, 1, std::nullopt);
    testLists.active = {step("ACLG,A1-P1,2")};
    recording.recordAverageACLGResults(1, sums); // base-model units
    unit1.plug(16, true);
    unit2.plug(16, true);
    testLists.active = {step("ACZ,A1-P1,1")};
    recording.recordAverageACLGResults(1, sums);
    EXPECT_EQ(rowCount("SELECT TestID FROM Tests"), 0);
}

TEST_P(RunRecordingTest, CancellingMarksTheGroupAndClearsTheKeys)
{
    const qint32 group = recording.createTestGroupRecord();
    recording.createTestRecords("ACZ", false, *step("ACZ,A1,1"));
    recording.closeAbortedTestGroup(group);
    EXPECT_TRUE(scalar("SELECT Cancelled FROM TestGroups WHERE GroupID = " + QString::number(group)).toBool());
    EXPECT_EQ(recording.keys().groupId, 0);
    EXPECT_EQ(recording.keys().testId, 0);
    EXPECT_EQ(host.caption, "");
    EXPECT_EQ(database.sharedConnection(), nullptr);

    host.caption = "unset";
    recording.closeAbortedTestGroup(0);
    EXPECT_EQ(host.caption, "");
    EXPECT_EQ(
        rowCount("SELECT GroupID FROM TestGroups WHERE Cancelled = " + openDirect()->dialect().booleanLiteral(true)),
        1);
}

// The cancel of a run builds the condensed group by the model the run was
// created in, not by the units connected when it is cancelled: a ZAMO80
// lost mid-run leaves no unit, and a base-model run's group never gets one.
TEST_P(RunRecordingTest, ACancelledRunGetsItsCondensedGroupByItsOwnModel)
{
    struct Case {
        const char* name;
        bool zamo80Run;
        bool zamo80AtCancel;
        bool unitsGone;
        bool condensed;
    };
    for (const Case& c :
         {Case{"ZAMO80 lost mid-run", true, true, true, true}, Case{"ZAMO80 still connected", true, true, false, true},
          Case{"base run, ZAMO80 connected at the cancel", false, true, false, false}}) {
        SCOPED_TRACE(c.name);
        unit1.plug(16, c.zamo80Run);
        unit2.plug(16, c.zamo80Run);
        const qint32 group = recording.createTestGroupRecord();
        ASSERT_EQ(groupIsZamo80(group), c.zamo80Run);
        recording.createTestRecords("ACZ", false, *step("ACZ,A1,1"));
        unit1.plug(16, c.zamo80AtCancel);
        unit2.plug(16, c.zamo80AtCancel);
        unit1.isConnected = unit2.isConnected = !c.unitsGone;
        recording.closeAbortedTestGroup(group);

        const QString id = QString::number(group);
        EXPECT_TRUE(scalar("SELECT Cancelled FROM TestGroups WHERE GroupID = " + id).toBool());
        // Linked both ways: the run's group names the condensed group's key,
        // the condensed group the run's group number.
        EXPECT_EQ(rowCount("SELECT c.GroupID FROM TestGroups s JOIN TestGroups c ON c.GroupID = s.Zamo80CondensedID "
                           "AND c.Zamo80CondensedID = s.UniqueGroupID WHERE s.GroupID = "
                           + id),
                  c.condensed ? 1 : 0);
        EXPECT_EQ(rowCount("SELECT GroupID FROM TestGroups WHERE DateExecuted IS NULL AND Zamo80CondensedID = "
                           "(SELECT UniqueGroupID FROM TestGroups WHERE GroupID = "
                           + id + ")"),
                  c.condensed ? 1 : 0);
    }
}

// A reading that cannot be stored is a database failure of the run: every
// lost record is told, the main window hears of it once per run, and the
// verdict of the reading is not stored without it.
TEST_P(RunRecordingTest, AReadingThatCannotBeStoredFailsTheRunAndTakesNoVerdictWithoutIt)
{
    recording.createTestGroupRecord();
    recording.createTestRecords("DCO", false, *step("DCO,A1-B1,1"));
    openDirect()->execute("DROP TABLE TestMeasurements");
    recording.recordChannelMeasurement(Unit1, 0, "61", 4.5, false, 0, 0, false, false, 61);
    recording.recordChannelResult(Unit1, 0, "PASS", false);
    endTurn();
    EXPECT_EQ(unit1.lastReadings[0].first, 4.5);
    const QStringList failures = host.lines.filter("* Unable to record ");
    ASSERT_EQ(failures.size(), 2) << host.lines.join("\n").toStdString();
    EXPECT_TRUE(failures[0].startsWith("* Unable to record the measurement of A1: ")) << failures[0].toStdString();
    EXPECT_TRUE(failures[1].startsWith("* Unable to record the result of A1: ")) << failures[1].toStdString();
    EXPECT_TRUE(host.lines.filter("recorded for A1").isEmpty());
    EXPECT_EQ(rowCount("SELECT ResultID FROM TestResults"), 0);
    ASSERT_EQ(mainWindow.causesShown.size(), 1);
    EXPECT_TRUE(mainWindow.causesShown[0].startsWith("Unable to record the measurement of A1 and one other record: "))
        << mainWindow.causesShown[0].toStdString();

    // More failures of the same run are told in the log only.
    recording.recordChannelMeasurement(Unit1, 1, "61", 5, false, 0, 0, false, false, 61);
    endTurn();
    EXPECT_EQ(host.lines.filter("* Unable to record the measurement of B1: ").size(), 1);
    EXPECT_EQ(mainWindow.failHandlerCalls, 1);
}

// The readings that wait when the next step begins cannot be stored, and
// their failure cancels the run (as the main window does): the step's test
// and test units are not written outside the group that was closed.
TEST_P(RunRecordingTest, NoStepIsRecordedOnceTheReadingsBeforeItCancelledTheRun)
{
    const qint32 group = recording.createTestGroupRecord();
    recording.createTestRecords("ACZ", false, *step("ACZ,A1-B1,1"));
    mainWindow.onFailure = [&] { recording.closeAbortedTestGroup(group); };
    openDirect()->execute("DROP TABLE TestMeasurements");
    recording.recordChannelMeasurement(Unit1, 0, "20", 120, false, 0, 0, false, false, 20);
    recording.createTestRecords("ACZ", false, *step("ACZ,A1-B1,1")); // in the same turn
    mainWindow.onFailure = nullptr;

    EXPECT_EQ(mainWindow.failHandlerCalls, 1);
    EXPECT_TRUE(scalar("SELECT Cancelled FROM TestGroups WHERE GroupID = " + QString::number(group)).toBool());
    EXPECT_EQ(rowCount("SELECT TestID FROM Tests"), 1);
    EXPECT_EQ(rowCount("SELECT TestUnitID FROM TestUnit"), 1);
    EXPECT_EQ(host.lines.filter("* Unable to record ").size(), 1) << host.lines.join("\n").toStdString();
    EXPECT_EQ(host.lines.filter("* 1 record of this run could not be stored").size(), 1);
}

// Another program that keeps the database locked past the busy wait: the
// reading and its verdict fail together, and nothing of them is stored.
TEST_P(RunRecordingTest, AReadingLockedOutPastTheBusyWaitIsAFailureAndNothingOfItIsStored)
{
    database.setBusyWaitMilliseconds(200);
    recording.createTestGroupRecord();
    recording.createTestRecords("ACZ", false, *step("ACZ,A1-B1,1"));
    auto other = openDirect();
    other->transaction();
    other->execute(local() ? "UPDATE Globals SET LastUniqueGroupID = LastUniqueGroupID"
                           : "LOCK TABLE TestMeasurements, TestResults IN EXCLUSIVE MODE");
    recording.recordChannelMeasurement(Unit1, 0, "20", 120, false, 0, 0, false, false, 20);
    recording.recordChannelResult(Unit1, 0, "PASS", false);
    QElapsedTimer waited;
    waited.start();
    endTurn();
    EXPECT_GE(waited.elapsed(), 150);
    other->rollback();
    database.setBusyWaitMilliseconds(platform::DbConnection::DefaultBusyWaitMilliseconds);

    EXPECT_EQ(host.lines.filter("* Unable to record the measurement of A1: ").size(), 1)
        << host.lines.join("\n").toStdString();
    EXPECT_EQ(host.lines.filter("* Unable to record the result of A1: ").size(), 1);
    EXPECT_EQ(mainWindow.messagesShown, 1);
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements"), 0);
    EXPECT_EQ(rowCount("SELECT ResultID FROM TestResults"), 0);
}

// What the pre-test window gives for "CUSTOM: A1: , B1: B-LOT" with the
// lots B1 = B-LOT and A2 = "Lot\r\n2" (TestDetailsFormTest checks that half).
TEST_P(RunRecordingTest, PerElectrodeLotsOfThePreTestWindowReachTheUnitRows)
{
    state.details = run::PreTestDetails();
    state.details.lotNumber = "A1: , B1: B-LOT";
    state.details.electrodeLotNumbers[1] = "B-LOT";
    state.details.electrodeLotNumbers[16] = "Lot\r\n2";

    const qint32 group = recording.createTestGroupRecord();
    auto db = openDirect();
    EXPECT_EQ(rowsOf(*db, "SELECT UnitNumber, A_LotNumber, B_LotNumber FROM UnitElectrodes WHERE GroupID = "
                              + QString::number(group) + " ORDER BY UnitNumber"),
              "1||B-LOT\n2|Lot  2|\n");
    EXPECT_EQ(scalar("SELECT LotNumber FROM TestGroups WHERE GroupID = " + QString::number(group)).toString(),
              "A1: , B1: B-LOT");
}

INSTANTIATE_ON_BOTH_BACKENDS(RunRecordingTest);

} // namespace
