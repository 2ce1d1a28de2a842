// The results database failing under a running station: another program
// locking it past the busy wait, the database going away mid-run (the file's
// folder made unwritable, the server refusing the station), and databases
// that the station refuses at start-up. The standard list runs on a
// simulated two-channel base unit, through the station's own start-up,
// result handlers and recording; the operator log and the database must
// agree reading by reading.

#include "StationBackendFixture.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "support/PausablePgServer.h"
#include "support/StoredRunChecks.h"
#include "support/WriteProtection.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::vector<std::string> texts(const QStringList& list)
{
    std::vector<std::string> texts;
    for (const QString& s : list)
        texts.push_back(s.toStdString());
    return texts;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList logLines(const QString& text)
{
    return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// What the operator log says was stored, one entry per value: "M A1 20 1.250"
// (electrode, time interval as stored, value) and "R A1 PASS".
QStringList loggedRecords(const QString& log)
{
    static const QRegularExpression measurement(
        "^(R[12] )?Measurement recorded for (\\w\\d+) at (.+?)(s| \\(h:m\\)) interval: (\\S+)$");
    static const QRegularExpression result("^Final result recorded for (\\w\\d+): (.+)$");
    static const std::map<QString, QString> codes{
        {"Passed", "PASS"}, {"Failed", "FAIL"}, {"Marginal Pass", "PASS?"}, {"Passed with Expired Channel", "PASS*"}};
    QStringList records;
    for (const QString& line : logLines(log)) {
        if (const auto m = measurement.match(line); m.hasMatch()) {
            const QString pair = m.captured(1).trimmed();
            records << "M " + m.captured(2) + " " + m.captured(3) + (pair.isEmpty() ? "" : "_" + pair) + " "
                           + m.captured(5);
        } else if (const auto r = result.match(line); r.hasMatch()) {
            const auto code = codes.find(r.captured(2));
            records << "R " + r.captured(1) + " " + (code == codes.end() ? r.captured(2) : code->second);
        }
    }
    records.sort();
    return records;
}

// The same entries from what the database holds.
QStringList storedRecords(platform::DbConnection& db)
{
    QStringList records;
    for (auto rows = db.execute("SELECT u.UnitNumber, m.* FROM TestMeasurements m "
                                "JOIN TestUnit u ON u.TestUnitID = m.TestUnitID");
         !rows.eof(); rows.moveNext())
        for (char l = 'A'; l <= 'P'; ++l) {
            const QVariant v = rows.value(QString(QChar(l)) + "_Value");
            if (!v.isNull())
                records << QString("M %1%2 %3 %4")
                               .arg(QChar(l))
                               .arg(rows.value("UnitNumber").toInt())
                               .arg(rows.value("TimeInterval").toString())
                               .arg(v.toDouble(), 0, 'f', 3);
        }
    for (auto rows =
             db.execute("SELECT u.UnitNumber, r.* FROM TestResults r JOIN TestUnit u ON u.TestUnitID = r.TestUnitID");
         !rows.eof(); rows.moveNext())
        for (char l = 'A'; l <= 'P'; ++l) {
            const QVariant v = rows.value(QString(QChar(l)) + "_Result");
            if (!v.isNull())
                records << QString("R %1%2 %3").arg(QChar(l)).arg(rows.value("UnitNumber").toInt()).arg(v.toString());
        }
    records.sort();
    return records;
}

class StationDatabaseFailure : public StationOnBackend {
protected:
    // Starts the standard list, runs it until the operator log shows the
    // line given, then breaks the database and runs until the run has ended.
    void runAndBreak(const QString& after, const std::function<void()>& breakDatabase)
    {
        ASSERT_TRUE(station.start());
        ui::TestWindow& form = station.testWindow();
        station.connectSimulatedUnit(1, 2);
        ASSERT_TRUE(
            station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000));
        testsupport::StationHarness::startNextRunWithLot("Lot 9");
        form.testListPanel().standardSequenceButton()->click();
        ASSERT_TRUE(form.testRunning());
        ASSERT_TRUE(
            station.runUntil([&] { return station.windows().commBuffer().contains(after); }, 10 * 60 * 1000, 250));
        breakDatabase();
        ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 30 * 60 * 1000, 250));
    }

    // The operator lines from the first failure to the end of the run: only
    // failure lines, one per lost record, with the reason of the cancel
    // after the first failed write, then the whole count of lost records (a
    // cancel that waits is not lost) and the cancel. Returns the failures.
    QStringList failureLines()
    {
        const QStringList lines = logLines(station.windows().commBuffer());
        const auto first = std::find_if(lines.begin(), lines.end(),
                                        [](const QString& l) { return l.startsWith("* Unable to record "); });
        const auto cancelled = std::find(first, lines.end(), QStringLiteral("* Tests Cancelled"));
        EXPECT_NE(first, lines.end()) << station.windows().commBuffer().right(3000).toStdString();
        EXPECT_NE(cancelled, lines.end()) << station.windows().commBuffer().right(3000).toStdString();
        QStringList failures(first, cancelled);
        const QString all = failures.join("\n");
        EXPECT_EQ(failures.removeAll("* Database connection has been interrupted.  Aborting test."), 1)
            << all.toStdString();
        const QString count = failures.isEmpty() ? QString() : failures.takeLast();
        for (const QString& line : failures)
            EXPECT_THAT(line.toStdString(), StartsWith("* Unable to record ")) << all.toStdString();
        EXPECT_EQ(count, testsupport::lostCountLine(testsupport::lostRecordLines(failures))) << all.toStdString();
        return failures;
    }

    // runAndBreak with another program's lock on the results, past a short
    // busy wait; the lock is held until the connection returned rolls back.
    std::unique_ptr<platform::DbConnection> runAndLockOut(const QString& after)
    {
        station.station().database.setBusyWaitMilliseconds(300);
        std::unique_ptr<platform::DbConnection> other;
        runAndBreak(after, [&] {
            other = openResults(false);
            other->transaction();
            other->execute(local() ? "UPDATE Globals SET LastUniqueGroupID = LastUniqueGroupID"
                                   : "LOCK TABLE TestGroups, Tests, TestUnit, TestMeasurements, TestResults, "
                                     "UnitMasterDiagnostics IN EXCLUSIVE MODE");
        });
        return other;
    }
    QString lockCause() const { return local() ? "database is locked" : "canceling statement due to lock timeout"; }
    static QString waitingCancelLine(const QString& cause)
    {
        return "* Unable to record the cancelled test group: " + cause
               + " - the cancel waits and is written as soon as the database can take it";
    }

    // The one box of the failure, and the operator log and the database
    // agreeing on every stored value.
    void expectOneBoxAndAnHonestLog(platform::DbConnection& db, const QString& cause)
    {
        EXPECT_THAT(texts(station.prompts().messages()),
                    ElementsAre(StartsWith("Database connection has been interrupted.  Aborting test.\r\n\r\n"
                                           "Unable to record ")));
        EXPECT_THAT(station.prompts().messages().value(0).toStdString(), HasSubstr(cause.toStdString()));
        EXPECT_FALSE(station.windows().commBuffer().contains("* Tests Completed"));
        const QStringList stored = storedRecords(db);
        EXPECT_FALSE(stored.isEmpty());
        EXPECT_EQ(stored, loggedRecords(station.windows().commBuffer()));
        EXPECT_EQ(db.execute("SELECT Completed FROM TestGroups").getString(), "False\r");
    }

    // The cancel that the database could not take waits in the note of open
    // groups; once the database is back the retry writes it, and the note goes.
    void expectTheWaitingCancelWritten(platform::DbConnection& db)
    {
        const QString note = station.stationSettings().paths.openGroupsFile;
        EXPECT_TRUE(QFile::exists(note));
        const auto cancelled = [&] { return db.execute("SELECT Cancelled FROM TestGroups").getString() == "True\r"; };
        EXPECT_TRUE(station.runUntil(cancelled, 3 * results::CancelRetryMilliseconds, 500));
        EXPECT_FALSE(QFile::exists(note));
        EXPECT_THAT(station.logText().toStdString(), HasSubstr("The waiting cancel of test group "));
    }
};

