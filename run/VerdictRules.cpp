#include "run/VerdictRules.h"

#include <cmath>

namespace VerdictRules {

bool IsFinal(bool vCompleted, bool vStartupFlag)
{
    return vCompleted && !vStartupFlag;
}

bool IsNumber(double v)
{
    return std::isfinite(v);
}

QString Judge(double v, double limit, double warning)
{
    if (!IsNumber(v))
        return QStringLiteral("ERR");
    const double magnitude = std::fabs(v);
    if (magnitude > limit)
        return QStringLiteral("FAIL");
    if (magnitude >= warning)
        return QStringLiteral("PASS?");
    return QStringLiteral("PASS");
}

bool IsPass(const QString& code)
{
    return code == QLatin1String("PASS") || code == QLatin1String("PASS?") || code == QLatin1String("PASS*");
}

QString WithCalibrationExpiry(const QString& code, bool vExpired)
{
    return vExpired && IsPass(code) ? QStringLiteral("PASS*") : code;
}

QString FailLine(double v, double limit)
{
    return QStringLiteral("* -> ") + Fixed3(v) + QStringLiteral(" > ") + PlainNumber(limit)
           + QStringLiteral(", FAILED");
}

QString CompletionLine(const QString& testName, const QString& electrode)
{
    return QStringLiteral("* ") + testName + QStringLiteral(" Test Complete on Electrode ") + electrode;
}

QString RetransmissionLine(const QString& electrode)
{
    return QStringLiteral("* Data error detected on Electrode ") + electrode
           + QStringLiteral(". Requesting retransmission.");
}

QString DataErrorLine(const QString& electrode)
{
    return QStringLiteral("* -> Electrode ") + electrode + QStringLiteral(" Data Error");
}

QString Fixed3(double v)
{
    return QString::number(v, 'f', 3);
}

QString PlainNumber(double v)
{
    return QString::number(v, 'g', 15);
}

bool ValidChannel(int vUnit, qint16 vChannel)
{
    return vUnit >= 1 && vUnit <= 2 && vChannel >= 0 && vChannel < 16;
}

qint16 ElectrodeIndex(int vUnit, qint16 vChannel)
{
    return qint16((vUnit - 1) * 16 + vChannel);
}

QString ElectrodeName(int vUnit, qint16 vChannel)
{
    return QChar(char16_t(65 + vChannel)) + QString::number(vUnit);
}

} // namespace VerdictRules
