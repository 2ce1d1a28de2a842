// The station ended from outside during a run, as the program runs: a
// shutdown or logout (SIGTERM, SIGHUP) or Ctrl-C (SIGINT) cancels the run and
// ends the program as File, Exit does; a kill -9 leaves the run's group
// open, and the next start cancels it and tells the operator once. The
// station here is the program's own start-up in a process of its own
// (realpath_station), on a unit on a pseudo-terminal.

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"
#include "support/StoredRunChecks.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gmock/gmock.h>

#include <csignal>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

struct GroupEnd {
    bool completed = false;
    bool cancelled = false;
    bool operator==(const GroupEnd&) const = default;
};

void PrintTo(const GroupEnd& end, std::ostream* os)
{
    *os << "{completed " << end.completed << ", cancelled " << end.cancelled << "}";
}

class EndedMidRun : public RealPath {
protected:
    void SetUp() override
    {
        RealPath::SetUp();
        if (IsSkipped())
            return;
        oneStepStandardList();
        station.writeDataFile("standard80.tsq", "2.0\nACZ,A1-P2,1\n");
        Unit unit;
        unit.model = model();
        unit.aczSeconds = 600; // the run is in its step whenever it is ended
        ASSERT_TRUE(units.addUnit(0, unit));
    }
    virtual Model model() const { return Model::Base; }

    QString folder() const { return station.dataFolder(); }
    QString note() const { return folder() + "/OpenTestGroups.txt"; }

    // Starts the station in a process of its own, in the mode given
    // (realpath_station: run, idle, exit), and waits for its first line
    // when it has one to give.
    void start(QProcess& process, const QString& mode)
    {
        process.setProgram(QStringLiteral(ZAMO_REALPATH_STATION));
        process.setArguments({mode});
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        ASSERT_TRUE(process.waitForStarted());
        if (mode != "exit") {
            ASSERT_TRUE(process.waitForReadyRead(60000)) << "the station gave no sign of " << mode.toStdString();
        }
    }
    // The group of the run that `run` started.
    static qint32 runningGroup(QProcess& process)
    {
        const QRegularExpressionMatch m = QRegularExpression("^RUNNING (\\d+)$", QRegularExpression::MultilineOption)
                                              .match(QString::fromLocal8Bit(process.readAllStandardOutput()));
        EXPECT_TRUE(m.hasMatch());
        return m.captured(1).toInt();
    }
    // The station started in `exit` mode: what it told the operator.
    QStringList startAndExit()
    {
        QProcess process;
        start(process, "exit");
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        QStringList prompts;
        for (const QString& line : QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n'))
            if (line.startsWith("PROMPT "))
                prompts << line.mid(7);
        return prompts;
    }

    std::unique_ptr<platform::DbConnection> database(bool readOnly = true) const
    {
        auto db = std::make_unique<platform::DbConnection>();
        db->openFile(folder() + "/ZAMO_Results.mdb", readOnly);
        return db;
    }
    GroupEnd end(qint32 groupID) const
    {
        platform::DbRecordset row = database()->execute("SELECT Completed, Cancelled FROM TestGroups WHERE GroupID = "
                                                        + QString::number(groupID));
        EXPECT_FALSE(row.eof()) << "no group " << groupID;
        return row.eof() ? GroupEnd{} : GroupEnd{row.value(0).toBool(), row.value(1).toBool()};
    }
    qint32 number(qint32 groupID) const
    {
        return database()
            ->execute("SELECT UniqueGroupID FROM TestGroups WHERE GroupID = " + QString::number(groupID))
            .value(0)
            .toInt();
    }
    // A run started in a process of its own and ended by the signal: its
    // group, 0 when it did not start.
    qint32 runEndedBy(int number)
    {
        QProcess process;
        start(process, "run");
        if (HasFatalFailure())
            return 0;
        const qint32 group = runningGroup(process);
        ::kill(pid_t(process.processId()), number);
        EXPECT_TRUE(process.waitForFinished(30000));
        if (number == SIGKILL) {
            EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
        } else {
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process.exitCode(), 0);
        }
        return group;
    }
    QString condensed() const { return testsupport::condensedGroups(folder() + "/ZAMO_Results.mdb"); }
    // Every log file of the data folder, oldest first.
    std::string logs() const { return stationLogFiles(folder()).toStdString(); }
};

class EndedMidZamo80Run : public EndedMidRun {
protected:
    Model model() const override { return Model::Zamo80; }
};

} // namespace

