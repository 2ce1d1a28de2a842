#pragma once
// One connection to a results database: an SQLite file or a PostgreSQL
// server, over Qt SQL. Statements take "?" parameters bound by position;
// rows come back fully read (DbRecordset). After an INSERT into a table with
// an autonumber key the connection keeps the new key, which
// lastInsertKey() and the statement "SELECT @@IDENTITY as ID" give; each
// connection keeps its own.
//
// An SQLite file is written with a rollback journal, the file and its folder
// synced at each commit: every committed row is in the file itself, so a copy of the file
// alone holds it, and no shared-memory side file is needed. A write that
// finds the database locked by another program waits the busy wait (10 s
// unless set otherwise) and then fails; on a PostgreSQL server the same wait
// is the lock timeout.
//
// A file opened read-only is only read: no journal, no side file is made
// beside it, also for a file that another program left in write-ahead mode
// (which is read as it stands when its log holds nothing, and refused when
// changes wait in the log without the shared-memory file that reading them
// needs). A statement on a file may be given a time limit (a file from
// outside, which may hold a view or a trigger that never ends): a statement
// that runs past it is stopped and fails.
//
// Every failure throws DbError.

#include "platform/DbDialect.h"
#include "platform/DbError.h"
#include "platform/DbParameter.h"
#include "platform/DbRecordset.h"
#include "platform/DbRowReader.h"
#include "platform/DbTimeLimit.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <utility>

// One row that writeRows writes: a new row (key 0) with the values given,
// or the values set in the existing row of that key. Table and column names
// are the caller's own, never operator text.
namespace platform {

struct DbRowWrite {
    QString table;
    QString keyColumn;
    qint64 key = 0;
    QList<std::pair<QString, DbParameter>> values; // column, value
};

// Where a PostgreSQL database is and who logs on to it.
struct DbServerAddress {
    QString host; // name, address, or a socket folder (starting with "/")
    int port = 0; // 0: the server's default
    QString database;
    QString user;
    QString password;
    int connectTimeoutSeconds = 10;
};

class DbConnection {
public:
    DbConnection();
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    static constexpr int DefaultBusyWaitMilliseconds = 10000;
    // How long a statement waits for a lock that another program holds;
    // taken at once by an open connection, else at the next open. A
    // statement that waited in vain throws a DbError that is locked().
    void setBusyWait(int milliseconds);

    // The time limit of a statement on a database file from outside (one the
    // user chose, an archive): many times what a statement on the largest
    // file of ours needs, and short enough that the window is back within
    // seconds.
    static constexpr int OutsideFileTimeLimitMilliseconds = 5000;
    // How long one statement on a database file may run before it is
    // stopped; it then throws a DbError that is overTime(). 0, the default:
    // no limit. Taken at once by an open connection, else at the next open;
    // a server connection has none.
    void setStatementTimeLimit(int milliseconds);

    // Opens an existing SQLite database file. A missing file is never
    // created; a file that is not an SQLite database is refused, and so is,
    // for a read-write open, a file or folder that cannot be written (the
    // journal goes beside the file). Read-only opens cannot write and make
    // no file; they refuse a file in write-ahead mode whose log holds
    // changes that cannot be read without making one.
    void openFile(const QString& path, bool readOnly);
    // Creates a new, empty SQLite database file and opens it; refuses a path
    // where a file already stands.
    void createFile(const QString& path);
    // Opens a PostgreSQL database; every field is passed on its own, so any
    // character may stand in the password.
    void openServer(const DbServerAddress& address);

    bool isOpen() const;
    void close();
    // The SQLite file or the server database's name.
    QString databaseName() const;

    DbBackend backend() const { return m_dialect->backend; }
    const DbDialect& dialect() const { return *m_dialect; }

