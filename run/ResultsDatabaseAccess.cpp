#include "run/ResultsDatabaseAccess.h"

#include "results/ResultsDatabase.h"

bool ModDatabaseAccess::OpenDatabase(bool vReadOnly) { return modDatabase::OpenDatabase(vReadOnly); }
void ModDatabaseAccess::CloseDatabase() { modDatabase::CloseDatabase(); }
qint32 ModDatabaseAccess::GetDBRevNumber(const QString& vPath) { return modDatabase::GetDBRevNumber(vPath); }
bool ModDatabaseAccess::ConnectFailureReported() const { return modDatabase::ConnectFailureReported; }
