#pragma once
// The station's one connection to its results database, opened on demand and
// shared. Every database routine calls openDatabase first and does nothing
// more when it returns false. Each openDatabase restarts the 60-second idle
// clock, whose tick closes the connection; a failed open is reported to the
// operator once per run of failures.
//
// One instance is owned by the station (app::Station) and handed by
// reference to whoever reads or writes results; it follows the station's
// settings ([Database] and the database file's path), read at each open.

#include "config/StationSettings.h"
#include "platform/DbConnection.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace platform {
class Timer;
}

namespace results {

class DatabaseConnectionObserver;

class ResultsDatabase {
public:
    // The settings are kept by reference: the caller keeps them alive for
    // as long as the connection lives.
    explicit ResultsDatabase(const config::StationSettings& settings);
    // Closes the connection (without a log line) and drops an idle clock of
    // its own.
    ~ResultsDatabase();
    ResultsDatabase(const ResultsDatabase&) = delete;
    ResultsDatabase& operator=(const ResultsDatabase&) = delete;

    // Opens the connection when it is closed (the local database file of the
    // settings when [Database] UseLocalDatabase, else the server of the
    // [Database] settings), restarts the idle clock, and reports the
    // state. True when the connection is open on return; a failure is reported
    // as reportFailure does, with its cause.
    bool openDatabase(bool readOnly);
    // The same open for a caller that reports a failure itself: the open
    // connection, or platform::DbError (logged, not reported).
    platform::DbConnection& requireConnection();
    // Opens the connection (openDatabase(false)); nullptr when it cannot be opened.
    platform::DbConnection* openedConnection();
    // A database failure that the operator must hear of (a failed open, or a
    // record of a run that could not be stored): the connection is given up, so
    // that the next call opens anew, the status shows it disconnected, and the
    // main window's failure handler gets the cause (it tells the operator once
    // per run of failures, see connectFailureReported).
    void reportFailure(const QString& cause);
    // Closes the connection if it is open; otherwise does nothing.
    void closeDatabase();
    // The schema revision of the database file at path, or of the live database
    // (local or server) when path is empty; 0 when it cannot be read. A file is
    // opened read-only on a connection of its own and never created, its
    // statement stopped as one on a file from outside is (an archive may come
    // from anywhere); the shared connection, its idle clock and the status are
    // then left as they are.
    qint32 getDBRevNumber(const QString& path);
    // The schema revision of the database file at path, read as
    // getDBRevNumber reads it; needs no shared connection.
    static qint32 fileRevision(const QString& path);

    // The idle keep-alive's check of the live database: its revision read, with
    // at most waitMs of waiting for a lock that another program holds (the
    // connection's own busy wait is back in force afterwards). A database locked
    // for longer is no failure: Locked, and the caller tries again later. A
    // failed open is reported as openDatabase does, a failed read is logged
    // (both Failed).
    enum class IdleCheck { Done, Locked, Failed };
    IdleCheck checkWhileIdle(int waitMs);

    // The shared connection; nullptr while closed. Valid until closeDatabase.
    platform::DbConnection* sharedConnection();

    // True after a failed open has been passed to the failure handler; cleared
    // by every successful open.
    bool connectFailureReported() const { return m_failureReported; }

    // How long a write waits for a lock another program holds on the database
    // before it fails (taken at the next open).
    int busyWaitMilliseconds() const { return m_busyWaitMs; }
    void setBusyWaitMilliseconds(int ms) { m_busyWaitMs = ms; }

    // The database the settings name now, as one text: "file <absolute path>"
    // or "server <host>:<port>/<database name>".
    QString liveDatabaseName() const;
    // Called with the connection after every open that connected anew (the
    // database is reachable again); an empty function removes it.
    void setConnectedHook(std::function<void(platform::DbConnection&)> hook);

    // The main window that hears of the connection's state; nullptr for none.
    void setConnectionObserver(DatabaseConnectionObserver* observer);
    // The idle clock (the main frame's dbConnTimeoutTimer); its tick is
    // connected to closeDatabase here. Until one is installed the connection
    // keeps a clock of its own.
    void setIdleClock(platform::Timer* timer);
    platform::Timer& idleClock();

private:
    void reportStatus(bool connected);
    void restartIdleClock();
    void connect(bool readOnly);
    void dropIfFileIsGone();
    platform::DbConnection& open(bool readOnly);

    const config::StationSettings& m_settings;
    std::unique_ptr<platform::DbConnection> m_connection;
    DatabaseConnectionObserver* m_observer = nullptr;
    QPointer<platform::Timer> m_idleClock;
    QMetaObject::Connection m_idleTick;
    bool m_ownIdleClock = false;
    std::function<void(platform::DbConnection&)> m_connectedHook;
    bool m_failureReported = false;
    int m_busyWaitMs = platform::DbConnection::DefaultBusyWaitMilliseconds;
};

using IdleCheck = ResultsDatabase::IdleCheck;

} // namespace results
