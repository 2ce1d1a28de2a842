#include "run/TestClock.h"

#include "run/RunState.h"

namespace run {

void SecondsOnlyTestClock::tick()
{
    if (m_state.m_testRunning && m_state.m_activeTest)
        ++m_state.ElapsedSeconds;
}

} // namespace run
