#include "results/ResultsDatabase.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/ConnectionText.h"
#include "results/DatabaseObserver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>

#include <memory>

namespace results {

namespace {

constexpr int kIdleMilliseconds = 60000;

std::unique_ptr<platform::DbConnection> g_connection;
DatabaseConnectionObserver* g_observer = nullptr;
QPointer<platform::Timer> g_idleClock;
QMetaObject::Connection g_idleTick;
bool g_ownIdleClock = false;
const config::StationSettings* g_settings = nullptr;
std::function<void(platform::DbConnection&)> g_connectedHook;

const config::StationSettings& settings()
{
    static const config::StationSettings defaults;
    return g_settings ? *g_settings : defaults;
}

void reportStatus(bool connected)
{
    if (g_observer)
        g_observer->setDatabaseStatus(settings().database.useLocalDatabase, connected);
}

void restartIdleClock()
{
    platform::Timer& clock = idleClock();
    clock.setEnabled(false);
    clock.setInterval(0);
    clock.setInterval(kIdleMilliseconds);
    clock.setEnabled(true);
}

void releaseAtExit()
{
    g_connection.reset();
}

// Opens a new connection with the settings in force now.
void connect(bool readOnly)
{
    // A connection still open when the program ends is released while the
    // application, and with it the database drivers, still stand.
    static const bool releaseRegistered = [] {
        if (QCoreApplication::instance())
            qAddPostRoutine(releaseAtExit);
        return true;
    }();
    Q_UNUSED(releaseRegistered);
    g_connection = std::make_unique<platform::DbConnection>();
    g_connection->setBusyWait(BusyWaitMilliseconds);
    if (settings().database.useLocalDatabase) {
        config::writeLog(QStringLiteral("Initiating connection to Local Database: ")
                         + ConnectionDescription::localText(settings().paths.databaseFile, readOnly));
        g_connection->openFile(settings().paths.databaseFile, readOnly);
    } else {
        config::writeLog(QStringLiteral("Initiating connection to SQL Database: ")
                         + ConnectionDescription::serverText(settings().database));
        g_connection->openServer(ConnectionDescription::serverAddress(settings().database));
    }
}

// A local file removed or moved away while open would take every later row
// with it into the void: the connection is given up and opened anew.
void dropIfFileIsGone()
{
    if (!g_connection || !g_connection->isOpen() || g_connection->backend() != platform::DbBackend::SQLite)
        return;
    if (QFileInfo::exists(g_connection->databaseName()))
        return;
    config::writeLog(QStringLiteral("Database file no longer found: ") + g_connection->databaseName());
    g_connection.reset();
}

platform::DbConnection& open(bool readOnly)
{
    try {
        restartIdleClock();
        dropIfFileIsGone();
        const bool wasOpen = g_connection && g_connection->isOpen();
        if (!wasOpen)
            connect(readOnly);
        connectFailureReported = false;
        if (!wasOpen)
            config::writeLog(QStringLiteral("Database connection successful"));
        reportStatus(true);
        if (!wasOpen && g_connectedHook)
            g_connectedHook(*g_connection);
        if (!g_connection) // given up by the hook
            throw platform::DbError(QStringLiteral("The database connection was lost"));
        return *g_connection;
    } catch (const platform::DbError& e) {
        g_connection.reset();
        config::writeLog(QStringLiteral("Database connection failed - Error Handler"));
        config::writeLog(QStringLiteral("Database error: ") + e.text());
        throw;
    }
}

} // namespace

void setSettings(const config::StationSettings* settings)
{
    g_settings = settings;
}

bool openDatabase(bool readOnly)
{
    try {
        open(readOnly);
        return true;
    } catch (const platform::DbError& e) {
        reportFailure(e.text());
        return false;
    }
}

platform::DbConnection& requireConnection()
{
    return open(false);
}

void reportFailure(const QString& cause)
{
    g_connection.reset();
    reportStatus(false);
    if (g_observer)
        g_observer->databaseConnectFailHandler(cause);
    connectFailureReported = true;
}

void closeDatabase()
{
    if (!g_connection || !g_connection->isOpen()) {
        g_connection.reset();
        return;
    }
    config::writeLog(QStringLiteral("Database connection closed"));
    idleClock().setEnabled(false);
    g_connection.reset();
}

qint32 getDBRevNumber(const QString& path)
{
    try {
        std::unique_ptr<platform::DbConnection> own;
        platform::DbConnection* connection = nullptr;
        // A path names a database file, whichever database is live.
        if (!path.isEmpty()) {
            own = std::make_unique<platform::DbConnection>();
            own->openFile(path, true);
            connection = own.get();
        } else {
            if (!openDatabase(false))
                return 0;
            connection = g_connection.get();
        }
        platform::DbRecordset rs = connection->execute(QStringLiteral("SELECT DBRevNumber FROM Version WHERE ID = 1"));
        if (rs.eof())
            return 0;
        return rs.value(QStringLiteral("DBRevNumber")).toInt();
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("GetDBRevNumber: ") + e.text());
        return 0;
    }
}

