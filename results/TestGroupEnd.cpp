#include "results/TestGroupEnd.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/CondensedZamo80Group.h"
#include "results/ResultsDatabase.h"
#include "results/WriterSupport.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

namespace results {

namespace {

std::unique_ptr<OpenGroupNote> g_note;
QPointer<platform::Timer> g_retryClock;
bool g_writing = false;     // writeWaitingCancels is running
QList<qint32> g_foundEnded; // noted groups that the database shows ended, or holds no longer

QString groupText(qint32 groupID)
{
    return QStringLiteral("Test Group ID = ") + QString::number(groupID);
}

void writeCancel(platform::DbConnection& db, qint32 groupID)
{
    db.execute(QStringLiteral("UPDATE TestGroups SET Cancelled=") + db.dialect().booleanLiteral(true)
               + QStringLiteral(" WHERE GroupID = ") + QString::number(groupID));
    config::writeLog(groupText(groupID) + QStringLiteral(" cancelled"));
}

bool cancelWaitsHere()
{
    return g_note && g_note->anyCancelWaiting(liveDatabaseName());
}

void tryAgainLater();

void retry()
{
    if (!cancelWaitsHere())
        return;
    try {
        platform::DbConnection& db = requireConnection(); // a new connection writes them through the hook
        writeWaitingCancels(db);
    } catch (const platform::DbError&) {
        // requireConnection has logged why
    }
    tryAgainLater();
}

// Keeps the retry clock going while a cancel waits.
void tryAgainLater()
{
    const bool waiting = cancelWaitsHere();
    if (!g_retryClock) {
        if (!waiting || !QCoreApplication::instance())
            return;
        g_retryClock = new platform::Timer(QCoreApplication::instance());
        g_retryClock->setInterval(CancelRetryMilliseconds);
        QObject::connect(g_retryClock, &platform::Timer::timeout, [] { retry(); });
    }
    g_retryClock->setEnabled(waiting);
}

// What the database holds of a noted group: whether it is still open there.
// False (logged) when it has ended already or is not there.
bool stillOpen(platform::DbConnection& db, const OpenGroupNote::Entry& entry, bool* zamo80NotCondensed)
{
    // Every column: an older revision lacks the condensed group's link.
    platform::DbRecordset row =
        db.execute(QStringLiteral("SELECT * FROM TestGroups WHERE GroupID = ") + QString::number(entry.groupID));
    const auto field = [&](const char* name) {
        const int index = row.fieldIndex(QLatin1String(name));
        return index < 0 ? QVariant() : row.value(index);
    };
    if (row.eof() || (entry.uniqueGroupID != 0 && field("UniqueGroupID").toInt() != entry.uniqueGroupID)) {
        config::writeLog(groupText(entry.groupID) + QStringLiteral(" (group ") + QString::number(entry.uniqueGroupID)
                         + QStringLiteral(") is no longer in the database; nothing to cancel"));
        return false;
    }
    const bool cancelled = field("Cancelled").toBool();
    if (field("Completed").toBool() || cancelled) {
        config::writeLog(groupText(entry.groupID) + QStringLiteral(" is ended already: ")
                         + (cancelled ? QStringLiteral("cancelled") : QStringLiteral("complete")));
        return false;
    }
    const QVariant link = field("Zamo80CondensedID");
    *zamo80NotCondensed = field("Zamo80").toBool() && link.isValid() && link.toInt() == 0;
    return true;
}

void writeWaitingCancel(platform::DbConnection& db, const OpenGroupNote::Entry& entry)
{
    try {
        bool condense = false;
        if (stillOpen(db, entry, &condense)) {
            writeCancel(db, entry.groupID);
            config::writeLog(QStringLiteral("The waiting cancel of test group ") + QString::number(entry.uniqueGroupID)
                             + QStringLiteral(" is written"));
            // As at the cancel of a ZAMO80 run: the group gets its condensed copy.
            if (condense)
                try {
                    buildCondensedZamo80Group(db, entry.groupID);
                } catch (const platform::DbError& e) {
                    config::writeLog(QStringLiteral("Unable to build the condensed ZAMO80 group of ")
                                     + groupText(entry.groupID) + QStringLiteral(": ") + e.text());
                }
        } else {
            g_foundEnded << entry.groupID;
        }
        g_note->closed(entry.groupID);
    } catch (const platform::DbError& e) {
        config::writeLog(groupText(entry.groupID) + QStringLiteral(" cancel still waiting: ") + e.text());
    }
}

} // namespace

bool completeTestGroup(qint32 groupID, const QDateTime& dateCompleted, QString* why)
{
    try {
        platform::DbConnection* db = openedConnection();
        if (!db) {
            if (why)
                *why = QStringLiteral("the database connection cannot be opened");
            return false;
        }
        db->execute(QStringLiteral("UPDATE TestGroups SET DateCompleted = ?, Completed = ? WHERE GroupID = ")
                        + QString::number(groupID),
                    {dateParam("@DateCompleted", dateCompleted), booleanParam("@Completed", true)});
        config::writeLog(groupText(groupID) + QStringLiteral(" complete"));
        if (g_note)
            g_note->closed(groupID);
        return true;
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("dbTestGroupComplete ") + e.text());
        if (why)
            *why = e.cause();
        return false;
    }
}

