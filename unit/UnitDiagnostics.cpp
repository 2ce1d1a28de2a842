#include "unit/UnitDiagnostics.h"

#include <cmath>

namespace unit {

namespace {

constexpr double k = UnitDiagnostics::CountFactor;

// A one-character flag equal to value; a flag that does not convert is not set.
bool flag(ReplyFieldReader& fields, int pos, int value)
{
    const auto flag = fields.tryInteger(pos, 1);
    return flag && *flag == value;
}

double negativeSupply(std::int16_t raw, double reference)
{
    return (raw * k - UnitDiagnostics::Divider * reference) / (1 - UnitDiagnostics::Divider);
}

} // namespace

UnitDiagnostics UnitDiagnostics::decode(ReplyFieldReader& fields)
{
    UnitDiagnostics d;
    d.zamo80 = fields.charAt(1) == u'd';
    d.tenHzRaw = fields.integerField(2);
    d.temperatureRaw = fields.integerField(7);
    d.vccRaw = fields.integerField(12);
    d.pos5VRaw = fields.integerField(17);
    d.neg5VRaw = fields.integerField(22);
    d.tenHz = d.tenHzRaw * k;
    d.vcc = d.vccRaw * k * 11;
    d.pos5V = d.pos5VRaw * k * 11;
    if (d.zamo80) {
        // The temperature is not converted on this layout.
        d.neg5V = negativeSupply(d.neg5VRaw, d.vcc);
        d.thirtyKRaw = fields.integerField(27);
        d.thirtyK = d.thirtyKRaw * k;
        d.reg5VWorking = flag(fields, 32, 1);
        d.lidClosed = flag(fields, 34, 0);
        d.firmwareVersion = ReplyFields::firmwareText(fields.text(36, 5));
    } else {
        // The logarithm takes only positive readings; otherwise the value stays 0.
        const double volts = d.temperatureRaw * k;
        if (volts > 0)
            d.temperature = -30.672 * std::log(volts) + 1.182;
        d.neg5V = negativeSupply(d.neg5VRaw, d.pos5V);
        d.reg5VWorking = flag(fields, 27, 1);
        d.working200VOn = flag(fields, 29, 1);
        d.working200VOff = flag(fields, 31, 1);
        d.firmwareVersion = ReplyFields::firmwareText(fields.text(33, 5));
    }
    return d;
}

} // namespace unit
