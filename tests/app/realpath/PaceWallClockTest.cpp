// A ZAMO80 pace step while the station's wall clock is set an hour forward
// or back in its middle (a time-sync correction, a clock set by hand, a
// change of daylight-saving time): the station's own program in a process
// of its own (realpath_station) under libfaketime, whose steady clock is
// left alone, on a ZAMO80 on a pseudo-terminal. Each pace test lasts its
// minute and is stored with the time it ran, as without the step; the run
// completes.

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"
#include "support/StoredRunChecks.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class PaceWallClock : public RealPath, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        RealPath::SetUp();
        if (IsSkipped())
            return;
        if (!QFile::exists(QStringLiteral(ZAMO_LIBFAKETIME))) {
            if (qgetenv("CI") == "true")
                FAIL() << "CI: libfaketime must be installed (" << ZAMO_LIBFAKETIME << ")";
            GTEST_SKIP() << "libfaketime is not installed (" << ZAMO_LIBFAKETIME << ")";
        }
    }

    QString folder() const { return station.dataFolder(); }
    QString logText() const { return stationLogFiles(folder()); }
    // When the log says the test of that type started on the electrode.
    static QDateTime startedAt(const QString& log, const QString& type, const QString& electrode)
    {
        const QRegularExpressionMatch m =
            QRegularExpression("\\* " + type + " test on Electrodes " + electrode + " started at ([^\\r\\n]+)")
                .match(log);
        return QDateTime::fromString(m.captured(1).trimmed(), "M/d/yyyy h:mm:ss AP");
    }
    // "<electrode>|<stored duration>" of every pace test of the run's group.
    QStringList paceDurations() const
    {
        platform::DbConnection db;
        db.openFile(folder() + "/ZAMO_Results.mdb", true);
        QStringList found;
        for (platform::DbRecordset r =
                 db.execute("SELECT r.A_Result, r.B_Result FROM Tests t JOIN TestTypes y ON y.TypeID = t.TestTypeID "
                            "JOIN TestUnit u ON u.TestID = t.TestID JOIN TestResults r ON r.TestUnitID = u.TestUnitID "
                            "WHERE t.GroupID = 1 AND y.TypeName = 'PACE1' ORDER BY r.ResultID");
             !r.eof(); r.moveNext()) {
            if (!r.value(0).toString().isEmpty())
                found << "A1|" + r.value(0).toString();
            if (!r.value(1).toString().isEmpty())
                found << "B1|" + r.value(1).toString();
        }
        return found;
    }
};

TEST_P(PaceWallClock, EachPaceTestLastsItsOwnTimeWhateverTheWallClockDoes)
{
    // Each electrode's ACZ waits for its pace to end.
    station.writeDataFile("standard80.tsq", "2.0\nPACE1,A1-P2,1,0,0\nACZ,A1-P2,1\n");
    // One minute of pace; B1 starts a second after A1.
    station.setSetting("PACE", "PaceDuration", "1");
    station.setSetting("PACE", "SimultaneousTests", "60");
    Unit unit;
    unit.model = Model::Zamo80;
    unit.channels = 2;
    ASSERT_TRUE(units.addUnit(0, unit));

    QTemporaryDir clock;
    ASSERT_TRUE(clock.isValid());
    const QString offsetFile = clock.filePath("offset");
    const auto setOffset = [&](const QByteArray& offset) {
        QFile file(offsetFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(offset + "\n");
    };
    setOffset("+0");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_PRELOAD", ZAMO_LIBFAKETIME);
    env.insert("FAKETIME_TIMESTAMP_FILE", offsetFile);
    env.insert("FAKETIME_NO_CACHE", "1");
    env.insert("FAKETIME_DONT_FAKE_MONOTONIC", "1");
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(QStringLiteral(ZAMO_REALPATH_STATION));
    process.setArguments({"complete"});
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    ASSERT_TRUE(process.waitForStarted());

    // 20 s into the pace of A1, the wall clock jumps.
    ASSERT_TRUE(platform::Clock::waitUntil(
        [&] { return logText().contains("* PACE1 test on Electrodes A1 started at "); }, 60000))
        << logText().toStdString();
    platform::Clock::wait(20000);
    setOffset(GetParam());

    ASSERT_TRUE(process.waitForFinished(150000)) << logText().toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    EXPECT_TRUE(output.contains("COMPLETED")) << output.toStdString();

    const QString log = logText();
    EXPECT_TRUE(log.contains("* Tests Completed")) << log.toStdString();
    EXPECT_FALSE(log.contains("TEST EXCEEDED MAX EXPECTED DURATION"));
    // Each pace ended after its minute, at the next turn of the run (five
    // seconds at the most), and is stored as it ran.
    const QStringList durations = paceDurations();
    ASSERT_EQ(durations.size(), 2) << durations.join(' ').toStdString();
    for (const QString& stored : durations)
        EXPECT_TRUE(QRegularExpression("^[AB]1\\|1m [0-6]s$").match(stored).hasMatch()) << stored.toStdString();
    EXPECT_EQ(testsupport::groupEnds(folder() + "/ZAMO_Results.mdb"), "1|True|False\n");
    // The dates shown stay the wall clock's: A1's ACZ, after its pace,
    // started a minute and the jump after its pace.
    const qint64 jump = GetParam()[0] == '+' ? 3600 : -3600;
    const qint64 between = startedAt(log, "PACE1", "A1").secsTo(startedAt(log, "ACZ", "A1"));
    EXPECT_GE(between, jump + 60) << log.toStdString();
    EXPECT_LE(between, jump + 75);
}

INSTANTIATE_TEST_SUITE_P(RealPath, PaceWallClock, ::testing::Values("+1h", "-1h"),
                         [](const auto& info) { return std::string(info.param[0] == '+' ? "Forward" : "Back"); });

} // namespace
