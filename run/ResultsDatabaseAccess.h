#pragma once
// The test window's database access over the station's one shared connection.

#include "run/DatabaseAccess.h"

namespace run {

class ResultsDatabaseAccess : public DatabaseAccess {
public:
    bool openDatabase(bool readOnly) override;
    void closeDatabase() override;
    qint32 getDBRevNumber(const QString& path) override;
    bool connectFailureReported() const override;
    bool idleCheckFoundLock(int waitMs) override;
};

} // namespace run