// Each signal ends the station with exit code 0, as File, Exit does; during
// a run its group is cancelled in the database and the log says why.
TEST_F(EndedMidRun, ASignalCancelsTheRunAndEndsTheStationAsFileExitDoes)
{
    struct Case {
        int number;
        const char* name;
        bool running;
    };
    for (const Case& c :
         {Case{SIGTERM, "SIGTERM", true}, Case{SIGINT, "SIGINT", true}, Case{SIGHUP, "SIGHUP", false}}) {
        SCOPED_TRACE(c.name);
        QProcess process;
        start(process, c.running ? "run" : "idle");
        if (HasFatalFailure())
            return;
        const qint32 group = c.running ? runningGroup(process) : 0;
        if (c.running) {
            ASSERT_TRUE(QFile::exists(note()));
        }
        ::kill(pid_t(process.processId()), c.number);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        const std::string log = logs();
        if (c.running) {
            EXPECT_EQ(end(group), (GroupEnd{false, true}));
            EXPECT_THAT(
                log, HasSubstr(std::string("* Received ") + c.name + ": the station is ended; the run is cancelled"));
            EXPECT_THAT(log, HasSubstr("Test Group ID = " + std::to_string(group) + " cancelled"));
        } else {
            EXPECT_THAT(log, HasSubstr(std::string("Received ") + c.name + ": the station is ended\r\n"));
        }
        EXPECT_FALSE(QFile::exists(note()));
        EXPECT_THAT(log.substr(log.rfind("Received")), HasSubstr("Application Terminated"));
    }
    EXPECT_THAT(logs(), Not(HasSubstr("* Tests Completed")));
}

// kill -9 mid-run: the group stays open, noted in the data folder. The next
// start cancels it, logs it and tells the operator once, by its number; a
// group that another station holds open in the same database is left alone.
TEST_F(EndedMidRun, AGroupLeftOpenByAKillIsCancelledAtTheNextStartAndTheOperatorToldOnce)
{
    const qint32 group = runEndedBy(SIGKILL);
    ASSERT_NE(group, 0);
    EXPECT_EQ(end(group), (GroupEnd{false, false}));
    ASSERT_TRUE(QFile::exists(note()));

    // Another station's run, open in the same database: not in this station's note.
    database(false)->execute("INSERT INTO TestGroups (UniqueGroupID, ComputerName) VALUES (9001, 'BENCH-2')");
    const qint32 others =
        database()->execute("SELECT GroupID FROM TestGroups WHERE UniqueGroupID = 9001").value(0).toInt();

    const QString told =
        QString("The station was ended during the run of test group %1.  It is marked cancelled.").arg(number(group));
    EXPECT_EQ(startAndExit(), QStringList{told});
    EXPECT_EQ(end(group), (GroupEnd{false, true}));
    EXPECT_EQ(end(others), (GroupEnd{false, false}));
    EXPECT_FALSE(QFile::exists(note()));
    const std::string id = "Test Group ID = " + std::to_string(group);
    EXPECT_THAT(logs(), HasSubstr(id + " (group " + std::to_string(number(group))
                                  + ") was left open: the station ended during its run."));
    EXPECT_THAT(logs(), HasSubstr(id + " cancelled"));

    EXPECT_EQ(startAndExit(), QStringList()); // told once
    EXPECT_EQ(end(others), (GroupEnd{false, false}));
}

// A ZAMO80 run gets its condensed group, linked both ways, however it ends:
// cancelled by a signal, or left open by a kill and cancelled at the next
// start.
TEST_F(EndedMidZamo80Run, ARunEndedBySignalOrCancelledAfterAKillGetsItsCondensedGroup)
{
    const qint32 first = runEndedBy(SIGTERM);
    ASSERT_NE(first, 0);
    EXPECT_EQ(end(first), (GroupEnd{false, true}));
    EXPECT_EQ(condensed(), QString("%1|%2\n").arg(first).arg(first + 1));

    const qint32 second = runEndedBy(SIGKILL);
    ASSERT_NE(second, 0);
    EXPECT_EQ(condensed(), QString("%1|%2\n").arg(first).arg(first + 1));
    EXPECT_EQ(startAndExit().size(), 1);
    EXPECT_EQ(end(second), (GroupEnd{false, true}));
    EXPECT_EQ(condensed(), QString("%1|%2\n%3|%4\n").arg(first).arg(first + 1).arg(second).arg(second + 1));
    EXPECT_THAT(logs(), Not(HasSubstr("Unable to build the condensed ZAMO80 group")));
}
