#pragma once
// The results database as the test window uses it: opened on demand before
// every run, closed at the end of an ACZ30 zero run and at shutdown, and
// kept in use by the idle keep-alive.

#include <QString>

namespace run {

class DatabaseAccess {
public:
    virtual ~DatabaseAccess() = default;
    virtual bool openDatabase(bool readOnly) = 0;
    virtual void closeDatabase() = 0;
    // The revision of the database at path ("" = the live one); 0 when unreadable.
    virtual qint32 getDBRevNumber(const QString& path) = 0;
    // True while a failed open has been reported and no open succeeded since.
    virtual bool connectFailureReported() const = 0;
    // The idle keep-alive's check of the live database, waiting at most
    // waitMs for another program's lock; true when the database was locked
    // for longer (no failure: the check is to be tried again later).
    virtual bool idleCheckFoundLock(int waitMs)
    {
        Q_UNUSED(waitMs);
        getDBRevNumber(QString());
        return false;
    }
};

} // namespace run