// Another program holds a write lock past the busy wait: the reading that
// waits for it fails with its verdict, the operator sees one box and the run
// stops; no verdict is stored without its value.
TEST_P(StationDatabaseFailure, ALockPastTheBusyWaitStopsTheRunWithOneBoxAndNoVerdictWithoutItsValue)
{
    const std::unique_ptr<platform::DbConnection> other = runAndLockOut("Final result recorded for A1");
    if (HasFatalFailure())
        return;
    // A1 is stored with its verdict; B1's final reading comes next.
    const QString cause = lockCause();
    EXPECT_EQ(failureLines(), QStringList({"* Unable to record the measurement of B1: " + cause,
                                           "* Unable to record the result of B1: " + cause, waitingCancelLine(cause)}));
    other->rollback();
    expectOneBoxAndAnHonestLog(*openResults(), cause);
    expectTheWaitingCancelWritten(*openResults());
}

// The database locked once the run's last verdict is stored: its completion
// is the one record lost, and the run ends as a cancel, never completed; the
// cancel waits until the lock is gone.
TEST_P(StationDatabaseFailure, ACompletionThatCannotBeStoredEndsTheRunAsACancel)
{
    station.writeDataFile("standard.tsq", "1.0\nACZ,A1-P2,1\n");
    const std::unique_ptr<platform::DbConnection> other = runAndLockOut("Final result recorded for B1");
    if (HasFatalFailure())
        return;
    const QString cause = lockCause();
    EXPECT_EQ(failureLines(),
              QStringList({"* Unable to record the completion of the test group: " + cause, waitingCancelLine(cause)}));
    EXPECT_TRUE(station.windows().commBuffer().contains("* 1 record of this run could not be stored\r\n"));
    other->rollback();
    expectOneBoxAndAnHonestLog(*openResults(), cause);
    expectTheWaitingCancelWritten(*openResults());
}

