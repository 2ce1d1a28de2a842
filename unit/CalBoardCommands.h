#pragma once
// The commands of the calibration board that stands in a channel's place: reading and storing its
// firmware, serial number and reference values, and switching its reference resistors and voltages.
// Each takes the command that the connected model expects (the protocol's
// table, unit/CommandFrames) and hands it to the unit's transmit path; a
// model that a command does not serve gets no frame, no log line and no
// error. Channels are 0..15.

#include "unit/CommandSender.h"

#include <QString>

namespace unit {

class CalBoardCommands {
public:
    explicit CalBoardCommands(CommandSender& sender) : m_sender(sender) {}

    void txCalBoardGetFirmwareVersion(qint16 channel);
    void txCalBoardGetSerialNumber(qint16 channel);
    void txCalBoardSetSerialNumber(qint16 channel, const QString& serialNumber);
    void txCalBoardSetCalibrationReferenceResistors1(qint16 channel, qint16 acz1Ref, qint16 acz2Ref);
    void txCalBoardGetCalibrationReferenceResistors1(qint16 channel);
    void txCalBoardSetCalibrationReferenceResistors2(qint16 channel, qint16 acz3Ref, qint16 bias1Ref);
    void txCalBoardGetCalibrationReferenceResistors2(qint16 channel);
    void txCalBoardSetCalibrationReferenceDCO(qint16 channel, qint32 dcoCorrection1, qint32 dcoCorrection2);
    void txCalBoardGetCalibrationReferenceDCO(qint16 channel);
    void txCalBoardSetPotentialReference(qint16 channel, qint32 potentialCorrection1, qint32 potentialCorrection2);
    void txCalBoardGetPotentialReference(qint16 channel);
    void txCalBoardACZResistorOff(qint16 channel, bool immediate = false);
    void txCalBoardACZResistorOn(qint16 channel, qint16 resistorID);
    void txCalBoardDCOVoltageOff(qint16 channel, bool immediate = false);
    void txCalBoardDCOVoltageOn(qint16 channel, qint16 voltageID);
    void txCalBoardNoiseVoltageOff(qint16 channel, bool immediate = false);
    void txCalBoardNoiseVoltageOn(qint16 channel, qint16 voltageID);
    void txCalBoardBiasResistorOff(qint16 channel, bool immediate = false);
    void txCalBoardBiasResistorOn(qint16 channel);
    void txCalBoardSDROff(qint16 channel, bool immediate = false);
    void txCalBoardReadSDRVoltage(qint16 channel);
    void txCalBoardSDRPowerResistor(qint16 channel);
    void txCalBoardVerifyPosition(qint16 channel, bool immediate = false);
    void txCalBoardTestOutputPosition(qint16 channel, bool immediate = false);
    void txCalBoardReadVoltageOff(qint16 channel, bool immediate = false);
    void txCalBoardReadVoltage1(qint16 channel);
    void txCalBoardReadVoltage2(qint16 channel);

private:
    CommandSender& m_sender;
};

} // namespace unit
