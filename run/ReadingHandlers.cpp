#include "run/ReadingHandlers.h"

#include "config/Log.h"

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

ResultHandlers::ResultHandlers(RunSequencer& sequencer, RunHost& host) : m_flow(sequencer, host), m_impedance(m_flow), m_aclg(m_flow), m_defib(m_flow), m_offsetNoiseBias(m_flow), m_sdr(m_flow)
{
}

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

void ResultHandlers::RXACLGAck(int Index)
{
    Guarded("ACLG start", [&] { m_aclg.RXACLGAck(Index); });
}

void ResultHandlers::RXACLGTestData(int Index, qint16 vCommChannelID, qint16 vV50, qint16 vVe, bool vCompleted,
                                    double vFinalMeasurement)
{
    Guarded("ACLG", [&] { m_aclg.RXACLGTestData(Index, vCommChannelID, vV50, vVe, vCompleted, vFinalMeasurement); });
}

void ResultHandlers::RXZamo24ACLGTestData(int Index, qint16 vCommChannelID, qint16 vZero50, qint16 vZeroE,
                                          qint16 vV50_1, qint16 vVe_1, qint16 vV50_2, qint16 vVe_2, bool vCompleted,
                                          double vCalcR1, double vCalcR2)
{
    Guarded("ACLG", [&] {
        m_aclg.RXZamo24ACLGTestData(Index, vCommChannelID, vZero50, vZeroE, vV50_1, vVe_1, vV50_2, vVe_2, vCompleted,
                                    vCalcR1, vCalcR2);
    });
}

void ResultHandlers::RXDefibRecoveryAck(int Index)
{
    Guarded("DEFR start", [&] { m_defib.RXDefibRecoveryAck(Index); });
}

void ResultHandlers::RXDefibRecoveryTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v750mV,
                                             qint16 v750mV_M, qint16 vZeroCorrect, qint16 vMeasure4,
                                             qint16 vMeasure60, qint16 vSeconds, bool vCompleted, double vGain,
                                             double vMeasurement4, double vMeasurement60)
{
    Guarded("DEFR", [&] {
        m_defib.RXDefibRecoveryTestData(Index, vCommChannelID, vZero, v750mV, v750mV_M, vZeroCorrect, vMeasure4,
                                        vMeasure60, vSeconds, vCompleted, vGain, vMeasurement4, vMeasurement60);
    });
}

void ResultHandlers::RXDCOTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v750mV_M,
                                   qint16 vZeroCorrect, qint16 vMeasure, qint16 vSeconds, bool vCompleted, double vGain,
                                   double vMeasurement, bool vZamo80)
{
    Guarded("DCO", [&] {
        m_offsetNoiseBias.RXDCOTestData(Index, vCommChannelID, vZero, v50mV, v750mV_M, vZeroCorrect, vMeasure,
                                        vSeconds, vCompleted, vGain, vMeasurement, vZamo80);
    });
}

void ResultHandlers::RXNoiseTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v100uV,
                                     qint16 vFilterZero, qint16 vHighPeak, qint16 vLowPeak, qint16 vSeconds,
                                     bool vCompleted, double vGain, double vFilterZeroVpp, double vVppMeasurement,
                                     bool vZamo80)
{
    Guarded("NOISE", [&] {
        m_offsetNoiseBias.RXNoiseTestData(Index, vCommChannelID, vZero, v100uV, vFilterZero, vHighPeak, vLowPeak,
                                          vSeconds, vCompleted, vGain, vFilterZeroVpp, vVppMeasurement, vZamo80);
    });
}

void ResultHandlers::RXBiasTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 vInitial,
                                    qint16 vMax, qint16 vCurrent, qint16 vMinutes, qint16 vSeconds, bool vCompleted,
                                    double vGain, double vMeasurement)
{
    Guarded("BIAS", [&] {
        m_offsetNoiseBias.RXBiasTestData(Index, vCommChannelID, vZero, v50mV, vInitial, vMax, vCurrent, vMinutes,
                                         vSeconds, vCompleted, vGain, vMeasurement);
    });
}

void ResultHandlers::RXSDRTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v200VOk,
                                   qint16 v2VOk, qint16 vInitial, qint16 vMeasure1, qint16 vMeasure2, qint16 vMeasure3,
                                   qint16 vSecond, bool vCompleted, double vGain, double vInitialMeasurement,
                                   double vRate1, double vRate2, double vRate3)
{
    Guarded("SDR", [&] {
        m_sdr.RXSDRTestData(Index, vCommChannelID, vZero, v50mV, v200VOk, v2VOk, vInitial, vMeasure1, vMeasure2,
                            vMeasure3, vSecond, vCompleted, vGain, vInitialMeasurement, vRate1, vRate2, vRate3);
    });
}
