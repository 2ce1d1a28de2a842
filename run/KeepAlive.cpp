#include "run/KeepAlive.h"

#include "config/Log.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "unit/Unit.h"

namespace run {

KeepAlive::KeepAlive(const RunUnits& units, const RunState& state, RunServices& services, QObject* parent)
    : QObject(parent), m_units(units), m_state(state), m_services(services)
{
    m_timer.setInterval(500);
    connect(&m_timer, &platform::Timer::timeout, this, &KeepAlive::poll);
}

bool KeepAlive::pollingInhibited() const
{
    for (unit::Unit* unit : m_units.all()) {
        if (unit && unit->pollingInhibited())
            return true;
    }
    return false;
}

void KeepAlive::poll()
{
    if (m_state.testRunning || pollingInhibited())
        return;
    for (unit::Unit* unit : m_units.all()) {
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
    if (!m_services.database->idleCheckFoundLock(LockWaitMilliseconds)) {
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
