// The note of the station's open test groups: a group is noted from its
// creation until its database holds its end; a cancel that the database
// cannot take waits in the note and is written once the database is back;
// at start the groups that this station left open are cancelled, and only
// those.

#include "platform/Clock.h"
#include "platform/OleDate.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "support/InstalledLog.h"
#include "support/PausablePgServer.h"
#include "support/ServerDatabaseSettings.h"
#include "support/TempDataHome.h"
#include "support/WriterFixture.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;

qint32 newGroup(results::ResultsDatabase& database, results::TestGroupEnd& groupEnds,
                const config::StationSettings& settings)
{
    return results::createTestGroup(database, groupEnds.openGroupNote(), QDateTime(QDate(2026, 3, 2), QTime(9, 15)),
                                    platform::OleDate().toDateTime(), results::currentStandardLimits(settings.limits),
                                    "L1", "n", {}, {}, "operator", "BENCH-1", {}, false);
}

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class OpenGroupsTest : public WriterTest {
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        note = home.path() + "/OpenTestGroups.txt";
    }
    void TearDown() override
    {
        groupEnds.keepOpenGroupsIn(QString());
        WriterTest::TearDown();
    }
    // "Completed Cancelled" of the group, as 0 and 1.
    QString end(qint32 groupID) const
    {
        const QString g = QString::number(groupID);
        return QString::number(scalar("SELECT Completed FROM TestGroups WHERE GroupID = " + g).toBool()) + " "
               + QString::number(scalar("SELECT Cancelled FROM TestGroups WHERE GroupID = " + g).toBool());
    }
    qint32 numberOf(qint32 groupID) const
    {
        return scalar("SELECT UniqueGroupID FROM TestGroups WHERE GroupID = " + QString::number(groupID)).toInt();
    }
    QByteArray line(qint32 groupID, qint32 number, const char* state, const QString& database = QString()) const
    {
        return QByteArray::number(groupID) + '\t' + QByteArray::number(number) + '\t' + state + '\t'
               + (database.isEmpty() ? this->database.liveDatabaseName() : database).toUtf8() + '\n';
    }

    QString note;
};

TEST_P(OpenGroupsTest, AGroupIsNotedFromItsCreationUntilTheDatabaseHoldsItsEnd)
{
    groupEnds.keepOpenGroupsIn(note);
    const qint32 first = newGroup(database, groupEnds, settings);
    const qint32 second = newGroup(database, groupEnds, settings);
    EXPECT_EQ(fileText(note), line(first, numberOf(first), "open") + line(second, numberOf(second), "open"));

    ASSERT_TRUE(groupEnds.completeTestGroup(first, platform::Clock::now()));
    EXPECT_EQ(fileText(note), line(second, numberOf(second), "open"));
    EXPECT_TRUE(groupEnds.cancelTestGroup(second));
    EXPECT_FALSE(QFile::exists(note));
    EXPECT_EQ(end(first), "1 0");
    EXPECT_EQ(end(second), "0 1");
}

// What start-up does with each kind of entry, and with a group open in the
// database that the note does not hold (another station's running run).
TEST_P(OpenGroupsTest, AtStartOnlyTheGroupsThisStationLeftOpenAreCancelled)
{
    const qint32 leftOpen = newGroup(database, groupEnds, settings),
                 completed = newGroup(database, groupEnds, settings),
                 renumbered = newGroup(database, groupEnds, settings),
                 waiting = newGroup(database, groupEnds, settings),
                 otherStations = newGroup(database, groupEnds, settings),
                 otherDatabase = newGroup(database, groupEnds, settings);
    const qint32 zamo80 =
        results::createZamo80TestGroup(database, groupEnds.openGroupNote(), QDateTime(QDate(2026, 3, 2), QTime(9, 20)),
                                       platform::OleDate().toDateTime(), results::currentZamo80Limits(settings.limits),
                                       "L2", "n", {}, {}, "operator", "BENCH-1", false, {}, false);
    ASSERT_TRUE(groupEnds.completeTestGroup(completed, platform::Clock::now()));
    QFile file(note);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(line(leftOpen, numberOf(leftOpen), "open") + line(completed, numberOf(completed), "open")
               + line(renumbered, numberOf(renumbered) + 1000, "open") + "12\tgarbage\n"
               + line(waiting, numberOf(waiting), "cancel")
               + line(otherDatabase, numberOf(otherDatabase), "open", "file /elsewhere/ZAMO_Results.mdb")
               + line(zamo80, numberOf(zamo80), "open"));
    file.close();

    groupEnds.keepOpenGroupsIn(note);
    const QList<results::LeftOpenGroup> told = groupEnds.cancelGroupsLeftOpen();
    ASSERT_EQ(told.size(), 3);
    EXPECT_EQ(told[0].number, numberOf(leftOpen));
    EXPECT_FALSE(told[0].waiting);
    EXPECT_EQ(told[1].groupID, otherDatabase); // left open there: its cancel waits for that database
    EXPECT_TRUE(told[1].waiting);
    EXPECT_EQ(told[2].groupID, zamo80);
    // As a cancelled ZAMO80 run does, it gets its condensed group.
    EXPECT_NE(scalar("SELECT Zamo80CondensedID FROM TestGroups WHERE GroupID = " + QString::number(zamo80)).toInt(), 0);

    struct Expected {
        qint32 group;
        const char* end;
    };
    for (const Expected& e :
         {Expected{leftOpen, "0 1"}, Expected{completed, "1 0"}, Expected{renumbered, "0 0"}, Expected{waiting, "0 1"},
          Expected{otherStations, "0 0"}, Expected{otherDatabase, "0 0"}}) {
        SCOPED_TRACE(e.group);
        EXPECT_EQ(end(e.group), e.end);
    }
    EXPECT_EQ(fileText(note),
              line(otherDatabase, numberOf(otherDatabase), "cancel", "file /elsewhere/ZAMO_Results.mdb"));
    EXPECT_EQ(logCount("line 4 not understood"), 1);
    EXPECT_EQ(logCount("Test Group ID = " + QString::number(leftOpen) + " cancelled"), 1);
    EXPECT_EQ(logCount("The waiting cancel of test group " + QString::number(numberOf(waiting)) + " is written"), 1);
    EXPECT_EQ(logCount("Test Group ID = " + QString::number(renumbered) + " (group "
                       + QString::number(numberOf(renumbered) + 1000) + ") is no longer in the database"),
              1);
}

