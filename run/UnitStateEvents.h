#pragma once
// The unit-level events of the test window: a unit's diagnostics report,
// stored with the run's test group, and the lid of a ZAMO80 or ZAMO2-4,
// whose opening stops a run.

#include <QString>

namespace run {

class RunHost;
class RunSequencer;

class UnitStateEvents {
public:
    UnitStateEvents(RunSequencer& sequencer, RunHost& host) : m_sequencer(sequencer), m_host(host) {}

    // The diagnostics are taken from the unit's properties; the report's own
    // values are not used. A report that belongs to no run (no test group)
    // is not stored.
    void diagnosticsReported(int unitIndex);
    void lidReported(int unitIndex, bool lidClosed);

private:
    RunSequencer& m_sequencer;
    RunHost& m_host;
};

} // namespace run
