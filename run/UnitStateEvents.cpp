#include "run/UnitStateEvents.h"

#include "config/Log.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "unit/Unit.h"

namespace run {

void UnitStateEvents::diagnosticsReported(int unitIndex)
{
    unit::Unit* unit = m_sequencer.unitAt(unitIndex);
    if (!unit)
        return;
    const qint32 group = m_sequencer.state().Keys.CurrentGroupID;
    if (group == 0) {
        config::writeLog(QStringLiteral("Diagnostics of Unit #") + QString::number(unitIndex)
                         + QStringLiteral(" not stored: no test group is being recorded"));
        return;
    }
    // The column set follows the model of unit 1, whichever unit reported.
    unit::Unit* unit1 = m_sequencer.unitAt(1);
    const bool newModel = unit1 && (unit1->isZAMO80() || unit1->isZAMO24());
    m_sequencer.services().recorder->recordUnitDiagnostics(unitIndex, group, unit->getDiagnosticArray(), newModel);
}

void UnitStateEvents::lidReported(int, bool lidClosed)
{
    if (lidClosed || !m_sequencer.state().m_testRunning)
        return;
    m_host.writeToCommTextBox(m_sequencer.checkZAMO24() ? QStringLiteral("*ZAMO2-4 Lid Opened.  Aborting tests!")
                                                        : QStringLiteral("*ZAMO80 Lid Opened.  Aborting tests!"),
                              true, false);
    m_sequencer.stopTests();
}

} // namespace run
