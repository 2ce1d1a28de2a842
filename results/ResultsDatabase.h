#pragma once
// The station's one connection to its results database, opened on demand and
// shared. Every database routine calls openDatabase first and does nothing
// more when it returns false. Each openDatabase restarts the 60-second idle
// clock, whose tick closes the connection; a failed open is reported to the
// operator once per run of failures.

#include "config/StationSettings.h"
#include "platform/DbConnection.h"

#include <QString>

#include <functional>

namespace platform {
class Timer;
}

// True after a failed open has been passed to the failure handler; cleared
// by every successful open.
namespace results {

class DatabaseConnectionObserver;

inline bool connectFailureReported = false;

// How long a write waits for a lock another program holds on the database
// before it fails (taken at the next open).
inline int BusyWaitMilliseconds = platform::DbConnection::DefaultBusyWaitMilliseconds;

// The station's settings that the connection follows: [Database] and the
// database file's path, read at each open (nullptr: the defaults, no file).
// The caller keeps them alive while they are set.
void setSettings(const config::StationSettings* settings);

// Opens the connection when it is closed (the local database file of the
// settings when [Database] UseLocalDatabase, else the server of the
// [Database] settings), restarts the idle clock, and reports the
// state. True when the connection is open on return; a failure is reported
// as reportFailure does, with its cause.
bool openDatabase(bool readOnly);
// The same open for a caller that reports a failure itself: the open
// connection, or platform::DbError (logged, not reported).
platform::DbConnection& requireConnection();
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
// opened read-only on a connection of its own and never created; the shared
// connection, its idle clock and the status are then left as they are.
qint32 getDBRevNumber(const QString& path);

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

// The database the settings name now, as one text: "file <absolute path>"
// or "server <host>:<port>/<database name>".
QString liveDatabaseName();
// Called with the connection after every open that connected anew (the
// database is reachable again); an empty function removes it.
void setConnectedHook(std::function<void(platform::DbConnection&)> hook);

// The main window that hears of the connection's state; nullptr for none.
void setConnectionObserver(DatabaseConnectionObserver* observer);
// The idle clock (the main frame's dbConnTimeoutTimer); its tick is
// connected to closeDatabase here. Until one is installed the module keeps
// a clock of its own.
void setIdleClock(platform::Timer* timer);
platform::Timer& idleClock();

} // namespace results
