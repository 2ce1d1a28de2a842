#pragma once
// The unit-level events of the test window: a unit's diagnostics report,
// stored with the run's test group, and the lid of a ZAMO80 or ZAMO2-4,
// whose opening stops a run.

#include "run/RunUnits.h"

#include <QString>

#include <functional>

namespace run {

class RunHost;
struct RunServices;
struct RunState;

class UnitStateEvents {
public:
    // stopRun: ends the run (the sequencer's cancel).
    UnitStateEvents(const RunUnits& units, const RunState& state, RunServices& services, RunHost& host,
                    std::function<void()> stopRun)
        : m_units(units), m_state(state), m_services(services), m_host(host), m_stopRun(std::move(stopRun))
    {
    }

    // The diagnostics are taken from the unit's properties; the report's own
    // values are not used. A report that belongs to no run (no test group)
    // is not stored. number: the unit's number as its replies carry it.
    void diagnosticsReported(int number);
    void lidReported(int number, bool lidClosed);

private:
    RunUnits m_units;
    const RunState& m_state;
    RunServices& m_services;
    RunHost& m_host;
    std::function<void()> m_stopRun;
};

} // namespace run
