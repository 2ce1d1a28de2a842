#include "results/ResultsDatabase.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/ConnectionText.h"
#include "results/DatabaseObserver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

#include <memory>

namespace modDatabase {

namespace {

constexpr int kIdleMilliseconds = 60000;

std::unique_ptr<platform::DbConnection> g_connection;
DatabaseConnectionObserver* g_observer = nullptr;
QPointer<platform::Timer> g_idleClock;
QMetaObject::Connection g_idleTick;
bool g_ownIdleClock = false;
const config::StationSettings* g_settings = nullptr;

const config::StationSettings& settings()
{
    static const config::StationSettings defaults;
    return g_settings ? *g_settings : defaults;
}

void reportStatus(bool connected)
{
    if (g_observer)
        g_observer->SetDatabaseStatus(settings().database.useLocalDatabase, connected);
}

void restartIdleClock()
{
    platform::Timer& clock = IdleClock();
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
        modMain::WriteLog(QStringLiteral("Initiating connection to Local Database: ")
                          + ConnectionDescription::LocalText(settings().paths.databaseFile, readOnly));
        g_connection->openFile(settings().paths.databaseFile, readOnly);
    } else {
        modMain::WriteLog(QStringLiteral("Initiating connection to SQL Database: ")
                          + ConnectionDescription::ServerText(settings().database));
        g_connection->openServer(ConnectionDescription::ServerAddress(settings().database));
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
    modMain::WriteLog(QStringLiteral("Database file no longer found: ") + g_connection->databaseName());
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
        ConnectFailureReported = false;
        if (!wasOpen)
            modMain::WriteLog(QStringLiteral("Database connection successful"));
        reportStatus(true);
        return *g_connection;
    } catch (const platform::DbError& e) {
        g_connection.reset();
        modMain::WriteLog(QStringLiteral("Database connection failed - Error Handler"));
        modMain::WriteLog(QStringLiteral("Database error: ") + e.text());
        throw;
    }
}

} // namespace

void SetSettings(const config::StationSettings* settings)
{
    g_settings = settings;
}

bool OpenDatabase(bool readOnly)
{
    try {
        open(readOnly);
        return true;
    } catch (const platform::DbError& e) {
        ReportFailure(e.text());
        return false;
    }
}

platform::DbConnection& RequireConnection()
{
    return open(false);
}

void ReportFailure(const QString& cause)
{
    g_connection.reset();
    reportStatus(false);
    if (g_observer)
        g_observer->DatabaseConnectFailHandler(cause);
    ConnectFailureReported = true;
}

void CloseDatabase()
{
    if (!g_connection || !g_connection->isOpen()) {
        g_connection.reset();
        return;
    }
    modMain::WriteLog(QStringLiteral("Database connection closed"));
    IdleClock().setEnabled(false);
    g_connection.reset();
}

qint32 GetDBRevNumber(const QString& path)
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
            if (!OpenDatabase(false))
                return 0;
            connection = g_connection.get();
        }
        platform::DbRecordset rs =
            connection->execute(QStringLiteral("SELECT DBRevNumber FROM Version WHERE ID = 1"));
        if (rs.eof())
            return 0;
        return rs.value(QStringLiteral("DBRevNumber")).toInt();
    } catch (const platform::DbError& e) {
        modMain::WriteLog(QStringLiteral("GetDBRevNumber: ") + e.text());
        return 0;
    }
}

platform::DbConnection* SharedConnection()
{
    return g_connection && g_connection->isOpen() ? g_connection.get() : nullptr;
}

void SetConnectionObserver(DatabaseConnectionObserver* observer)
{
    g_observer = observer;
}

void SetIdleClock(platform::Timer* timer)
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
        g_idleTick = QObject::connect(timer, &platform::Timer::timeout, [] { CloseDatabase(); });
        if (wasRunning)
            restartIdleClock();
    }
}

platform::Timer& IdleClock()
{
    if (!g_idleClock) {
        SetIdleClock(new platform::Timer(QCoreApplication::instance()));
        g_ownIdleClock = true;
    }
    return *g_idleClock;
}

} // namespace modDatabase
