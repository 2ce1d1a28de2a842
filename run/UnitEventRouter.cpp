#include "run/UnitEventRouter.h"

#include "config/StationSettings.h"
#include "run/UnitResultHandler.h"
#include "ui/testwindow/TestWindow.h"
#include "unit/UnitLink.h"

namespace {

// Connects one result event: the reply goes to the handler only while the
// window accepts replies.
template <typename... S, typename... H>
void ForwardResult(ctlZAMOUsbComm* link, void (ctlZAMOUsbComm::*signal)(int, qint16, S...), MainForm& form,
                   void (UnitResultHandler::*handler)(int, qint16, H...), const QString& type)
{
    QObject::connect(link, signal, &form, [&form, handler, type](int index, qint16 channel, S... args) {
        if (form.AcceptResultReply(index, channel, type))
            (form.Services().results.get()->*handler)(index, channel, args...);
    });
}

void ForwardAck(ctlZAMOUsbComm* link, void (ctlZAMOUsbComm::*signal)(int), MainForm& form,
                void (UnitResultHandler::*handler)(int), const QString& type)
{
    QObject::connect(link, signal, &form, [&form, handler, type](int index) {
        if (form.AcceptResultReply(index, -1, type))
            (form.Services().results.get()->*handler)(index);
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

void MainFormUnitLinks::Wire(MainForm& form)
{
    using L = ctlZAMOUsbComm;
    using H = UnitResultHandler;
    m_unitState = std::make_unique<UnitStateEvents>(form.Sequencer(), form);
    UnitStateEvents* unitState = m_unitState.get();
    for (ctlZAMOUsbComm* link : m_links) {
        link->UseSettings(form.Settings().zamo80Delays, form.Settings().aclg);
        connect(link, &L::RXMasterDiagnostics, &form, [unitState](int index) { unitState->RXMasterDiagnostics(index); });
        connect(link, &L::RXMasterLidState, &form,
                [unitState](int index, bool closed) { unitState->RXMasterLidState(index, closed); });
        connect(link, &L::UsbConnected, &form, &MainForm::ctlZAMOUsbComm_UsbConnected);
        connect(link, &L::UsbClosed, &form, &MainForm::ctlZAMOUsbComm_UsbClosed);
        connect(link, &L::UsbReconnecting, &form, &MainForm::ctlZAMOUsbComm_UsbReconnecting);
        connect(link, &L::UsbError, &form, &MainForm::ctlZAMOUsbComm_UsbError);
        connect(link, &L::HardwareStatus, &form, &MainForm::ctlZAMOUsbComm_HardwareStatus);
        connect(link, &L::TXData, &form, &MainForm::ctlZAMOUsbComm_TXData);
        connect(link, &L::RXData, &form, &MainForm::ctlZAMOUsbComm_RXData);
        connect(link, &L::RXDataInBuffer, &form, &MainForm::ctlZAMOUsbComm_RXDataInBuffer);
        connect(link, &L::RXMasterFoundChannels, &form, &MainForm::ctlZAMOUsbComm_RXMasterFoundChannels);

        ForwardResult(link, &L::RXACZTestData, form, &H::RXACZTestData, QStringLiteral("ACZ"));
        ForwardResult(link, &L::RXACZ30TestData, form, &H::RXACZ30TestData, QStringLiteral("ACZ30"));
        ForwardResult(link, &L::RXACZ30ZeroTestData, form, &H::RXACZ30ZeroTestData, QStringLiteral("ACZ30ZERO"));
        ForwardResult(link, &L::RXACLGTestData, form, &H::RXACLGTestData, QStringLiteral("ACLG"));
        ForwardResult(link, &L::RXZamo24ACLGTestData, form, &H::RXZamo24ACLGTestData, QStringLiteral("ACLG"));
        ForwardResult(link, &L::RXDefibRecoveryTestData, form, &H::RXDefibRecoveryTestData, QStringLiteral("DEFR"));
        ForwardResult(link, &L::RXNoiseTestData, form, &H::RXNoiseTestData, QStringLiteral("NOISE"));
        ForwardResult(link, &L::RXDCOTestData, form, &H::RXDCOTestData, QStringLiteral("DCO"));
        ForwardResult(link, &L::RXBiasTestData, form, &H::RXBiasTestData, QStringLiteral("BIAS"));
        ForwardResult(link, &L::RXSDRTestData, form, &H::RXSDRTestData, QStringLiteral("SDR"));
        ForwardAck(link, &L::RXACLGAck, form, &H::RXACLGAck, QStringLiteral("ACLG start"));
        ForwardAck(link, &L::RXDefibRecoveryAck, form, &H::RXDefibRecoveryAck, QStringLiteral("DEFR start"));
    }
}
