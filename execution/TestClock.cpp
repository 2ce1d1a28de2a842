#include "execution/TestClock.h"

#include "execution/RunState.h"

void SecondsOnlyTestClock::Tick()
{
    if (m_state.pTestRunning && m_state.pActiveTest)
        ++m_state.ElapsedSeconds;
}
