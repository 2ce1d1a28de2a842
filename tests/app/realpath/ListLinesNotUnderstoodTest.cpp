// A standard list in the data folder with lines that are no step lines (an
// unknown type, a count that is no number, control bytes): the start tells
// the operator the file and the lines, and a run of the list runs the steps
// it has, never a step of no type.

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "ui/shell/StationWindows.h"

namespace {

using ListLinesNotUnderstood = RealPath;

TEST_F(ListLinesNotUnderstood, TheOperatorIsToldAtTheStartAndTheRunRunsOnlyTheStepsUnderstood)
{
    station.writeDataFile("standard.tsq", "1.0\r\nXYZ,,,\r\nACZ,A1-P2,1\r\nACZ,A1-P2,abc\r\n\x01\x02\x03\r\n");
    ASSERT_TRUE(units.addUnit(0, Unit{}));
    ASSERT_TRUE(station.start());
    const QString list = station.dataFolder() + "/standard.tsq";
    EXPECT_EQ(station.prompts().messages(),
              QStringList{"These lines of the test sequence file " + list
                          + " are not understood and left out of the list:\r\n\r\nLine 2: XYZ,,,\r\n"
                            "Line 4: ACZ,A1-P2,abc\r\nLine 5: <01><02><03>"});

    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(runStandardSequence());
    const QString operatorLog = station.windows().commBuffer();
    EXPECT_EQ(operatorLog.count(" test on Electrodes "), 1) << operatorLog.toStdString();
    EXPECT_TRUE(operatorLog.contains("* ACZ test on Electrodes A1-P2 started at "));
    EXPECT_TRUE(operatorLog.contains("* Tests Completed"));
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 PASS", "B1 PASS"}));
    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    EXPECT_EQ(
        db.execute("SELECT t.TypeName FROM Tests s JOIN TestTypes t ON s.TestTypeID = t.TypeID").getString("|", "|"),
        "ACZ|");
}

} // namespace
