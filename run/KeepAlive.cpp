#include "run/KeepAlive.h"

#include "run/RunSequencer.h"
#include "unit/Unit.h"

namespace run {

KeepAlive::KeepAlive(RunSequencer& sequencer, QObject* parent) : QObject(parent), m_sequencer(sequencer)
{
    m_timer.setInterval(500);
    connect(&m_timer, &platform::Timer::timeout, this, &KeepAlive::poll);
}

bool KeepAlive::pollingInhibited() const
{
    for (int n = 1; n <= 2; ++n) {
        unit::Unit* unit = m_sequencer.unitAt(n);
        if (unit && unit->pollingInhibited())
            return true;
    }
    return false;
}

void KeepAlive::poll()
{
    if (m_sequencer.state().m_testRunning || pollingInhibited())
        return;
    for (int n = 1; n <= 2; ++n) {
        unit::Unit* unit = m_sequencer.unitAt(n);
        if (unit && unit->connected())
            unit->txMasterCommCheck();
    }
    m_sequencer.services().database->getDBRevNumber(QString());
}

} // namespace run
