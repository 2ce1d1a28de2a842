// A shift on the station in virtual time: runs of one ACZ step on two
// simulated two-channel units, one after the other, with on the way a unit
// lost mid-run for good (the operator answers before it is back, and
// connects it again from the menu), the results file locked by another
// program past the busy wait mid-run and freed a minute later, and the
// station ended mid-run (as by a power cut) and started again. Afterwards
// the results file holds one group for every run started, each completed or
// cancelled, cancelled exactly where a fault struck; every completed group
// holds both units' verdicts, and no verdict is stored without its reading.

#include "platform/FakeD2xx.h"
#include "support/QtPrinters.h"
#include "support/StationHarness.h"
#include "support/StoredRunChecks.h"

#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

enum class Fault { UnitLost, DatabaseLocked, StationEnded };

// The shift's data folder on a memory file system where there is one, so
// that its run time is the station's own and not that of the disk's syncs.
class TempFolderInMemory {
public:
    TempFolderInMemory() : m_previous(qgetenv("TMPDIR")), m_had(qEnvironmentVariableIsSet("TMPDIR"))
    {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    ~TempFolderInMemory()
    {
        if (m_had)
            qputenv("TMPDIR", m_previous);
        else
            qunsetenv("TMPDIR");
    }
    TempFolderInMemory(const TempFolderInMemory&) = delete;
    TempFolderInMemory& operator=(const TempFolderInMemory&) = delete;

private:
    QByteArray m_previous;
    bool m_had;
};

class Shift : public ::testing::Test {
protected:
    ui::TestWindow& form() { return station->testWindow(); }
    QString file() const { return station->stationSettings().paths.databaseFile; }
    bool running() { return form().testRunning(); }
    // Both units show their channels and the run button is offered.
    bool unitsReady()
    {
        return form().testListPanel().runButton()->isEnabled() && station->unitStatus(1).endsWith("; A1-B1")
               && station->unitStatus(2).endsWith("; A2-B2");
    }

    // Starts the station (again) with both units and the one-step list.
    void startStation()
    {
        ASSERT_TRUE(station->start());
        station->connectSimulatedUnit(1, 2);
        station->connectSimulatedUnit(2, 2);
        ASSERT_TRUE(station->runUntil([&] { return unitsReady(); }, 20000, 250));
        useList();
    }
    void useList() { station->useTestList("A1-P2", {"ACZ,A1-P2,1"}); }

    // The operator's last message, told once the run had stopped.
    ::testing::AssertionResult lastMessageStartsWith(const QString& text)
    {
        const QStringList messages = station->prompts().messages();
        if (!messages.isEmpty() && messages.last().startsWith(text))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "messages: " << messages.join(" | ").toStdString();
    }

    void startRun(int run)
    {
        testsupport::StationHarness::startNextRunWithLot(QString("Shift %1").arg(run));
        form().testListPanel().runButton()->click();
        ASSERT_TRUE(running()) << "run " << run;
    }
    // Runs the station until the run has ended.
    void finishRun(int run)
    {
        ASSERT_TRUE(station->runUntil([&] { return !running(); }, 10 * 60 * 1000, 250)) << "run " << run;
    }
    // The run measures: two seconds into its step.
    void untilMidStep()
    {
        const run::RunState& state = form().state();
        const run::MeasurementSchedule& schedule = form().sequencer().schedule();
        ASSERT_TRUE(station->runUntil(
            [&] {
                return state.activeTest && !state.activeTest->isTestIterationComplete()
                       && schedule.elapsedSeconds() >= 2;
            },
            60000, 250));
    }

    void loseUnit2()
    {
        untilMidStep();
        unit::UnitLink& link = station->link(2);
        link.disconnectDevice();
        emit link.usbError(2, QStringLiteral("FT_GetQueueStatus - General IO Error"));
    }
    void connectUnit2Again()
    {
        station->connectSimulatedUnit(2, 2);
        ASSERT_TRUE(station->runUntil([&] { return unitsReady(); }, 20000, 250));
        useList();
    }

