#include "run/ResultsDatabaseAccess.h"

#include "results/ResultsDatabase.h"

namespace run {

bool ResultsDatabaseAccess::openDatabase(bool readOnly)
{
    return m_database.openDatabase(readOnly);
}
void ResultsDatabaseAccess::closeDatabase()
{
    m_database.closeDatabase();
}
qint32 ResultsDatabaseAccess::getDBRevNumber(const QString& path)
{
    return m_database.getDBRevNumber(path);
}
bool ResultsDatabaseAccess::connectFailureReported() const
{
    return m_database.connectFailureReported();
}
bool ResultsDatabaseAccess::idleCheckFoundLock(int waitMs)
{
    return m_database.checkWhileIdle(waitMs) == results::IdleCheck::Locked;
}

} // namespace run
