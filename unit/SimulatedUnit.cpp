#include "unit/SimulatedUnit.h"

#include "config/Log.h"
#include "platform/Convert.h"

namespace unit {

SimUnitPort* SimUnitPort::create(QObject* parent)
{
    return new SimulatedUnit(parent);
}

SimulatedUnit::SimulatedUnit(QObject* parent) : SimUnitPort(parent)
{
    m_lamps.fill(idleLamp());
    m_secondsTimer.setInterval(1000);
    connect(&m_secondsTimer, &platform::Timer::timeout, this, &SimulatedUnit::advanceClock);
    m_channelSearch.setInterval(ChannelSearchMs);
    connect(&m_channelSearch, &platform::Timer::timeout, this, &SimulatedUnit::sendChannelMap);
}

SimulatedUnit::~SimulatedUnit() = default;

void SimulatedUnit::setNumOfChannels(qint16 numOfChannels)
{
    setChannelsText(QString::number(numOfChannels));
}

std::optional<qint16> SimulatedUnit::numOfChannels() const
{
    return platform::Convert::toInt16(m_channelsText);
}

void SimulatedUnit::setChannelsText(const QString& text)
{
    m_channelsText = text;
    emit displayChanged();
}

void SimulatedUnit::init()
{
    const std::optional<qint16> count = numOfChannels();
    if (!count) {
        config::writeLog("ZAMO Simulator: the number of channels \"" + m_channelsText + "\" is not a number");
        return;
    }
    for (size_t k = 0; k < m_channels.size() && k < m_lamps.size(); ++k)
        m_lamps[k] = idleLamp();
    m_channels.clear();
    const int n = qMin<int>(*count, MaxChannels);
    for (int i = 0; i < n; ++i) {
        auto channel = std::make_unique<SimulatedChannel>();
        channel->init(static_cast<qint16>(i), m_zamo80, m_zamo24);
        m_channels.push_back(std::move(channel));
        m_lamps[static_cast<size_t>(i)] = activeLamp();
    }
    m_secondsTimer.setEnabled(true);
    emit displayChanged();
}

void SimulatedUnit::advanceClock()
{
    ++m_clock;
}

QString SimulatedUnit::rxData(const QString& data, bool immediate)
{
    if (!data.startsWith('[') || !data.endsWith(']'))
        return {};
    const QChar kind = data.size() > 1 ? data.at(1) : QChar();
    QString answer;
    switch (kind.unicode()) {
    case '*': answer = "[*]"; break;
    case '8': answer = m_zamo80 ? "[8]" : ""; break;
    case '2': answer = m_zamo24 ? "[2]" : ""; break;
    case 'L': answer = "[L0]"; break;
    case 'F':
        if (!immediate) {
            m_channelSearch.start();
            return {};
        }
        answer = channelMap();
        break;
    case 'C': answer = answerChannelFrame(data); break;
    case 'A': broadcast(data); return {};
    case 'D': answer = "[D0629,0234,0362,0362,0174,1,1,1,01010]"; break;
    default: break;
    }
    if (immediate)
        return answer;
    emit dataReady(answer, -1);
    return {};
}

void SimulatedUnit::sendChannelMap()
{
    m_channelSearch.stop();
    emit dataReady(channelMap(), -1);
}

QString SimulatedUnit::channelMap() const
{
    return "[F" + QString(channelCount(), '1') + QString(MaxChannels - channelCount(), '0') + "]";
}

// "[C" + two-digit channel + command + "]": the channel answers the command.
QString SimulatedUnit::answerChannelFrame(const QString& frame)
{
    const std::optional<qint16> channel = platform::Convert::toInt16(frame.mid(2, 2));
    if (!channel || *channel < 0 || *channel >= channelCount())
        return {};
    SimulatedChannel& c = *m_channels[static_cast<size_t>(*channel)];
    c.rxCommand(frame.mid(4, frame.size() - 5), m_clock);
    return c.data();
}

// "[A" + five-character command + sixteen-character mask + "]": every
// masked channel answers at once, in channel order; the first masked
// position without a channel ends the broadcast.
void SimulatedUnit::broadcast(const QString& frame)
{
    const QString command = frame.mid(2, 5);
    const QString mask = frame.mid(7, MaxChannels);
    for (int p = 0; p < mask.size(); ++p) {
        if (mask.at(p) != '1')
            continue;
        if (p >= channelCount())
            return;
        // A handler of dataReady may rebuild the channel list; look it up afresh.
        SimulatedChannel& c = *m_channels[static_cast<size_t>(p)];
        c.rxCommand(command, m_clock);
        emit dataReady(c.data(), static_cast<qint16>(p));
    }
}

} // namespace unit
