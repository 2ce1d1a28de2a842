#pragma once
// The 16-character channel bit string of one unit for one step: character
// k (1..16) is "1" when the step selects electrode (unit - 1) * 16 + k - 1
// and the unit reports channel k - 1 present.

#include <QString>

namespace testlists {
class TestStep;
}
namespace unit {
class Unit;
}

namespace run {

namespace ChannelBitString {

// Builds the unit's string. The defib charge channel follows every selected
// channel: a negative value takes the channel, any other becomes -1 (one
// selected channel gives that channel, two give -1, three give the third).
// The caller keeps it across the two units.
QString build(const testlists::TestStep& step, int unit, unit::Unit& link, qint16& chargeChannel);

bool hasSelectedChannel(const QString& bits);

} // namespace ChannelBitString

} // namespace run
