// The station's own program ended from outside (a shutdown or logout, Ctrl-C)
// while it starts: while its message about a results file that is no
// database waits, while it backs up a file of 100,000 groups, and while it
// raises that file step by step. It ends within seconds, the log ends with
// "Application Terminated", the files are whole (a step done or not begun,
// a backup complete or not there), and the next start carries on from there.

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"
#include "platform/WholeFile.h"
#include "support/OldRevisionDatabase.h"
#include "support/QtPrinters.h"
#include "support/TempDataHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gmock/gmock.h>

#include <csignal>
#include <functional>
#include <map>

using ::testing::HasSubstr;

namespace {

constexpr int Groups = 100000;

// A results file of the revision with 100,000 groups, made once for the
// test program and copied for each start.
QString bigFile(int revision)
{
    static QTemporaryDir dir;
    static std::map<int, QString> made;
    QString& path = made[revision];
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("rev%1.mdb").arg(revision));
        platform::DbConnection db;
        db.createFile(path);
        testsupport::buildOldRevisionDatabase(db, revision, {Groups, 1, 1});
    }
    return path;
}

// What a database file holds: whole or not, its revision and its groups.
struct FileState {
    QString integrity;
    int revision = -1;
    int groups = -1;
};

FileState stateOf(const QString& path)
{
    FileState state;
    try {
        platform::DbConnection db;
        db.openFile(path, true);
        state.integrity = db.execute("PRAGMA integrity_check").value(0).toString();
        state.revision = db.execute("SELECT DBRevNumber FROM Version WHERE ID = 1").value(0).toInt();
        state.groups = db.execute("SELECT COUNT(*) FROM TestGroups").value(0).toInt();
    } catch (const std::exception&) {
        // not a database: integrity stays empty
    }
    return state;
}

class EndedAtStart : public ::testing::Test {
protected:
    testsupport::TempDataHome home;
    QString folder = home.stationFolder();
    QString live = folder + "/ZAMO_Results.mdb";
    QString archive = folder + "/Archive";
    QTemporaryDir devices; // no units

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(folder)); }

    void start(QProcess& process, const QString& program, const QStringList& arguments = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("ZAMO_DEVICE_ROOT", devices.path());
        process.setProcessEnvironment(environment);
        process.setProgram(program);
        process.setArguments(arguments);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        ASSERT_TRUE(process.waitForStarted());
    }

    // Every log file of the data folder, oldest first.
    QString logs() const { return stationLogFiles(folder); }
    // The files of the archive folder, hidden ones too.
    QStringList archiveFiles() const { return QDir(archive).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    static bool waitFor(const std::function<bool()>& seen, int ms)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (!seen()) {
            if (elapsed.elapsed() > ms)
                return false;
            QThread::usleep(500);
        }
        return true;
    }
};

// Each moment of the start-up, and the signals of a shutdown, a logout and
// Ctrl-C.
TEST_F(EndedAtStart, TheStationEndsPromptlyLeavesItsFilesWholeAndTheNextStartCarriesOn)
{
    enum class Moment { Message, Backup, Upgrade };
    struct Case {
        const char* when;
        Moment moment;
        int signal;
        const char* name;
    };
    const Case cases[] = {
        {"while the start-up message waits", Moment::Message, SIGTERM, "SIGTERM"},
        {"while the start-up message waits", Moment::Message, SIGHUP, "SIGHUP"},
        {"during the backup of a revision-14 file", Moment::Backup, SIGTERM, "SIGTERM"},
        {"during the upgrade of a revision-6 file", Moment::Upgrade, SIGTERM, "SIGTERM"},
        {"during the upgrade of a revision-6 file", Moment::Upgrade, SIGINT, "SIGINT"},
    };
    const QByteArray noDatabase = "this is a results file that is no database";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.when);
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        const int revision = c.moment == Moment::Message ? 0 : c.moment == Moment::Backup ? 14 : 6;
        if (revision == 0) {
            ASSERT_TRUE(platform::WholeFile::save(live, noDatabase));
        } else {
            ASSERT_TRUE(QFile::copy(bigFile(revision), live));
        }

        QProcess station;
        start(station, QStringLiteral(ZAMO_STATION_PROGRAM));
        if (HasFatalFailure())
            return;
        // The moment: the message up (its line logged just before it shows),
        // the copy under way beside its backup's name, a step done.
        const std::function<bool()> moment = [&] {
            switch (c.moment) {
            case Moment::Message: return logs().contains("Database Status: ");
            case Moment::Backup: return !archiveFiles().isEmpty() || logs().contains("Database file backed up");
            case Moment::Upgrade: return logs().contains("Database upgrade to Rev 7\r\n");
            }
            return false;
        };
        ASSERT_TRUE(waitFor(moment, 60000)) << logs().toStdString();
        if (c.moment == Moment::Message)
            QThread::msleep(300); // the message box stands
        ::kill(pid_t(station.processId()), c.signal);
        QElapsedTimer ending;
        ending.start();
        ASSERT_TRUE(station.waitForFinished(10000)) << "the station did not end";
        EXPECT_LT(ending.elapsed(), 5000);
        EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(station.exitCode(), 0);

        const QString log = logs();
        const QString why = QStringLiteral("Received %1: the station is ended").arg(c.name);
        ASSERT_THAT(log.toStdString(), HasSubstr(why.toStdString()));
        EXPECT_TRUE(log.endsWith("Application Terminated\r\n")) << log.mid(log.indexOf(why)).toStdString();
        EXPECT_EQ(log.count("Application Terminated"), 1);

        // The live file as it was, or raised by whole steps.
        if (revision == 0) {
            QByteArray kept;
            platform::WholeFile::read(live, &kept);
            EXPECT_EQ(kept, noDatabase);
        } else {
            const FileState now = stateOf(live);
            EXPECT_EQ(now.integrity, "ok");
            EXPECT_GE(now.revision, revision);
            EXPECT_LE(now.revision, 15);
            EXPECT_EQ(now.groups, Groups);
        }
        // A backup is complete or not there.
        for (const QString& name : archiveFiles()) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_TRUE(name.startsWith("Backup-ZAMO_Results-") && name.endsWith(".mdb"));
            const FileState backup = stateOf(archive + "/" + name);
            EXPECT_EQ(backup.integrity, "ok");
            EXPECT_EQ(backup.revision, revision);
            EXPECT_EQ(backup.groups, Groups);
        }
        if (c.moment == Moment::Message) {
            EXPECT_TRUE(archiveFiles().isEmpty());
        }

        // The next start carries on from there and comes up (and ends).
        QProcess next;
        start(next, QStringLiteral(ZAMO_REALPATH_STATION), {"exit"});
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(next.waitForFinished(60000));
        EXPECT_EQ(next.exitCode(), 0);
        const FileState after = stateOf(live);
        EXPECT_EQ(after.integrity, "ok");
        if (revision == 0) {
            EXPECT_EQ(after.revision, 14) << "replaced by a new file, its old one kept";
            EXPECT_EQ(after.groups, 0);
        } else {
            EXPECT_EQ(after.revision, 15);
            EXPECT_EQ(after.groups, Groups);
        }
        EXPECT_TRUE(logs().endsWith("Application Terminated\r\n"));
    }
}

} // namespace
