#include "results/ResultsDatabase.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/ConnectionText.h"
#include "results/DatabaseObserver.h"
#include "results/ResultsSchema.h"

#include <QFileInfo>
#include <QScopeGuard>

namespace results {

namespace {

constexpr int kIdleMilliseconds = 60000;

} // namespace

ResultsDatabase::ResultsDatabase(const config::StationSettings& settings) : m_settings(settings) {}

ResultsDatabase::~ResultsDatabase()
{
    QObject::disconnect(m_idleTick);
    if (m_ownIdleClock)
        delete m_idleClock.data();
    m_connection.reset();
}

void ResultsDatabase::reportStatus(bool connected)
{
    if (m_observer)
        m_observer->setDatabaseStatus(m_settings.database.useLocalDatabase, connected);
}

void ResultsDatabase::restartIdleClock()
{
    platform::Timer& clock = idleClock();
    clock.setEnabled(false);
    clock.setInterval(0);
    clock.setInterval(kIdleMilliseconds);
    clock.setEnabled(true);
}

// Opens a new connection with the settings in force now.
void ResultsDatabase::connect(bool readOnly)
{
    m_connection = std::make_unique<platform::DbConnection>();
    m_connection->setBusyWait(m_busyWaitMs);
    if (m_settings.database.useLocalDatabase) {
        config::writeLog(QStringLiteral("Initiating connection to Local Database: ")
                         + ConnectionDescription::localText(m_settings.paths.databaseFile, readOnly));
        m_connection->openFile(m_settings.paths.databaseFile, readOnly);
    } else {
        config::writeLog(QStringLiteral("Initiating connection to SQL Database: ")
                         + ConnectionDescription::serverText(m_settings.database));
        m_connection->openServer(ConnectionDescription::serverAddress(m_settings.database));
    }
}

// A local file removed or moved away while open would take every later row
// with it into the void: the connection is given up and opened anew.
void ResultsDatabase::dropIfFileIsGone()
{
    if (!m_connection || !m_connection->isOpen() || m_connection->backend() != platform::DbBackend::SQLite)
        return;
    if (QFileInfo::exists(m_connection->databaseName()))
        return;
    config::writeLog(QStringLiteral("Database file no longer found: ") + m_connection->databaseName());
    m_connection.reset();
}

platform::DbConnection& ResultsDatabase::open(bool readOnly)
{
    try {
        restartIdleClock();
        dropIfFileIsGone();
        const bool wasOpen = m_connection && m_connection->isOpen();
        if (!wasOpen)
            connect(readOnly);
        m_failureReported = false;
        if (!wasOpen)
            config::writeLog(QStringLiteral("Database connection successful"));
        reportStatus(true);
        if (!wasOpen && m_connectedHook)
            m_connectedHook(*m_connection);
        if (!m_connection) // given up by the hook
            throw platform::DbError(QStringLiteral("The database connection was lost"));
        return *m_connection;
    } catch (const platform::DbError& e) {
        m_connection.reset();
        config::writeLog(QStringLiteral("Database connection failed - Error Handler"));
        config::writeLog(QStringLiteral("Database error: ") + e.text());
        throw;
    }
}

bool ResultsDatabase::openDatabase(bool readOnly)
{
    try {
        open(readOnly);
        return true;
    } catch (const platform::DbError& e) {
        reportFailure(e.text());
        return false;
    }
}

platform::DbConnection& ResultsDatabase::requireConnection()
{
    return open(false);
}

platform::DbConnection* ResultsDatabase::openedConnection()
{
    return openDatabase(false) ? sharedConnection() : nullptr;
}

void ResultsDatabase::reportFailure(const QString& cause)
{
    m_connection.reset();
    reportStatus(false);
    if (m_observer)
        m_observer->databaseConnectFailHandler(cause);
    m_failureReported = true;
}

void ResultsDatabase::closeDatabase()
{
    if (!m_connection || !m_connection->isOpen()) {
        m_connection.reset();
        return;
    }
    config::writeLog(QStringLiteral("Database connection closed"));
    idleClock().setEnabled(false);
    m_connection.reset();
}

qint32 ResultsDatabase::getDBRevNumber(const QString& path)
{
    // A path names a database file, whichever database is live.
    if (!path.isEmpty())
        return fileRevision(path);
    try {
        if (!openDatabase(false))
            return 0;
        return ResultsSchema::readRevision(*m_connection);
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("GetDBRevNumber: ") + e.text());
        return 0;
    }
}

qint32 ResultsDatabase::fileRevision(const QString& path)
{
    try {
        platform::DbConnection own;
        own.setStatementTimeLimit(platform::DbConnection::OutsideFileTimeLimitMilliseconds);
        own.openFile(path, true);
        return ResultsSchema::readRevision(own);
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("GetDBRevNumber: ") + e.text());
        return 0;
    }
}

ResultsDatabase::IdleCheck ResultsDatabase::checkWhileIdle(int waitMs)
{
    // A connection opened for the check waits no longer either.
    const int busyWait = m_busyWaitMs;
    m_busyWaitMs = waitMs;
    const auto restore = qScopeGuard([this, busyWait] {
        m_busyWaitMs = busyWait;
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

platform::DbConnection* ResultsDatabase::sharedConnection()
{
    return m_connection && m_connection->isOpen() ? m_connection.get() : nullptr;
}

QString ResultsDatabase::liveDatabaseName() const
{
    const config::StationSettings& s = m_settings;
    if (s.database.useLocalDatabase)
        return QStringLiteral("file ") + QFileInfo(s.paths.databaseFile).absoluteFilePath();
    return QStringLiteral("server ") + s.database.serverHost + QLatin1Char(':') + s.database.serverInstance
           + QLatin1Char('/') + s.database.serverDatabaseName;
}

void ResultsDatabase::setConnectedHook(std::function<void(platform::DbConnection&)> hook)
{
    m_connectedHook = std::move(hook);
}

void ResultsDatabase::setConnectionObserver(DatabaseConnectionObserver* observer)
{
    m_observer = observer;
}

void ResultsDatabase::setIdleClock(platform::Timer* timer)
{
    if (m_idleClock == timer)
        return;
    const bool wasRunning = m_idleClock && m_idleClock->isEnabled();
    QObject::disconnect(m_idleTick);
    if (m_ownIdleClock)
        delete m_idleClock.data();
    else if (m_idleClock)
        m_idleClock->setEnabled(false);
    m_idleClock = timer;
    m_ownIdleClock = false;
    if (timer) {
        m_idleTick = QObject::connect(timer, &platform::Timer::timeout, [this] { closeDatabase(); });
        if (wasRunning)
            restartIdleClock();
    }
}

platform::Timer& ResultsDatabase::idleClock()
{
    if (!m_idleClock) {
        setIdleClock(new platform::Timer());
        m_ownIdleClock = true;
    }
    return *m_idleClock;
}

} // namespace results
