#pragma once
// Virtual-time scheduler of platform::Timer: keeps the armed timers and fires
// them in order of their due tick (ties in the order they were armed).

#include <QtGlobal>

#include <vector>

namespace platform {

class Timer;

class TimerScheduler {
public:
    static void add(Timer* t);
    static void remove(Timer* t);
    // The armed timer due first at or before `limit`, or nullptr.
    static Timer* nextDue(qint64 limit);
    static quint64 nextOrder();
    static bool hasArmed();
    static qint64 earliestDue();
};

} // namespace platform
