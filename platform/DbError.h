#pragma once
// The one error of the database access layer: every operation that fails
// throws it, with a text that says what failed and why. The cause alone (the
// "why", as the database or the file system gave it) is what an operator
// needs to read; the whole text is for the log.

#include <QString>

#include <stdexcept>

namespace platform {

// What made a statement fail, where the caller may act on it.
enum class DbFailure {
    Other,
    // The database refused because another program held a lock on it for
    // longer than the connection waits.
    Locked,
    // The statement ran past the connection's time limit and was stopped.
    OverTime,
};

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : DbError(text, QString()) {}
    DbError(const QString& what, const QString& cause, DbFailure failure = DbFailure::Other)
        : std::runtime_error(join(what, cause).toStdString()),
          m_text(join(what, cause)),
          m_cause(cause.isEmpty() ? what : cause),
          m_failure(failure)
    {
    }
    const QString& text() const { return m_text; }
    const QString& cause() const { return m_cause; }
    DbFailure failure() const { return m_failure; }
    bool locked() const { return m_failure == DbFailure::Locked; }
    bool overTime() const { return m_failure == DbFailure::OverTime; }

private:
    static QString join(const QString& what, const QString& cause)
    {
        return cause.isEmpty() ? what : what + QStringLiteral(": ") + cause;
    }

    QString m_text;
    QString m_cause;
    DbFailure m_failure = DbFailure::Other;
};

} // namespace platform
