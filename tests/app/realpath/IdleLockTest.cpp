// Another program holds the results file locked (an exclusive transaction,
// which keeps readers out too) while the station stands idle with a unit
// connected. The keep-alive's check of the database waits only briefly and
// is tried again later, so the window's event loop keeps turning; the
// operator is asked nothing, and once the lock is gone a run stores as ever.

#include "RealPathFixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <algorithm>

namespace {

using IdleLock = RealPath;

TEST_F(IdleLock, AnotherProgramsLockOnTheResultsFileNeverStallsTheIdleWindow)
{
    oneStepStandardList();
    ASSERT_TRUE(units.addUnit(0, Unit{}));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    station.waitUntil([] { return false; }, 1000); // the keep-alive has the database open

    QProcess holder;
    holder.start(QStringLiteral(ZAMO_DATABASE_LOCK), {station.stationSettings().paths.databaseFile});
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "locked");

    // The longest time between two turns of the event loop while it holds:
    // long enough for several checks of the keep-alive.
    qint64 longest = 0;
    QElapsedTimer sinceLast;
    QTimer beat;
    beat.setInterval(10);
    QObject::connect(&beat, &QTimer::timeout, [&] { longest = std::max(longest, sinceLast.restart()); });
    sinceLast.start();
    beat.start();
    station.waitUntil([] { return false; }, 7000);
    beat.stop();
    std::printf("longest stall of the event loop while locked: %lld ms\n", static_cast<long long>(longest));
    EXPECT_LT(longest, 1000) << "the window stood still for " << longest << " ms";
    EXPECT_EQ(station.logText().count("The database is locked by another program; checked again later"), 1);
    EXPECT_TRUE(station.prompts().messages().isEmpty()) << station.prompts().messages().join('|').toStdString();

    holder.write("\n");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_EQ(holder.exitCode(), 0) << holder.readAllStandardError().toStdString();
    EXPECT_TRUE(station.waitUntil(
        [&] { return station.logText().contains("The database is no longer locked by another program"); }, 10000));
    ASSERT_TRUE(runStandardSequence());
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 PASS", "B1 PASS"}));
    EXPECT_TRUE(station.prompts().messages().isEmpty()) << station.prompts().messages().join('|').toStdString();
}

} // namespace
