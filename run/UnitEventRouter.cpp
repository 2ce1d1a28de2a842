#include "run/UnitEventRouter.h"

#include "config/StationSettings.h"
#include "run/RunSequencer.h"
#include "run/UnitLinkObserver.h"
#include "run/UnitResultHandler.h"
#include "unit/UnitLink.h"

namespace run {

namespace {

// Connects one result event: the reply goes to the handler only while the
// sequencer accepts replies.
template <typename... S, typename... H>
void forwardResult(unit::UnitLink* link, void (unit::UnitLink::*signal)(int, qint16, S...), RunSequencer& sequencer,
                   QObject* context, void (UnitResultHandler::*handler)(int, qint16, H...), const QString& type)
{
    QObject::connect(link, signal, context, [&sequencer, handler, type](int index, qint16 channel, S... args) {
        if (sequencer.acceptResultReply(index, channel, type))
            (sequencer.services().results.get()->*handler)(index, channel, args...);
    });
}

void forwardAck(unit::UnitLink* link, void (unit::UnitLink::*signal)(int), RunSequencer& sequencer, QObject* context,
                void (UnitResultHandler::*handler)(int), const QString& type)
{
    QObject::connect(link, signal, context, [&sequencer, handler, type](int index) {
        if (sequencer.acceptResultReply(index, -1, type))
            (sequencer.services().results.get()->*handler)(index);
    });
}

} // namespace

TestWindowUnits::TestWindowUnits(QObject* parent) : QObject(parent)
{
    for (int n = 1; n <= 2; ++n) {
        auto* link = new unit::UnitLink(n, this);
        link->setObjectName(QStringLiteral("ctlZAMOUsbComm_%1").arg(n));
        link->setUnitID(qint16(n));
        m_links[std::size_t(n - 1)] = link;
        m_units[std::size_t(n - 1)] = std::make_unique<unit::LinkedUnit>(link);
    }
}

TestWindowUnits::~TestWindowUnits() = default;

unit::UnitLink* TestWindowUnits::link(int indexValue) const
{
    return indexValue >= 1 && indexValue <= 2 ? m_links[std::size_t(indexValue - 1)] : nullptr;
}

std::array<unit::Unit*, 2> TestWindowUnits::units()
{
    return {m_units[0].get(), m_units[1].get()};
}

void TestWindowUnits::wire(UnitLinkObserver& observer, RunSequencer& sequencer, RunHost& host, QObject* context)
{
    using L = unit::UnitLink;
    using H = UnitResultHandler;
    m_unitState = std::make_unique<UnitStateEvents>(sequencer.units(), sequencer.state(), sequencer.services(), host,
                                                    [&sequencer] { sequencer.stopTests(); });
    UnitStateEvents* unitState = m_unitState.get();
    UnitLinkObserver* window = &observer;
    for (unit::UnitLink* link : m_links) {
        link->useSettings(sequencer.stationSettings().zamo80Delays, sequencer.stationSettings().aclg);
        connect(link, &L::rxMasterDiagnostics, context,
                [unitState](int index) { unitState->rxMasterDiagnostics(index); });
        connect(link, &L::rxMasterLidState, context,
                [unitState](int index, bool closed) { unitState->rxMasterLidState(index, closed); });
        connect(link, &L::usbConnected, context,
                [window](int index, qint32, unit::UnitModel) { window->unitConnected(index); });
        connect(link, &L::usbClosed, context, [window](int index) { window->unitClosed(index); });
        connect(link, &L::usbReconnecting, context, [window](int index) { window->unitReconnecting(index); });
        connect(link, &L::usbError, context,
                [window](int index, const QString& error) { window->unitFailed(index, error); });
        connect(link, &L::hardwareStatus, context, [window](int index, const QString& status, bool error) {
            window->showHardwareStatus(index, status, error);
        });
        connect(link, &L::txData, context,
                [window](int index, const QString& frame) { window->frameSent(index, frame); });
        connect(link, &L::rxData, context, [window](int index, qint16 channel, const QString& frame) {
            window->frameReceived(index, channel, frame);
        });
        connect(link, &L::rxDataInBuffer, context,
                [window](int index, const QString& buffer) { window->receiveBufferRead(index, buffer); });
        connect(link, &L::rxMasterFoundChannels, context,
                [window](int index, const QString&) { window->channelsFound(index); });

        forwardResult(link, &L::rxaczTestData, sequencer, context, &H::rxaczTestData, QStringLiteral("ACZ"));
        forwardResult(link, &L::rxacz30TestData, sequencer, context, &H::rxacz30TestData, QStringLiteral("ACZ30"));
        forwardResult(link, &L::rxacz30ZeroTestData, sequencer, context, &H::rxacz30ZeroTestData,
                      QStringLiteral("ACZ30ZERO"));
        forwardResult(link, &L::rxaclgTestData, sequencer, context, &H::rxaclgTestData, QStringLiteral("ACLG"));
        forwardResult(link, &L::rxZamo24ACLGTestData, sequencer, context, &H::rxZamo24ACLGTestData,
                      QStringLiteral("ACLG"));
        forwardResult(link, &L::rxDefibRecoveryTestData, sequencer, context, &H::rxDefibRecoveryTestData,
                      QStringLiteral("DEFR"));
        forwardResult(link, &L::rxNoiseTestData, sequencer, context, &H::rxNoiseTestData, QStringLiteral("NOISE"));
        forwardResult(link, &L::rxdcoTestData, sequencer, context, &H::rxdcoTestData, QStringLiteral("DCO"));
        forwardResult(link, &L::rxBiasTestData, sequencer, context, &H::rxBiasTestData, QStringLiteral("BIAS"));
        forwardResult(link, &L::rxsdrTestData, sequencer, context, &H::rxsdrTestData, QStringLiteral("SDR"));
        forwardAck(link, &L::rxaclgAck, sequencer, context, &H::rxaclgAck, QStringLiteral("ACLG start"));
        forwardAck(link, &L::rxDefibRecoveryAck, sequencer, context, &H::rxDefibRecoveryAck,
                   QStringLiteral("DEFR start"));
    }
}

} // namespace run
