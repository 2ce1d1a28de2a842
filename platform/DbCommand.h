#pragma once
// A statement with its parameter list, run on a connection: the text, the
// parameters appended in the order of the "?" they stand for, and Execute.
// A command that is used again empties its list first. Every failure throws
// DbError: a parameter index out of range, no open connection, a statement
// the database refuses.

#include "platform/DbConnection.h"
#include "platform/DbParameter.h"

#include <QList>
#include <QString>

namespace platform {

class DbCommand {
public:
    DbCommand() = default;
    explicit DbCommand(DbConnection* connection, const QString& text = QString())
        : m_connection(connection), m_text(text)
    {
    }

    void setActiveConnection(DbConnection* connection) { m_connection = connection; }
    void setCommandText(const QString& text) { m_text = text; }
    const QString& commandText() const { return m_text; }

    static DbParameter createParameter(const QString& name, DbType type, int size, const QVariant& value)
    {
        return DbParameter{name, type, size, value};
    }
    void appendParameter(const DbParameter& parameter) { m_parameters << parameter; }
    void deleteParameter(int index);
    void clearParameters() { m_parameters.clear(); }
    int parameterCount() const { return static_cast<int>(m_parameters.size()); }
    DbParameter& parameter(int index);

    // Throws DbError when there is no open connection or the statement fails.
    DbRecordset execute();

private:
    DbConnection* m_connection = nullptr;
    QString m_text;
    QList<DbParameter> m_parameters;
};

} // namespace platform
