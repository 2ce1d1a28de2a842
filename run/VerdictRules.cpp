#include "run/VerdictRules.h"

#include <cmath>

namespace run {

namespace VerdictRules {

bool isFinal(bool completed, bool startupFlag)
{
    return completed && !startupFlag;
}

bool isNumber(double v)
{
    return std::isfinite(v);
}

QString judge(double v, double limit, double warning)
{
    if (!isNumber(v))
        return QStringLiteral("ERR");
    const double magnitude = std::fabs(v);
    if (magnitude > limit)
        return QStringLiteral("FAIL");
    if (magnitude >= warning)
        return QStringLiteral("PASS?");
    return QStringLiteral("PASS");
}

bool isPass(const QString& code)
{
    return code == QLatin1String("PASS") || code == QLatin1String("PASS?") || code == QLatin1String("PASS*");
}

QString withCalibrationExpiry(const QString& code, bool expired)
{
    return expired && isPass(code) ? QStringLiteral("PASS*") : code;
}

QString failLine(double v, double limit)
{
    return QStringLiteral("* -> ") + fixed3(v) + QStringLiteral(" > ") + plainNumber(limit)
           + QStringLiteral(", FAILED");
}

QString completionLine(const QString& testName, const QString& electrode)
{
    return QStringLiteral("* ") + testName + QStringLiteral(" Test Complete on Electrode ") + electrode;
}

QString retransmissionLine(const QString& electrode)
{
    return QStringLiteral("* Data error detected on Electrode ") + electrode
           + QStringLiteral(". Requesting retransmission.");
}

QString dataErrorLine(const QString& electrode)
{
    return QStringLiteral("* -> Electrode ") + electrode + QStringLiteral(" Data Error");
}

QString fixed3(double v)
{
    return QString::number(v, 'f', 3);
}

QString plainNumber(double v)
{
    return QString::number(v, 'g', 15);
}

bool validChannel(qint16 channel)
{
    return channel >= 0 && channel < 16;
}

qint16 electrodeIndex(UnitIndex unit, qint16 channel)
{
    return qint16(int(unit.position()) * 16 + channel);
}

QString electrodeName(UnitIndex unit, qint16 channel)
{
    return QChar(char16_t(65 + channel)) + QString::number(unit.number());
}

} // namespace VerdictRules

} // namespace run
