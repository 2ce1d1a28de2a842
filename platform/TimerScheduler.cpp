#include "platform/TimerScheduler.h"

#include "platform/Timer.h"

#include <algorithm>

namespace platform {

namespace {
std::vector<Timer*>& armed()
{
    static std::vector<Timer*> list;
    return list;
}
quint64 s_order = 0;
} // namespace

void TimerScheduler::add(Timer* t)
{
    armed().push_back(t);
}

void TimerScheduler::remove(Timer* t)
{
    auto& list = armed();
    list.erase(std::remove(list.begin(), list.end(), t), list.end());
}

Timer* TimerScheduler::nextDue(qint64 limit)
{
    Timer* best = nullptr;
    for (Timer* t : armed()) {
        if (t->m_dueAt > limit)
            continue;
        if (!best || t->m_dueAt < best->m_dueAt || (t->m_dueAt == best->m_dueAt && t->m_order < best->m_order))
            best = t;
    }
    return best;
}

quint64 TimerScheduler::nextOrder()
{
    return ++s_order;
}

bool TimerScheduler::hasArmed()
{
    return !armed().empty();
}

qint64 TimerScheduler::earliestDue()
{
    qint64 e = -1;
    for (Timer* t : armed())
        if (e < 0 || t->m_dueAt < e)
            e = t->m_dueAt;
    return e;
}

} // namespace platform