INSTANTIATE_ON_BOTH_BACKENDS(OpenGroupsTest);

// A real server stopped while a run's group is open, and started again: the
// cancel waits, the retry clock tries it in vain while the server is away,
// and writes it once the server is back.
TEST(OpenGroupsOnAServer, ACancelWaitsWhileTheServerIsAwayAndIsWrittenOnceItIsBack)
{
    testsupport::PausablePgServer server(ZAMO_SOURCE_DIR "/scripts/pg-test-server.sh");
    ZAMO_REQUIRE_STARTED_PG_SERVER(server);
    const platform::DbServerAddress address = server.newDatabase("zamo_open");
    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    QDir().mkpath(home.stationFolder());
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    results::TestGroupEnd groupEnds{database};
    testsupport::useServerDatabase(settings.database, address);
    QStringList log;
    settings.switches.statusWindowOpen = true;
    settings.switches.diagnosticLog = true;
    stationLog.setStatusWindowEcho([&](const QString& l) { log << l; }, &settings.switches);
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    const QString note = home.stationFolder() + "/OpenTestGroups.txt";
    groupEnds.keepOpenGroupsIn(note);
    struct Restore {
        results::ResultsDatabase& database;
        results::TestGroupEnd& groupEnds;
        config::StationLog& log;
        ~Restore()
        {
            groupEnds.keepOpenGroupsIn(QString());
            database.closeDatabase();
            log.setStatusWindowEcho({});
            platform::Clock::useRealTime();
        }
    } restore{database, groupEnds, stationLog};

    const qint32 group = newGroup(database, groupEnds, settings);
    ASSERT_GT(group, 0);
    ASSERT_TRUE(server.pause()) << server.why().toStdString();
    EXPECT_FALSE(groupEnds.cancelTestGroup(group));
    EXPECT_THAT(fileText(note).toStdString(), HasSubstr(std::to_string(group) + "\t1\tcancel\tserver 127.0.0.1:"));
    platform::Clock::advance(results::CancelRetryMilliseconds); // tried in vain
    EXPECT_TRUE(QFile::exists(note));

    ASSERT_TRUE(server.resume()) << server.why().toStdString();
    platform::Clock::advance(results::CancelRetryMilliseconds);
    EXPECT_FALSE(QFile::exists(note));
    platform::DbConnection check;
    check.openServer(address);
    EXPECT_TRUE(
        check.execute("SELECT Cancelled FROM TestGroups WHERE GroupID = " + QString::number(group)).value(0).toBool());
    const QString id = "Test Group ID = " + QString::number(group);
    const QStringList ends = log.filter(id + " c");
    ASSERT_EQ(ends.size(), 2) << log.join("\n").toStdString();
    EXPECT_TRUE(ends[0].contains(" - " + id + " cancel waiting: ")) << ends[0].toStdString();
    EXPECT_TRUE(ends[1].endsWith(" - " + id + " cancelled")) << ends[1].toStdString();
    EXPECT_EQ(log.filter("The waiting cancel of test group 1 is written").size(), 1);
}

} // namespace
