#pragma once
// The backup and the archive of the local database file. Both work on the
// files alone: the caller closes its connection to the live file first, and
// the next database call opens the file anew.
//
// The backup copies the live file into the archive folder as
// "Backup-ZAMO_Results-<yyyymmdd>-<hhnnss>.mdb", the bar following the copy.
// The archive moves the live file into the archive folder as
// "ZAMO_Results-<yyyymmdd>-<hhnnss>.mdb" and puts a new empty database in its
// place (at the template revision, raised by the next start-up check), which
// lists every earlier archive and this one with its range of group numbers,
// and whose group counter goes on from the old file's (never back, not even
// after an archive of a file without groups). The names come from the clock
// at the moment of the job.
//
// Neither ever loses a result: the backup is written under a temporary name
// and renamed when complete, so a backup that fails leaves no file; the new
// live file of an archive is built whole under a temporary name beside the
// live file before the live file is moved, and is moved into place last,
// the live file put back if that fails. A job that fails says why (logged,
// and in the outcome for the operator) and leaves the live file as it was.
// Neither replaces an existing file of the archive folder.

#include "results/UpkeepObserver.h"

#include <QDateTime>
#include <QString>

// The names of the files made at a moment: the four-digit year, then month,
// day, hour (00..23), minute and second, each two digits.
namespace results {

QString archiveFileName(const QDateTime& moment);
QString backupFileName(const QDateTime& moment);

// How a backup or an archive ended.
struct UpkeepOutcome {
    bool done = false;
    QString file;  // the backup or archive file made (its full path)
    QString cause; // why not, when not done
};

// Runs the backup or the archive of one live file, as described above.
class DatabaseArchive {
public:
    // databaseFile: the live file; archiveFolder: made when missing.
    DatabaseArchive(const QString& databaseFile, const QString& archiveFolder, UpkeepObserver& observer);

    // Sets the bar to the part of the file copied (0..100), letting the
    // message loop run after each part; stops there, leaving no file, when
    // the observer asks it to.
    UpkeepOutcome backup();
    // Sets the bar to 30 (named), 60 (new file made), 90 (earlier archives
    // listed in it).
    UpkeepOutcome archive();

private:
    UpkeepOutcome failed(const QString& what, const QString& cause);
    bool makeArchiveFolder(QString* cause);

    QString m_databaseFile;
    QString m_archiveFolder;
    UpkeepObserver& m_observer;
};

} // namespace results
