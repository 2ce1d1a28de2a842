#pragma once
// A statement prepared once on a connection (DbConnection::prepare) and run
// there as often as needed with other values (DbConnection::execute), such
// as the queries of a report that run once for each test. It belongs to the
// connection as it is open: after a close it only fails, with a DbError.

#include <QSqlQuery>
#include <QString>

#include <utility>

namespace platform {

class DbStatement {
public:
    const QString& sql() const { return m_sql; }

private:
    friend class DbConnection;
    DbStatement(QString sql, QSqlQuery query) : m_sql(std::move(sql)), m_query(std::move(query)) {}

    QString m_sql;
    QSqlQuery m_query;
};

} // namespace platform
