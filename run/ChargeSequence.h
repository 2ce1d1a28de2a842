#pragma once
// The charge, start, acknowledge and trigger sequence of an ACLG or DEFR
// step, one second at a time, and its handshake state. The charge command
// goes out at the step start (begin); two seconds before the charge time
// the channel is told to start; from the charge time on, an acknowledged
// start gets the trigger-charge command once, and a start that is not
// acknowledged is sent once more and then the run is aborted. The step's
// final reading (finish) ends the sequence.

#include "run/UnitIndex.h"

#include <QString>

#include <array>
#include <functional>

namespace unit {
class Unit;
}
namespace testlists {
class TestStep;
}

namespace run {

class ChargeSequence {
public:
    enum class Test { Aclg, Defr };

    using UnitOf = std::function<unit::Unit*(UnitIndex)>;
    using Write = std::function<void(const QString&)>;
    // Cancels the run for the failed start, its operator line given.
    using Abort = std::function<void(const QString&)>;

    // unitOf: the unit at an index, or none; abort: cancels the run.
    ChargeSequence(UnitOf unitOf, Write write, Abort abort)
        : m_unitOf(std::move(unitOf)), m_write(std::move(write)), m_abort(std::move(abort))
    {
    }

    // A step of the test starts: no acknowledgement, no retry, no trigger yet.
    void begin(Test test);
    // A new run: neither test has started.
    void reset();
    // The unit acknowledged the start.
    void acknowledge(Test test) { handshake(test).acknowledged = true; }
    // The step's final reading is in.
    void finish(Test test) { handshake(test).done = true; }
    bool acknowledged(Test test) const { return handshake(test).acknowledged; }
    bool finished(Test test) const { return handshake(test).done; }
    bool triggerChargeSent() const { return m_triggerChargeSent; }

    // One second of the active step at its elapsed second; chargeSeconds is the charge time.
    void tick(Test test, qint32 elapsedSeconds, const testlists::TestStep& step, qint32 chargeSeconds);

private:
    struct Handshake {
        bool acknowledged = false;
        bool done = false;
        qint16 startRetries = 0;
    };

    Handshake& handshake(Test test) { return m_handshakes[std::size_t(test)]; }
    const Handshake& handshake(Test test) const { return m_handshakes[std::size_t(test)]; }
    static UnitIndex unitOfStep(const testlists::TestStep& step);
    void sendStart(Test test, const testlists::TestStep& step);

    UnitOf m_unitOf;
    Write m_write;
    Abort m_abort;
    std::array<Handshake, 2> m_handshakes{};
    bool m_triggerChargeSent = false;
};

} // namespace run
