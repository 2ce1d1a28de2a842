#pragma once
// What a ZAMO80-mode run adds to the sequencer: the per-electrode run list
// with its open-circuit pre-check, the decision after the pre-check, and
// the pace steps that run beside the list.

#include <QString>

struct RunState;

class Zamo80RunPlan {
public:
    virtual ~Zamo80RunPlan() = default;
    // Rebuilds the expanded and the pace list of the run from the
    // operator's list.
    virtual void BuildElectrodeTestLists() = 0;
    // Empties the ACLG sums of the run.
    virtual void ResetACLGValues() = 0;
    // The point after the pre-check (the sequencer tick at list position 2):
    // clears PreCheckRunning, sets PreCheckHandled, and deals with open channels.
    virtual void OpenCircuitPoint() = 0;
    virtual bool IsPaceTestRunningOnElectrodes(const QString& vElectrodes) = 0;
    virtual void StartDuePaceTests() = 0;
    virtual void EndDuePaceTests() = 0;
    virtual void ActivatePaceTest(const QString& vElectrodes) = 0;
    // Ends a pace step of the run list once its time is up.
    virtual void EndPrimaryPaceTest() = 0;
};

// Runs the operator's list as it stands, with no pre-check step and no pace
// steps beside it.
class PlainZamo80RunPlan : public Zamo80RunPlan {
public:
    explicit PlainZamo80RunPlan(RunState& state) : m_state(state) {}
    void BuildElectrodeTestLists() override;
    void ResetACLGValues() override;
    void OpenCircuitPoint() override;
    bool IsPaceTestRunningOnElectrodes(const QString&) override { return false; }
    void StartDuePaceTests() override {}
    void EndDuePaceTests() override {}
    void ActivatePaceTest(const QString&) override {}
    void EndPrimaryPaceTest() override {}

private:
    RunState& m_state;
};
