#pragma once
// The 1-second test clock of a run (the window's IntervalTimer): elapsed
// seconds, the interim-reading schedule, time-outs and the charge sequence.

namespace run {

struct RunState;

class TestClock {
public:
    virtual ~TestClock() = default;
    // One tick of the IntervalTimer while a step runs.
    virtual void tick() = 0;
    // Opens the next interim-reading interval (reset: at a step start).
    virtual void setNextMeasurementTime(bool reset) = 0;
    // A BIAS step that reached its maximum duration is stopped.
    virtual void checkBiasTestDuration() = 0;
};

// Counts the seconds of the active step and nothing more.
class SecondsOnlyTestClock : public TestClock {
public:
    explicit SecondsOnlyTestClock(RunState& state) : m_state(state) {}
    void tick() override;
    void setNextMeasurementTime(bool) override {}
    void checkBiasTestDuration() override {}

private:
    RunState& m_state;
};

} // namespace run
