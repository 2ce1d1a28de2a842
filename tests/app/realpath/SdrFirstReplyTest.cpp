// An SDR final reply that a unit on a pseudo-terminal sends garbled at the
// first poll, before any interim reply, through the station's own start-up:
// it is the final reading it says it is, asked for again and ERR after the
// last retransmission, while the other electrode is measured and judged and
// the run completes.

#include "RealPathFixture.h"
#include "support/StoredRunChecks.h"

TEST_F(RealPath, AGarbledSdrFinalBeforeAnyInterimReplyEndsInERRAndTheRunGoesOn)
{
    station.writeDataFile("standard.tsq", "1.0\nSDR,A1-P2,1\n");
    Unit unit;
    unit.channels = 2;
    unit.garbledSdrFirst[0] = true; // A1
    ASSERT_TRUE(units.addUnit(0, unit));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(runStandardSequence());

    const QString log = station.logText();
    EXPECT_TRUE(log.contains("Unit #1 receive: Malformed reply (GS2046,2536,0001,0001,2169,2143,2131,2122,0x10*)"))
        << log.toStdString();
    EXPECT_EQ(log.count("* Data error detected on Electrode A1. Requesting retransmission."), 4) << log.toStdString();
    EXPECT_TRUE(log.contains("* Tests Completed"));
    EXPECT_FALSE(log.contains("TEST EXCEEDED MAX EXPECTED DURATION"));
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 ERR", "B1 PASS"}));
    const QString file = station.stationSettings().paths.databaseFile;
    EXPECT_EQ(testsupport::groupEnds(file), "1|True|False\n");
    EXPECT_EQ(testsupport::rowsOfNoRun(file), "");
}
