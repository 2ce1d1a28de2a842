#include "run/KeepAlive.h"

#include "config/Log.h"
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
    checkDatabase();
}

void KeepAlive::checkDatabase()
{
    if (m_pollsToPassOver > 0) {
        --m_pollsToPassOver;
        return;
    }
    if (!m_sequencer.services().database->idleCheckFoundLock(LockWaitMilliseconds)) {
        if (m_lockLogged)
            config::writeLog(QStringLiteral("The database is no longer locked by another program"));
        m_lockLogged = false;
        return;
    }
    m_pollsToPassOver = PollsAfterALock;
    if (!m_lockLogged)
        config::writeLog(QStringLiteral("The database is locked by another program; checked again later"));
    m_lockLogged = true;
}

} // namespace run
