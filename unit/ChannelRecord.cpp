#include "unit/ChannelRecord.h"

void clsElectrode::SetZamo24PaceParameters(double vPace1Amplitude, double vPace1PulseWidth,
                                           double vPace1BPM, double vPace2Amplitude,
                                           double vPace2PulseWidth, double vPace2BPM)
{
    m_pace1Amplitude = vPace1Amplitude;
    m_pace1PulseWidth = vPace1PulseWidth;
    m_pace1BPM = vPace1BPM;
    m_pace2Amplitude = vPace2Amplitude;
    m_pace2PulseWidth = vPace2PulseWidth;
    m_pace2BPM = vPace2BPM;
}

bool clsElectrode::HasValidData() const
{
    return m_connected && !m_serialNumber.isEmpty() && !m_calibrationDate.isZero();
}
