#include "platform/Timer.h"

#include "platform/Clock.h"
#include "platform/TimerScheduler.h"

namespace platform {

Timer::Timer(QObject* parent) : QObject(parent)
{
    m_qtimer.setTimerType(Qt::PreciseTimer);
    connect(&m_qtimer, &QTimer::timeout, this, &Timer::timeout);
}

Timer::~Timer()
{
    disarm();
}

void Timer::setInterval(int ms)
{
    m_interval = qMax(ms, 0);
    rearm();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    rearm();
}

void Timer::rearm()
{
    disarm();
    if (!m_enabled || m_interval <= 0)
        return;
    if (Clock::isVirtual()) {
        m_dueAt = Clock::tickCount() + m_interval;
        m_order = TimerScheduler::nextOrder();
        m_armed = true;
        TimerScheduler::add(this);
    } else {
        m_qtimer.start(m_interval);
    }
}

void Timer::disarm()
{
    m_qtimer.stop();
    if (m_armed) {
        m_armed = false;
        TimerScheduler::remove(this);
    }
}

void Timer::fireFromScheduler()
{
    // The next period counts from this tick; a handler that changes the
    // interval or disables the timer re-arms or disarms it.
    m_dueAt = Clock::tickCount() + m_interval;
    m_order = TimerScheduler::nextOrder();
    emit timeout();
}

} // namespace platform
