#pragma once
// The link to one measuring unit (unit 1 or unit 2), as the rest of the
// station uses it. It composes separate pieces of unit/:
//   UnitPort            the medium: USB port or simulated unit, send queue, poll cycle, waits
//   UnitHandshake       the open sequence over the medium, the close, the failure report and
//                       the reconnection of ZAMO80 and ZAMO2-4 units
//   UnitProtocol        command frames by model, the reply parser and its decoders
//   UnitChannelState    the channel records, diagnostics, lid and channel map
//   UnitReplyHandler    keeps what a reply says of the state and raises it
//   the command senders ChannelTestCommands, ChannelMaintenanceCommands, CalBoardCommands,
//                       UnitCommands over one CommandSender
//   UnitLinkStatus      what it shows of itself
// Every decoded reply leaves as one UnitReply through replyReceived; the
// other events are the traffic and the connection. A failing port is
// reported through hardwareStatus and usbError (never by an exception);
// ZAMO80 and ZAMO2-4 units reconnect by themselves.
//
// The members are implemented in:
//   UnitLink.cpp          properties, connect/disconnect, status, channel records
//   UnitLinkTransmit.cpp  frames, exchanges, the receive hand-over

#include "config/AclgSettings.h"
#include "config/Zamo80Delays.h"
#include "unit/AclgEnergy.h"
#include "unit/CalBoardCommands.h"
#include "unit/ChannelMaintenanceCommands.h"
#include "unit/ChannelRecord.h"
#include "unit/ChannelTestCommands.h"
#include "unit/CommandSender.h"
#include "unit/LinkStatus.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitChannels.h"
#include "unit/UnitCommands.h"
#include "unit/UnitDiagnostics.h"
#include "unit/UnitHandshake.h"
#include "unit/UnitLinkStatus.h"
#include "unit/UnitModel.h"
#include "unit/UnitPort.h"
#include "unit/UnitProtocol.h"
#include "unit/UnitReadings.h"
#include "unit/UnitReplyHandler.h"
#include "unit/UsbDevice.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <memory>
#include <optional>

// The tests' access to the private transmit path.
struct UnitLinkTestAccess;

namespace unit {

class UnitLink : public QObject {
    Q_OBJECT
public:
    static constexpr int channelCount = 16;
    // Description of the measuring unit's converter.
    static constexpr const char* deviceDescription = "FT232R USB UART";

    explicit UnitLink(int index = 1, QObject* parent = nullptr);
    ~UnitLink() override;

    // The component's place on the test window (1 or 2); first argument of every event.
    int index() const { return m_index; }

    // The ZAMO80 waits and the ACLG constants the link uses, kept by
    // reference (the caller keeps them alive); until handed in, the defaults.
    void useSettings(const config::Zamo80Delays& delays, const config::AclgSettings& aclg);
    const config::Zamo80Delays& delays() const { return *m_delays; }

    // ---- properties ----
    bool reconnecting() const { return m_handshake.reconnecting(); }
    UnitModel model() const { return m_state.model(); }
    bool isZamo80() const { return model() == UnitModel::Zamo80; }
    bool isZamo24() const { return model() == UnitModel::Zamo24; }
    bool lidClosed() const { return m_state.lidClosed(); }
    bool testRunning() const { return m_port.testRunning(); }
    // True greys out the Connect toggle, False enables it.
    void setTestRunning(bool v);
    bool master200VEnabled() const { return m_master200VEnabled; }
    void setMaster200VEnabled(bool v) { m_master200VEnabled = v; }
    qint16 unitNumber() const { return m_unitNumber; }
    // Stores the unit number and refreshes the status display.
    void setUnitNumber(qint16 v);
    bool connected() const { return m_port.isOpen(); }
    bool simulatorMode() const { return m_port.simulated(); }
    // True while automatic polling is switched off (the calibration panel):
    // the poll cycle sends no "(?)" and queues no "[*]"; queued frames still go out.
    bool pollingInhibited() const { return m_port.pollingInhibited(); }
    void setPollingInhibited(bool inhibited) { m_port.setPollingInhibited(inhibited); }
    // The energy of a ZAMO2-4 ACLG run; it converts the ACLG readings that follow.
    AclgEnergy aclgEnergy() const { return m_protocol.aclgEnergy(); }
    void setAclgEnergy(AclgEnergy energy) { m_protocol.setAclgEnergy(energy); }

