#include "run/UnitStateEvents.h"

#include "config/Log.h"
#include "run/RunHost.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "unit/Unit.h"

namespace run {

void UnitStateEvents::diagnosticsReported(int number)
{
    const std::optional<UnitIndex> unit = UnitIndex::fromNumber(number);
    unit::Unit* link = unit ? m_units.at(*unit) : nullptr;
    if (!link)
        return;
    const qint32 group = m_services.recorder->groupId();
    if (group == 0) {
        config::writeLog(QStringLiteral("Diagnostics of Unit #") + QString::number(unit->number())
                         + QStringLiteral(" not stored: no test group is being recorded"));
        return;
    }
    // The column set follows the model of unit 1, whichever unit reported.
    unit::Unit* unit1 = m_units.at(UnitIndex::first());
    const bool newModel = unit1 && (unit1->isZamo80() || unit1->isZamo24());
    m_services.recorder->recordUnitDiagnostics(*unit, group, link->getDiagnosticArray(), newModel);
}

void UnitStateEvents::lidReported(int, bool lidClosed)
{
    if (lidClosed || !m_state.testRunning)
        return;
    m_host.writeToCommTextBox(m_units.zamo24() ? QStringLiteral("*ZAMO2-4 Lid Opened.  Aborting tests!")
                                               : QStringLiteral("*ZAMO80 Lid Opened.  Aborting tests!"),
                              true, false);
    m_stopRun();
}

} // namespace run
