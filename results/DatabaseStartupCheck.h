#pragma once
// The database checks of start-up, and of every change of the database
// settings: what to do with the local database file or the server database
// before the station works on it. The checks decide; the host does (opens and
// closes the shared connection, shows the windows, writes the settings, ends
// the program). Message boxes go through the prompts seam.
//
// Local file: a missing file is made from the empty database; a file at the
// current revision is opened; an older one (6..14) is backed up into the
// archive folder and raised step by step; a revision-10 file with the old
// demonstration column is repaired first. A file that cannot be raised or
// read, or whose revision the station does not know, is replaced by the empty
// database, but only once a copy of it is safe in the archive folder: the
// operator is told where it is kept. A file that cannot be copied is still
// raised (each step is whole or nothing), but never replaced: when it would
// be, it is left as it is and the check goes the way of a file it cannot
// reach: the operator may fall back to the default data folder once, or the
// program ends.
//
// Server: a database at revision 13 or 14 is raised one step per start when
// the operator agrees; one below 13 (or one that cannot be reached) sends the
// operator to the database options; one above 15 is used as it is.
//
// Once the program is being ended (platform::ProgramEnd: a signal while a
// message waits, or while the backup or a step runs) the checks do nothing
// more: a backup is whole or not there, a step done or not begun, and the
// next start goes on from there.

#include "platform/DbConnection.h"
#include "platform/Prompts.h"
#include "results/DatabaseArchive.h"
#include "results/UpkeepObserver.h"

#include <QString>

#include <functional>

// Where a local database lives.
namespace results {

class SchemaUpgrades;

struct LocalDatabasePaths {
    QString folder;        // the database folder
    QString databaseFile;  // folder + "/ZAMO_Results.mdb"
    QString archiveFolder; // folder + "/Archive/"

    static LocalDatabasePaths inFolder(const QString& folder);
};

// What the checks have the station do. The checks trust its answers: an
// open that fails comes back as nullptr, a revision that cannot be read as
// 0, a file that cannot be written as false with why.
class DatabaseStartupHost {
public:
    virtual ~DatabaseStartupHost() = default;
    // At start-up the main windows stand before the checks run.
    virtual void showMainWindows() = 0;
    // The shared connection, opened as every database call opens it (a
    // failure reported as there); nullptr when it cannot be opened.
    virtual platform::DbConnection* openDatabase() = 0;
    virtual void closeDatabase() = 0;
    // The schema revision of the database file, or of the live database when
    // path is empty; 0 when it cannot be read.
    virtual int databaseRevision(const QString& path) = 0;
    // Writes the empty database to path, whole or not at all; false (with
    // why) when it cannot.
    virtual bool writeEmptyDatabase(const QString& path, QString* why) = 0;
    // Shows the backup window, which copies the file (DatabaseArchive::backup).
    virtual UpkeepOutcome backUp(const LocalDatabasePaths& paths) = 0;
    // The progress window of the schema steps.
    virtual SchemaUpgradeObserver& upgradeWindow() = 0;
    // The station uses the database folder from now on, and settings.ini
    // [Database] "LocalDatabaseFolder" names it.
    virtual void useDatabaseFolder(const LocalDatabasePaths& paths) = 0;
    // Shows the database options window and returns when it closes.
    virtual void showDatabaseOptions() = 0;
    // Ends the program.
    virtual void endProgram() = 0;
    virtual void log(const QString& line) = 0;
};

// Runs the checks above. It throws nothing of its own: every failure it
// meets ends in a message to the operator and one of the outcomes above.
class DatabaseStartupCheck {
public:
    // defaultFolder: the station's data folder, where the database lives
    // unless the settings name another.
    DatabaseStartupCheck(DatabaseStartupHost& host, platform::Prompts& prompts, const QString& defaultFolder);

    void checkLocal(const LocalDatabasePaths& paths, bool startingUp, bool isRetry = false);
    void checkServer(bool startingUp);

private:
    // Runs a job of the schema steps on the shared connection, closed after
    // it; false when the connection cannot be opened.
    bool onOpenDatabase(const std::function<bool(SchemaUpgrades&)>& job);
    // Raises the file from its revision; true when it reached the current one.
    bool upgrade(int revision);
    bool repairLegacyDemoModeColumn();
    // Puts the empty database in the place of a file the station cannot use,
    // once the file is safe in the archive folder.
    void replace(const LocalDatabasePaths& paths, UpkeepOutcome copy, const QString& reason, bool isRetry);
    void accessFailure(const LocalDatabasePaths& paths, bool isRetry, const QString& cause);

    DatabaseStartupHost& m_host;
    platform::Prompts& m_prompts;
    QString m_defaultFolder;
};

} // namespace results
