#include "run/Zamo80RunPlan.h"

#include "run/RunState.h"
#include "testlists/StationTestLists.h"

void PlainZamo80RunPlan::BuildElectrodeTestLists()
{
    m_state.lists.expanded = Globals::ActiveTestList;
    m_state.lists.pace.clear();
}

void PlainZamo80RunPlan::ResetACLGValues()
{
    for (auto& row : m_state.ACLGSums)
        row.fill(-99.0);
}

void PlainZamo80RunPlan::OpenCircuitPoint()
{
    m_state.PreCheckRunning = false;
    m_state.PreCheckHandled = true;
}
