#pragma once
// The database that a report list window reads: the live results database,
// or an archive file of it. An archive is read only while the live database
// is local, as archives are files made from the local file; with a server
// in use an archive path is ignored and the server is read.
//
// An archive file gets a connection of its own for each read, opened
// read-only (nothing is ever written to the file, nor a file created where
// none is) and closed at the end of the read; the live connection is then
// not asked for. A statement on an archive, a file from outside, is stopped
// when it runs past the time limit of such a file, and throws a DbError that
// is overTime().
//
// The reads are those of ReportLists.h, with the same failures: a DbError
// (for an archive that cannot be opened too, saying why), except that the
// count gives 0 when the live database cannot be opened and the condensed
// lookup gives 0 on any failure.

#include "platform/DbConnection.h"
#include "results/ReportLists.h"

#include <QString>

#include <functional>

namespace results {

class ReportListSource {
public:
    // Opens the live database and gives its connection, or nullptr when it
    // cannot be opened (the opener tells the operator).
    using LiveConnection = std::function<platform::DbConnection*()>;

    ReportListSource(LiveConnection live, bool localDatabase);

    // Whether a read with this archive path reads the archive file.
    bool readsArchive(const QString& archivePath) const;

    // The number of groups of the live database, or of the archive file
    // (which sizes the archive's own page list).
    qint64 countCompletedTestGroups(bool showAll, const QString& archivePath = QString()) const;
    ReportListPage page(const ReportListQuery& query, const QString& archivePath = QString()) const;
    ArchiveList archives(const QString& archivePath = QString()) const;
    qint64 condensedReportId(qint64 uniqueGroupId, const QString& archivePath = QString()) const noexcept;

private:
    // Runs read on the connection for archivePath.
    template <typename Read>
    auto withConnection(const QString& archivePath, Read read) const;

    LiveConnection m_live;
    bool m_localDatabase;
};

} // namespace results
