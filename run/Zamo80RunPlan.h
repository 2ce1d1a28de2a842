#pragma once
// What a ZAMO80-mode run adds to the sequencer: the per-electrode run list
// with its open-circuit pre-check, the decision after the pre-check, and
// the pace steps that run beside the list.

#include <QString>

namespace run {

struct RunState;

class Zamo80RunPlan {
public:
    virtual ~Zamo80RunPlan() = default;
    // Rebuilds the expanded and the pace list of the run from the
    // operator's list.
    virtual void buildElectrodeTestLists() = 0;
    // Empties the ACLG sums of the run.
    virtual void resetACLGValues() = 0;
    // The point after the pre-check (the sequencer tick at list position 2):
    // clears PreCheckRunning, sets PreCheckHandled, and deals with open channels.
    virtual void openCircuitPoint() = 0;
    virtual bool isPaceTestRunningOnElectrodes(const QString& electrodes) = 0;
    virtual void startDuePaceTests() = 0;
    virtual void endDuePaceTests() = 0;
    virtual void activatePaceTest(const QString& electrodes) = 0;
    // Ends a pace step of the run list once its time is up.
    virtual void endPrimaryPaceTest() = 0;
};

// Runs the operator's list as it stands, with no pre-check step and no pace
// steps beside it.
class PlainZamo80RunPlan : public Zamo80RunPlan {
public:
    explicit PlainZamo80RunPlan(RunState& state) : m_state(state) {}
    void buildElectrodeTestLists() override;
    void resetACLGValues() override;
    void openCircuitPoint() override;
    bool isPaceTestRunningOnElectrodes(const QString&) override { return false; }
    void startDuePaceTests() override {}
    void endDuePaceTests() override {}
    void activatePaceTest(const QString&) override {}
    void endPrimaryPaceTest() override {}

private:
    RunState& m_state;
};

} // namespace run
