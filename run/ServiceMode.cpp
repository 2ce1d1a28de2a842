#include "run/ServiceMode.h"

#include "run/RunState.h"
#include "unit/Unit.h"

#include <memory>

namespace run {

void ServiceMode::enter()
{
    setCalibrationMode();
    setPollingInhibited(true);
}

void ServiceMode::leave()
{
    m_state.calibrationMode = false;
    setPollingInhibited(false);
}

bool ServiceMode::calibrationMode() const
{
    return m_state.calibrationMode;
}

void ServiceMode::setCalibrationMode()
{
    m_state.calibrationMode = true;
}

void ServiceMode::setPollingInhibited(bool inhibited)
{
    m_pollingInhibited = inhibited;
    for (unit::Unit* unit : m_units.all())
        if (unit)
            unit->setPollingInhibited(inhibited);
}

bool ServiceMode::burnInRunning() const
{
    return m_state.burnInRunning;
}

testlists::TestList ServiceMode::burnInList(int repetitions, const QString& electrodes)
{
    struct Entry {
        const char* type;
        qint16 count;
    };
    static constexpr Entry round[] = {{"DCO", 1}, {"ACZ", 1}, {"SDR", 4}, {"ACZ", 1}};
    testlists::TestList list;
    for (int r = 0; r < repetitions; ++r) {
        for (const Entry& entry : round) {
            auto step = std::make_shared<testlists::TestStep>();
            step->initByParams(QString::fromLatin1(entry.type), entry.count, electrodes, 0, 0, false, 0, false);
            list.append(step);
        }
    }
    return list;
}

void ServiceMode::beginBurnIn()
{
    m_state.burnInRunning = true;
    setCalibrationMode();
}

void ServiceMode::burnInStartFinished()
{
    if (!m_state.testRunning)
        m_state.burnInRunning = false;
}

void ServiceMode::cancelBurnIn()
{
    if (m_state.testRunning || m_state.activeTest)
        m_stopRun();
    m_state.burnInRunning = false;
}

} // namespace run