// The database goes away mid-run: the folder of the file can no longer be
// written (no journal can be made), or the server drops the station and
// refuses it. Every record lost from then on is told, and nothing is said
// to be recorded that is not in the database.
TEST_P(StationDatabaseFailure, ADatabaseGoneMidRunIsToldRecordByRecordAndStopsTheRun)
{
    std::unique_ptr<testsupport::WriteProtection> folder;
    std::unique_ptr<platform::DbConnection> admin;
    runAndBreak("Measurement recorded for B1", [&] {
        if (local()) {
            folder = std::make_unique<testsupport::WriteProtection>(station.dataFolder());
            return;
        }
        platform::DbServerAddress address = server->address();
        address.database = "postgres";
        admin = std::make_unique<platform::DbConnection>();
        admin->openServer(address);
        admin->execute("ALTER DATABASE " + server->name() + " ALLOW_CONNECTIONS false");
        admin->execute("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" + server->name()
                       + "'");
    });
    if (HasFatalFailure())
        return;
    if (folder && !folder->active())
        GTEST_SKIP() << "cannot make the data folder unwritable here: " << folder->why().toStdString();
    // The next record after B1's first reading is A1's next one; then the
    // cancel cannot be stored either, the database refusing the station.
    const QString cause =
        local() ? "unable to open database file" : "terminating connection due to administrator command";
    const QString refusal = local() ? "Cannot open database \"" + station.stationSettings().paths.databaseFile
                                          + "\": its folder \"" + station.dataFolder() + "\" cannot be written ("
                                    : "Cannot connect to database \"" + server->name() + "\" on server ";
    const QStringList failures = failureLines();
    ASSERT_EQ(failures.size(), 2) << failures.join("\n").toStdString();
    EXPECT_EQ(failures[0], "* Unable to record the measurement of A1: " + cause);
    EXPECT_THAT(failures[1].toStdString(),
                StartsWith(("* Unable to record the cancelled test group: " + refusal).toStdString()));
    folder.reset();
    if (admin)
        admin->execute("ALTER DATABASE " + server->name() + " ALLOW_CONNECTIONS true");
    expectOneBoxAndAnHonestLog(*openResults(), cause);
    expectTheWaitingCancelWritten(*openResults());
}

