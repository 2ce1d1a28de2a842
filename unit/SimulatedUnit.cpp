#include "unit/SimulatedUnit.h"

#include "config/Log.h"
#include "platform/Convert.h"

SimUnitPort* SimUnitPort::Create(QObject* parent)
{
    return new ctlSimUnit(parent);
}

ctlSimUnit::ctlSimUnit(QObject* parent) : SimUnitPort(parent)
{
    m_Lamps.fill(IdleLamp());
    Timer1.setInterval(1000);
    connect(&Timer1, &platform::Timer::timeout, this, &ctlSimUnit::OnTimer1);
    ChannelSearch.setInterval(ChannelSearchMs);
    connect(&ChannelSearch, &platform::Timer::timeout, this, &ctlSimUnit::SendChannelMap);
}

ctlSimUnit::~ctlSimUnit() = default;

void ctlSimUnit::SetNumOfChannels(qint16 vNumOfChannels)
{
    SetChannelsText(QString::number(vNumOfChannels));
}

std::optional<qint16> ctlSimUnit::NumOfChannels() const
{
    return platform::Convert::toInt16(m_ChannelsText);
}

void ctlSimUnit::SetChannelsText(const QString& text)
{
    m_ChannelsText = text;
    emit DisplayChanged();
}

void ctlSimUnit::Init()
{
    const std::optional<qint16> count = NumOfChannels();
    if (!count) {
        modMain::WriteLog("ZAMO Simulator: the number of channels \"" + m_ChannelsText + "\" is not a number");
        return;
    }
    for (size_t k = 0; k < Channels.size() && k < m_Lamps.size(); ++k)
        m_Lamps[k] = IdleLamp();
    Channels.clear();
    const int n = qMin<int>(*count, MaxChannels);
    for (int i = 0; i < n; ++i) {
        auto channel = std::make_unique<clsSimChannel>();
        channel->Init(static_cast<qint16>(i), m_Zamo80, m_Zamo24);
        Channels.push_back(std::move(channel));
        m_Lamps[static_cast<size_t>(i)] = ActiveLamp();
    }
    Timer1.setEnabled(true);
    emit DisplayChanged();
}

void ctlSimUnit::OnTimer1()
{
    ++m_Clock;
}

QString ctlSimUnit::RXData(const QString& pData, bool pImmediate)
{
    if (!pData.startsWith('[') || !pData.endsWith(']'))
        return {};
    const QChar kind = pData.size() > 1 ? pData.at(1) : QChar();
    QString answer;
    switch (kind.unicode()) {
    case '*':
        answer = "[*]";
        break;
    case '8':
        answer = m_Zamo80 ? "[8]" : "";
        break;
    case '2':
        answer = m_Zamo24 ? "[2]" : "";
        break;
    case 'L':
        answer = "[L0]";
        break;
    case 'F':
        if (!pImmediate) {
            ChannelSearch.start();
            return {};
        }
        answer = ChannelMap();
        break;
    case 'C':
        answer = AnswerChannelFrame(pData);
        break;
    case 'A':
        Broadcast(pData);
        return {};
    case 'D':
        answer = "[D0629,0234,0362,0362,0174,1,1,1,01010]";
        break;
    default:
        break;
    }
    if (pImmediate)
        return answer;
    emit DataReady(answer, -1);
    return {};
}

void ctlSimUnit::SendChannelMap()
{
    ChannelSearch.stop();
    emit DataReady(ChannelMap(), -1);
}

QString ctlSimUnit::ChannelMap() const
{
    return "[F" + QString(ChannelCount(), '1') + QString(MaxChannels - ChannelCount(), '0') + "]";
}

// "[C" + two-digit channel + command + "]": the channel answers the command.
QString ctlSimUnit::AnswerChannelFrame(const QString& frame)
{
    const std::optional<qint16> channel = platform::Convert::toInt16(frame.mid(2, 2));
    if (!channel || *channel < 0 || *channel >= ChannelCount())
        return {};
    clsSimChannel& c = *Channels[static_cast<size_t>(*channel)];
    c.RXCommand(frame.mid(4, frame.size() - 5), m_Clock);
    return c.Data();
}

// "[A" + five-character command + sixteen-character mask + "]": every
// masked channel answers at once, in channel order; the first masked
// position without a channel ends the broadcast.
void ctlSimUnit::Broadcast(const QString& frame)
{
    const QString command = frame.mid(2, 5);
    const QString mask = frame.mid(7, MaxChannels);
    for (int p = 0; p < mask.size(); ++p) {
        if (mask.at(p) != '1')
            continue;
        if (p >= ChannelCount())
            return;
        // A handler of DataReady may rebuild the channel list; look it up afresh.
        clsSimChannel& c = *Channels[static_cast<size_t>(p)];
        c.RXCommand(command, m_Clock);
        emit DataReady(c.Data(), static_cast<qint16>(p));
    }
}
