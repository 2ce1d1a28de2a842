#include "run/UnitEventRouter.h"

#include "config/StationSettings.h"
#include "run/RunSequencer.h"
#include "run/UnitLinkObserver.h"
#include "run/UnitResultHandler.h"
#include "unit/UnitLink.h"

namespace run {

TestWindowUnits::TestWindowUnits(QObject* parent) : QObject(parent)
{
    for (int n = 1; n <= 2; ++n) {
        auto* link = new unit::UnitLink(n, this);
        link->setObjectName(QStringLiteral("ctlZAMOUsbComm_%1").arg(n));
        link->setUnitNumber(qint16(n));
        m_links[std::size_t(n - 1)] = link;
        m_units[std::size_t(n - 1)] = std::make_unique<unit::LinkedUnit>(link);
    }
}

TestWindowUnits::~TestWindowUnits() = default;

unit::UnitLink* TestWindowUnits::link(int index) const
{
    return index >= 1 && index <= 2 ? m_links[std::size_t(index - 1)] : nullptr;
}

std::array<unit::Unit*, 2> TestWindowUnits::units()
{
    return {m_units[0].get(), m_units[1].get()};
}

void TestWindowUnits::wire(UnitLinkObserver& observer, RunSequencer& sequencer, RunHost& host, QObject* context)
{
    using L = unit::UnitLink;
    m_unitState = std::make_unique<UnitStateEvents>(sequencer.units(), sequencer.state(), sequencer.services(), host,
                                                    [&sequencer] { sequencer.stopTests(); });
    UnitStateEvents* unitState = m_unitState.get();
    UnitLinkObserver* window = &observer;
    RunSequencer* run = &sequencer;
    for (unit::UnitLink* link : m_links) {
        link->useSettings(sequencer.stationSettings().zamo80Delays, sequencer.stationSettings().aclg);
        connect(link, &L::replyReceived, context, [unitState, window, run](const unit::UnitReply& reply) {
            dispatch(reply, *unitState, *window, *run->services().results);
        });
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
        connect(link, &L::frameReceived, context, [window](int index, qint16 channel, const QString& frame) {
            window->frameReceived(index, channel, frame);
        });
        connect(link, &L::receiveBufferRead, context,
                [window](int index, const QString& buffer) { window->receiveBufferRead(index, buffer); });
    }
}

void TestWindowUnits::dispatch(const unit::UnitReply& reply, UnitStateEvents& unitState, UnitLinkObserver& window,
                               UnitResultHandler& results)
{
    std::visit(unit::Overloaded{
                   [&](const unit::UnitDiagnostics&) { unitState.diagnosticsReported(reply.unit); },
                   [&](const unit::LidState& lid) { unitState.lidReported(reply.unit, lid.closed); },
                   [&](const unit::FoundChannels&) { window.channelsFound(reply.unit); },
                   [&](const auto&) { results.handle(reply); },
               },
               reply.value);
}

} // namespace run
