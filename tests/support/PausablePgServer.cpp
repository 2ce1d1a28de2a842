#include "support/PausablePgServer.h"

#include <QProcess>
#include <QStringList>

namespace testsupport {

PausablePgServer::PausablePgServer(const QString& script) : m_script(script)
{
    QString output;
    if (!call(QStringLiteral("pg_test_server_start >&2 && printf '%s\\n' \"$PG_TEST_DIR\" \"$PG_TEST_BINDIR\" "
                             "\"$ZAMO_TEST_PGPORT\" \"$ZAMO_TEST_PGPASSWORD\""),
              &output))
        return;
    const QStringList lines = output.split(QLatin1Char('\n'));
    if (lines.size() < 4) {
        m_why = QStringLiteral("the server gave no address: ") + output;
        return;
    }
    m_dir = lines[0];
    m_bindir = lines[1];
    m_password = lines[3];
    m_port = lines[2].toInt();
}

PausablePgServer::~PausablePgServer()
{
    if (!m_dir.isEmpty())
        call(QStringLiteral("pg_test_server_stop"));
}

platform::DbServerAddress PausablePgServer::address(const QString& database) const
{
    platform::DbServerAddress a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = m_port;
    a.database = database;
    a.user = QStringLiteral("zamo_test");
    a.password = m_password;
    a.connectTimeoutSeconds = 2;
    return a;
}

platform::DbServerAddress PausablePgServer::newDatabase(const QString& name)
{
    platform::DbConnection admin;
    admin.openServer(address());
    admin.execute(QStringLiteral("CREATE DATABASE ") + name);
    return address(name);
}

bool PausablePgServer::pause()
{
    return call(QStringLiteral("pg_test_server_pause"));
}

bool PausablePgServer::resume()
{
    return call(QStringLiteral("pg_test_server_resume"));
}

bool PausablePgServer::call(const QString& function, QString* output)
{
    QProcess shell;
    // The script's state travels in its variables: given for every call.
    shell.start(QStringLiteral("bash"),
                {QStringLiteral("-c"),
                 QStringLiteral("source \"$1\" && PG_TEST_DIR=$2 PG_TEST_BINDIR=$3 ZAMO_TEST_PGPORT=$4 && ") + function,
                 QStringLiteral("bash"), m_script, m_dir, m_bindir, QString::number(m_port)});
    if (!shell.waitForFinished(120000) || shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0) {
        m_why = function + QStringLiteral(": ") + QString::fromLocal8Bit(shell.readAllStandardError()).trimmed();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(shell.readAllStandardOutput());
    return true;
}

} // namespace testsupport
