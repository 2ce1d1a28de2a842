#include "results/SqliteRowChunks.h"

#include <algorithm>
#include <limits>

namespace results {

void runInRowidRanges(platform::DbConnection& connection, const QString& table, const QString& statement,
                      const QList<platform::DbParameter>& params, const std::function<void()>& betweenChunks,
                      int rowsPerChunk)
{
    // The bounds go into the statements as numbers: a bound value would be
    // a floating-point number, inexact beyond 2^53.
    const QString lastOfRange =
        QStringLiteral("SELECT rowid FROM %1 WHERE rowid >= %2 ORDER BY rowid LIMIT 1 OFFSET %3").arg(table);
    qint64 first = std::numeric_limits<qint64>::min();
    for (;;) {
        const platform::DbRecordset last =
            connection.execute(lastOfRange.arg(first).arg(std::max(rowsPerChunk, 1) - 1));
        if (last.eof()) {
            connection.execute(statement.arg(QStringLiteral("rowid >= %1").arg(first)), params);
            return;
        }
        const qint64 end = last.value(0).toLongLong();
        connection.execute(statement.arg(QStringLiteral("rowid >= %1 AND rowid <= %2").arg(first).arg(end)), params);
        if (end == std::numeric_limits<qint64>::max())
            return;
        first = end + 1;
        if (betweenChunks)
            betweenChunks();
    }
}

} // namespace results
