#pragma once
// The impedance results: ACZ and ACZ30 readings judged by the verdict rules
// with the open-circuit verdict FAIL_O added, the open-circuit flags of the
// ZAMO80 pre-check, and the end of the ACZ30 zero routine.

#include "run/UnitIndex.h"
#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class ResultReplyFlow;
struct LimitPair;

class ImpedanceResults {
public:
    explicit ImpedanceResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void aczReading(UnitIndex unit, qint16 channel, const unit::AczReading& reading);
    void acz30Reading(UnitIndex unit, qint16 channel, const unit::Acz30Reading& reading);
    void acz30Zero(UnitIndex unit, qint16 channel, const unit::Acz30Zero& zero);

    // At or below these signed values the electrode is open.
    static constexpr double ACZOpenThreshold = -100.0;
    static constexpr double ACZ30OpenThreshold = -10.0;

private:
    struct FinalReading {
        QString testName;
        UnitIndex unit;
        qint16 channel;
        bool badData;
        qint16 measureHigh;
        double value;
        double openThreshold;
        const LimitPair& limits;
        bool setsOpenCircuitFlags;
    };
    void handleFinal(const FinalReading& r);
    void setOpenCircuitFlag(UnitIndex unit, qint16 channel, bool open);
    QString failedOpenLine(UnitIndex unit, qint16 channel) const;

    ResultReplyFlow& m_flow;
};

} // namespace run