bool cancelTestGroup(qint32 groupID, QString* why)
{
    // Until the cancel is written the note keeps the group open: a crash in
    // between leaves it to the next start.
    QString cause;
    try {
        platform::DbConnection& db = requireConnection();
        try {
            writeCancel(db, groupID);
            if (g_note)
                g_note->closed(groupID);
            return true;
        } catch (const platform::DbError& e) {
            config::writeLog(QStringLiteral("Database error: ") + e.text());
            cause = e.cause();
        }
    } catch (const platform::DbError& e) {
        cause = e.text(); // the open's own words name the database
    }
    if (why)
        *why = cause;
    if (g_note) {
        g_note->cancelWaiting(groupID, liveDatabaseName());
        config::writeLog(groupText(groupID) + QStringLiteral(" cancel waiting: ") + cause
                         + QStringLiteral(". It is written as soon as the database can take it."));
        tryAgainLater();
    } else {
        config::writeLog(QStringLiteral("The cancel of ") + groupText(groupID)
                         + QStringLiteral(" cannot be written (no note of open groups is kept): ") + cause);
    }
    return false;
}

void keepOpenGroupsIn(const QString& path)
{
    setConnectedHook({});
    if (g_retryClock)
        g_retryClock->setEnabled(false);
    g_note.reset();
    if (path.isEmpty())
        return;
    g_note = std::make_unique<OpenGroupNote>(path);
    setConnectedHook([](platform::DbConnection& db) { writeWaitingCancels(db); });
}

OpenGroupNote* openGroupNote()
{
    return g_note.get();
}

QList<LeftOpenGroup> cancelGroupsLeftOpen()
{
    if (!g_note)
        return {};
    const QList<OpenGroupNote::Entry> leftOpen = g_note->takeOverLeftOpen();
    for (const OpenGroupNote::Entry& e : leftOpen)
        config::writeLog(groupText(e.groupID) + QStringLiteral(" (group ") + QString::number(e.uniqueGroupID)
                         + QStringLiteral(") was left open: the station ended during its run. It is cancelled now, "
                                          "or as soon as the database can take it."));
    const QString live = liveDatabaseName();
    for (const OpenGroupNote::Entry& e : g_note->entries())
        if (e.database != live)
            config::writeLog(groupText(e.groupID) + QStringLiteral(" of the database ") + e.database
                             + QStringLiteral(" waits for its cancel until the station uses that database again"));
    g_foundEnded.clear();
    retry();
    QList<LeftOpenGroup> groups;
    for (const OpenGroupNote::Entry& e : leftOpen)
        if (!g_foundEnded.contains(e.groupID))
            groups << LeftOpenGroup{e.groupID, e.uniqueGroupID ? e.uniqueGroupID : e.groupID,
                                    g_note->cancelIsWaiting(e.groupID)};
    g_foundEnded.clear();
    return groups;
}

void writeWaitingCancels(platform::DbConnection& connection)
{
    if (!g_note || g_writing)
        return;
    g_writing = true;
    const QString live = liveDatabaseName();
    for (const OpenGroupNote::Entry& e : QList<OpenGroupNote::Entry>(g_note->entries()))
        if (e.cancelWaiting && e.database == live)
            writeWaitingCancel(connection, e);
    g_writing = false;
    tryAgainLater();
}

} // namespace results