// The server stopped mid-run and started again later: the run stops, its
// cancel waits while the server is away and is written once it is back.
TEST_P(StationDatabaseFailure, TheCancelOfARunWhoseServerStoppedWaitsAndIsWrittenOnceTheServerIsBack)
{
    if (local())
        GTEST_SKIP() << "a server of the test's own is stopped and started";
    testsupport::PausablePgServer own(ZAMO_SOURCE_DIR "/scripts/pg-test-server.sh");
    ZAMO_REQUIRE_STARTED_PG_SERVER(own);
    pointSettingsAt(own.newDatabase("zamo_station"));
    runAndBreak("Measurement recorded for B1", [&] { ASSERT_TRUE(own.pause()) << own.why().toStdString(); });
    if (HasFatalFailure())
        return;
    const QString note = station.stationSettings().paths.openGroupsFile;
    EXPECT_TRUE(station.windows().commBuffer().contains("* Tests Cancelled"));
    EXPECT_THAT(station.logText().toStdString(), HasSubstr("Test Group ID = 1 cancel waiting: "));
    station.advance(2 * results::CancelRetryMilliseconds); // tried in vain
    EXPECT_TRUE(QFile::exists(note));
    EXPECT_EQ(station.prompts().messages().size(), 1);

    ASSERT_TRUE(own.resume()) << own.why().toStdString();
    platform::DbConnection db;
    const auto cancelled = [&] {
        if (!db.isOpen())
            db.openServer(own.address("zamo_station"));
        return db.execute("SELECT Cancelled FROM TestGroups WHERE GroupID = 1").value(0).toBool();
    };
    EXPECT_TRUE(station.runUntil(cancelled, 3 * results::CancelRetryMilliseconds, 500));
    EXPECT_FALSE(QFile::exists(note));
    EXPECT_THAT(station.logText().toStdString(), HasSubstr("The waiting cancel of test group 1 is written"));
    EXPECT_EQ(db.execute("SELECT Completed FROM TestGroups").value(0).toBool(), false);
}

INSTANTIATE_STATION_ON_BOTH_BACKENDS(StationDatabaseFailure);

// The file alone holds every finished run, while a report window keeps its
// own connection to it; a side file beside it that cannot be written
// changes nothing.
TEST(StationDatabaseFile, ACopyOfTheFileAloneHoldsTheLastRunWithAReportWindowOpen)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.start());
    ui::TestWindow& form = station.testWindow();
    station.connectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000));
    const auto run = [&](const QString& lot) {
        testsupport::StationHarness::startNextRunWithLot(lot);
        form.testListPanel().standardSequenceButton()->click();
        ASSERT_TRUE(form.testRunning());
        ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 30 * 60 * 1000, 250));
    };
    run("Lot 1");
    const auto reportWindows = [] {
        int open = 0;
        for (QWidget* w : QApplication::allWidgets())
            open += w->inherits("ui::TestReportWindow") && w->isVisible() ? 1 : 0;
        return open;
    };
    ASSERT_EQ(reportWindows(), 1) << "the run's report is shown at its end";

    const QString file = station.stationSettings().paths.databaseFile;
    {
        QFile shm(file + "-shm");
        ASSERT_TRUE(shm.open(QIODevice::WriteOnly));
        shm.write(QByteArray(32768, '\xff'));
    }
    testsupport::WriteProtection sideFile(file + "-shm");
    run("Lot 2");
    EXPECT_TRUE(station.windows().commBuffer().contains("* Tests Completed"));
    EXPECT_GE(reportWindows(), 1);

    const QString copy = station.dataFolder() + "/../backup.mdb";
    ASSERT_TRUE(QFile::copy(file, copy));
    platform::DbConnection live;
    live.openFile(file, true);
    platform::DbConnection backup;
    backup.openFile(copy, true);
    const char* const queries[] = {
        "SELECT LotNumber, Completed, Cancelled, UniqueGroupID FROM TestGroups ORDER BY GroupID",
        "SELECT COUNT(*) FROM Tests",
        "SELECT COUNT(*) FROM TestUnit",
        "SELECT * FROM TestMeasurements ORDER BY MeasurementID",
        "SELECT * FROM TestResults ORDER BY ResultID",
        "SELECT COUNT(*) FROM UnitElectrodes",
    };
    for (const char* sql : queries)
        EXPECT_EQ(backup.execute(sql).getString("|", "\n"), live.execute(sql).getString("|", "\n")) << sql;
    EXPECT_EQ(backup.execute(queries[0]).getString("|", "\n"), "Lot 1|True|False|1\nLot 2|True|False|2\n");
    EXPECT_FALSE(QFile::exists(file + "-wal"));
}

