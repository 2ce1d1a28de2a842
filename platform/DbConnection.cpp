#include "platform/DbConnection.h"

#include "platform/DbError.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace platform {

namespace {

QAtomicInteger<quint64> g_connectionCount;

const QByteArray kSQLiteHeader("SQLite format 3\0", 16);

// "SELECT @@IDENTITY [AS name]": the new key of the connection's last insert.
const QRegularExpression kIdentityQuery(
    QStringLiteral(R"(^\s*SELECT\s+@@IDENTITY(?:\s+AS\s+(\w+))?\s*;?\s*$)"),
    QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kInsert(QStringLiteral(R"re(^\s*INSERT\s+INTO\s+"?(\w+)"?)re"),
                                 QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kReturning(QStringLiteral(R"(\bRETURNING\b)"),
                                    QRegularExpression::CaseInsensitiveOption);

// Why a file cannot be opened as an SQLite database, or "" when it can be tried.
QString fileProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the file does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a database file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("the file cannot be read (%1)").arg(file.errorString());
    const QByteArray header = file.read(32);
    if (header.startsWith(kSQLiteHeader))
        return {};
    if (header.contains("Standard Jet DB") || header.contains("Standard ACE DB"))
        return QStringLiteral("it is a Jet database file, which must be converted before use");
    return QStringLiteral("the file is not a database file");
}

} // namespace

DbConnection::DbConnection()
    : m_name(QStringLiteral("zamo-db-%1").arg(++g_connectionCount)),
      m_dialect(&DbDialect::of(DbBackend::SQLite))
{
}

DbConnection::~DbConnection()
{
    close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

void DbConnection::fail(const QString& what, const QString& why)
{
    throw DbError(why.isEmpty() ? what : what + QStringLiteral(": ") + why);
}

void DbConnection::openDriver(DbBackend backend)
{
    close();
    m_dialect = &DbDialect::of(backend);
    m_lastInsertKey = 0;
    m_keyColumns.clear();
    const QString driver = QString::fromLatin1(m_dialect->qtDriver);
    if (!QSqlDatabase::isDriverAvailable(driver))
        fail(QStringLiteral("The database driver %1 is not installed").arg(driver), QString());
    if (!m_db.isValid())
        m_db = QSqlDatabase::addDatabase(driver, m_name);
    else if (m_db.driverName() != driver) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        m_db = QSqlDatabase::addDatabase(driver, m_name);
    }
}

void DbConnection::openFile(const QString& path, bool readOnly)
{
    const QString problem = fileProblem(path);
    if (!problem.isEmpty())
        fail(QStringLiteral("Cannot open database \"%1\"").arg(path), problem);
    openDriver(DbBackend::SQLite);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000")
                                    : QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!m_db.open())
        fail(QStringLiteral("Cannot open database \"%1\"").arg(path), m_db.lastError().text());
    // The header alone does not prove a sound file: read its catalogue.
    try {
        execute(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    } catch (const DbError& e) {
        close();
        fail(QStringLiteral("Cannot open database \"%1\"").arg(path), e.text());
    }
    // Commits go to a write-ahead log, each one still synced to disk: a
    // reading is recorded in a fraction of a millisecond. The file goes back
    // to a single file when the connection closes (see close).
    if (!readOnly) {
        execute(QStringLiteral("PRAGMA journal_mode=WAL"));
        m_writeAheadLog = true;
    }
}

void DbConnection::createFile(const QString& path)
{
    if (QFileInfo::exists(path))
        fail(QStringLiteral("Cannot create database \"%1\"").arg(path),
             QStringLiteral("a file of that name exists"));
    openDriver(DbBackend::SQLite);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QString());
    if (!m_db.open())
        fail(QStringLiteral("Cannot create database \"%1\"").arg(path), m_db.lastError().text());
}

void DbConnection::openServer(const DbServerAddress& address)
{
    openDriver(DbBackend::PostgreSQL);
    m_db.setHostName(address.host);
    m_db.setPort(address.port > 0 ? address.port : -1);
    m_db.setDatabaseName(address.database);
    m_db.setUserName(address.user);
    m_db.setPassword(address.password);
    m_db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(address.connectTimeoutSeconds));
    if (!m_db.open())
        fail(QStringLiteral("Cannot connect to database \"%1\" on server \"%2\"")
                 .arg(address.database, address.host),
             m_db.lastError().text());
    execute(QStringLiteral("SET client_min_messages TO WARNING"));
}

