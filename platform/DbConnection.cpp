#include "platform/DbConnection.h"

#include "platform/DbError.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

QAtomicInteger<quint64> g_connectionCount;

DbConnection::StatementObserver& statementObserver()
{
    static DbConnection::StatementObserver observer;
    return observer;
}

// The statements whose values a connection keeps at most (the few counts of
// the report lists): beyond, it forgets them all and starts again.
constexpr qsizetype kMaxCurrentValues = 64;

const QByteArray kSQLiteHeader("SQLite format 3\0", 16);

// "SELECT @@IDENTITY [AS name]": the new key of the connection's last insert.
const QRegularExpression kIdentityQuery(QStringLiteral(R"(^\s*SELECT\s+@@IDENTITY(?:\s+AS\s+(\w+))?\s*;?\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kInsert(QStringLiteral(R"re(^\s*INSERT\s+INTO\s+"?(\w+)"?)re"),
                                 QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kReturning(QStringLiteral(R"(\bRETURNING\b)"), QRegularExpression::CaseInsensitiveOption);

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why a file cannot be opened as an SQLite database, or "" when it can be
// tried. A read-write open also needs the file and its folder writable: the
// journal of each write goes beside the file. *writeAhead: the file is in
// write-ahead mode (its header's read and write versions are 2).
QString fileProblem(const QString& path, bool readOnly, bool* writeAhead)
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
    if (header.contains("Standard Jet DB") || header.contains("Standard ACE DB"))
        return QStringLiteral("it is a Jet database file, which must be converted before use");
    if (!header.startsWith(kSQLiteHeader))
        return QStringLiteral("the file is not a database file");
    *writeAhead = header.size() > 19 && header.at(18) == 2 && header.at(19) == 2;
    if (readOnly)
        return {};
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return QStringLiteral("the file is read-only (%1), and the station must write its results to it")
            .arg(systemError(errno));
    const QString folder = info.absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("its folder \"%1\" cannot be written (%2), and each write keeps its journal file there")
            .arg(folder, systemError(errno));
    return {};
}

// The database's own words for a failure, else the driver's: the first
// line of a server's message, without its severity or the statement it
// quotes.
QString describe(const QSqlError& error)
{
    static const QRegularExpression severity(QStringLiteral("\\b(ERROR|FATAL|PANIC):\\s+"));
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text.section(QLatin1Char('\n'), 0, 0).trimmed().remove(severity);
}

// True when the database refused because another program holds a lock:
// SQLite's busy and locked results (with their extended codes), a
// server's lock time-out.
bool isLockRefusal(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("55P03"))
        return true;
    bool number = false;
    const int value = code.toInt(&number);
    constexpr int Busy = 5, Locked = 6;
    return number && ((value & 0xff) == Busy || (value & 0xff) == Locked);
}

DbFailure lockFailure(const QSqlError& error)
{
    return isLockRefusal(error) ? DbFailure::Locked : DbFailure::Other;
}

// The statement that writes one row and gives back its key; its values are
// appended to params in the order of their "?".
QString rowStatement(const DbRowWrite& row, QList<DbParameter>& params)
{
    QStringList columns;
    for (const auto& [column, value] : row.values) {
        columns << DbDialect::column(column);
        params << value;
    }
    const QString key = DbDialect::column(row.keyColumn);
    if (row.key == 0) {
        if (columns.isEmpty())
            return QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2").arg(row.table, key);
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
            .arg(row.table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")), key);
    }
    if (columns.isEmpty())
        throw DbError(QStringLiteral("Nothing to write to row %1 of %2").arg(row.key).arg(row.table));
    params << DbParameter{row.keyColumn, DbType::Integer, 0, row.key};
    return QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ? RETURNING %3")
        .arg(row.table, columns.join(QStringLiteral(" = ?, ")), key);
}

} // namespace

DbConnection::DbConnection()
    : m_name(QStringLiteral("zamo-db-%1").arg(++g_connectionCount)), m_dialect(&DbDialect::of(DbBackend::SQLite))
{
}

