#include "run/UnitStateEvents.h"

#include "config/Log.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "unit/Unit.h"

void UnitStateEvents::RXMasterDiagnostics(int Index)
{
    UnitLink* unit = m_sequencer.Unit(Index);
    if (!unit)
        return;
    const qint32 group = m_sequencer.State().Keys.CurrentGroupID;
    if (group == 0) {
        modMain::WriteLog(QStringLiteral("Diagnostics of Unit #") + QString::number(Index)
                          + QStringLiteral(" not stored: no test group is being recorded"));
        return;
    }
    // The column set follows the model of unit 1, whichever unit reported.
    UnitLink* unit1 = m_sequencer.Unit(1);
    const bool newModel = unit1 && (unit1->IsZAMO80() || unit1->IsZAMO24());
    m_sequencer.Services().recorder->RecordUnitDiagnostics(Index, group, unit->GetDiagnosticArray(), newModel);
}

void UnitStateEvents::RXMasterLidState(int, bool vLidClosed)
{
    if (vLidClosed || !m_sequencer.State().pTestRunning)
        return;
    m_host.WriteToCommTextBox(m_sequencer.CheckZAMO24() ? QStringLiteral("*ZAMO2-4 Lid Opened.  Aborting tests!")
                                                        : QStringLiteral("*ZAMO80 Lid Opened.  Aborting tests!"),
                              true, false);
    m_sequencer.StopTests();
}