bool DbConnection::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

void DbConnection::close()
{
    m_inTransaction = false;
    if (!m_db.isValid() || !m_db.isOpen())
        return;
    if (m_writeAheadLog) {
        // Leaves one self-contained file, as copies and archives of it need.
        // Another program that has the file open keeps the log; that is no fault.
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        m_writeAheadLog = false;
    }
    m_db.close();
}

void DbConnection::requireOpen() const
{
    if (!isOpen())
        throw DbError(QStringLiteral("The database connection is closed"));
}

QString DbConnection::keyColumnOf(const QString& table)
{
    const QString lower = table.toLower();
    auto found = m_keyColumns.constFind(lower);
    if (found != m_keyColumns.constEnd())
        return *found;
    DbRecordset rs = execute(
        QStringLiteral("SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid "
                       "AND a.attnum = ANY(i.indkey) WHERE i.indrelid = to_regclass(?) AND i.indisprimary"),
        {DbParameter{QStringLiteral("table"), DbType::VarChar, -1, lower}});
    if (rs.recordCount() != 1)
        return {};   // no single key column: nothing to give back (not kept, the table may come)
    const QString key = rs.value(0).toString();
    m_keyColumns.insert(lower, key);
    return key;
}

DbRecordset DbConnection::execute(const QString& sql, const QList<DbParameter>& params)
{
    requireOpen();
    const QRegularExpressionMatch identity = kIdentityQuery.match(sql);
    if (identity.hasMatch()) {
        const QString alias = identity.captured(1).isEmpty() ? QStringLiteral("ID") : identity.captured(1);
        return DbRecordset::fromRows({alias}, {{QVariant(m_lastInsertKey)}});
    }

    QString text = sql.trimmed();
    const QRegularExpressionMatch insert = kInsert.match(text);
    bool readsKey = false;
    if (insert.hasMatch() && backend() == DbBackend::PostgreSQL && !kReturning.match(text).hasMatch()) {
        const QString key = keyColumnOf(insert.captured(1));
        if (!key.isEmpty()) {
            while (text.endsWith(';'))
                text.chop(1);
            text += QStringLiteral(" RETURNING ") + key;
            readsKey = true;
        }
    }

    QList<QVariant> values;
    values.reserve(params.size());
    for (const DbParameter& p : params)
        values << p.boundValue(*m_dialect);

    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    bool ok;
    if (values.isEmpty()) {
        ok = query.exec(text);
    } else {
        ok = query.prepare(text);
        if (ok) {
            for (const QVariant& v : values)
                query.addBindValue(v);
            ok = query.exec();
        }
    }
    if (!ok) {
        const QString why = query.lastError().text();
        query.finish();
        // A server that went away leaves a connection that only fails: close
        // it, so that the next open makes a new one.
        // (Inside a transaction every statement fails after the first failure.)
        if (backend() == DbBackend::PostgreSQL && !m_inTransaction
            && !QSqlQuery(m_db).exec(QStringLiteral("SELECT 1")))
            close();
        fail(QStringLiteral("Statement failed: %1").arg(sql.simplified().left(200)), why);
    }

    if (insert.hasMatch()) {
        if (readsKey) {
            if (query.next())
                m_lastInsertKey = query.value(0).toLongLong();
            return {};
        }
        if (backend() == DbBackend::SQLite) {
            const QVariant key = query.lastInsertId();
            if (key.isValid())
                m_lastInsertKey = key.toLongLong();
        }
    }
    if (!query.isSelect())
        return {};
    return DbRecordset::fromQuery(query);
}

void DbConnection::transaction()
{
    requireOpen();
    if (!m_db.transaction())
        fail(QStringLiteral("Cannot begin a transaction"), m_db.lastError().text());
    m_inTransaction = true;
}

void DbConnection::commit()
{
    requireOpen();
    m_inTransaction = false;
    if (!m_db.commit())
        fail(QStringLiteral("Cannot commit the transaction"), m_db.lastError().text());
}

void DbConnection::rollback()
{
    m_inTransaction = false;
    if (isOpen())
        m_db.rollback();
}

} // namespace platform
