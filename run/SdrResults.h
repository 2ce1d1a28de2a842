#pragma once
// The SDR result: two supply status words, the DC offset at the start of the
// recovery and three recovery slopes, stored as the four SDR readings of the
// electrode's unit and judged in one chain. A reply the unit marks final is
// always final; interim replies only set the test clock to the unit's seconds.

#include "run/UnitIndex.h"
#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class ResultReplyFlow;

class SdrResults {
public:
    explicit SdrResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void sdrReading(UnitIndex unit, qint16 channel, const unit::SdrReading& reading);

private:
    ResultReplyFlow& m_flow;
};

} // namespace run
