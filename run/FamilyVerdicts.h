#pragma once
// The verdicts of the tests judged on more than one value: the SDR chain
// of supply status, DC offset and recovery slopes; the two readings of a
// ZAMO2-4 ACLG; the 4 s and 60 s readings of a defib recovery. Each gives
// its code, the verdict lines to write and whether the failure sound plays;
// the expired-calibration pass is left to the caller.

#include "run/VerdictLimits.h"

#include <QString>
#include <QStringList>

namespace run {

struct Verdict {
    QString code;
    QStringList lines;
    bool failureSound = false;
};

namespace FamilyVerdicts {

// A status word of this value reports a failed supply.
constexpr qint16 SupplyFailed = 2;

// One value against its limit and warning, with the FAIL line.
Verdict single(double v, const LimitPair& limits);

// "FAIL_1" (200 V supply) or "FAIL_2" (2 V supply) without a line or sound;
// then the DC offset at the start of the recovery; then the slopes in order,
// where the first one at or above its warning ends the chain as "PASS?".
Verdict SDR(qint16 ok200V, qint16 ok2V, double initialMeasurement, double rate1, double rate2, double rate3,
            const LimitPair& offset, const LimitPair& slope);

// "FAIL" when either reading is above the limit, with one line naming both.
Verdict readingPair(double r1, double r2, const LimitPair& limits);

// "FAIL" when either reading is above its limit by its absolute value, with
// one sound and a line for each reading whose signed value is above its
// limit (none for a reading below minus its limit).
Verdict defibRecovery(double measurement4, double measurement60, const LimitPair& v4, const LimitPair& v60);

} // namespace FamilyVerdicts

} // namespace run
