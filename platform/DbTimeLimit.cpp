#include "platform/DbTimeLimit.h"

#include "platform/Clock.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace platform {

namespace {

// SQLite asks after this many steps of a statement: some microseconds of its
// work, against a look at the clock.
constexpr int kStepsBetweenChecks = 1000;

} // namespace

void DbTimeLimit::watch(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    if (!connection)
        return;
    if (m_milliseconds > 0)
        sqlite3_progress_handler(connection, kStepsBetweenChecks, &DbTimeLimit::check, this);
    else
        sqlite3_progress_handler(connection, 0, nullptr, nullptr);
}

void DbTimeLimit::start()
{
    resume(Clock::realTickCount() + m_milliseconds);
}

void DbTimeLimit::resume(qint64 deadline)
{
    m_deadline = deadline;
    m_stopped = false;
}

QString DbTimeLimit::cause() const
{
    return QStringLiteral("the query ran longer than %1 s and was stopped").arg(m_milliseconds / 1000.0);
}

int DbTimeLimit::check(void* limit)
{
    auto* self = static_cast<DbTimeLimit*>(limit);
    if (self->m_milliseconds > 0 && Clock::realTickCount() > self->m_deadline)
        self->m_stopped = true;
    return self->m_stopped ? 1 : 0;
}

} // namespace platform
