#include "run/TestClock.h"

#include "run/RunState.h"

void SecondsOnlyTestClock::Tick()
{
    if (m_state.pTestRunning && m_state.pActiveTest)
        ++m_state.ElapsedSeconds;
}
