#pragma once
// The text of the commands that the station sends to a measuring unit, built
// from the sender's arguments and the unit's model. Nothing here sends: the
// unit link's senders hand these texts to the transmit path, which wraps a
// channel command "(...)" into "[Cnn...]".
//
// An empty text means "no frame": the model does not serve the command, or an
// argument selects nothing. Fields are written as given; a number field of N
// digits is padded on the left with zeros, a negative value keeps its sign in
// front ("-0005") and a value wider than the field keeps all its digits.

#include "unit/UnitModel.h"

#include <QString>

#include <array>
#include <initializer_list>

namespace unit {

namespace UnitCommandFrames {

// The commands whose text differs between the models (or that some model
// does not serve); their texts are one table, modelCommand reads it.
enum class ModelCommand {
    ZeroCounter,
    ReadCounter,
    GetDcoReferenceVoltage,
    GetCalibrationReference,
    RunAcz30Test,
    RunAclgTest,
    RunDefibRecoveryTest,
    GetDcoValue,
    RunDcoTest,
    RunDcoZeroCorrectionTest,
    StopBiasTest,
    RunBiasTest,
    GetPacePulse,
    RunVoltage1Pace,
    RunVoltage2Pace,
    StopPace,
    UnitDiagnostics,
    Enable200VSupply,
    Disable200VSupply,
};

// The model's text of a command; "" when the model does not serve it.
QString modelCommand(ModelCommand command, UnitModel model);

// --- number and text fields ---
QString padded(qint64 value, int digits);
QString paddedList(std::initializer_list<qint64> values, int digits); // joined by ","
// Serial number: padded on the left with "0" to five characters, or cut to its first five.
QString serialNumberField(const QString& serialNumber);

// --- calibration-board commands with arguments ---
QString calBoardSetSerialNumber(const QString& serialNumber);
QString calBoardSetCalibrationReferenceResistors1(qint64 aczRef1, qint64 aczRef2);
QString calBoardSetCalibrationReferenceResistors2(qint64 aczRef3, qint64 bias1Ref);
QString calBoardSetCalibrationReferenceDCO(qint64 dcoCorr1, qint64 dcoCorr2);
QString calBoardSetPotentialReference(qint64 potCorr1, qint64 potCorr2);
// "(g" + letter + selector + ")" for selectors 1 to 3; "" for any other selector.
QString calBoardSelector(char letter, qint64 selector);

// --- channel commands with arguments or by model ---
QString readPort(const QString& port);
QString readTrisRegister(const QString& reg);
QString writePort(const QString& port, const QString& bits);
QString setCalibrationDate(qint64 year, qint64 month, qint64 day);
QString setSerialNumber(const QString& serialNumber);
QString setCalibrationReference(UnitModel model, qint64 v1, qint64 v2, qint64 v3, qint64 v4);
QString setDCOReferenceVoltage(UnitModel model, qint64 reference750);
QString runSDRTest(bool runACZAfterSDR);
QString updateOsctune(const QString& timeBitString);
QString setPacePulse(UnitModel model, qint64 pace1On50, qint64 pace2On50, qint64 pace1Offms, qint64 pace2Offms,
                     qint64 pace1Voltage, qint64 pace2Voltage);
QString channelLED(bool enable);

// A channel command as the unit takes it: "[C" + two-digit channel + command + "]".
QString channelFrame(const QString& command, qint16 channel);

// --- unit commands ---
// The unit's own twin of a channel command: "(RB)" becomes "[RB]".
QString asUnitFrame(const QString& channelCommand);

// --- all-channel frames ---
// The five-character command of a test type on a model (exact, case-sensitive
// match); "" when the model does not run that type.
QString allChannelCommand(const QString& testType, UnitModel model);
// "[A" + five-character command + channel bit string + "]".
QString allChannelFrame(const QString& command, const QString& channelBitString);
// The all-channel command that switches the channel LEDs off.
inline constexpr const char* kAllChannelLEDOff = "(i0))";
// One "1" or "0" per channel, channel 0 first.
QString channelBitString(const std::array<bool, 16>& channelOn);

} // namespace UnitCommandFrames

} // namespace unit
