// A ZAMO80 run through the station's own start-up, on a unit on a
// pseudo-terminal: the open-circuit pre-check finds an open electrode, the
// operator drops it, and the run tests the other electrode alone and leaves
// the run's group and its condensed group.

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"

TEST_F(RealPath, AZamo80PreCheckDropsTheOpenElectrodeAndTheRunLeavesItsCondensedGroup)
{
    station.writeDataFile("standard80.tsq", "2.0\r\nACZ,A1-P2,1\r\n");
    Unit zamo80;
    zamo80.model = Model::Zamo80;
    zamo80.channels = 2;
    zamo80.acz[1] = -500; // B1 is open
    ASSERT_TRUE(units.addUnit(0, zamo80));
    station.prompts().messageAnswers.push_back(platform::MsgResult::Ok);
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(station.choose("Connect Unit 1"));
    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs))
        << station.unitStatus(1).toStdString();

    ASSERT_TRUE(runStandardSequence());
    EXPECT_EQ(station.prompts().messages(),
              QStringList{"Open Circuit Channels Detected! Click OK to ignore channel(s) B1, or click Cancel to "
                          "abort the test."});
    const QString log = station.logText();
    EXPECT_TRUE(log.contains("* Open Circuit test on Electrodes A1-P1 started at "));
    EXPECT_TRUE(log.contains("* ACZ test on Electrodes A1 started at "));
    EXPECT_FALSE(log.contains("* ACZ test on Electrodes B1 started at "));
    EXPECT_TRUE(log.contains("* Tests Completed"));

    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    // The condensed group holds the pre-check's two verdicts and A1's own.
    QStringList condensed;
    for (platform::DbRecordset r = db.execute(
             "SELECT t.Zamo80ParentTestID, r.A_Result, r.B_Result FROM TestGroups s JOIN TestGroups c "
             "ON c.GroupID = s.Zamo80CondensedID AND c.Zamo80CondensedID = s.UniqueGroupID JOIN Tests t "
             "ON t.GroupID = c.GroupID JOIN TestUnit u ON u.TestID = t.TestID JOIN TestResults r "
             "ON r.TestUnitID = u.TestUnitID WHERE s.DateExecuted IS NOT NULL ORDER BY t.Zamo80ParentTestID");
         !r.eof(); r.moveNext())
        condensed << r.value(0).toString() + " " + r.value(1).toString() + " " + r.value(2).toString();
    EXPECT_EQ(condensed, (QStringList{"1 PASS FAIL_O", "2 PASS "}));
}