// A database file that the station cannot read is kept in the archive folder
// and replaced at start-up; one that it can neither use nor replace ends the
// start. Either way the first box says why.
TEST(StationDatabaseRefusal, AnUnusableDatabaseFileIsRefusedAtStartWithItsCause)
{
    const QString endText = "Unable to access database file.  Possible corruption, folder access, or permissions "
                            "issue.\r\n\r\nClick OK to terminate the application and check the database file:\r\n   ";
    struct Case {
        const char* name;
        std::function<void(const QString& file)> make;
        bool readOnly;
        const char* cause;
        bool replaced; // else the start ends
    };
    const Case cases[] = {
        {"Jet file",
         [](const QString& file) {
             QFile f(file);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray("\0\x01\0\0Standard Jet DB\0", 20) + QByteArray(200, '\0'));
         },
         false, "it is a Jet database file, which must be converted before use", true},
        {"folder", [](const QString& file) { ASSERT_TRUE(QDir().mkpath(file)); }, false,
         "it is a folder, not a database file", false},
        {"read-only file", [](const QString& file) { ASSERT_FALSE(results::buildEmptyDatabase(file).isEmpty()); }, true,
         "the file is read-only (", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::StationHarness station;
        QDir().mkpath(station.dataFolder());
        const QString file = station.dataFolder() + "/ZAMO_Results.mdb";
        c.make(file);
        const QByteArray original = QFileInfo(file).isFile() ? readFile(file) : QByteArray();
        std::unique_ptr<testsupport::WriteProtection> protection;
        if (c.readOnly) {
            protection = std::make_unique<testsupport::WriteProtection>(file);
            if (!protection->active())
                GTEST_SKIP() << "cannot make the file read-only here: " << protection->why().toStdString();
        }
        EXPECT_EQ(station.start(), c.replaced);
        const std::string cause = ("Unable to connect to database.  Please check database connection "
                                   "settings.\r\n\r\nCannot open database \""
                                   + file + "\": " + c.cause)
                                      .toStdString();
        if (c.replaced) {
            const QStringList kept = QDir(station.dataFolder() + "/Archive").entryList(QDir::Files);
            ASSERT_EQ(kept.size(), 1);
            EXPECT_EQ(readFile(station.dataFolder() + "/Archive/" + kept[0]), original);
            EXPECT_THAT(texts(station.prompts().messages()),
                        ElementsAre(StartsWith(cause), StartsWith("The database file could not be used (it cannot "
                                                                  "be read as a results database)")));
        } else {
            EXPECT_THAT(texts(station.prompts().messages()),
                        ElementsAre(StartsWith(cause), (endText + file).toStdString()));
            EXPECT_TRUE(QFileInfo::exists(file)) << "nothing is deleted";
        }
    }
}

} // namespace
