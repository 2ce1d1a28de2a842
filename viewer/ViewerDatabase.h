#pragma once
// The database that the report viewer reads: a results database file of any
// schema revision, chosen by the user, or a server database. It keeps one
// connection, opened on demand with the back end in force and closed 60 s
// after its last use (the idle timer), on a new choice, and before a repair.
//
// A file is only ever opened read-only, so that the viewer can read an
// archive on a medium it cannot write and never changes a file it lists or
// shows; the one exception is the repair of a revision-10 file that still
// carries the demonstration flag under its old name, which gets a read-write
// connection of its own for just that and leaves the revision number as it
// is. A file may come from anywhere and hold a view or a trigger that never
// ends: each statement on it has the time limit of a file from outside, and
// once one was stopped the file is given up (refuse). Nothing is logged and
// no message is shown here: every failure comes back to the caller, with its
// cause where the caller may show it.

#include "platform/DbConnection.h"
#include "platform/Timer.h"
#include "results/ReportListSource.h"

#include <QString>

#include <memory>

// The server values of the SQL Server dialog.
namespace viewer {

struct ServerLogOn {
    QString host;         // "Server IP/Hostname"
    QString instance;     // "MSSQL Instance": the server's port; empty for its default
    QString databaseName; // "Database"
    QString username;
    QString password;
};

class ViewerDatabase {
public:
    static constexpr int IdleMilliseconds = 60000;

    ViewerDatabase();
    ~ViewerDatabase();
    ViewerDatabase(const ViewerDatabase&) = delete;
    ViewerDatabase& operator=(const ViewerDatabase&) = delete;

    // A database file in place of the present database; nothing is opened yet.
    void chooseFile(const QString& path);
    // Gives up the file in force, one of whose statements ran past the time
    // limit: nothing more is run on it (each statement could hold the window
    // as long again) until a database is chosen anew; until then
    // connection() gives nullptr with this cause.
    void refuse(const QString& why);
    bool refused() const { return !m_refusal.isEmpty(); }
    // Connects to the server with these values. Connected: the server is the
    // database from now on. Not connected (*why says why): the values and
    // the back end in force before stay as they were.
    bool connectServer(const ServerLogOn& logOn, QString* why = nullptr);

    bool usesServer() const { return m_server; }
    QString filePath() const { return m_filePath; }
    ServerLogOn serverLogOn() const { return m_logOn; }
    // The server's address from the values in force; throws platform::DbError
    // when the instance is not a port number.
    platform::DbServerAddress serverAddress() const;

    // The open connection, opened now when it is closed; nullptr (with the
    // cause in *why) when it cannot be opened or no database was chosen.
    // Every call starts the idle time again.
    platform::DbConnection* connection(QString* why = nullptr);
    void close();
    bool isOpen() const;
    platform::Timer& idleTimer() { return m_idle; }

    // The schema revision (Version.DBRevNumber); 0 when there is none to be
    // read (no database, not a results database, a number no station wrote),
    // with the cause in *why. A statement stopped by the time limit refuses
    // the file.
    int revision(QString* why = nullptr);

    // A revision-10 file whose TestGroups still has the column VadovMode
    // gets it as DemoMode with its values; the revision stays 10. True when
    // there was nothing to repair (a second call, a server, another
    // revision) or the repair is done; false, with the cause in *why and
    // the file as it was, when it failed (a file that cannot be written).
    bool repairLegacyDemoModeColumn(QString* why = nullptr);

    // The report lists of the database in force (the viewer reads no archive
    // files through them: it opens an archive as its database).
    results::ReportListSource lists();

private:
    platform::DbConnection* open(bool server, QString* why);

    QString m_filePath;
    QString m_refusal; // why the file in force was given up; "" while it is not
    ServerLogOn m_logOn;
    bool m_server = false;
    std::unique_ptr<platform::DbConnection> m_connection;
    platform::Timer m_idle;
};

} // namespace viewer
