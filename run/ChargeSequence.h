#pragma once
// The charge, start, acknowledge and trigger sequence of an ACLG or DEFR
// step, one second at a time. The charge command goes out at the step start;
// two seconds before the charge time the channel is told to start; from the
// charge time on, an acknowledged start gets the trigger-charge command once,
// and a start that is not acknowledged is sent once more and then the run is
// aborted.

#include <QString>

#include <functional>

namespace unit {
class Unit;
}
namespace testlists {
class TestStep;
}

namespace run {

struct RunState;

class ChargeSequence {
public:
    // What differs between ACLG and DEFR.
    struct Kind {
        const char* startLine;
        const char* retryLine;
        const char* failLine;
        bool RunState::*ackReceived;
        bool RunState::*done;
        qint16 RunState::*startRetries;
        void (unit::Unit::*startCommand)(qint16);
    };
    static const Kind ACLG;
    static const Kind DEFR;

    using UnitOf = std::function<unit::Unit*(int)>;
    using Write = std::function<void(const QString&)>;
    // Cancels the run for the failed start, its operator line given.
    using Abort = std::function<void(const QString&)>;

    ChargeSequence(UnitOf unitOf, Write write, Abort abort)
        : m_unitOf(std::move(unitOf)), m_write(std::move(write)), m_abort(std::move(abort))
    {
    }

    // One second of the active step; chargeSeconds is the charge time.
    void tick(const Kind& kind, RunState& state, const testlists::TestStep& step, qint32 chargeSeconds);

private:
    static int unitOfStep(const testlists::TestStep& step);
    void sendStart(const Kind& kind, const testlists::TestStep& step);

    UnitOf m_unitOf;
    Write m_write;
    Abort m_abort;
};

} // namespace run
