#include "viewer/ViewerDatabase.h"

#include "platform/DbError.h"
#include "results/ConnectionText.h"
#include "results/ResultsSchema.h"
#include "results/SchemaUpgrades.h"

#include <QStringList>

namespace viewer {

namespace {

// The repair's lines and progress go nowhere: the viewer shows no upgrade
// window and keeps no log; its lines say why a repair failed.
class QuietRepair : public results::SchemaUpgradeObserver {
public:
    void progress(int) override {}
    void letEventsRun() override {}
    void log(const QString& line) override { lines << line; }
    void windowShown() override {}
    void windowClosed() override {}
    QStringList lines;
};

void tell(QString* why, const QString& text)
{
    if (why)
        *why = text;
}

} // namespace

ViewerDatabase::ViewerDatabase()
{
    m_idle.setInterval(IdleMilliseconds);
    QObject::connect(&m_idle, &platform::Timer::timeout, [this] { close(); });
}

ViewerDatabase::~ViewerDatabase() = default;

void ViewerDatabase::chooseFile(const QString& path)
{
    close();
    m_filePath = path;
    m_refusal.clear();
    m_server = false;
}

void ViewerDatabase::refuse(const QString& why)
{
    close();
    m_refusal = why;
}

bool ViewerDatabase::connectServer(const ServerLogOn& logOn, QString* why)
{
    const ServerLogOn before = m_logOn;
    close();
    m_logOn = logOn;
    if (!open(true, why)) {
        m_logOn = before;
        return false;
    }
    m_server = true;
    m_refusal.clear();
    return true;
}

platform::DbServerAddress ViewerDatabase::serverAddress() const
{
    return results::ConnectionDescription::serverAddress(m_logOn.host, m_logOn.instance, m_logOn.databaseName,
                                                         m_logOn.username, m_logOn.password);
}

platform::DbConnection* ViewerDatabase::connection(QString* why)
{
    return open(m_server, why);
}

platform::DbConnection* ViewerDatabase::open(bool server, QString* why)
{
    m_idle.stop();
    m_idle.setInterval(IdleMilliseconds);
    m_idle.start();
    if (isOpen())
        return m_connection.get();
    if (!server && m_filePath.isEmpty()) {
        tell(why, QStringLiteral("No database has been chosen"));
        return nullptr;
    }
    if (!server && refused()) {
        tell(why, m_refusal);
        return nullptr;
    }
    auto connection = std::make_unique<platform::DbConnection>();
    connection->setStatementTimeLimit(platform::DbConnection::OutsideFileTimeLimitMilliseconds);
    try {
        if (server)
            connection->openServer(serverAddress());
        else
            connection->openFile(m_filePath, true);
    } catch (const platform::DbError& e) {
        tell(why, e.text());
        return nullptr;
    }
    m_connection = std::move(connection);
    return m_connection.get();
}

void ViewerDatabase::close()
{
    m_idle.stop();
    m_connection.reset();
}

bool ViewerDatabase::isOpen() const
{
    return m_connection && m_connection->isOpen();
}

int ViewerDatabase::revision(QString* why)
{
    platform::DbConnection* db = connection(why);
    if (!db)
        return 0;
    try {
        return results::ResultsSchema::readRevision(*db);
    } catch (const platform::DbError& e) {
        if (e.overTime() && !m_server)
            refuse(e.cause());
        tell(why, e.overTime() ? e.cause() : e.text());
        return 0;
    }
}

bool ViewerDatabase::repairLegacyDemoModeColumn(QString* why)
{
    if (m_server || revision() != 10)
        return true;
    QuietRepair quiet;
    if (!results::SchemaUpgrades(*m_connection, quiet)
             .columnExists(QStringLiteral("TestGroups"), QStringLiteral("VadovMode")))
        return true;
    close();
    platform::DbConnection writable;
    writable.setStatementTimeLimit(platform::DbConnection::OutsideFileTimeLimitMilliseconds);
    try {
        writable.openFile(m_filePath, false);
    } catch (const platform::DbError& e) {
        tell(why, e.text());
        return false;
    }
    if (results::SchemaUpgrades(writable, quiet).repairLegacyDemoModeColumn())
        return true;
    tell(why, quiet.lines.join(QLatin1Char('\n')));
    return false;
}

results::ReportListSource ViewerDatabase::lists()
{
    return results::ReportListSource([this] { return connection(); }, !m_server);
}

} // namespace viewer
