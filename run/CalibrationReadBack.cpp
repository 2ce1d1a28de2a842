#include "run/CalibrationReadBack.h"

#include <cmath>

namespace run::CalibrationReadBack {

QString zeroPadded(double value, int digits)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return {};
    const long long whole = std::llround(value);
    const QString magnitude = QString::number(whole < 0 ? -whole : whole).rightJustified(digits, QLatin1Char('0'));
    return whole < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

namespace {

QString four(double value)
{
    return zeroPadded(value, 4);
}

// The boxes whose value can be shown; the others are left as they are.
BoxTexts shown(BoxTexts texts)
{
    texts.removeIf([](const BoxText& t) { return t.text.isNull(); });
    return texts;
}

} // namespace

BoxTexts calibrationDate(const unit::CalibrationDateReply& date)
{
    return {{CalibrationBox::Day, zeroPadded(date.day, 2)},
            {CalibrationBox::Month, zeroPadded(date.month, 2)},
            {CalibrationBox::Year, four(date.year)}};
}

BoxTexts serialNumber(const QString& serialNumber)
{
    return {{CalibrationBox::SerialNumber, serialNumber}};
}

BoxTexts calibrationReference(const unit::CalibrationReference& reference)
{
    return {{CalibrationBox::ReferenceAcz, four(reference.values[0])},
            {CalibrationBox::Reference100uV, four(reference.values[1])},
            {CalibrationBox::Reference50mV, four(reference.values[2])},
            {CalibrationBox::ReferenceAcz30, four(reference.values[3])}};
}

BoxTexts dcoReferenceVoltage(qint16 reference750)
{
    return {{CalibrationBox::DcoReference750mV, four(reference750)}};
}

BoxTexts pacePulseWidths(const unit::PacePulseWidths& widths)
{
    return {{CalibrationBox::Pace1On, four(widths.pace1On50)},
            {CalibrationBox::Pace1Off, four(widths.pace1Offms)},
            {CalibrationBox::Pace2On, four(widths.pace2On50)},
            {CalibrationBox::Pace2Off, four(widths.pace2Offms)}};
}

BoxTexts zamo24PaceSettings(const unit::Zamo24PaceSettings& settings)
{
    return shown({{CalibrationBox::Zamo24Pace1On, four(settings.pace1On50)},
                  {CalibrationBox::Zamo24Pace1Off, four(settings.pace1Offms)},
                  {CalibrationBox::Zamo24Pace2On, four(settings.pace2On50)},
                  {CalibrationBox::Zamo24Pace2Off, four(settings.pace2Offms)},
                  {CalibrationBox::Zamo24Pace1Volts, four(settings.pace1Volts)},
                  {CalibrationBox::Zamo24Pace2Volts, four(settings.pace2Volts)}});
}

BoxTexts readBackOf(const unit::ReplyValue& reply)
{
    return std::visit(unit::Overloaded{
                          [](const unit::CalibrationDateReply& date) { return calibrationDate(date); },
                          [](const unit::SerialNumber& serial) { return serialNumber(serial.text); },
                          [](const unit::CalibrationReference& r) { return calibrationReference(r); },
                          [](const unit::DcoReferenceVoltage& r) { return dcoReferenceVoltage(r.reference750); },
                          [](const unit::PacePulseWidths& widths) { return pacePulseWidths(widths); },
                          [](const unit::Zamo24PaceSettings& settings) { return zamo24PaceSettings(settings); },
                          [](const auto&) { return BoxTexts{}; },
                      },
                      reply);
}

} // namespace run::CalibrationReadBack