    // ---- methods ----
    void closeUSB(qint32 handle);
    qint32 openDevice(); // always 0
    void disablePolling();
    void sendCommandToChannel(const QString& cmd, qint16 channel, bool immediate = false);
    QString sendDataAndPoll(const QString& cmd, qint32 delay = 50);
    void queryElectrodeInfo();

    // The channel records and the diagnostics as the station reads them.
    UnitChannels& channels() { return m_channels; }

    // The command senders, by what they address.
    ChannelTestCommands& channelTests() { return m_channelTests; }
    ChannelMaintenanceCommands& maintenance() { return m_maintenance; }
    CalBoardCommands& calBoard() { return m_calBoard; }
    UnitCommands& unitCommands() { return m_unitCommands; }

    void connectDevice();
    void connectSimulator(qint16 numOfChannels, bool zamo80Mode = false, bool zamo24Mode = false);
    void disconnectDevice();
    void deactivate();
    void setPollingTimerInterval(qint16 interval);
    void enableSim();

    // ---- status display (drawn by UnitLinkPanel) ----
    // The status display and the caption of the last status update.
    const UnitLinkStatus& status() const { return m_status; }
    // The operator's Connect toggle now reads `checked`: the port opens or
    // closes; with simulatedChannels, the simulated unit with that many channels.
    void connectToggled(bool checked, std::optional<qint16> simulatedChannels);
    // The toggle shows the link's connection again (the operator's input was refused).
    void restoreConnectToggle();

signals:
    // Every decoded reply of the unit and its channels, in the order the
    // replies arrived; the reply carries the link's index. Every other event
    // carries the link's index (1 or 2) first.
    void replyReceived(const unit::UnitReply& reply);
    // A complete frame received, with the channel it is attributed to (0 for the unit's own).
    void frameReceived(int index, qint16 channel, const QString& frame);
    // The whole unparsed text at the start of each parsing pass.
    void receiveBufferRead(int index, const QString& text);
    void txData(int index, const QString& data);
    void usbConnected(int index, qint32 handle, UnitModel model);
    void usbClosed(int index);
    void usbReconnecting(int index);
    void usbError(int index, const QString& errorText);
    void hardwareStatus(int index, const QString& status, bool error);

    // Not an event of the unit: the status display changed (for the view).
    void displayChanged();

private:
    const config::Zamo80Delays* m_delays = nullptr;

    // ---- status and connection (UnitLink.cpp) ----
    void refreshStatus(); // the status update
    QString modelName() const;
    void terminateClose();

    // ---- receive path (UnitLinkTransmit.cpp) ----
    // text "": read the waiting bytes from the device; otherwise parse text alone.
    void processReceivedData(const QString& text);
    friend struct ::UnitLinkTestAccess; // tests reach the private transmit path

    // ---- state ----
    int m_index = 1;
    bool m_master200VEnabled = false;
    qint16 m_unitNumber = 0;
    UnitLinkStatus m_status;

    UnitChannelState m_state;
    UnitChannels m_channels;
    UnitProtocol m_protocol;
    UnitReplyHandler m_replies;
    UnitPort m_port;
    CommandSender m_sender;
    ChannelTestCommands m_channelTests;
    ChannelMaintenanceCommands m_maintenance;
    CalBoardCommands m_calBoard;
    UnitCommands m_unitCommands;
    UnitHandshake m_handshake;
};

} // namespace unit
