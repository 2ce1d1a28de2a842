// The results database lost while a unit measures: the results file
// becoming unwritable, the disk under it filling up, the server stopped and
// started again. Each time the run stops at the first record it cannot
// store, before the operator's box waits; the box and the log say why, the
// log counts every lost record, and the database afterwards holds no
// completed group and no verdict without its reading; once the database can
// take it again, the run's cancel is written and the note of open groups is
// gone.

#include "RealPathFixture.h"
#include "platform/DbError.h"
#include "support/OwnMountNamespace.h"
#include "support/PausablePgServer.h"
#include "support/ServerDatabaseSettings.h"
#include "support/StoredRunChecks.h"
#include "support/TinyFileSystem.h"
#include "support/WriteProtection.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

class DatabaseLoss : public RealPath {
protected:
    // A connection of the test's own to the station's results database.
    using Opener = std::function<std::unique_ptr<platform::DbConnection>()>;

    Opener resultsFile()
    {
        return [this] {
            auto db = std::make_unique<platform::DbConnection>();
            db->openFile(station.stationSettings().paths.databaseFile, true);
            return db;
        };
    }

    // Starts the one-step standard list on unit 1 and, once its step has
    // started, breaks the database (breakIt); then waits for the run's end.
    // Whether the run still went on while the operator was told is kept.
    void runAndBreak(const std::function<void()>& breakIt)
    {
        oneStepStandardList();
        ASSERT_TRUE(units.addUnit(0, Unit()));
        ASSERT_TRUE(station.start());
        ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
        ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs));
        testsupport::StationHarness::startNextRunWithLot("Lot 3");
        ASSERT_TRUE(station.click("Run Standard Sequence"));
        ASSERT_TRUE(station.waitUntil([&] { return station.windows().commBuffer().contains(" test on Electrodes "); },
                                      ConnectMs));
        breakIt();
        if (IsSkipped() || HasFatalFailure())
            return;
        station.prompts().whileMessageShown = [&](const platform::ShownPrompt&) {
            m_runningWhileTold = station.testWindow().testRunning();
        };
        ASSERT_TRUE(station.waitUntil([&] { return !station.testWindow().testRunning(); }, RunMs));
    }

    // What the operator was told and what the database holds once the run
    // has stopped; the cause given is in the box (empty: any cause).
    void expectStoppedBeforeTheBox(platform::DbConnection& db, const QString& cause)
    {
        EXPECT_FALSE(m_runningWhileTold);
        const QStringList messages = station.prompts().messages();
        ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
        EXPECT_TRUE(messages[0].startsWith("Database connection has been interrupted.  Aborting test.\r\n\r\n"
                                           "Unable to record the measurement of "))
            << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(cause)) << messages[0].toStdString();
        const QString log = station.windows().commBuffer();
        const qsizetype lost = testsupport::lostRecordLines(log.split("\r\n"));
        EXPECT_GE(lost, 1) << log.toStdString(); // the readings of the batch
        EXPECT_TRUE(log.contains(testsupport::lostCountLine(lost) + "\r\n* Tests Cancelled")) << log.toStdString();
        EXPECT_TRUE(log.contains("* Unable to record the measurement of ")) << log.toStdString();
        EXPECT_TRUE(log.contains("* Database connection has been interrupted.  Aborting test.\r\n"));
        EXPECT_FALSE(log.contains("* Tests Completed"));
        EXPECT_TRUE(station.logText().contains("* Database connection has been interrupted.  Aborting test."));

        EXPECT_TRUE(testsupport::groupEnds(db).startsWith("1|False|")) << testsupport::groupEnds(db).toStdString();
        EXPECT_EQ(testsupport::untrueRecords(db), "");
        EXPECT_EQ(db.execute("SELECT COUNT(*) FROM TestResults").value(0).toInt(), 0);
    }

    // Once the database can take it again, the waiting cancel is written: no
    // group is left open, and the note of open groups is gone.
    void expectTheCancelWrittenOnceTheDatabaseIsBack(const Opener& open)
    {
        QString ends;
        EXPECT_TRUE(station.waitUntil(
            [&] {
                try {
                    ends = testsupport::groupEnds(*open());
                } catch (const platform::DbError& e) {
                    ends = e.text();
                }
                return ends == "1|False|True\n";
            },
            3 * results::CancelRetryMilliseconds))
            << ends.toStdString();
        EXPECT_FALSE(QFile::exists(station.stationSettings().paths.openGroupsFile));
        EXPECT_TRUE(station.logText().contains("The waiting cancel of test group 1 is written"));
        EXPECT_EQ(testsupport::untrueRecords(*open()), "");
    }

    bool m_runningWhileTold = true;
};

} // namespace

