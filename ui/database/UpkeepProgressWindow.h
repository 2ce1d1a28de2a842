#pragma once
// The small progress windows of the database upkeep: a caption, a line that
// says what is being done and a bar (0..100).
//
// The window of a schema step ("Upgrading Database ...") is shown modeless by
// the step for as long as it runs; the step sets its bar. The windows of the
// backup ("Backing-up Database File ...") and of the archive ("Archiving
// Database File ...") run their job themselves: the job starts one second
// after the window opens (its bar at 10), the operator cannot reach the other
// windows meanwhile, and the window closes when the job is done. None of them
// can be closed by the operator, so no job is left half-way. The job's log
// lines go to the station's log; its outcome comes back as the job made it.
// An end of the program (File, Exit, a signal) waits while a job runs, which
// stops at its next turn of the message loop; an end before the job starts
// leaves it undone. Nothing here throws.

#include "results/DatabaseArchive.h"
#include "results/UpkeepObserver.h"

#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;

namespace results {
class ResultsDatabase;
}

namespace ui {

class UpkeepProgressWindow : public QWidget, public results::SchemaUpgradeObserver {
    Q_OBJECT
public:
    enum class Job { Upgrade, Backup, Archive };
    using JobRun = std::function<results::UpkeepOutcome(results::UpkeepObserver&)>;

    explicit UpkeepProgressWindow(Job job, QWidget* parent = nullptr);

    // Opens the window, runs the job a second later and closes the window
    // when it is done (backup and archive windows).
    results::UpkeepOutcome runJob(const JobRun& run);

    // The backup and the archive of the live file, each in its window. The
    // job closes the station's connection (database) when it starts (the
    // next database call opens the file anew).
    static results::UpkeepOutcome backUp(results::ResultsDatabase& database, const QString& databaseFile,
                                         const QString& archiveFolder, QWidget* parent = nullptr);
    // A failed archive is told to the operator with its cause (not when the
    // program is being ended); the live file is then as it was.
    static results::UpkeepOutcome archive(results::ResultsDatabase& database, const QString& databaseFile,
                                          const QString& archiveFolder, QWidget* parent = nullptr);

    QProgressBar* progressBar() const { return m_progressBar; }
    QLabel* messageLabel() const { return m_messageLabel; }

    void progress(int value) override;
    void letEventsRun() override;
    void log(const QString& line) override;
    // The program is being ended (platform::ProgramEnd).
    bool stopAsked() override;
    void windowShown() override;
    void windowClosed() override;

protected:
    // The operator cannot close the window; the job takes it down.
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_messageLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
};

} // namespace ui
