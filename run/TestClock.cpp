#include "run/TestClock.h"

#include "run/MeasurementSchedule.h"
#include "run/RunState.h"

namespace run {

void SecondsOnlyTestClock::tick()
{
    if (m_state.testRunning && m_state.activeTest)
        m_schedule.advanceSecond();
}

} // namespace run
