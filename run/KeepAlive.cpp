#include "run/KeepAlive.h"

#include "run/RunSequencer.h"
#include "unit/Unit.h"

KeepAlive::KeepAlive(RunSequencer& sequencer, QObject* parent) : QObject(parent), m_sequencer(sequencer)
{
    m_timer.setInterval(500);
    connect(&m_timer, &platform::Timer::timeout, this, &KeepAlive::poll);
}

bool KeepAlive::pollingInhibited() const
{
    for (int n = 1; n <= 2; ++n) {
        UnitLink* unit = m_sequencer.Unit(n);
        if (unit && unit->pollingInhibited())
            return true;
    }
    return false;
}

void KeepAlive::poll()
{
    if (m_sequencer.State().pTestRunning || pollingInhibited())
        return;
    for (int n = 1; n <= 2; ++n) {
        UnitLink* unit = m_sequencer.Unit(n);
        if (unit && unit->Connected())
            unit->TXMasterCommCheck();
    }
    m_sequencer.Services().database->GetDBRevNumber(QString());
}
