#include "support/PgTestDatabase.h"

#include <QAtomicInteger>
#include <QCoreApplication>

namespace testsupport {

namespace {
QAtomicInteger<int> g_count;
}

bool PgTestDatabase::serverConfigured(QString* why)
{
    if (qEnvironmentVariableIsEmpty("ZAMO_TEST_PGHOST") || qEnvironmentVariableIsEmpty("ZAMO_TEST_PGUSER")) {
        if (why)
            *why = QStringLiteral("no PostgreSQL test server: ZAMO_TEST_PGHOST/ZAMO_TEST_PGUSER are not set "
                                  "(scripts/test.sh starts one when PostgreSQL is installed)");
        return false;
    }
    return true;
}

bool PgTestDatabase::required()
{
    return qEnvironmentVariable("CI") == QStringLiteral("true");
}

platform::DbServerAddress PgTestDatabase::serverAddress(const QString& database)
{
    platform::DbServerAddress a;
    a.host = qEnvironmentVariable("ZAMO_TEST_PGHOST");
    a.port = qEnvironmentVariable("ZAMO_TEST_PGPORT").toInt();
    a.user = qEnvironmentVariable("ZAMO_TEST_PGUSER");
    a.password = qEnvironmentVariable("ZAMO_TEST_PGPASSWORD");
    a.database = database;
    return a;
}

PgTestDatabase::PgTestDatabase()
    : m_name(QStringLiteral("zamo_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++g_count))
{
    runOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_name));
    runOnServer(QStringLiteral("CREATE DATABASE %1").arg(m_name));
}

PgTestDatabase::~PgTestDatabase()
{
    try {
        runOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (...) {
    }
}

platform::DbServerAddress PgTestDatabase::address() const
{
    return serverAddress(m_name);
}

void PgTestDatabase::runOnServer(const QString& sql)
{
    platform::DbConnection server;
    server.openServer(serverAddress(QStringLiteral("postgres")));
    server.execute(sql);
}

} // namespace testsupport
