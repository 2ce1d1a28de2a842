#pragma once
// The commands of the unit itself ("[…]" frames): ports, diagnostics, the 200 V supply, the
// defibrillation charge, the lid, the channel map, and the commands sent to all channels at once.
// Each takes the command that the connected model expects (the protocol's
// table, unit/CommandFrames) and hands it to the unit's transmit path; a
// model that a command does not serve gets no frame, no log line and no
// error. Channels are 0..15.

#include "unit/CommandSender.h"

#include <QString>

namespace unit {

class UnitCommands {
public:
    explicit UnitCommands(CommandSender& sender) : m_sender(sender) {}

    void txMasterCommCheck(bool immediate = false);
    void txMasterReadDigitalPort(const QString& port);
    void txMasterReadADPort(const QString& port);
    void txMasterReadTrisRegister(const QString& registerName);
    void txMasterWritePort(const QString& port, const QString& bits);
    void txMasterDiagnostics();
    void txMasterDiagnosticsPollingMode(qint32 delay = 200);
    void txMasterEnable200VSupply();
    void txMasterDisable200VSupply(bool immediate = false);
    void txMasterDefibCharge(qint16 targetChannel = -1);
    void txMasterTriggerCharge(bool immediate = false);
    void txMasterCheckLid(bool pollData = false);
    void txMasterFindChannels();
    void txMasterAllChannelSend(const QString& testType, const QString& channelBitString, qint16 reps = 1,
                                bool immediate = false);
    void txStopAllBiasTest();
    void txCancelAllElectrodes(bool immediate = false);

private:
    CommandSender& m_sender;
};

} // namespace unit
