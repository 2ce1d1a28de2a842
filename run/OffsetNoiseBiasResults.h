#pragma once
// The long-running results: DC offset (DCO), noise (NOISE) and bias current
// (BIAS). One interim reading per channel and interval is stored, the final
// reading is judged; the first interim DCO or NOISE reading sets the test
// clock to the unit's own seconds. BIAS readings are labelled in hours and
// minutes and are judged only for electrodes still under test.

#include "run/UnitIndex.h"
#include "run/VerdictLimits.h"
#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class ResultReplyFlow;

class OffsetNoiseBiasResults {
public:
    explicit OffsetNoiseBiasResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void dcoReading(UnitIndex unit, qint16 channel, const unit::DcoReading& reading);
    void noiseReading(UnitIndex unit, qint16 channel, const unit::NoiseReading& reading);
    void biasReading(UnitIndex unit, qint16 channel, const unit::BiasReading& reading);

private:
    struct Reading {
        QString testName;
        UnitIndex unit;
        qint16 channel;
        bool completed;
        double value;
        bool badData;
        LimitPair limits;
        qint32 finalSeconds; // 0: the label of the interval, in hours and minutes (BIAS)
    };
    void handle(const Reading& r);

    ResultReplyFlow& m_flow;
};

} // namespace run
