#include "run/ChannelBitString.h"

#include "testlists/TestStep.h"
#include "unit/Unit.h"

namespace ChannelBitString {

QString Build(const clsTestSequence& step, int unit, UnitLink& link, qint16& chargeChannel)
{
    QString bits;
    bits.reserve(16);
    for (qint16 channel = 0; channel < 16; ++channel) {
        const auto index = qint16((unit - 1) * 16 + channel);
        const bool on = step.ElectrodeSelectedByIndex(index) && link.ElectrodeChannelExists(channel);
        bits += on ? QLatin1Char('1') : QLatin1Char('0');
        if (on)
            chargeChannel = chargeChannel < 0 ? channel : qint16(-1);
    }
    return bits;
}

bool HasSelectedChannel(const QString& bits)
{
    return bits.contains(QLatin1Char('1'));
}

} // namespace ChannelBitString