DbConnection::~DbConnection()
{
    close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

void DbConnection::fail(const QString& what, const QString& why, DbFailure failure)
{
    throw DbError(what, why, failure);
}

QString DbConnection::databaseName() const
{
    if (backend() == DbBackend::SQLite)
        return m_fileName;
    return m_db.isValid() ? m_db.databaseName() : QString();
}

void DbConnection::setStatementTimeLimit(int milliseconds)
{
    m_timeLimit->setMilliseconds(milliseconds);
    if (isOpen())
        m_timeLimit->watch(m_db);
}

void DbConnection::setBusyWait(int milliseconds)
{
    m_busyWaitMs = milliseconds;
    if (!isOpen())
        return;
    execute(backend() == DbBackend::SQLite ? QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds)
                                           : QStringLiteral("SET lock_timeout = %1").arg(milliseconds));
}

void DbConnection::openDriver(DbBackend backend)
{
    close();
    m_dialect = &DbDialect::of(backend);
    m_lastInsertKey = 0;
    m_keyColumns.clear();
    m_currentValues.clear();
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
    const QString what = QStringLiteral("Cannot open database \"%1\"").arg(path);
    bool writeAhead = false;
    const QString problem = fileProblem(path, readOnly, &writeAhead);
    if (!problem.isEmpty())
        fail(what, problem);
    openDriver(DbBackend::SQLite);
    m_fileName = path;
    m_db.setDatabaseName(path);
    const QString busyWait = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyWaitMs);
    m_db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") + busyWait : busyWait);
    if (readOnly && writeAhead) {
        // Reading a file in write-ahead mode takes its log and a shared-memory
        // file beside it, which SQLite makes when they are missing (and
        // cannot make in a folder it may not write). With no log, or an
        // empty one, the file holds every change: it is read as it stands,
        // making nothing. A log with changes is read only where the
        // program that wrote it left its shared-memory file too.
        const QFileInfo log(path + QStringLiteral("-wal"));
        if (!log.exists() || log.size() == 0) {
            QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
            uri.setQuery(QStringLiteral("immutable=1"));
            m_db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
            m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;") + busyWait);
        } else if (!QFileInfo::exists(path + QStringLiteral("-shm"))) {
            fail(what, QStringLiteral("it is in write-ahead mode and changes to it wait in \"%1\", which cannot be "
                                      "read without making a shared-memory file beside it; the program that wrote "
                                      "them brings them into the file when it closes it")
                           .arg(log.fileName()));
        }
    }
    if (!m_db.open())
        fail(what, describe(m_db.lastError()));
    m_timeLimit->watch(m_db);
    try {
        // The header alone does not prove a sound file: read its catalogue.
        execute(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        if (!readOnly) {
            // A file that an earlier program left in write-ahead mode goes
            // back to a single file, unless another program has it open so;
            // then close() folds the log into the file. Not waited for.
            execute(QStringLiteral("PRAGMA busy_timeout = 0"));
            try {
                execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
            } catch (const DbError&) {
            }
            m_writeAheadLog = journalMode() == QLatin1String("wal");
            // Each commit is synced, and so is the folder once the journal is
            // gone: a commit is kept even when the power fails right after.
            execute(QStringLiteral("PRAGMA synchronous = EXTRA"));
            execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(m_busyWaitMs));
        }
    } catch (const DbError& e) {
        close();
        fail(what, e.cause(), e.failure());
    }
}

void DbConnection::createFile(const QString& path)
{
    if (QFileInfo::exists(path))
        fail(QStringLiteral("Cannot create database \"%1\"").arg(path), QStringLiteral("a file of that name exists"));
    openDriver(DbBackend::SQLite);
    m_fileName = path;
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QString());
    if (!m_db.open())
        fail(QStringLiteral("Cannot create database \"%1\"").arg(path), describe(m_db.lastError()));
    m_timeLimit->watch(m_db);
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
        fail(QStringLiteral("Cannot connect to database \"%1\" on server \"%2\"").arg(address.database, address.host),
             describe(m_db.lastError()));
    execute(QStringLiteral("SET client_min_messages TO WARNING"));
    // A table that another program keeps locked fails a write after the
    // busy wait, as on a database file, rather than holding the station.
    execute(QStringLiteral("SET lock_timeout = %1").arg(m_busyWaitMs));
}

bool DbConnection::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

