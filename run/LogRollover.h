#pragma once
// The log file's day: once a minute, outside a run (neither run timer
// going), a new day starts a new log file. A log file that cannot be
// started is the log's to report; the day is taken all the same.

#include "platform/Timer.h"

#include <QObject>

namespace run {

class RunSequencer;

class LogRollover : public QObject {
public:
    // The sequencer outlives the rollover.
    explicit LogRollover(RunSequencer& sequencer, QObject* parent = nullptr);

    // Takes today as the log's day and checks once a minute from now on.
    void start();
    void stop() { m_timer.stop(); }
    // One check, as the timer makes it.
    void check();
    int day() const { return m_day; }

private:
    RunSequencer& m_sequencer;
    platform::Timer m_timer;
    int m_day = 0;
};

} // namespace run
