#pragma once
// The rows that tie a database file to its archives: the Archive table (one
// row per archive file made from this line of files, with its range of group
// numbers) and the group counter of the Globals row, which an archive carries
// over into the new file so that a group number names one group across the
// live file and all its archives.
//
// Each works on the connection handed in and throws platform::DbError when a
// statement fails.

#include "platform/DbConnection.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One row of the Archive table.
namespace results {

struct ArchiveRecord {
    qint32 rangeStart = 0; // the lowest and highest UniqueGroupID of the archived file
    qint32 rangeEnd = 0;
    QString fileName;      // the archive file's name, without folder
    QDateTime archiveDate; // invalid when the row holds none
};

// "SELECT * FROM Archive", in the order of the rows' keys.
QList<ArchiveRecord> archiveRecords(platform::DbConnection& db);
// A new Archive row; its Range reads "<rangeStart>-<rangeEnd>". An invalid
// date is stored as the zero date.
void addArchiveRecord(platform::DbConnection& db, qint32 rangeStart, qint32 rangeEnd, const QString& fileName,
                      const QDateTime& archiveDate);

// The lowest and highest UniqueGroupID of the groups; 0 when there are none.
qint32 minUniqueGroupId(platform::DbConnection& db);
qint32 maxUniqueGroupId(platform::DbConnection& db);
// The last group number handed out (the Globals row).
qint32 lastUniqueGroupId(platform::DbConnection& db);
void setLastUniqueGroupId(platform::DbConnection& db, qint32 last);

} // namespace results
