#include "unit/UnitChannelState.h"

#include "platform/Convert.h"

namespace unit {

namespace {

QString channelName(int channel, qint16 unitNumber)
{
    return QString(QChar(65 + channel)) + QString::number(unitNumber);
}

} // namespace

UnitChannelState::UnitChannelState()
{
    for (auto& c : m_channels)
        c = std::make_shared<ChannelRecord>();
}

void UnitChannelState::setDiagnostics(const UnitDiagnostics& diagnostics)
{
    m_diagnostics = diagnostics;
    m_lidClosed = diagnostics.lidClosed;
}

QStringList UnitChannelState::diagnosticTexts() const
{
    const auto num = [](double v) { return platform::Convert::fromDouble(v); };
    const auto flag = [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); };
    const UnitDiagnostics& d = m_diagnostics;
    const bool newer = isZamo80Family(m_model);
    return {QString(),
            num(d.tenHz),
            num(d.temperature),
            num(d.vcc),
            num(d.pos5V),
            num(d.neg5V),
            flag(d.reg5VWorking),
            newer ? flag(m_lidClosed) : flag(d.working200VOn),
            newer ? num(d.thirtyK) : flag(d.working200VOff),
            d.firmwareVersion};
}

ChannelRecord* UnitChannelState::channel(int channel) const
{
    if (channel < 0 || channel >= channelCount)
        return nullptr;
    return m_channels[static_cast<size_t>(channel)].get();
}

bool UnitChannelState::channelPresent(int channel) const
{
    const ChannelRecord* record = this->channel(channel);
    return record && record->connected();
}

std::array<bool, UnitChannelState::channelCount> UnitChannelState::presentChannels() const
{
    std::array<bool, channelCount> present{};
    for (int c = 0; c < channelCount; ++c)
        present[static_cast<size_t>(c)] = channelPresent(c);
    return present;
}

void UnitChannelState::setPresentChannels(QStringView map)
{
    for (int c = 0; c < channelCount; ++c)
        m_channels[static_cast<size_t>(c)]->setConnected(c < map.size() && map.at(c) == u'1');
}

QString UnitChannelState::channelList(qint16 unitNumber) const
{
    QString result;
    QString runStart;
    for (int i = 0; i < channelCount; ++i) {
        const bool connected = channelPresent(i);
        const bool inRun = result.endsWith('-');
        const QString name = channelName(i, unitNumber);
        if (connected && !inRun) {
            result += name;
            runStart = name;
            if (i < channelCount - 1)
                result += '-';
        } else if (connected && inRun) {
            if (i == channelCount - 1)
                result += name;
        } else if (!connected && inRun) {
            const QString previous = channelName(i - 1, unitNumber);
            if (previous != runStart)
                result += previous;
            else
                result.chop(1);
            if (i < channelCount - 1)
                result += '.';
        }
    }
    if (result.endsWith('.'))
        result.chop(1);
    return result;
}

QVector<std::shared_ptr<ChannelRecord>> UnitChannelState::records() const
{
    return QVector<std::shared_ptr<ChannelRecord>>(m_channels.begin(), m_channels.end());
}

void UnitChannelState::clearLastMeasurements()
{
    for (auto& c : m_channels) {
        c->setLastMeasurement(0);
        c->setLastMeasurement2(0);
    }
}

} // namespace unit
