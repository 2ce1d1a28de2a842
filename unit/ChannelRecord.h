#pragma once
// One electrode channel of a measuring unit, as the unit link keeps it:
// presence, identity, calibration date, the last measured values that the
// test window keeps per channel, and the ZAMO2-4 pace settings. A plain
// record that checks nothing it is given: a channel never read is not
// connected, without identity, and dated zero (HasValidData is false).

#include "platform/OleDate.h"

#include <QString>

class clsElectrode {
public:
    // ZAMO2-4 pace settings, set only through SetZamo24PaceParameters.
    double Zamo24Pace1Amplitude() const { return m_pace1Amplitude; }
    double Zamo24Pace1PulseWidth() const { return m_pace1PulseWidth; }
    double Zamo24Pace1BPM() const { return m_pace1BPM; }
    double Zamo24Pace2Amplitude() const { return m_pace2Amplitude; }
    double Zamo24Pace2PulseWidth() const { return m_pace2PulseWidth; }
    double Zamo24Pace2BPM() const { return m_pace2BPM; }

    double LastMeasurement() const { return m_lastMeasurement; }
    void setLastMeasurement(double v) { m_lastMeasurement = v; }
    double LastMeasurement2() const { return m_lastMeasurement2; }
    void setLastMeasurement2(double v) { m_lastMeasurement2 = v; }

    void SetZamo24PaceParameters(double vPace1Amplitude, double vPace1PulseWidth, double vPace1BPM,
                                 double vPace2Amplitude, double vPace2PulseWidth, double vPace2BPM);

    // True for a present channel whose identity has been read (serial
    // number and calibration date).
    bool HasValidData() const;

    platform::OleDate CalibrationDate() const { return m_calibrationDate; }
    void setCalibrationDate(platform::OleDate v) { m_calibrationDate = v; }
    QString FirmwareVersion() const { return m_firmwareVersion; }
    void setFirmwareVersion(const QString& v) { m_firmwareVersion = v; }
    QString SerialNumber() const { return m_serialNumber; }
    void setSerialNumber(const QString& v) { m_serialNumber = v; }
    bool Connected() const { return m_connected; }
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
