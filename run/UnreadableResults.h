#pragma once
// A test reading that the unit sent but that could not be read (a field that
// is not a number, a reply cut short) is bad data, whatever the test: a final
// one is asked for again while the electrode's error count allows, and the
// last try ends the electrode with ERR. Nothing is recorded or judged from
// it; an interim one is dropped, and the next poll brings the interval's
// reading. What the test's own final reading also ends (the charge handshake
// of ACLG and DEFR, the bias measurement on the channel, the open-circuit
// flag of the ZAMO80 pre-check) ends here too.

#include "run/UnitIndex.h"
#include "unit/UnitReadings.h"

namespace run {

class ResultReplyFlow;

class UnreadableResults {
public:
    explicit UnreadableResults(ResultReplyFlow& flow) : m_flow(flow) {}

    // The test's name in the operator log: "ACZ", "ACLG", "DEFR", ...
    static const char* testName(unit::ReadingKind kind);

    void reading(UnitIndex unit, qint16 channel, const unit::UnreadableReading& reading);

private:
    ResultReplyFlow& m_flow;
};

} // namespace run
