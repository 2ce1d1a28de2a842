#include "ui/database/UpkeepProgressWindow.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "platform/Timer.h"
#include "results/ResultsDatabase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <limits>

namespace ui {

namespace {

struct JobTexts {
    const char* caption;
    const char* message;
    const char* barName;
    int startValue;
};

JobTexts textsOf(UpkeepProgressWindow::Job job)
{
    switch (job) {
    case UpkeepProgressWindow::Job::Upgrade:
        return {"Upgrading Database ...", "ZAMO Database is being upgraded... please wait.", "UpgradeProgressBar", 0};
    case UpkeepProgressWindow::Job::Backup:
        return {"Backing-up Database File ...", "Backing-up current LOCAL database... please wait", "BackupProgressBar",
                10};
    case UpkeepProgressWindow::Job::Archive: break;
    }
    return {"Archiving Database File ...", "Archiving current LOCAL database... please wait", "ArchiveProgressBar", 10};
}

constexpr int kJobDelayMilliseconds = 1000;

} // namespace

UpkeepProgressWindow::UpkeepProgressWindow(Job job, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    const JobTexts texts = textsOf(job);
    setWindowTitle(QString::fromLatin1(texts.caption));
    auto* layout = new QVBoxLayout(this);
    m_messageLabel = new QLabel(QString::fromLatin1(texts.message), this);
    layout->addWidget(m_messageLabel);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QString::fromLatin1(texts.barName));
    m_progressBar->setAccessibleName(QString::fromLatin1(texts.message));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(texts.startValue);
    layout->addWidget(m_progressBar);
}

results::UpkeepOutcome UpkeepProgressWindow::runJob(const JobRun& run)
{
    setWindowModality(Qt::ApplicationModal);
    show();
    results::UpkeepOutcome outcome{false, QString(), QStringLiteral("the station is ended")};
    bool done = false;
    platform::Timer start;
    start.setInterval(kJobDelayMilliseconds);
    connect(&start, &platform::Timer::timeout, this, [&] {
        start.setEnabled(false);
        if (platform::ProgramEnd::stopAsked())
            return;
        // An end that comes while the job runs waits for it.
        const platform::ProgramEnd::Hold hold;
        outcome = run(*this);
        done = true;
    });
    start.setEnabled(true);
    // An end before the job starts leaves it undone.
    platform::Clock::waitUntil([&done] { return done || platform::ProgramEnd::stopAsked(); },
                               std::numeric_limits<qint32>::max());
    hide();
    return outcome;
}

results::UpkeepOutcome UpkeepProgressWindow::backUp(results::ResultsDatabase& database, const QString& databaseFile,
                                                    const QString& archiveFolder, QWidget* parent)
{
    UpkeepProgressWindow window(Job::Backup, parent);
    return window.runJob([&](results::UpkeepObserver& observer) {
        database.closeDatabase(); // a timer may have opened it while the window stood
        return results::DatabaseArchive(databaseFile, archiveFolder, observer).backup();
    });
}

results::UpkeepOutcome UpkeepProgressWindow::archive(results::ResultsDatabase& database, const QString& databaseFile,
                                                     const QString& archiveFolder, QWidget* parent)
{
    UpkeepProgressWindow window(Job::Archive, parent);
    const results::UpkeepOutcome outcome = window.runJob([&](results::UpkeepObserver& observer) {
        // Closed at the start of the job itself: a connection that a timer
        // opened while the window stood would stay on the archived file.
        database.closeDatabase();
        return results::DatabaseArchive(databaseFile, archiveFolder, observer).archive();
    });
    if (!outcome.done && !platform::ProgramEnd::stopAsked())
        platform::Prompts::instance().message(
            QStringLiteral("The database file could not be archived; it is kept as it was.\r\n\r\n") + outcome.cause,
            QStringLiteral("Database Error"), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    return outcome;
}

void UpkeepProgressWindow::progress(int value)
{
    m_progressBar->setValue(value);
}

void UpkeepProgressWindow::letEventsRun()
{
    QApplication::processEvents();
}

void UpkeepProgressWindow::log(const QString& line)
{
    config::writeLog(line);
}

bool UpkeepProgressWindow::stopAsked()
{
    return platform::ProgramEnd::stopAsked();
}

void UpkeepProgressWindow::windowShown()
{
    m_progressBar->setValue(0);
    show();
}

void UpkeepProgressWindow::windowClosed()
{
    hide();
}

void UpkeepProgressWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

} // namespace ui
