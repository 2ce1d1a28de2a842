#pragma once
// The test window's database access over the station's one shared connection.

#include "run/DatabaseAccess.h"

class ModDatabaseAccess : public DatabaseAccess {
public:
    bool OpenDatabase(bool vReadOnly) override;
    void CloseDatabase() override;
    qint32 GetDBRevNumber(const QString& vPath) override;
    bool ConnectFailureReported() const override;
};
