#include "results/DatabaseArchive.h"

#include "platform/Clock.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "platform/WholeFile.h"
#include "results/ArchiveRecords.h"
#include "results/ResultsSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>

namespace results {

namespace {

QString stamp(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

// What the live file holds that the new one carries on.
struct LiveFileFacts {
    qint32 first = 0;
    qint32 last = 0;
    qint32 counter = 0;
    QList<ArchiveRecord> archives;
};

LiveFileFacts readLiveFile(const QString& path)
{
    // Opened for writing, so that a write an earlier program left half-done
    // is undone before the file is moved.
    platform::DbConnection live;
    live.openFile(path, false);
    LiveFileFacts facts{minUniqueGroupId(live), maxUniqueGroupId(live), lastUniqueGroupId(live), archiveRecords(live)};
    live.close();
    return facts;
}

// A name for a new file in the folder, free at the time of asking.
QString freeNameBeside(const QString& path)
{
    const QFileInfo info(path);
    QTemporaryFile reserve(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!reserve.open())
        throw platform::DbError(QStringLiteral("Cannot make a new file in %1").arg(info.absolutePath()),
                                reserve.errorString());
    return reserve.fileName(); // removed with reserve; the name is ours to create
}

void removeDatabaseFile(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

} // namespace

QString archiveFileName(const QDateTime& moment)
{
    return QStringLiteral("ZAMO_Results-") + stamp(moment) + QStringLiteral(".mdb");
}

QString backupFileName(const QDateTime& moment)
{
    return QStringLiteral("Backup-") + archiveFileName(moment);
}

DatabaseArchive::DatabaseArchive(const QString& databaseFile, const QString& archiveFolder, UpkeepObserver& observer)
    : m_databaseFile(databaseFile), m_archiveFolder(archiveFolder), m_observer(observer)
{
}

UpkeepOutcome DatabaseArchive::failed(const QString& what, const QString& cause)
{
    m_observer.log(what + QStringLiteral(": ") + cause);
    return UpkeepOutcome{false, QString(), cause};
}

bool DatabaseArchive::makeArchiveFolder(QString* cause)
{
    if (QDir().mkpath(m_archiveFolder))
        return true;
    *cause = QStringLiteral("the archive folder %1 cannot be made").arg(m_archiveFolder);
    return false;
}

UpkeepOutcome DatabaseArchive::backup()
{
    const QString what = QStringLiteral("Backing-up database file failed");
    QString cause;
    if (!makeArchiveFolder(&cause))
        return failed(what, cause);
    const QString target = QDir(m_archiveFolder).filePath(backupFileName(platform::Clock::now()));
    bool stopped = false;
    const auto progress = [this, &stopped](qint64 copied, qint64 total) {
        m_observer.progress(total > 0 ? int(copied * 100 / total) : 100);
        m_observer.letEventsRun();
        stopped = m_observer.stopAsked();
        return !stopped;
    };
    if (!platform::WholeFile::copy(m_databaseFile, target, progress, &cause)) {
        if (stopped) {
            m_observer.log(QStringLiteral("Backing-up database file stopped; no backup file is left"));
            return UpkeepOutcome{false, QString(), QStringLiteral("the backup was stopped")};
        }
        return failed(what, QStringLiteral("%1 cannot be copied to %2 (%3)").arg(m_databaseFile, target, cause));
    }
    m_observer.log(QStringLiteral("Database file backed up to ") + target);
    return UpkeepOutcome{true, target, QString()};
}

UpkeepOutcome DatabaseArchive::archive()
{
    const QString what = QStringLiteral("Archiving database file failed, the database is left as it was");
    m_observer.log(QStringLiteral("Archiving database file"));
    QString cause;
    if (!makeArchiveFolder(&cause))
        return failed(what, cause);

    LiveFileFacts facts;
    try {
        facts = readLiveFile(m_databaseFile);
    } catch (const platform::DbError& e) {
        return failed(what, e.text());
    }
    const QDateTime now = platform::Clock::now();
    const QString name = archiveFileName(now);
    const QString target = QDir(m_archiveFolder).filePath(name);
    if (QFileInfo::exists(target))
        return failed(what, QStringLiteral("an archive file %1 exists already").arg(target));
    m_observer.progress(30);

    // The new live file, whole, under a name of its own.
    QString fresh;
    try {
        fresh = freeNameBeside(m_databaseFile);
        platform::DbConnection db;
        db.createFile(fresh);
        ResultsSchema::create(db, ResultsSchema::TemplateRevision);
        m_observer.progress(60);
        db.transaction();
        for (const ArchiveRecord& r : facts.archives)
            addArchiveRecord(db, r.rangeStart, r.rangeEnd, r.fileName, r.archiveDate);
        m_observer.progress(90);
        addArchiveRecord(db, facts.first, facts.last, name, now);
        setLastUniqueGroupId(db, std::max(facts.last, facts.counter));
        db.commit();
        db.close();
    } catch (const platform::DbError& e) {
        if (!fresh.isEmpty())
            removeDatabaseFile(fresh);
        return failed(what, e.text());
    }

    if (!platform::WholeFile::move(m_databaseFile, target, &cause)) {
        removeDatabaseFile(fresh);
        return failed(what, QStringLiteral("%1 cannot be moved to %2 (%3)").arg(m_databaseFile, target, cause));
    }
    if (!platform::WholeFile::move(fresh, m_databaseFile, &cause)) {
        QString undoCause;
        if (!platform::WholeFile::move(target, m_databaseFile, &undoCause))
            return failed(QStringLiteral("Archiving database file failed"),
                          QStringLiteral("the new database file cannot take the place of %1 (%2), and the archived "
                                         "file %3 cannot be moved back (%4); the results are in %3 and the new "
                                         "file is %5")
                              .arg(m_databaseFile, cause, target, undoCause, fresh));
        removeDatabaseFile(fresh);
        return failed(
            what, QStringLiteral("the new database file cannot take the place of %1 (%2)").arg(m_databaseFile, cause));
    }
    m_observer.log(QStringLiteral("Database file archived to ") + target);
    return UpkeepOutcome{true, target, QString()};
}

} // namespace results