    void lockDatabase()
    {
        untilMidStep();
        station->station().database.setBusyWaitMilliseconds(300);
        other = std::make_unique<platform::DbConnection>();
        other->openFile(file(), false);
        other->transaction();
        other->execute("UPDATE Globals SET LastUniqueGroupID = LastUniqueGroupID");
    }
    void freeDatabase(qint32 group)
    {
        station->advance(60000); // the waiting cancel is tried in vain meanwhile
        other->rollback();
        other.reset();
        station->station().database.setBusyWaitMilliseconds(platform::DbConnection::DefaultBusyWaitMilliseconds);
        const auto cancelled = [&] {
            platform::DbConnection db;
            db.openFile(file(), true);
            return db.execute("SELECT Cancelled FROM TestGroups WHERE GroupID = " + QString::number(group))
                .value(0)
                .toBool();
        };
        EXPECT_TRUE(station->runUntil(cancelled, 3 * results::CancelRetryMilliseconds, 500));
    }

    // The station ends mid-run without cancelling it, and is started again.
    void endAndStartAgain(qint32 group)
    {
        untilMidStep();
        const QDateTime now = platform::Clock::now();
        const std::shared_ptr<testsupport::TempDataHome> home = station->home();
        station.reset();
        station = std::make_unique<testsupport::StationHarness>(home, now.addSecs(120));
        startStation();
        EXPECT_EQ(
            station->prompts().messages(),
            QStringList{
                QString("The station was ended during the run of test group %1.  It is marked cancelled.").arg(group)});
    }

    TempFolderInMemory inMemory;
    platform::ScopedFakeD2xx noConverters; // "OK" finds no unit on USB
    std::unique_ptr<testsupport::StationHarness> station = std::make_unique<testsupport::StationHarness>();
    std::unique_ptr<platform::DbConnection> other;
};

} // namespace

TEST_F(Shift, RunsWithAUnitLossADatabaseOutageAndARestartLeaveATrueRecordOfEveryRun)
{
    constexpr int Runs = 200;
    const std::map<int, Fault> faults{{60, Fault::UnitLost}, {110, Fault::DatabaseLocked}, {160, Fault::StationEnded}};
    station->setSetting("Reports", "DisplayEnabled", "0"); // no report window after each run
    startStation();
    if (HasFatalFailure())
        return;

    int started = 0;
    QString expectedEnds;
    for (int run = 1; run <= Runs; ++run) {
        SCOPED_TRACE(run);
        startRun(run);
        if (HasFatalFailure())
            return;
        ++started;
        const auto fault = faults.find(run);
        const qint32 group = form().services().recorder->groupId();
        if (fault == faults.end()) {
            finishRun(run);
        } else if (fault->second == Fault::UnitLost) {
            loseUnit2();
            finishRun(run);
            EXPECT_TRUE(lastMessageStartsWith("Connection to Unit #2 has been lost.  Aborting test."));
            connectUnit2Again();
        } else if (fault->second == Fault::DatabaseLocked) {
            lockDatabase();
            finishRun(run);
            EXPECT_TRUE(lastMessageStartsWith("Database connection has been interrupted.  Aborting test."));
            freeDatabase(group);
        } else {
            endAndStartAgain(group);
        }
        if (HasFatalFailure())
            return;
        expectedEnds += QString("%1|%2\n").arg(group).arg(fault == faults.end() ? "True|False" : "False|True");
    }

    EXPECT_EQ(started, Runs);
    EXPECT_EQ(station->storedGroups(), started);
    EXPECT_EQ(testsupport::groupEnds(file()), expectedEnds);
    EXPECT_EQ(testsupport::untrueRecords(file()), "");
    platform::DbConnection db;
    db.openFile(file(), true);
    // Both units' verdicts (one row of each test unit) in every completed group.
    EXPECT_EQ(
        db.execute("SELECT g.GroupID, COUNT(r.ResultID) FROM TestGroups g JOIN Tests t ON t.GroupID = g.GroupID "
                   "JOIN TestUnit u ON u.TestID = t.TestID LEFT JOIN TestResults r ON r.TestUnitID = u.TestUnitID "
                   "WHERE g.Completed <> 0 GROUP BY g.GroupID HAVING COUNT(r.ResultID) <> 2")
            .getString("|", "\n"),
        "");
    EXPECT_FALSE(QFile::exists(station->stationSettings().paths.openGroupsFile));
}
