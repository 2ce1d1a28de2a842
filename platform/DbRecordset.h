#pragma once
// The rows of one statement, read fully into memory: nothing of the
// statement stays open on the connection. Fields are read by index or by
// column name (any letter case). Values may be changed in memory and then
// written back together with updateBatch, one UPDATE per changed row, by the
// row's key. A value read or set at EOF or by an unknown field throws
// DbError; moveNext at EOF stays there.

#include "platform/DbDialect.h"
#include "platform/OleDate.h"
#include "platform/SteadyLocalDays.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <map>
#include <set>

class QSqlQuery;

namespace platform {

class DbConnection;

class DbRecordset {
public:
    DbRecordset() = default;
    // Reads every row of an executed query; Booleans come back as bool.
    static DbRecordset fromQuery(QSqlQuery& query);
    // A recordset with the given fields and rows (values already final).
    static DbRecordset fromRows(const QStringList& fields, const QList<QVector<QVariant>>& rows);

    bool eof() const { return m_pos >= m_rows.size(); }
    void moveNext();
    void moveFirst() { m_pos = 0; }
    int recordCount() const { return static_cast<int>(m_rows.size()); }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    QString fieldName(int index) const;
    // The field's index, or -1.
    int fieldIndex(const QString& name) const;

    // Values of the current row. Throw DbError at EOF or for a field that
    // does not exist.
    QVariant value(int index) const;
    QVariant value(const QString& name) const;
    // A date field as a date and time, whether the back end gives a date or
    // the fixed date text; invalid when Null.
    QDateTime dateValue(const QString& name) const;
    // The same date as dateValue gives, as a date value (0 when Null); a
    // date of a steady local day is taken as it reads, without a QDateTime,
    // which asks the time zone for every date (a list of many dates).
    OleDate dateValue(int index, SteadyLocalDays& days) const;

    // Changes a value of the current row in memory.
    void setValue(int index, const QVariant& value);
    void setValue(const QString& name, const QVariant& value);

    // Where updateBatch writes to: the table and its key column, which must
    // be one of the fields.
    void setUpdateTarget(const QString& table, const QString& keyColumn);
    // Writes every changed row in one transaction; afterwards nothing is
    // pending. Throws DbError (and writes nothing) when a row fails.
    void updateBatch(DbConnection& connection);
    bool hasPendingChanges() const { return !m_changed.empty(); }

    // The rows from the current one to the end as text: fields joined by
    // columnDelimiter, each row followed by rowDelimiter, Null as nullText,
    // Booleans as "True"/"False", dates in the fixed date text. Moves to EOF.
    QString getString(const QString& columnDelimiter = QStringLiteral("\t"),
                      const QString& rowDelimiter = QStringLiteral("\r"), const QString& nullText = QString());

    void close();

private:
    int requireField(const QString& name) const;
    void requireRow() const;

    QStringList m_fields;
    QList<QVector<QVariant>> m_rows;
    std::map<int, std::set<int>> m_changed; // row -> changed fields
    int m_pos = 0;
    QString m_table;
    QString m_keyColumn;
};

} // namespace platform
