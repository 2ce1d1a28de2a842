#include "run/ResultsDatabaseAccess.h"

#include "results/ResultsDatabase.h"

namespace run {

bool ResultsDatabaseAccess::openDatabase(bool readOnly)
{
    return results::openDatabase(readOnly);
}
void ResultsDatabaseAccess::closeDatabase()
{
    results::closeDatabase();
}
qint32 ResultsDatabaseAccess::getDBRevNumber(const QString& path)
{
    return results::getDBRevNumber(path);
}
bool ResultsDatabaseAccess::connectFailureReported() const
{
    return results::connectFailureReported;
}
bool ResultsDatabaseAccess::idleCheckFoundLock(int waitMs)
{
    return results::checkWhileIdle(waitMs) == results::IdleCheck::Locked;
}

} // namespace run
