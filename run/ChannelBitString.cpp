#include "run/ChannelBitString.h"

#include "testlists/TestStep.h"
#include "unit/Unit.h"

namespace run {

namespace ChannelBitString {

QString build(const testlists::TestStep& step, int unit, unit::Unit& link, qint16& chargeChannel)
{
    QString bits;
    bits.reserve(16);
    for (qint16 channel = 0; channel < 16; ++channel) {
        const auto index = qint16((unit - 1) * 16 + channel);
        const bool on = step.electrodeSelectedByIndex(index) && link.electrodeChannelExists(channel);
        bits += on ? QLatin1Char('1') : QLatin1Char('0');
        if (on)
            chargeChannel = chargeChannel < 0 ? channel : qint16(-1);
    }
    return bits;
}

bool hasSelectedChannel(const QString& bits)
{
    return bits.contains(QLatin1Char('1'));
}

} // namespace ChannelBitString

} // namespace run
