#pragma once
// The writers' tests on each back end: a fresh results database and a few
// helpers to build channel records and read rows back directly.

#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupWriter.h"
#include "support/DatabaseBackendFixture.h"

#include <QVariant>

class WriterTest : public DatabaseBackendTest {
protected:
    // A unit's 16 channels with electrodes on the given ones, each with a
    // serial number "SN<unit><letter>", firmware "1.<channel>" and a
    // calibration date of 1 March 2025.
    static results::UnitElectrodes unitWith(int unit, std::initializer_list<int> connectedChannels);
    // One value of the first row of the query on a private connection.
    QVariant scalar(const QString& sql) const;
    int rowCount(const QString& sql) const;
    void setLastUniqueGroupID(qint32 value) const;
};
