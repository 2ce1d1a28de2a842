#pragma once
// The test window's database access over the station's one shared connection.

#include "run/DatabaseAccess.h"

namespace results {
class ResultsDatabase;
}

namespace run {

class ResultsDatabaseAccess : public DatabaseAccess {
public:
    explicit ResultsDatabaseAccess(results::ResultsDatabase& database) : m_database(database) {}

    bool openDatabase(bool readOnly) override;
    void closeDatabase() override;
    qint32 getDBRevNumber(const QString& path) override;
    bool connectFailureReported() const override;
    bool idleCheckFoundLock(int waitMs) override;

private:
    results::ResultsDatabase& m_database;
};

} // namespace run
