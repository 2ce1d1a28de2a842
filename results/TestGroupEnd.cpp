#include "results/TestGroupEnd.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/CondensedZamo80Group.h"
#include "results/ResultsDatabase.h"
#include "results/WriterSupport.h"

#include <QCoreApplication>

namespace results {

namespace {

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

} // namespace

TestGroupEnd::TestGroupEnd(ResultsDatabase& database) : m_database(database) {}

TestGroupEnd::~TestGroupEnd()
{
    if (m_note)
        m_database.setConnectedHook({});
}

bool TestGroupEnd::cancelWaitsHere() const
{
    return m_note && m_note->anyCancelWaiting(m_database.liveDatabaseName());
}

void TestGroupEnd::retry()
{
    if (!cancelWaitsHere())
        return;
    try {
        platform::DbConnection& db = m_database.requireConnection(); // a new connection writes them through the hook
        writeWaitingCancels(db);
    } catch (const platform::DbError&) {
        // requireConnection has logged why
    }
    tryAgainLater();
}

// Keeps the retry clock going while a cancel waits.
void TestGroupEnd::tryAgainLater()
{
    const bool waiting = cancelWaitsHere();
    if (!m_retryClock) {
        if (!waiting || !QCoreApplication::instance())
            return;
        m_retryClock = std::make_unique<platform::Timer>();
        m_retryClock->setInterval(CancelRetryMilliseconds);
        QObject::connect(m_retryClock.get(), &platform::Timer::timeout, [this] { retry(); });
    }
    m_retryClock->setEnabled(waiting);
}

void TestGroupEnd::writeWaitingCancel(platform::DbConnection& db, const OpenGroupNote::Entry& entry)
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
            m_foundEnded << entry.groupID;
        }
        m_note->closed(entry.groupID);
    } catch (const platform::DbError& e) {
        config::writeLog(groupText(entry.groupID) + QStringLiteral(" cancel still waiting: ") + e.text());
    }
}

bool TestGroupEnd::completeTestGroup(qint32 groupID, const QDateTime& dateCompleted, QString* why)
{
    try {
        platform::DbConnection* db = m_database.openedConnection();
        if (!db) {
            if (why)
                *why = QStringLiteral("the database connection cannot be opened");
            return false;
        }
        db->execute(QStringLiteral("UPDATE TestGroups SET DateCompleted = ?, Completed = ? WHERE GroupID = ")
                        + QString::number(groupID),
                    {dateParam("@DateCompleted", dateCompleted), booleanParam("@Completed", true)});
        config::writeLog(groupText(groupID) + QStringLiteral(" complete"));
        if (m_note)
            m_note->closed(groupID);
        return true;
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("dbTestGroupComplete ") + e.text());
        if (why)
            *why = e.cause();
        return false;
    }
}

bool TestGroupEnd::cancelTestGroup(qint32 groupID, QString* why)
{
    // Until the cancel is written the note keeps the group open: a crash in
    // between leaves it to the next start.
    QString cause;
    try {
        platform::DbConnection& db = m_database.requireConnection();
        try {
            writeCancel(db, groupID);
            if (m_note)
                m_note->closed(groupID);
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
    if (m_note) {
        m_note->cancelWaiting(groupID, m_database.liveDatabaseName());
        config::writeLog(groupText(groupID) + QStringLiteral(" cancel waiting: ") + cause
                         + QStringLiteral(". It is written as soon as the database can take it."));
        tryAgainLater();
    } else {
        config::writeLog(QStringLiteral("The cancel of ") + groupText(groupID)
                         + QStringLiteral(" cannot be written (no note of open groups is kept): ") + cause);
    }
    return false;
}

void TestGroupEnd::keepOpenGroupsIn(const QString& path)
{
    m_database.setConnectedHook({});
    if (m_retryClock)
        m_retryClock->setEnabled(false);
    m_note.reset();
    if (path.isEmpty())
        return;
    m_note = std::make_unique<OpenGroupNote>(path);
    m_database.setConnectedHook([this](platform::DbConnection& db) { writeWaitingCancels(db); });
}

QList<LeftOpenGroup> TestGroupEnd::cancelGroupsLeftOpen()
{
    if (!m_note)
        return {};
    const QList<OpenGroupNote::Entry> leftOpen = m_note->takeOverLeftOpen();
    for (const OpenGroupNote::Entry& e : leftOpen)
        config::writeLog(groupText(e.groupID) + QStringLiteral(" (group ") + QString::number(e.uniqueGroupID)
                         + QStringLiteral(") was left open: the station ended during its run. It is cancelled now, "
                                          "or as soon as the database can take it."));
    const QString live = m_database.liveDatabaseName();
    for (const OpenGroupNote::Entry& e : m_note->entries())
        if (e.database != live)
            config::writeLog(groupText(e.groupID) + QStringLiteral(" of the database ") + e.database
                             + QStringLiteral(" waits for its cancel until the station uses that database again"));
    m_foundEnded.clear();
    retry();
    QList<LeftOpenGroup> groups;
    for (const OpenGroupNote::Entry& e : leftOpen)
        if (!m_foundEnded.contains(e.groupID))
            groups << LeftOpenGroup{e.groupID, e.uniqueGroupID ? e.uniqueGroupID : e.groupID,
                                    m_note->cancelIsWaiting(e.groupID)};
    m_foundEnded.clear();
    return groups;
}

void TestGroupEnd::writeWaitingCancels(platform::DbConnection& connection)
{
    if (!m_note || m_writing)
        return;
    m_writing = true;
    const QString live = m_database.liveDatabaseName();
    for (const OpenGroupNote::Entry& e : QList<OpenGroupNote::Entry>(m_note->entries()))
        if (e.cancelWaiting && e.database == live)
            writeWaitingCancel(connection, e);
    m_writing = false;
    tryAgainLater();
}

} // namespace results
