#pragma once
// The 1-second test clock of a run (the sequencer's test clock timer): elapsed
// seconds, the interim-reading schedule, time-outs and the charge sequence.

namespace run {

class MeasurementSchedule;
struct RunState;

class TestClock {
public:
    virtual ~TestClock() = default;
    // One tick of the test clock timer while a step runs.
    virtual void tick() = 0;
    // Opens the next interim-reading interval (reset: at a step start).
    virtual void setNextMeasurementTime(bool reset) = 0;
    // A BIAS step that reached its maximum duration is stopped.
    virtual void checkBiasTestDuration() = 0;
};

// Counts the seconds of the active step and nothing more.
class SecondsOnlyTestClock : public TestClock {
public:
    SecondsOnlyTestClock(const RunState& state, MeasurementSchedule& schedule) : m_state(state), m_schedule(schedule) {}
    void tick() override;
    void setNextMeasurementTime(bool) override {}
    void checkBiasTestDuration() override {}

private:
    const RunState& m_state;
    MeasurementSchedule& m_schedule;
};

} // namespace run
