#include "unit/ChannelRecord.h"

namespace unit {

void ChannelRecord::setZamo24PaceParameters(double pace1Amplitude, double pace1PulseWidth, double pace1BPM,
                                            double pace2Amplitude, double pace2PulseWidth, double pace2BPM)
{
    m_pace1Amplitude = pace1Amplitude;
    m_pace1PulseWidth = pace1PulseWidth;
    m_pace1BPM = pace1BPM;
    m_pace2Amplitude = pace2Amplitude;
    m_pace2PulseWidth = pace2PulseWidth;
    m_pace2BPM = pace2BPM;
}

bool ChannelRecord::hasValidData() const
{
    return m_connected && !m_serialNumber.isEmpty() && !m_calibrationDate.isZero();
}

} // namespace unit
