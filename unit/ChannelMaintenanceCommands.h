#pragma once
// The maintenance commands of a channel: ports, counters, the calibration values stored in the
// channel (date, serial number, references), the clock tuning, the pace settings and the LED.
// Each takes the command that the connected model expects (the protocol's
// table, unit/CommandFrames) and hands it to the unit's transmit path; a
// model that a command does not serve gets no frame, no log line and no
// error. Channels are 0..15.

#include "unit/CommandSender.h"

#include <QString>

namespace unit {

class ChannelMaintenanceCommands {
public:
    explicit ChannelMaintenanceCommands(CommandSender& sender) : m_sender(sender) {}

    void txCommCheck(qint16 channel, bool immediate = false);
    void txReadDigitalPort(qint16 channel, const QString& port);
    void txReadADPort(qint16 channel, const QString& port);
    void txReadTrisRegister(qint16 channel, const QString& registerName);
    void txWritePort(qint16 channel, const QString& port, const QString& bits);
    void txZeroCounter(qint16 channel);
    void txReadCounter(qint16 channel);
    void txSetCalibrationDate(qint16 channel, qint16 year, qint16 month, qint16 day);
    void txGetCalibrationDate(qint16 channel);
    void txGetFirmwareVersion(qint16 channel);
    void txSetSerialNumber(qint16 channel, const QString& serialNumber);
    void txGetSerialNumber(qint16 channel);
    void txSetCalibrationReference(qint16 channel, qint16 reference1, qint16 reference2, qint16 reference3,
                                   qint16 reference4 = 0);
    void txSetDCOReferenceVoltage(qint16 channel, qint16 reference750);
    void txGetDCOReferenceVoltage(qint16 channel);
    void txGetCalibrationReference(qint16 channel);
    void txRunClockTest(qint16 channel);
    void txUpdateOsctune(qint16 channel, const QString& timeBitString);
    void txSaveOsctune(qint16 channel);
    void txSetPacePulse(qint16 channel, qint16 pace1On50, qint16 pace2On50, qint16 pace1Offms, qint16 pace2Offms,
                        qint16 pace1Voltage, qint16 pace2Voltage);
    void txGetPacePulse(qint16 channel);
    void txChannelLED(qint16 channel, bool enable);

private:
    CommandSender& m_sender;
};

} // namespace unit
