#include "run/LogRollover.h"

#include "config/StationLog.h"
#include "platform/Clock.h"

namespace run {

LogRollover::LogRollover(config::StationLog& log, const platform::Timer& stepTimer,
                         const platform::Timer& testClockTimer, QObject* parent)
    : QObject(parent), m_log(log), m_stepTimer(stepTimer), m_testClockTimer(testClockTimer)
{
    m_timer.setInterval(60000);
    connect(&m_timer, &platform::Timer::timeout, this, &LogRollover::check);
}

void LogRollover::start()
{
    m_day = platform::Clock::now().date().day();
    m_timer.start();
}

void LogRollover::check()
{
    if (m_testClockTimer.isEnabled() || m_stepTimer.isEnabled())
        return;
    const int today = platform::Clock::now().date().day();
    if (today == m_day)
        return;
    m_day = today;
    m_log.start();
}

} // namespace run
