// The results file becoming unwritable while a unit measures: the run stops
// at the first record it cannot store, before the operator's box waits, the
// box and the log say why, the log counts every lost record, and the file
// afterwards holds no completed group and no verdict without its reading;
// once the file can be written again, the run's cancel is.

#include "RealPathFixture.h"
#include "support/StoredRunChecks.h"
#include "support/WriteProtection.h"

TEST_F(RealPath, AResultsFileLostMidRunStopsTheRunBeforeTheOperatorIsTold)
{
    oneStepStandardList();
    ASSERT_TRUE(units.addUnit(0, Unit()));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs));
    testsupport::StationHarness::startNextRunWithLot("Lot 3");
    ASSERT_TRUE(station.click("Run Standard Sequence"));

    // The journal of the next write cannot be made beside the file.
    std::unique_ptr<testsupport::WriteProtection> folder;
    ASSERT_TRUE(station.waitUntil([&] { return ui::StationWindows::commBuffer().contains(" test on Electrodes "); },
                                  ConnectMs));
    folder = std::make_unique<testsupport::WriteProtection>(station.dataFolder());
    if (!folder->active())
        GTEST_SKIP() << "cannot make the data folder unwritable here: " << folder->why().toStdString();
    bool runningWhileTold = true;
    station.prompts().whileMessageShown = [&](const platform::ShownPrompt&) {
        runningWhileTold = station.testWindow().testRunning();
    };
    ASSERT_TRUE(station.waitUntil([&] { return !station.testWindow().testRunning(); }, RunMs));
    folder.reset();

    EXPECT_FALSE(runningWhileTold);
    const QStringList messages = station.prompts().messages();
    ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
    EXPECT_TRUE(messages[0].startsWith("Database connection has been interrupted.  Aborting test.\r\n\r\n"
                                       "Unable to record the measurement of "))
        << messages[0].toStdString();
    const QString log = ui::StationWindows::commBuffer();
    const qsizetype lost = testsupport::lostRecordLines(log.split("\r\n"));
    EXPECT_GE(lost, 1) << log.toStdString(); // the readings of the batch
    EXPECT_TRUE(log.contains(testsupport::lostCountLine(lost) + "\r\n* Tests Cancelled")) << log.toStdString();
    EXPECT_TRUE(log.contains("* Database connection has been interrupted.  Aborting test.\r\n"));
    EXPECT_FALSE(log.contains("* Tests Completed"));
    EXPECT_TRUE(station.logText().contains("* Database connection has been interrupted.  Aborting test."));

    const QString file = station.stationSettings().paths.databaseFile;
    EXPECT_TRUE(testsupport::groupEnds(file).startsWith("1|False|")) << testsupport::groupEnds(file).toStdString();
    EXPECT_EQ(testsupport::untrueRecords(file), "");
    EXPECT_EQ(station.storedVerdicts(), QStringList());

    // The folder writable again, the waiting cancel is written: no group is left open.
    EXPECT_TRUE(station.waitUntil([&] { return testsupport::groupEnds(file) == "1|False|True\n"; },
                                  3 * results::CancelRetryMilliseconds))
        << testsupport::groupEnds(file).toStdString();
    EXPECT_FALSE(QFile::exists(station.stationSettings().paths.openGroupsFile));
}
