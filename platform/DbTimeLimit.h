#pragma once
// How long one statement on an SQLite connection may run. SQLite asks the
// limit every few thousand steps of a statement; once the statement has run
// past its end, the limit stops it, the statement fails, and stopped() tells
// that the limit was the cause. A statement whose rows are read one at a time
// keeps the end it got when it started, also while other statements run in
// between. Time is real time, also where the Clock runs in virtual time: a
// statement holds the one thread however the Clock counts.
//
// For a database file from outside, which may hold a view or a trigger that
// never ends: without the limit a statement on it would hold the program,
// which has only the one thread, for good.

#include <QSqlDatabase>
#include <QString>

namespace platform {

class DbTimeLimit {
public:
    // milliseconds: 0 for no limit.
    explicit DbTimeLimit(int milliseconds = 0) : m_milliseconds(milliseconds) {}
    DbTimeLimit(const DbTimeLimit&) = delete;
    DbTimeLimit& operator=(const DbTimeLimit&) = delete;

    int milliseconds() const { return m_milliseconds; }
    // A new limit for the statements from now on (watch again to apply it to
    // an open connection).
    void setMilliseconds(int milliseconds) { m_milliseconds = milliseconds; }

    // Checks every statement of the open SQLite connection from now on, or
    // none when there is no limit; the limit must outlive the connection's
    // handle. Does nothing for another back end.
    void watch(const QSqlDatabase& db);

    // A statement starts: it may run for the limit from now.
    void start();
    // The end of the statement that started last.
    qint64 deadline() const { return m_deadline; }
    // A statement read one row at a time goes on, with the end it got at its start.
    void resume(qint64 deadline);

    // The statement was stopped by the limit.
    bool stopped() const { return m_stopped; }
    // Why it failed: "the query ran longer than 5 s and was stopped".
    QString cause() const;

private:
    static int check(void* limit);

    int m_milliseconds = 0;
    qint64 m_deadline = 0;
    bool m_stopped = false;
};

} // namespace platform
