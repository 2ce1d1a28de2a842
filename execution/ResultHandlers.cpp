#include "execution/ResultHandlers.h"

ResultHandlers::ResultHandlers(RunSequencer& sequencer, RunHost& host) : m_flow(sequencer, host), m_impedance(m_flow) {}

void ResultHandlers::RXACZTestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef,
                                   qint16 vMeasureHigh, qint16 vMeasure, qint16 vVcc, bool vCompleted, double vGain,
                                   double vMeasurement, double vVccMeasurement, bool vZamo80)
{
    m_impedance.RXACZTestData(Index, vCommChannelID, vZeroLevel, v1kRef, vMeasureHigh, vMeasure, vVcc, vCompleted,
                              vGain, vMeasurement, vVccMeasurement, vZamo80);
}

void ResultHandlers::RXACZ30TestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef,
                                     qint16 vMeasureHigh, qint16 vMeasure, qint16 vACZ30Zero, bool vCompleted,
                                     double vGain, double vMeasurement, bool vZamo80)
{
    m_impedance.RXACZ30TestData(Index, vCommChannelID, vZeroLevel, v1kRef, vMeasureHigh, vMeasure, vACZ30Zero,
                                vCompleted, vGain, vMeasurement, vZamo80);
}

void ResultHandlers::RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16 vZeroValue)
{
    m_impedance.RXACZ30ZeroTestData(Index, vCommChannelID, vZeroValue);
}
