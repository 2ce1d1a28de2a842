#include "run/Zamo80RunPlan.h"

#include "run/RunState.h"
#include "testlists/StationTestLists.h"

namespace run {

void PlainZamo80RunPlan::buildElectrodeTestLists()
{
    m_state.lists.expanded = testlists::Globals::ActiveTestList;
    m_state.lists.pace.clear();
}

void PlainZamo80RunPlan::resetACLGValues()
{
    for (auto& row : m_state.ACLGSums)
        row.fill(-99.0);
}

void PlainZamo80RunPlan::openCircuitPoint()
{
    m_state.PreCheckRunning = false;
    m_state.PreCheckHandled = true;
}

} // namespace run
