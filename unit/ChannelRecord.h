#pragma once
// One electrode channel of a measuring unit, as the unit link keeps it:
// presence, identity, calibration date, the last measured values that the
// test window keeps per channel, and the ZAMO2-4 pace settings. A plain
// record that checks nothing it is given: a channel never read is not
// connected, without identity, and dated zero (hasValidData is false).

#include "platform/OleDate.h"

#include <QString>

namespace unit {

class ChannelRecord {
public:
    // ZAMO2-4 pace settings, set only through setZamo24PaceParameters.
    double zamo24Pace1Amplitude() const { return m_pace1Amplitude; }
    double zamo24Pace1PulseWidth() const { return m_pace1PulseWidth; }
    double zamo24Pace1BPM() const { return m_pace1BPM; }
    double zamo24Pace2Amplitude() const { return m_pace2Amplitude; }
    double zamo24Pace2PulseWidth() const { return m_pace2PulseWidth; }
    double zamo24Pace2BPM() const { return m_pace2BPM; }

    double lastMeasurement() const { return m_lastMeasurement; }
    void setLastMeasurement(double v) { m_lastMeasurement = v; }
    double lastMeasurement2() const { return m_lastMeasurement2; }
    void setLastMeasurement2(double v) { m_lastMeasurement2 = v; }

    void setZamo24PaceParameters(double pace1Amplitude, double pace1PulseWidth, double pace1BPM, double pace2Amplitude,
                                 double pace2PulseWidth, double pace2BPM);

    // True for a present channel whose identity has been read (serial
    // number and calibration date).
    bool hasValidData() const;

    platform::OleDate calibrationDate() const { return m_calibrationDate; }
    void setCalibrationDate(platform::OleDate v) { m_calibrationDate = v; }
    QString firmwareVersion() const { return m_firmwareVersion; }
    void setFirmwareVersion(const QString& v) { m_firmwareVersion = v; }
    QString serialNumber() const { return m_serialNumber; }
    void setSerialNumber(const QString& v) { m_serialNumber = v; }
    bool connected() const { return m_connected; }
    void setConnected(bool v) { m_connected = v; }

private:
    double m_pace1Amplitude = 0;
    double m_pace1PulseWidth = 0;
    double m_pace1BPM = 0;
    double m_pace2Amplitude = 0;
    double m_pace2PulseWidth = 0;
    double m_pace2BPM = 0;
    double m_lastMeasurement = 0;
    double m_lastMeasurement2 = 0;
    platform::OleDate m_calibrationDate;
    QString m_firmwareVersion;
    QString m_serialNumber;
    bool m_connected = false;
};

} // namespace unit
