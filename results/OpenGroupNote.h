#pragma once
// The test groups this station has opened in a results database and not yet
// seen completed or cancelled there, kept in a note in the data folder so
// that they outlive the program. Several stations may share one server
// database: a group open there that is not in this station's note is
// another station's running run, and the station never touches it.
//
// An entry is open while its run goes on, or when the program ended during
// the run without ending it (a crash, a power cut, kill -9); it waits for
// its cancel when the cancel could not be written (the database was gone).
//
// The note is one line per entry, "<GroupID>\t<UniqueGroupID>\t<open|cancel>
// \t<database>". Each change writes it whole to a temporary file that is
// flushed to the disk and renamed over the old note, so a crash leaves the
// old note or the new one; the file is removed when no entry is left. A note
// that cannot be written is logged and the entries are kept in memory; a
// line that cannot be read is logged and passed over.

#include <QList>
#include <QString>

namespace results {

class OpenGroupNote {
public:
    struct Entry {
        qint32 groupID = 0;
        qint32 uniqueGroupID = 0; // 0 until the group has its number
        bool cancelWaiting = false;
        QString database; // the database that holds the group (liveDatabaseName)
        bool operator==(const Entry&) const = default;
    };

    // Reads the note at path, when there is one.
    explicit OpenGroupNote(const QString& path);

    const QString& path() const { return m_path; }
    const QList<Entry>& entries() const { return m_entries; }
    // Whether a cancel waits for the database named; whether the group's does.
    bool anyCancelWaiting(const QString& database) const;
    bool cancelIsWaiting(qint32 groupID) const;

    // A group created in the database named.
    void opened(qint32 groupID, const QString& database);
    // The group's number, once it has one.
    void numbered(qint32 groupID, qint32 uniqueGroupID);
    // The group's cancel is to be written (kept until closed); a group not
    // noted yet is noted in the database named.
    void cancelWaiting(qint32 groupID, const QString& database);
    // Every entry still open: the program that opened them ended during
    // their runs. They wait for their cancels from now on; returned as
    // they were.
    QList<Entry> takeOverLeftOpen();
    // The group is completed or cancelled in its database: it leaves the note.
    void closed(qint32 groupID);

private:
    Entry* find(qint32 groupID);
    const Entry* find(qint32 groupID) const;
    void save();

    QString m_path;
    QList<Entry> m_entries;
};

} // namespace results