void DbConnection::close()
{
    m_inTransaction = false;
    m_currentValues.clear();
    m_keptStatements.clear();
    if (!m_db.isValid() || !m_db.isOpen())
        return;
    if (m_writeAheadLog) {
        // Everything committed goes into the file itself, as copies and
        // archives of it need; then the file leaves write-ahead mode if no
        // other program has it open.
        m_timeLimit->start();
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
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
    DbRecordset rs =
        execute(QStringLiteral("SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid "
                               "AND a.attnum = ANY(i.indkey) WHERE i.indrelid = to_regclass(?) AND i.indisprimary"),
                {DbParameter{QStringLiteral("table"), DbType::VarChar, -1, lower}});
    if (rs.recordCount() != 1)
        return {}; // no single key column: nothing to give back (not kept, the table may come)
    const QString key = rs.value(0).toString();
    m_keyColumns.insert(lower, key);
    return key;
}

QList<QVariant> DbConnection::observedValues(const QString& sql, const QList<DbParameter>& params) const
{
    QList<QVariant> values;
    values.reserve(params.size());
    for (const DbParameter& p : params)
        values << p.boundValue(*m_dialect);
    if (const StatementObserver& observer = statementObserver())
        observer(*this, sql, values);
    return values;
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

    QSqlQuery query = run(text, params, sql);
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
    return rowsOf(query, sql);
}

DbRecordset DbConnection::rowsOf(QSqlQuery& query, const QString& sql)
{
    DbRecordset rows = DbRecordset::fromQuery(query);
    if (query.lastError().isValid()) // a row after the first failed
        failStatement(query, sql);
    return rows;
}

QSqlQuery DbConnection::run(const QString& text, const QList<DbParameter>& params, const QString& sql)
{
    const QList<QVariant> values = observedValues(text, params);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    bool ok;
    m_timeLimit->start();
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
    if (!ok)
        failStatement(query, sql);
    return query;
}

DbRowReader DbConnection::read(const QString& sql, const QList<DbParameter>& params)
{
    requireOpen();
    return DbRowReader(run(sql, params, sql), m_timeLimit);
}

QVariant DbConnection::currentValue(const QString& sql)
{
    const QString mark = changeMark();
    if (!mark.isEmpty()) {
        const auto kept = m_currentValues.constFind(sql);
        if (kept != m_currentValues.cend() && kept->first == mark)
            return kept->second;
    }
    const DbRecordset rs = execute(sql);
    const QVariant value = rs.eof() || rs.fieldCount() == 0 ? QVariant() : rs.value(0);
    if (!mark.isEmpty()) {
        if (m_currentValues.size() >= kMaxCurrentValues)
            m_currentValues.clear();
        m_currentValues.insert(sql, {mark, value});
    }
    return value;
}

QString DbConnection::changeMark()
{
    requireOpen();
    if (m_inTransaction)
        return {};
    // SQLite: the version of the file that the connection last read (it
    // moves with every commit of another connection), the schema's version,
    // and the rows this connection has changed since it opened. PostgreSQL:
    // the transactions committed, and those still running; equal sets mean
    // the same rows.
    const QString sql = backend() == DbBackend::SQLite
                            ? QStringLiteral("SELECT (SELECT data_version FROM pragma_data_version()) || ' ' || "
                                             "(SELECT schema_version FROM pragma_schema_version()) || ' ' || "
                                             "total_changes()")
                            : QStringLiteral("SELECT CAST(pg_current_snapshot() AS TEXT)");
    try {
        return executeKept(sql).value(0).toString();
    } catch (const DbError&) {
        return {}; // an older server: every value is read afresh
    }
}

void DbConnection::setStatementObserver(StatementObserver observer)
{
    statementObserver() = std::move(observer);
}

void DbConnection::failStatement(QSqlQuery& query, const QString& sql)
{
    const bool overTime = m_timeLimit->stopped();
    const QString why = overTime ? m_timeLimit->cause() : describe(query.lastError());
    const DbFailure failure = overTime ? DbFailure::OverTime : lockFailure(query.lastError());
    query.finish();
    // (Inside a transaction every statement fails after the first
    // failure: the caller's rollback looks at the connection.)
    if (!m_inTransaction)
        closeIfServerGone();
    fail(QStringLiteral("Statement failed: %1").arg(sql.simplified().left(200)), why, failure);
}

QSqlQuery& DbConnection::keptStatement(const QString& sql)
{
    auto found = m_keptStatements.find(sql);
    if (found != m_keptStatements.end())
        return *found;
    if (m_keptStatements.size() >= MaxKeptStatements)
        m_keptStatements.clear();
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        failStatement(query, sql);
    return *m_keptStatements.insert(sql, query);
}

DbRecordset DbConnection::executeKept(const QString& sql, const QList<DbParameter>& params)
{
    requireOpen();
    const QList<QVariant> values = observedValues(sql, params);
    m_timeLimit->start();
    QSqlQuery& query = keptStatement(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        failStatement(query, sql);
    DbRecordset rows = rowsOf(query, sql);
    query.finish(); // done with: the statement holds no lock until its next use
    return rows;
}

void DbConnection::closeIfServerGone()
{
    if (isOpen() && backend() == DbBackend::PostgreSQL && !QSqlQuery(m_db).exec(QStringLiteral("SELECT 1")))
        close();
}

QString DbConnection::journalMode()
{
    return execute(QStringLiteral("PRAGMA journal_mode")).value(0).toString().toLower();
}

QList<qint64> DbConnection::writeRows(const QList<DbRowWrite>& rows)
{
    requireOpen();
    QSet<QString> changed;
    QStringList statements;
    QList<QList<DbParameter>> params;
    bool updates = false;
    for (const DbRowWrite& row : rows) {
        if (row.key != 0) {
            updates = true;
            const QString id = row.table.toLower() + QLatin1Char(' ') + QString::number(row.key);
            if (changed.contains(id))
                throw DbError(
                    QStringLiteral("Row %1 of %2 is written twice in one set of rows").arg(row.key).arg(row.table));
            changed.insert(id);
        }
        params << QList<DbParameter>();
        statements << rowStatement(row, params.last());
    }
    if (rows.isEmpty())
        return {};

    QList<qint64> keys;
    bool began = false;
    try {
        if (backend() == DbBackend::SQLite) {
            transaction();
            began = true;
            for (int i = 0; i < statements.size(); ++i) {
                const DbRecordset written = executeKept(statements[i], params[i]);
                keys << (written.eof() ? 0 : written.value(0).toLongLong());
            }
        } else {
            // One statement: each write is a part of its WITH, and the keys
            // come back as one row. Only a set that changes existing rows
            // needs a transaction, to be undone when one of them is gone.
            if (updates) {
                transaction();
                began = true;
            }
            QStringList parts;
            QStringList picks;
            QList<DbParameter> all;
            for (int i = 0; i < statements.size(); ++i) {
                parts << QStringLiteral("w%1 AS (%2)").arg(QString::number(i), statements[i]);
                picks << QStringLiteral("(SELECT %1 FROM w%2)")
                             .arg(DbDialect::column(rows[i].keyColumn), QString::number(i));
                all += params[i];
            }
            const DbRecordset written = executeKept(QStringLiteral("WITH ") + parts.join(QStringLiteral(", "))
                                                        + QStringLiteral(" SELECT ") + picks.join(QStringLiteral(", ")),
                                                    all);
            for (int i = 0; i < statements.size(); ++i)
                keys << (written.eof() ? 0 : written.value(i).toLongLong());
        }
        for (int i = 0; i < rows.size(); ++i)
            if (keys[i] == 0)
                throw DbError(QStringLiteral("Cannot write to %1").arg(rows[i].table),
                              QStringLiteral("its row %1 no longer exists").arg(rows[i].key));
        if (began)
            commit();
    } catch (const DbError&) {
        if (began)
            rollback();
        closeIfServerGone();
        throw;
    }
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].key == 0)
            m_lastInsertKey = keys[i];
    return keys;
}

void DbConnection::transaction()
{
    requireOpen();
    m_timeLimit->start();
    if (!m_db.transaction())
        fail(QStringLiteral("Cannot begin a transaction"), describe(m_db.lastError()), lockFailure(m_db.lastError()));
    m_inTransaction = true;
}

void DbConnection::commit()
{
    requireOpen();
    m_inTransaction = false;
    m_timeLimit->start();
    if (!m_db.commit())
        fail(QStringLiteral("Cannot commit the transaction"), describe(m_db.lastError()),
             lockFailure(m_db.lastError()));
}

void DbConnection::rollback()
{
    m_inTransaction = false;
    if (isOpen()) {
        m_timeLimit->start();
        m_db.rollback();
    }
}

} // namespace platform
