#pragma once
// The end of a test group: completed at the end of its run, or cancelled.
//
// With a note of open groups in use (keepOpenGroupsIn), every group the
// station creates is noted until the database holds its end, and a cancel
// is never lost: one that cannot be written waits in the note and is
// written as soon as the database can take it (each time the connection is
// opened anew, on a retry clock while a cancel waits, and at the latest at
// the next start), logged when it starts to wait and when it is written.

#include "results/OpenGroupNote.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace platform {
class DbConnection;
class Timer;
} // namespace platform

namespace results {

class ResultsDatabase;

// A group that the program left open when it ended during its run.
struct LeftOpenGroup {
    qint32 groupID = 0;
    qint32 number = 0;    // its UniqueGroupID (its GroupID when it had none yet)
    bool waiting = false; // its cancel waits for the database
};

// How long the retry clock waits before it tries a waiting cancel again.
inline constexpr int CancelRetryMilliseconds = 10000;

// The ends of the station's test groups on its one database connection,
// with the note of open groups and its retry clock. One instance is owned
// by the station beside the connection, which it outlives not.
class TestGroupEnd {
public:
    explicit TestGroupEnd(ResultsDatabase& database);
    ~TestGroupEnd();
    TestGroupEnd(const TestGroupEnd&) = delete;
    TestGroupEnd& operator=(const TestGroupEnd&) = delete;

    // Sets DateCompleted and Completed and logs "Test Group ID = <id> complete".
    // Never throws: a failure is logged as "dbTestGroupComplete <why>" and
    // given in why; false then, and when the connection cannot be opened.
    bool completeTestGroup(qint32 groupID, const QDateTime& dateCompleted, QString* why = nullptr);
    // Marks the group cancelled and logs "Test Group ID = <id> cancelled"; true
    // then. Never throws: when the database cannot take it the cancel waits
    // (logged "Test Group ID = <id> cancel waiting: <why>") and false is
    // returned, with the cause in why; without a note of open groups it is
    // then lost, which the log says as well.
    bool cancelTestGroup(qint32 groupID, QString* why = nullptr);

    // Keeps the note of open groups in the file at path from now on (read
    // now); an empty path stops keeping one. A waiting cancel found in it is
    // tried at once.
    void keepOpenGroupsIn(const QString& path);
    // The note in use; nullptr when none is kept.
    OpenGroupNote* openGroupNote() { return m_note.get(); }

    // For start-up, once the database check has passed: the groups of the note
    // left open by a program that ended during their runs are cancelled (or
    // wait for their cancels), each logged. Returns those groups, less those
    // that the database shows ended already or no longer holds.
    QList<LeftOpenGroup> cancelGroupsLeftOpen();

    // Writes every waiting cancel of the database that the connection holds
    // (connection: the live database); a cancel that fails again keeps waiting.
    // A group that the database shows completed or cancelled already, or no
    // longer holds, leaves the note (logged) without a write.
    void writeWaitingCancels(platform::DbConnection& connection);

private:
    bool cancelWaitsHere() const;
    void retry();
    void tryAgainLater();
    void writeWaitingCancel(platform::DbConnection& db, const OpenGroupNote::Entry& entry);

    ResultsDatabase& m_database;
    std::unique_ptr<OpenGroupNote> m_note;
    std::unique_ptr<platform::Timer> m_retryClock;
    bool m_writing = false;     // writeWaitingCancels is running
    QList<qint32> m_foundEnded; // noted groups that the database shows ended, or holds no longer
};

} // namespace results
