#include "execution/ResultHandlers.h"

#include "core/modMain.h"

#include <exception>

namespace {

// A reply that cannot be handled is logged; the unit link's receive path
// goes on with the next reply.
template <typename F>
void Guarded(const char* test, F&& handle)
{
    try {
        handle();
    } catch (const std::exception& e) {
        modMain::WriteLog(QStringLiteral("* ") + QLatin1String(test) + QStringLiteral(" reply not handled: ")
                          + QString::fromUtf8(e.what()));
    }
}

} // namespace

ResultHandlers::ResultHandlers(RunSequencer& sequencer, RunHost& host) : m_flow(sequencer, host), m_impedance(m_flow) {}

void ResultHandlers::RXACZTestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef,
                                   qint16 vMeasureHigh, qint16 vMeasure, qint16 vVcc, bool vCompleted, double vGain,
                                   double vMeasurement, double vVccMeasurement, bool vZamo80)
{
    Guarded("ACZ", [&] {
        m_impedance.RXACZTestData(Index, vCommChannelID, vZeroLevel, v1kRef, vMeasureHigh, vMeasure, vVcc,
                                  vCompleted, vGain, vMeasurement, vVccMeasurement, vZamo80);
    });
}

void ResultHandlers::RXACZ30TestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef,
                                     qint16 vMeasureHigh, qint16 vMeasure, qint16 vACZ30Zero, bool vCompleted,
                                     double vGain, double vMeasurement, bool vZamo80)
{
    Guarded("ACZ30", [&] {
        m_impedance.RXACZ30TestData(Index, vCommChannelID, vZeroLevel, v1kRef, vMeasureHigh, vMeasure, vACZ30Zero,
                                    vCompleted, vGain, vMeasurement, vZamo80);
    });
}

void ResultHandlers::RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16 vZeroValue)
{
    Guarded("ACZ30 zero", [&] { m_impedance.RXACZ30ZeroTestData(Index, vCommChannelID, vZeroValue); });
}
