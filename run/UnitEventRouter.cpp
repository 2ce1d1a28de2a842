#include "run/UnitEventRouter.h"

#include "config/StationSettings.h"
#include "run/RunSequencer.h"
#include "run/UnitLinkObserver.h"
#include "run/UnitResultHandler.h"
#include "unit/UnitLink.h"

namespace {

// Connects one result event: the reply goes to the handler only while the
// sequencer accepts replies.
template <typename... S, typename... H>
void ForwardResult(ctlZAMOUsbComm* link, void (ctlZAMOUsbComm::*signal)(int, qint16, S...), RunSequencer& sequencer,
                   QObject* context, void (UnitResultHandler::*handler)(int, qint16, H...), const QString& type)
{
    QObject::connect(link, signal, context, [&sequencer, handler, type](int index, qint16 channel, S... args) {
        if (sequencer.acceptResultReply(index, channel, type))
            (sequencer.Services().results.get()->*handler)(index, channel, args...);
    });
}

void ForwardAck(ctlZAMOUsbComm* link, void (ctlZAMOUsbComm::*signal)(int), RunSequencer& sequencer, QObject* context,
                void (UnitResultHandler::*handler)(int), const QString& type)
{
    QObject::connect(link, signal, context, [&sequencer, handler, type](int index) {
        if (sequencer.acceptResultReply(index, -1, type))
            (sequencer.Services().results.get()->*handler)(index);
    });
}

} // namespace

MainFormUnitLinks::MainFormUnitLinks(QObject* parent) : QObject(parent)
{
    for (int n = 1; n <= 2; ++n) {
        auto* link = new ctlZAMOUsbComm(n, this);
        link->setObjectName(QStringLiteral("ctlZAMOUsbComm_%1").arg(n));
        link->setUnitID(qint16(n));
        m_links[std::size_t(n - 1)] = link;
        m_units[std::size_t(n - 1)] = std::make_unique<UsbCommUnitLink>(link);
    }
}

MainFormUnitLinks::~MainFormUnitLinks() = default;

ctlZAMOUsbComm* MainFormUnitLinks::Link(int vIndex) const
{
    return vIndex >= 1 && vIndex <= 2 ? m_links[std::size_t(vIndex - 1)] : nullptr;
}

std::array<UnitLink*, 2> MainFormUnitLinks::Units()
{
    return {m_units[0].get(), m_units[1].get()};
}

void MainFormUnitLinks::Wire(UnitLinkObserver& observer, RunSequencer& sequencer, RunHost& host, QObject* context)
{
    using L = ctlZAMOUsbComm;
    using H = UnitResultHandler;
    m_unitState = std::make_unique<UnitStateEvents>(sequencer, host);
    UnitStateEvents* unitState = m_unitState.get();
    UnitLinkObserver* window = &observer;
    for (ctlZAMOUsbComm* link : m_links) {
        link->UseSettings(sequencer.Settings().zamo80Delays, sequencer.Settings().aclg);
        connect(link, &L::RXMasterDiagnostics, context,
                [unitState](int index) { unitState->RXMasterDiagnostics(index); });
        connect(link, &L::RXMasterLidState, context,
                [unitState](int index, bool closed) { unitState->RXMasterLidState(index, closed); });
        connect(link, &L::UsbConnected, context,
                [window](int index, qint32, UnitModel) { window->unitConnected(index); });
        connect(link, &L::UsbClosed, context, [window](int index) { window->unitClosed(index); });
        connect(link, &L::UsbReconnecting, context, [window](int index) { window->unitReconnecting(index); });
        connect(link, &L::UsbError, context,
                [window](int index, const QString& error) { window->unitFailed(index, error); });
        connect(link, &L::HardwareStatus, context, [window](int index, const QString& status, bool error) {
            window->showHardwareStatus(index, status, error);
        });
        connect(link, &L::TXData, context,
                [window](int index, const QString& frame) { window->frameSent(index, frame); });
        connect(link, &L::RXData, context,
                [window](int index, qint16, const QString& frame) { window->frameReceived(index, frame); });
        connect(link, &L::RXDataInBuffer, context,
                [window](int index, const QString& buffer) { window->receiveBufferRead(index, buffer); });
        connect(link, &L::RXMasterFoundChannels, context,
                [window](int index, const QString&) { window->channelsFound(index); });

        ForwardResult(link, &L::RXACZTestData, sequencer, context, &H::RXACZTestData, QStringLiteral("ACZ"));
        ForwardResult(link, &L::RXACZ30TestData, sequencer, context, &H::RXACZ30TestData, QStringLiteral("ACZ30"));
        ForwardResult(link, &L::RXACZ30ZeroTestData, sequencer, context, &H::RXACZ30ZeroTestData,
                      QStringLiteral("ACZ30ZERO"));
        ForwardResult(link, &L::RXACLGTestData, sequencer, context, &H::RXACLGTestData, QStringLiteral("ACLG"));
        ForwardResult(link, &L::RXZamo24ACLGTestData, sequencer, context, &H::RXZamo24ACLGTestData,
                      QStringLiteral("ACLG"));
        ForwardResult(link, &L::RXDefibRecoveryTestData, sequencer, context, &H::RXDefibRecoveryTestData,
                      QStringLiteral("DEFR"));
        ForwardResult(link, &L::RXNoiseTestData, sequencer, context, &H::RXNoiseTestData, QStringLiteral("NOISE"));
        ForwardResult(link, &L::RXDCOTestData, sequencer, context, &H::RXDCOTestData, QStringLiteral("DCO"));
        ForwardResult(link, &L::RXBiasTestData, sequencer, context, &H::RXBiasTestData, QStringLiteral("BIAS"));
        ForwardResult(link, &L::RXSDRTestData, sequencer, context, &H::RXSDRTestData, QStringLiteral("SDR"));
        ForwardAck(link, &L::RXACLGAck, sequencer, context, &H::RXACLGAck, QStringLiteral("ACLG start"));
        ForwardAck(link, &L::RXDefibRecoveryAck, sequencer, context, &H::RXDefibRecoveryAck,
                   QStringLiteral("DEFR start"));
    }
}