IdleCheck checkWhileIdle(int waitMs)
{
    // A connection opened for the check waits no longer either.
    const int busyWait = BusyWaitMilliseconds;
    BusyWaitMilliseconds = waitMs;
    const auto restore = qScopeGuard([busyWait] {
        BusyWaitMilliseconds = busyWait;
        if (platform::DbConnection* connection = sharedConnection()) {
            try {
                connection->setBusyWait(busyWait);
            } catch (const platform::DbError& e) {
                config::writeLog(QStringLiteral("Database error: ") + e.text());
            }
        }
    });
    platform::DbConnection* connection = nullptr;
    try {
        connection = &open(false);
        connection->setBusyWait(waitMs);
    } catch (const platform::DbError& e) {
        if (e.locked())
            return IdleCheck::Locked;
        reportFailure(e.text());
        return IdleCheck::Failed;
    }
    try {
        connection->execute(QStringLiteral("SELECT DBRevNumber FROM Version WHERE ID = 1"));
        return IdleCheck::Done;
    } catch (const platform::DbError& e) {
        if (e.locked())
            return IdleCheck::Locked;
        config::writeLog(QStringLiteral("GetDBRevNumber: ") + e.text());
        return IdleCheck::Failed;
    }
}

platform::DbConnection* sharedConnection()
{
    return g_connection && g_connection->isOpen() ? g_connection.get() : nullptr;
}

QString liveDatabaseName()
{
    const config::StationSettings& s = settings();
    if (s.database.useLocalDatabase)
        return QStringLiteral("file ") + QFileInfo(s.paths.databaseFile).absoluteFilePath();
    return QStringLiteral("server ") + s.database.serverHost + QLatin1Char(':') + s.database.serverInstance
           + QLatin1Char('/') + s.database.serverDatabaseName;
}

void setConnectedHook(std::function<void(platform::DbConnection&)> hook)
{
    g_connectedHook = std::move(hook);
}

void setConnectionObserver(DatabaseConnectionObserver* observer)
{
    g_observer = observer;
}

void setIdleClock(platform::Timer* timer)
{
    if (g_idleClock == timer)
        return;
    const bool wasRunning = g_idleClock && g_idleClock->isEnabled();
    QObject::disconnect(g_idleTick);
    if (g_ownIdleClock)
        delete g_idleClock.data();
    else if (g_idleClock)
        g_idleClock->setEnabled(false);
    g_idleClock = timer;
    g_ownIdleClock = false;
    if (timer) {
        g_idleTick = QObject::connect(timer, &platform::Timer::timeout, [] { closeDatabase(); });
        if (wasRunning)
            restartIdleClock();
    }
}

platform::Timer& idleClock()
{
    if (!g_idleClock) {
        setIdleClock(new platform::Timer(QCoreApplication::instance()));
        g_ownIdleClock = true;
    }
    return *g_idleClock;
}

} // namespace results