TEST_F(DatabaseLoss, AResultsFileLostMidRunStopsTheRunBeforeTheOperatorIsTold)
{
    // The journal of the next write cannot be made beside the file.
    std::unique_ptr<testsupport::WriteProtection> folder;
    runAndBreak([&] {
        folder = std::make_unique<testsupport::WriteProtection>(station.dataFolder());
        if (!folder->active())
            GTEST_SKIP() << "cannot make the data folder unwritable here: " << folder->why().toStdString();
    });
    if (IsSkipped() || HasFatalFailure())
        return;
    folder.reset();
    expectStoppedBeforeTheBox(*resultsFile()(), "unable to open database file");
    expectTheCancelWrittenOnceTheDatabaseIsBack(resultsFile());
}

// The results file on a small disk of its own, which another program fills
// up during the run and frees again later.
TEST_F(DatabaseLoss, AFullDiskUnderTheResultsFileStopsTheRunAndTheCancelIsWrittenOnceThereIsRoom)
{
    ZAMO_MOUNT_HERE_OR_IN_OWN_NAMESPACE();
    const QString disk = station.home()->path() + "/results";
    ASSERT_TRUE(QDir().mkpath(disk));
    testsupport::TinyFileSystem small(disk, 8 << 20);
    if (!small.mounted())
        GTEST_SKIP() << "no small disk for the results file: " << small.whyNot().toStdString();
    station.setSetting("Database", "LocalDatabaseFolder", disk);
    runAndBreak([&] { small.fill(); });
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(station.stationSettings().paths.databaseFile.startsWith(disk));
    expectStoppedBeforeTheBox(*resultsFile()(), "database or disk is full");
    small.unfill();
    expectTheCancelWrittenOnceTheDatabaseIsBack(resultsFile());
}

// A server of the test's own, stopped while the step measures and started
// again twelve seconds later.
TEST_F(DatabaseLoss, AServerStoppedMidRunStopsTheRunAndTheCancelIsWrittenOnceItIsBack)
{
    testsupport::PausablePgServer server(ZAMO_SOURCE_DIR "/scripts/pg-test-server.sh");
    ZAMO_REQUIRE_STARTED_PG_SERVER(server);
    const platform::DbServerAddress address = server.newDatabase("zamo_station");
    testsupport::pointStationAtServer(station.dataFolder(), address);
    const Opener open = [&] {
        auto db = std::make_unique<platform::DbConnection>();
        db->openServer(address);
        return db;
    };
    QElapsedTimer away;
    runAndBreak([&] {
        ASSERT_TRUE(server.pause()) << server.why().toStdString();
        away.start();
    });
    if (HasFatalFailure())
        return;
    // Tried in vain while the server is away.
    EXPECT_TRUE(station.logText().contains("Test Group ID = 1 cancel waiting: "));
    station.waitUntil([] { return false; }, std::max<qint64>(0, 12000 - away.elapsed()));
    EXPECT_TRUE(QFile::exists(station.stationSettings().paths.openGroupsFile));
    ASSERT_TRUE(server.resume()) << server.why().toStdString();
    expectStoppedBeforeTheBox(*open(), ""); // in the client library's words, which vary
    expectTheCancelWrittenOnceTheDatabaseIsBack(open);
}
