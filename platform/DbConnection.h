#pragma once
// One connection to a results database: an SQLite file or a PostgreSQL
// server, over Qt SQL. Statements take "?" parameters bound by position;
// rows come back fully read (DbRecordset). After an INSERT into a table with
// an autonumber key the connection keeps the new key, which
// lastInsertKey() and the statement "SELECT @@IDENTITY as ID" give; each
// connection keeps its own.
//
// Every failure throws DbError.

#include "platform/DbDialect.h"
#include "platform/DbParameter.h"
#include "platform/DbRecordset.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace platform {

struct DbServerAddress {
    QString host;        // name, address, or a socket folder (starting with "/")
    int port = 0;        // 0: the server's default
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

    // Opens an existing SQLite database file. A missing file is never
    // created; a file that is not an SQLite database is refused. Read-only
    // opens cannot write.
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
    QString databaseName() const { return m_db.isValid() ? m_db.databaseName() : QString(); }

    DbBackend backend() const { return m_dialect->backend; }
    const DbDialect& dialect() const { return *m_dialect; }

    // Runs one statement. Statements that return no rows give an empty
    // recordset.
    DbRecordset execute(const QString& sql, const QList<DbParameter>& params = {});
    // The key of the row the last INSERT on this connection created (0 when none yet).
    qint64 lastInsertKey() const { return m_lastInsertKey; }

    void transaction();
    void commit();
    void rollback();

private:
    void openDriver(DbBackend backend);
    void requireOpen() const;
    [[noreturn]] void fail(const QString& what, const QString& why);
    QString keyColumnOf(const QString& table);

    QString m_name;
    QSqlDatabase m_db;
    const DbDialect* m_dialect;
    qint64 m_lastInsertKey = 0;
    bool m_inTransaction = false;
    bool m_writeAheadLog = false;
    QHash<QString, QString> m_keyColumns;   // table (lower case) -> key column
};

} // namespace platform
