#include "execution/Zamo80RunPlan.h"

#include "execution/RunGlobals.h"
#include "execution/RunState.h"

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
