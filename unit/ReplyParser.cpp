#include "unit/ReplyParser.h"

#include "config/Log.h"
#include "unit/CalBoardReplyDecoder.h"
#include "unit/MaintenanceReplyDecoder.h"
#include "unit/ReplyFields.h"
#include "unit/TestReadingDecoder.h"
#include "unit/UnitDiagnostics.h"
#include "unit/UnitLink.h"

ReceiveParser::ReceiveParser(ctlZAMOUsbComm& comm)
    : m_comm(comm), m_framing(comm.PendingText, comm.ReceiveBusy)
{
}

void ReceiveParser::ParseRead(const QByteArray& received)
{
    m_framing.FeedRead(QString::fromLatin1(received), *this);
}

void ReceiveParser::ParseText(const QString& text)
{
    m_framing.FeedText(text, *this);
}

void ReceiveParser::AttributeTo(qint16 channel)
{
    m_comm.LastChannel = channel;
}

void ReceiveParser::OnBuffer(const QString& text)
{
    emit m_comm.RXDataInBuffer(m_comm.Index(), text);
}

void ReceiveParser::OnMalformed(const QString& message)
{
    modMain::WriteLog(QStringLiteral("Unit #%1 receive: %2").arg(m_comm.UnitID()).arg(message));
}

void ReceiveParser::OnFrame(bool unitFrame, const QString& frame, QStringView inner)
{
    const qint16 channel = unitFrame ? 0 : m_comm.LastChannel;
    emit m_comm.RXData(m_comm.Index(), channel, frame);

    ReplyFieldReader fields(inner);
    if (unitFrame) {
        DecodeUnitReply(fields);
    } else if (channel < 0 || channel >= ctlZAMOUsbComm::ChannelCount) {
        OnMalformed(QStringLiteral("Reply %1 ignored: channel %2 does not exist").arg(frame).arg(channel));
        return;
    } else {
        DecodeChannelReply(channel, fields);
    }
    if (fields.FirstBadField() > 0)
        OnMalformed(QStringLiteral("Malformed reply %1: the field at %2 is not a number")
                        .arg(frame).arg(fields.FirstBadField()));
}

void ReceiveParser::DecodeUnitReply(ReplyFieldReader& fields)
{
    const int index = m_comm.Index();
    switch (fields.At(1).unicode()) {
    case u'*':
        emit m_comm.RXMasterIdle(index);
        break;
    case u'R':
        if (fields.At(2) == u'T')
            emit m_comm.RXMasterReadTrisRegister(index, fields.Text(3, 1).toString(), fields.Rest(4).toString());
        else
            emit m_comm.RXMasterReadDigitalPort(index, fields.Text(2, 1).toString(), fields.Rest(3).toString());
        break;
    case u'd':
    case u'D':
        StoreDiagnostics(UnitDiagnostics::Decode(fields));
        break;
    case u'F':
        StoreFoundChannels(fields.Text(2, ctlZAMOUsbComm::ChannelCount));
        break;
    case u'L':
        if (m_comm.IsZAMO80() || m_comm.IsZAMO24())
            StoreLidState(fields.At(2));
        break;
    default:
        break;
    }
}

void ReceiveParser::StoreDiagnostics(const UnitDiagnostics& d)
{
    ctlZAMOUsbComm& c = m_comm;
    c.pTenHzPeak = d.tenHz;
    c.pTemperature = d.temperature;
    c.pVCC = d.vcc;
    c.pPos5V = d.pos5V;
    c.pNeg5V = d.neg5V;
    c.pThirtyKPeak = d.thirtyK;
    c.pReg5VWorking = d.reg5VWorking;
    c.pWorking200VOn = d.working200VOn;
    c.pWorking200VOff = d.working200VOff;
    c.pLidClosed = d.lidClosed;
    c.pFirmwareVersion = d.firmwareVersion;
    emit c.RXMasterDiagnostics(c.Index(), d.tenHzRaw, d.temperatureRaw, d.vccRaw, d.pos5VRaw, d.neg5VRaw,
                               d.thirtyKRaw, d.reg5VWorking, d.working200VOn, d.working200VOff, d.lidClosed,
                               d.firmwareVersion, d.tenHz, d.temperature, d.vcc, d.pos5V, d.neg5V, d.thirtyK,
                               d.zamo80);
}

void ReceiveParser::StoreFoundChannels(QStringView map)
{
    for (int ch = 0; ch < ctlZAMOUsbComm::ChannelCount; ++ch)
        m_comm.Electrode(ch)->setConnected(ch < map.size() && map.at(ch) == u'1');
    m_comm.RefreshStatus();
    emit m_comm.RXMasterFoundChannels(m_comm.Index(), map.toString());
}

void ReceiveParser::StoreLidState(QChar flag)
{
    if (flag != u'0' && flag != u'1')
        return;
    m_comm.pLidClosed = flag == u'0';
    emit m_comm.RXMasterLidState(m_comm.Index(), m_comm.pLidClosed);
}

void ReceiveParser::DecodeChannelReply(qint16 channel, ReplyFieldReader& fields)
{
    ctlZAMOUsbComm& c = m_comm;
    switch (fields.At(1).unicode()) {
    case u'*':
        emit c.RXIdle(c.Index(), channel);
        break;
    case u'!':
        emit c.RXTestDataNotReady(c.Index(), channel);
        break;
    case u'R':
        if (fields.At(2) == u'T')
            emit c.RXReadTrisRegister(c.Index(), channel, fields.Text(3, 1).toString(), fields.Rest(4).toString());
        else
            emit c.RXReadDigitalPort(c.Index(), channel, fields.Text(2, 1).toString(), fields.Rest(3).toString());
        break;
    case u'M':
        MaintenanceReplies::Decode(c, channel, fields);
        break;
    case u'G':
        TestDataDecoders::Decode(c, channel, fields);
        break;
    case u'm':
    case u'g':
        CalBoardReplies::Decode(c, channel, fields);
        break;
    default:
        break;
    }
}

// ---- members of the component ----

QString ctlZAMOUsbComm::StripNulls(const QString& text)
{
    return ReplyFraming::StripNulls(text);
}

void ctlZAMOUsbComm::ProcessReceivedData(const QString& text)
{
    ReceiveParser parser(*this);
    if (!text.isEmpty()) {
        parser.ParseText(text);
        return;
    }
    // The bytes waiting, as the last queue-status call reported them. Only
    // what the read brought is taken: a failed read brings nothing, and the
    // reconnection its report may start reads into the same buffer.
    const qint32 waiting = std::max<qint32>(Usb.RxBytesWaiting, 0);
    const qint32 read = waiting > 0 ? Usb.ReadDevice(waiting) : 0;
    const qint32 n = std::min<qint32>(read, Usb.RxBuffer.size());
    const QByteArray received = Usb.RxBuffer.left(n);
    std::fill_n(Usb.RxBuffer.data(), n, '\0');
    parser.ParseRead(received);
}
