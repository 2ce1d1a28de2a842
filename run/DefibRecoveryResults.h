#pragma once
// The defib recovery (DEFR) results: the start acknowledgement that lets the
// test clock trigger the charge, and the final reply with its 4 s and 60 s
// offsets, both judged. Interim replies are not looked at.

#include "run/UnitIndex.h"
#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class ResultReplyFlow;

class DefibRecoveryResults {
public:
    explicit DefibRecoveryResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void defibRecoveryStarted();
    void defibRecoveryReading(UnitIndex unit, qint16 channel, const unit::DefibRecoveryReading& reading);

private:
    ResultReplyFlow& m_flow;
};

} // namespace run
