// The progress windows of the backup and the archive: the job starts a second
// after the window opens, the operator cannot reach other windows meanwhile,
// the window goes when the job is done; a failed archive is told to the
// operator and the live file stays.

#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/DbConnection.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "platform/Timer.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "ui/database/UpkeepProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ui::UpkeepProgressWindow;

namespace {

class UpkeepProgressWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString live = dir.filePath("ZAMO_Results.mdb");
    QString archiveFolder = dir.filePath("Archive/");
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    platform::ScriptedPrompts* prompts = nullptr;

    void SetUp() override
    {
        prompts = platform::ScriptedPrompts::installNew();
        platform::Clock::useVirtualTime(QDateTime(QDate(2024, 1, 15), QTime(23, 5, 8)));
    }
    void TearDown() override
    {
        platform::ProgramEnd::withdraw();
        platform::Clock::useRealTime();
    }
};

TEST_F(UpkeepProgressWindowTest, EachWindowShowsItsTextsAndStartsItsJobASecondAfterItOpens)
{
    struct Case {
        UpkeepProgressWindow::Job job;
        QString caption;
        QString message;
        QString barName;
    };
    const Case cases[] = {
        {UpkeepProgressWindow::Job::Backup, "Backing-up Database File ...",
         "Backing-up current LOCAL database... please wait", "BackupProgressBar"},
        {UpkeepProgressWindow::Job::Archive, "Archiving Database File ...",
         "Archiving current LOCAL database... please wait", "ArchiveProgressBar"},
    };
    for (const Case& c : cases) {
        UpkeepProgressWindow window(c.job);
        EXPECT_EQ(window.windowTitle(), c.caption);
        EXPECT_EQ(window.messageLabel()->text(), c.message);
        EXPECT_EQ(window.progressBar()->objectName(), c.barName);
        const QDateTime opened = platform::Clock::now();
        QDateTime started;
        bool modalWhileRunning = false;
        int barAtStart = -1;
        const results::UpkeepOutcome outcome = window.runJob([&](results::UpkeepObserver& observer) {
            started = platform::Clock::now();
            modalWhileRunning = window.isVisible() && window.isModal();
            barAtStart = window.progressBar()->value();
            observer.progress(70);
            return results::UpkeepOutcome{true, "made", QString()};
        });
        EXPECT_EQ(opened.msecsTo(started), 1000) << c.caption.toStdString();
        EXPECT_TRUE(modalWhileRunning);
        EXPECT_EQ(barAtStart, 10);
        EXPECT_EQ(window.progressBar()->value(), 70);
        EXPECT_FALSE(window.isVisible()) << "the window goes when its job is done";
        EXPECT_EQ(outcome.file, "made");
    }

    UpkeepProgressWindow upgrade(UpkeepProgressWindow::Job::Upgrade);
    EXPECT_EQ(upgrade.windowTitle(), "Upgrading Database ...");
    EXPECT_EQ(upgrade.messageLabel()->text(), "ZAMO Database is being upgraded... please wait.");
    EXPECT_EQ(upgrade.progressBar()->objectName(), "UpgradeProgressBar");
    EXPECT_EQ(upgrade.progressBar()->value(), 0);
    upgrade.windowShown();
    EXPECT_TRUE(upgrade.isVisible());
    EXPECT_FALSE(upgrade.isModal()) << "a step's window is modeless";
    QCloseEvent close;
    QCoreApplication::sendEvent(&upgrade, &close);
    EXPECT_FALSE(close.isAccepted()) << "the operator cannot close it";
    upgrade.windowClosed();
    EXPECT_FALSE(upgrade.isVisible());
}

// The station ended (a signal, File, Exit) while the job runs: the end waits
// for it, and the job hears that it is to stop. Ended before the job starts,
// the window goes at once and leaves the job undone, without a message.
TEST_F(UpkeepProgressWindowTest, AnEndWaitsForTheJobThatRunsAndOneBeforeItLeavesTheJobUndone)
{
    bool ended = false;
    const auto end = [&ended] {
        ended = true;
        platform::ProgramEnd::request(0);
    };
    {
        UpkeepProgressWindow window(UpkeepProgressWindow::Job::Backup);
        bool endedInJob = true;
        bool stopAskedInJob = false;
        const results::UpkeepOutcome outcome = window.runJob([&](results::UpkeepObserver& observer) {
            platform::ProgramEnd::endWhenFree(end);
            endedInJob = ended;
            stopAskedInJob = observer.stopAsked();
            return results::UpkeepOutcome{true, "made", QString()};
        });
        EXPECT_FALSE(endedInJob);
        EXPECT_TRUE(stopAskedInJob);
        EXPECT_TRUE(ended) << "the end follows the job";
        EXPECT_TRUE(outcome.done);
    }

    platform::ProgramEnd::withdraw();
    ended = false;
    ASSERT_FALSE(results::buildEmptyDatabase(live).isEmpty());
    const QByteArray before = [&] {
        QFile f(live);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    platform::Timer signal;
    signal.setInterval(500);
    QObject::connect(&signal, &platform::Timer::timeout, [&] {
        signal.setEnabled(false);
        platform::ProgramEnd::endWhenFree(end);
    });
    signal.setEnabled(true);
    const QDateTime opened = platform::Clock::now();
    const results::UpkeepOutcome outcome = UpkeepProgressWindow::archive(database, live, archiveFolder);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(opened.msecsTo(platform::Clock::now()), 500) << "the window goes at the end";
    EXPECT_TRUE(prompts->shown.isEmpty());
    QFile kept(live);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
    EXPECT_FALSE(QDir(archiveFolder).exists() && !QDir(archiveFolder).isEmpty());
}

TEST_F(UpkeepProgressWindowTest, TheArchiveIsNamedByTheMomentOfItsJob)
{
    ASSERT_FALSE(results::buildEmptyDatabase(live).isEmpty());
    const results::UpkeepOutcome outcome = UpkeepProgressWindow::archive(database, live, archiveFolder);
    ASSERT_TRUE(outcome.done) << outcome.cause.toStdString();
    EXPECT_EQ(QDir(archiveFolder).entryList(QDir::Files), QStringList{"ZAMO_Results-20240115-230509.mdb"});
    EXPECT_TRUE(QFile::exists(live));
    EXPECT_TRUE(prompts->shown.isEmpty());

    const results::UpkeepOutcome backup = UpkeepProgressWindow::backUp(database, live, archiveFolder);
    ASSERT_TRUE(backup.done) << backup.cause.toStdString();
    EXPECT_EQ(QFileInfo(backup.file).fileName(), "Backup-ZAMO_Results-20240115-230510.mdb");
}

TEST_F(UpkeepProgressWindowTest, AFailedArchiveIsToldAndLeavesTheLiveFileAsItWas)
{
    {
        QFile garbage(live);
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("not a database");
    }
    const results::UpkeepOutcome outcome = UpkeepProgressWindow::archive(database, live, archiveFolder);
    EXPECT_FALSE(outcome.done);
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].title, "Database Error");
    EXPECT_EQ(prompts->shown[0].text,
              "The database file could not be archived; it is kept as it was.\r\n\r\n" + outcome.cause);
    QFile kept(live);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "not a database");
    EXPECT_TRUE(QDir(archiveFolder).entryList(QDir::Files).isEmpty());
}

} // namespace
