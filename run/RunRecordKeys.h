#pragma once
// The record keys of the run being recorded; 0 where there is none yet.
// The recording owns them: it sets them as it creates the rows and clears
// them when the run ends.

#include "run/UnitIndex.h"

#include <QtGlobal>

#include <array>

namespace run {

struct RunRecordKeys {
    qint32 groupId = 0;
    qint32 testId = 0;
    PerUnit<qint32> testUnitId;
    PerUnit<qint32> measurementId;
    PerUnit<qint32> resultId;
    PerUnit<qint32> pacePropertiesId;
    // The four rows of an SDR test per unit: the readings at 5, 15, 25 and
    // 35 s (points 1..4) at positions 0..3.
    PerUnit<std::array<qint32, 4>> sdrMeasurementId;
};

} // namespace run
