#include "run/ChargeSequence.h"

#include "run/RunState.h"
#include "testlists/TestStep.h"
#include "unit/Unit.h"

namespace run {

const ChargeSequence::Kind ChargeSequence::ACLG{
    "Starting ACLG Measurements",
    "* No ACLG ACK received.  Retransmitting ACLG Start Command.",
    "* ACLG failed to start.  Aborting tests!",
    &RunState::ACLGAckReceived,
    &RunState::ACLGDone,
    &RunState::ACLGStartRetries,
    &unit::Unit::txRunACLGTest,
};

const ChargeSequence::Kind ChargeSequence::DEFR{
    "Starting DEFR Measurements",
    "*No Defib Recovery ACK received.  Retransmitting DEFR Start Command.",
    "*Defib Recovery failed to start.  Aborting tests!",
    &RunState::DEFRAckReceived,
    &RunState::DEFRDone,
    &RunState::DEFRStartRetries,
    &unit::Unit::txRunDefibRecoveryTest,
};

void ChargeSequence::tick(const Kind& kind, RunState& state, const testlists::TestStep& step, qint32 chargeSeconds)
{
    if (state.*kind.done)
        return;
    if (state.ElapsedSeconds == chargeSeconds - 2) {
        sendStart(kind, step);
        m_write(QString::fromLatin1(kind.startLine));
        return;
    }
    if (state.ElapsedSeconds < chargeSeconds)
        return;
    if (state.*kind.ackReceived) {
        if (!state.TriggerChargeSent) {
            if (unit::Unit* unit = m_unitOf(unitOfStep(step)))
                unit->txMasterTriggerCharge();
            m_write(QStringLiteral("Sending Trigger Charge Command"));
            state.TriggerChargeSent = true;
        }
        return;
    }
    state.*kind.startRetries += 1;
    if (state.*kind.startRetries < 2) {
        m_write(QString::fromLatin1(kind.retryLine));
        sendStart(kind, step);
    } else {
        m_abort(QString::fromLatin1(kind.failLine));
    }
}

// The step's one electrode is addressed on the unit it belongs to (A2..P2
// are channels of unit 2).
int ChargeSequence::unitOfStep(const testlists::TestStep& step)
{
    return testlists::TestStep::findElectrodeIndex(step.electrodeString()) < 16 ? 1 : 2;
}

void ChargeSequence::sendStart(const Kind& kind, const testlists::TestStep& step)
{
    const qint16 electrode = testlists::TestStep::findElectrodeIndex(step.electrodeString());
    if (unit::Unit* unit = m_unitOf(unitOfStep(step)))
        (unit->*kind.startCommand)(qint16(electrode % 16));
}

} // namespace run
