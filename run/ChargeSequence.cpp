#include "run/ChargeSequence.h"

#include "run/RunState.h"
#include "testlists/TestStep.h"
#include "unit/Unit.h"

const ChargeSequence::Kind ChargeSequence::ACLG{
    "Starting ACLG Measurements",
    "* No ACLG ACK received.  Retransmitting ACLG Start Command.",
    "* ACLG failed to start.  Aborting tests!",
    &RunState::ACLGAckReceived,
    &RunState::ACLGDone,
    &RunState::ACLGStartRetries,
    &UnitLink::TXRunACLGTest,
};

const ChargeSequence::Kind ChargeSequence::DEFR{
    "Starting DEFR Measurements",
    "*No Defib Recovery ACK received.  Retransmitting DEFR Start Command.",
    "*Defib Recovery failed to start.  Aborting tests!",
    &RunState::DEFRAckReceived,
    &RunState::DEFRDone,
    &RunState::DEFRStartRetries,
    &UnitLink::TXRunDefibRecoveryTest,
};

void ChargeSequence::Tick(const Kind& kind, RunState& state, const clsTestSequence& step, qint32 vChargeSeconds)
{
    if (state.*kind.done)
        return;
    if (state.ElapsedSeconds == vChargeSeconds - 2) {
        SendStart(kind, step);
        m_write(QString::fromLatin1(kind.startLine));
        return;
    }
    if (state.ElapsedSeconds < vChargeSeconds)
        return;
    if (state.*kind.ackReceived) {
        if (!state.TriggerChargeSent) {
            if (UnitLink* unit = m_unitOf(UnitOfStep(step)))
                unit->TXMasterTriggerCharge();
            m_write(QStringLiteral("Sending Trigger Charge Command"));
            state.TriggerChargeSent = true;
        }
        return;
    }
    state.*kind.startRetries += 1;
    if (state.*kind.startRetries < 2) {
        m_write(QString::fromLatin1(kind.retryLine));
        SendStart(kind, step);
    } else {
        m_write(QString::fromLatin1(kind.failLine));
        m_abort();
    }
}

// The step's one electrode is addressed on the unit it belongs to (A2..P2
// are channels of unit 2).
int ChargeSequence::UnitOfStep(const clsTestSequence& step)
{
    return clsTestSequence::FindElectrodeIndex(step.electrodeString()) < 16 ? 1 : 2;
}

void ChargeSequence::SendStart(const Kind& kind, const clsTestSequence& step)
{
    const qint16 electrode = clsTestSequence::FindElectrodeIndex(step.electrodeString());
    if (UnitLink* unit = m_unitOf(UnitOfStep(step)))
        (unit->*kind.startCommand)(qint16(electrode % 16));
}
