#pragma once
// The test commands of a channel: starting and stopping its tests, asking for their data.
// Each takes the command that the connected model expects (the protocol's
// table, unit/CommandFrames) and hands it to the unit's transmit path; a
// model that a command does not serve gets no frame, no log line and no
// error. Channels are 0..15.

#include "unit/CommandSender.h"

#include <QString>

namespace unit {

class ChannelTestCommands {
public:
    explicit ChannelTestCommands(CommandSender& sender) : m_sender(sender) {}

    void txRequestCommand(qint16 channel);
    void txRunACZTest(qint16 channel);
    void txRunACZ30Zero(qint16 channel);
    void txRunACZ30Test(qint16 channel);
    void txRunACLGTest(qint16 channel);
    void txRunDefibRecoveryTest(qint16 channel);
    void txRunFilterZeroRoutine(qint16 channel);
    void txRunNoiseTest(qint16 channel);
    void txRunSpecialCalibrationTest1(qint16 channel);
    void txRunSpecialCalibrationTest2(qint16 channel);
    void txGetDCOValue(qint16 channel);
    void txRunDCOTest(qint16 channel);
    void txRunDCOZeroCorrectionTest(qint16 channel);
    void txStopBiasTest(qint16 channel);
    void txRunBiasTest(qint16 channel);
    void txRunSDRTest(qint16 channel, bool runACZAfterSDR);
    void txCancel(qint16 channel, bool immediate = false);
    void txResendLastData(qint16 channel);
    void txRunVoltage1Pace(qint16 channel);
    void txRunVoltage2Pace(qint16 channel);
    void txStopPace(qint16 channel);

private:
    CommandSender& m_sender;
};

} // namespace unit
