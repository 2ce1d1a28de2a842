#include "run/ChargeSequence.h"

#include "testlists/TestStep.h"
#include "unit/Unit.h"

namespace run {

namespace {

// What differs between ACLG and DEFR.
struct Kind {
    const char* startLine;
    const char* retryLine;
    const char* failLine;
    void (unit::Unit::*startCommand)(qint16);
};

const Kind& kindOf(ChargeSequence::Test test)
{
    static const Kind aclg{
        "Starting ACLG Measurements",
        "* No ACLG ACK received.  Retransmitting ACLG Start Command.",
        "* ACLG failed to start.  Aborting tests!",
        &unit::Unit::txRunACLGTest,
    };
    static const Kind defr{
        "Starting DEFR Measurements",
        "*No Defib Recovery ACK received.  Retransmitting DEFR Start Command.",
        "*Defib Recovery failed to start.  Aborting tests!",
        &unit::Unit::txRunDefibRecoveryTest,
    };
    return test == ChargeSequence::Test::Aclg ? aclg : defr;
}

} // namespace

void ChargeSequence::begin(Test test)
{
    handshake(test) = Handshake();
    m_triggerChargeSent = false;
}

void ChargeSequence::reset()
{
    m_handshakes = {};
    m_triggerChargeSent = false;
}

void ChargeSequence::tick(Test test, qint32 elapsedSeconds, const testlists::TestStep& step, qint32 chargeSeconds)
{
    Handshake& state = handshake(test);
    const Kind& kind = kindOf(test);
    if (state.done)
        return;
    if (elapsedSeconds == chargeSeconds - 2) {
        sendStart(test, step);
        m_write(QString::fromLatin1(kind.startLine));
        return;
    }
    if (elapsedSeconds < chargeSeconds)
        return;
    if (state.acknowledged) {
        if (!m_triggerChargeSent) {
            if (unit::Unit* unit = m_unitOf(unitOfStep(step)))
                unit->txMasterTriggerCharge();
            m_write(QStringLiteral("Sending Trigger Charge Command"));
            m_triggerChargeSent = true;
        }
        return;
    }
    state.startRetries += 1;
    if (state.startRetries < 2) {
        m_write(QString::fromLatin1(kind.retryLine));
        sendStart(test, step);
    } else {
        m_abort(QString::fromLatin1(kind.failLine));
    }
}

// The step's one electrode is addressed on the unit it belongs to (A2..P2
// are channels of unit 2).
UnitIndex ChargeSequence::unitOfStep(const testlists::TestStep& step)
{
    return testlists::TestStep::findElectrodeIndex(step.electrodeString()) < 16 ? UnitIndex::first()
                                                                                : UnitIndex::second();
}

void ChargeSequence::sendStart(Test test, const testlists::TestStep& step)
{
    const qint16 electrode = testlists::TestStep::findElectrodeIndex(step.electrodeString());
    if (unit::Unit* unit = m_unitOf(unitOfStep(step)))
        (unit->*kindOf(test).startCommand)(qint16(electrode % 16));
}

} // namespace run
