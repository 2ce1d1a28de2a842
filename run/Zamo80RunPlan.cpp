#include "run/Zamo80RunPlan.h"

#include "run/RunGlobals.h"
#include "run/RunState.h"

void PlainZamo80RunPlan::BuildElectrodeTestLists()
{
    Globals::ExpandedTestList = Globals::ActiveTestList;
    Globals::PaceTestList.clear();
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
