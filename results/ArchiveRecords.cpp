#include "results/ArchiveRecords.h"

#include "platform/DbError.h"

namespace results {

using platform::DbParameter;
using platform::DbType;

namespace {

qint32 firstValue(platform::DbConnection& db, const QString& sql)
{
    platform::DbRecordset rs = db.execute(sql);
    return rs.eof() ? 0 : rs.value(0).toInt();
}

platform::DbParameter integer(const char* name, qint32 value)
{
    return platform::DbParameter{QString::fromLatin1(name), platform::DbType::Integer, 0, value};
}

} // namespace

QList<ArchiveRecord> archiveRecords(platform::DbConnection& db)
{
    platform::DbRecordset rs = db.execute(QStringLiteral("SELECT * FROM Archive ORDER BY ID"));
    QList<ArchiveRecord> records;
    for (; !rs.eof(); rs.moveNext())
        records << ArchiveRecord{
            rs.value(QStringLiteral("RangeStart")).toInt(), rs.value(QStringLiteral("RangeEnd")).toInt(),
            rs.value(QStringLiteral("FileName")).toString(), rs.dateValue(QStringLiteral("ArchiveDate"))};
    return records;
}

void addArchiveRecord(platform::DbConnection& db, qint32 rangeStart, qint32 rangeEnd, const QString& fileName,
                      const QDateTime& archiveDate)
{
    db.execute(QStringLiteral("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES (")
                   + QStringLiteral("?,?,?,?,?)"),
               {platform::DbParameter{QStringLiteral("Range"), platform::DbType::VarChar, 50,
                                      QString::number(rangeStart) + QLatin1Char('-') + QString::number(rangeEnd)},
                integer("RangeStart", rangeStart), integer("RangeEnd", rangeEnd),
                platform::DbParameter{QStringLiteral("FileName"), platform::DbType::VarChar, 50, fileName},
                platform::DbParameter{QStringLiteral("ArchiveDate"), platform::DbType::Date, 0,
                                      archiveDate.isValid() ? QVariant(archiveDate) : QVariant(0.0)}});
}

qint32 minUniqueGroupId(platform::DbConnection& db)
{
    return firstValue(db, QStringLiteral("SELECT MIN(UniqueGroupID) FROM TestGroups"));
}

qint32 maxUniqueGroupId(platform::DbConnection& db)
{
    return firstValue(db, QStringLiteral("SELECT MAX(UniqueGroupID) FROM TestGroups"));
}

qint32 lastUniqueGroupId(platform::DbConnection& db)
{
    return firstValue(db, QStringLiteral("SELECT LastUniqueGroupID FROM Globals WHERE ID=1"));
}

void setLastUniqueGroupId(platform::DbConnection& db, qint32 last)
{
    db.execute(QStringLiteral("UPDATE Globals SET LastUniqueGroupID=? WHERE ID=1"),
               {integer("LastUniqueGroupID", last)});
}

} // namespace results
