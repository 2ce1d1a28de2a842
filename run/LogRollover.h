#pragma once
// The log file's day: once a minute, outside a run (neither run timer
// going), a new day starts a new log file. A log file that cannot be
// started is the log's to report; the day is taken all the same.

#include "platform/Timer.h"

#include <QObject>

namespace config {
class StationLog;
}

namespace run {

class LogRollover : public QObject {
public:
    // The log and the run's two timers (a run goes while either does) outlive
    // the rollover.
    LogRollover(config::StationLog& log, const platform::Timer& stepTimer, const platform::Timer& testClockTimer,
                QObject* parent = nullptr);

    // Takes today as the log's day and checks once a minute from now on.
    void start();
    void stop() { m_timer.stop(); }
    // One check, as the timer makes it.
    void check();
    int day() const { return m_day; }

private:
    config::StationLog& m_log;
    const platform::Timer& m_stepTimer;
    const platform::Timer& m_testClockTimer;
    platform::Timer m_timer;
    int m_day = 0;
};

} // namespace run