    // Runs one statement. Statements that return no rows give an empty
    // recordset.
    DbRecordset execute(const QString& sql, const QList<DbParameter>& params = {});
    // Runs a statement that gives rows, to be read forward one row at a
    // time (DbRowReader) rather than all kept in a recordset: a read of many
    // rows. Not rewritten as execute rewrites statements.
    DbRowReader read(const QString& sql, const QList<DbParameter>& params = {});
    // Runs a statement with "?" parameters that is prepared at its first run
    // and kept while the connection is open, for statements run again and
    // again with other values: the rows of a reading, the queries of a
    // report for each test unit. A statement is not rewritten (no "@@IDENTITY",
    // no key read back after an INSERT).
    DbRecordset executeKept(const QString& sql, const QList<DbParameter>& params = {});

    // The first value of the statement's first row (Null without a row), such
    // as a count. The statement runs again only when the database may have
    // changed since its last run on this connection (changeMark), so the
    // value is always that of the database as it stands.
    QVariant currentValue(const QString& sql);
    // A mark of what the database holds, as this connection sees it: two
    // equal marks, taken while the connection stayed open, mean that nothing
    // was written in between, by this connection or by any other. Empty
    // inside a transaction and where the server cannot tell: nothing is then
    // taken as unchanged.
    QString changeMark();

    // Sees every statement of every connection, with its bound values, just
    // before it runs; an empty function sees none (the benchmarks run the
    // statements of a read again on their own).
    using StatementObserver =
        std::function<void(const DbConnection& connection, const QString& sql, const QList<QVariant>& values)>;
    static void setStatementObserver(StatementObserver observer);

    // The key of the row the last INSERT on this connection created (0 when none yet).
    qint64 lastInsertKey() const { return m_lastInsertKey; }

    // Writes the rows together, all or none: in one transaction on SQLite,
    // as one statement on PostgreSQL (one exchange with the server). Gives
    // the key of each row in order. Throws DbError, with nothing written,
    // when a statement fails or a row to be changed does not exist; a row
    // may be written only once in one call.
    QList<qint64> writeRows(const QList<DbRowWrite>& rows);

    void transaction();
    void commit();
    void rollback();

private:
    void openDriver(DbBackend backend);
    void requireOpen() const;
    [[noreturn]] void fail(const QString& what, const QString& why, DbFailure failure = DbFailure::Other);
    QString keyColumnOf(const QString& table);
    // A server that went away leaves a connection that only fails: it is
    // closed, so that the next open makes a new one.
    void closeIfServerGone();
    // SQLite: the journal mode the file is in ("delete", "wal", ...).
    QString journalMode();
    // Every row of the executed statement; throws its failure when a row
    // after the first cannot be read.
    DbRecordset rowsOf(QSqlQuery& query, const QString& sql);
    // Throws the failure of the statement, after closing a connection whose
    // server is gone (outside a transaction).
    [[noreturn]] void failStatement(QSqlQuery& query, const QString& sql);
    // Runs the statement text (sql as the caller gave it, for the failure)
    // forward only, after the statement observer has seen it.
    QSqlQuery run(const QString& text, const QList<DbParameter>& params, const QString& sql);
    // The statement of executeKept, prepared once and kept while the
    // connection is open.
    QSqlQuery& keptStatement(const QString& sql);
    // The values bound for the parameters, after the statement observer has seen them.
    QList<QVariant> observedValues(const QString& sql, const QList<DbParameter>& params) const;

    QString m_name;
    QSqlDatabase m_db;
    QString m_fileName; // the SQLite file, as the caller named it
    const DbDialect* m_dialect;
    qint64 m_lastInsertKey = 0;
    bool m_inTransaction = false;
    bool m_writeAheadLog = false; // an SQLite file that could not leave write-ahead mode
    int m_busyWaitMs = DefaultBusyWaitMilliseconds;
    // Shared with the row readers of its statements.
    std::shared_ptr<DbTimeLimit> m_timeLimit = std::make_shared<DbTimeLimit>();
    QHash<QString, QString> m_keyColumns;        // table (lower case) -> key column
    static constexpr int MaxKeptStatements = 64; // all are let go when more are asked for
    QHash<QString, QSqlQuery> m_keptStatements;
    // statement -> the change mark it was run at, and its value
    QHash<QString, std::pair<QString, QVariant>> m_currentValues;
};

} // namespace platform
