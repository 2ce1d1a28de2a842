#include "config/LimitsFile.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "platform/Convert.h"

namespace config {

const std::array<LimitKey, 26>& limitKeys()
{
    static const std::array<LimitKey, 26> keys{{
        {"Limits", "DCO", &Limits::limitDco},
        {"Limits", "ACZ", &Limits::limitAcz},
        {"Limits", "SDRDCO", &Limits::limitSdrDco},
        {"Limits", "SDRSlope", &Limits::limitSdrSlope},
        {"Limits", "NOISE", &Limits::limitNoise},
        {"Limits", "BIAS", &Limits::limitBias},
        {"Warnings", "DCO", &Limits::warningDco},
        {"Warnings", "ACZ", &Limits::warningAcz},
        {"Warnings", "SDRDCO", &Limits::warningSdrDco},
        {"Warnings", "SDRSlope", &Limits::warningSdrSlope},
        {"Warnings", "NOISE", &Limits::warningNoise},
        {"Warnings", "BIAS", &Limits::warningBias},
        {"Limits", "Zamo80DCO", &Limits::limitZamo80Dco},
        {"Limits", "Zamo80ACZ", &Limits::limitZamo80Acz},
        {"Limits", "Zamo80ACZ30", &Limits::limitZamo80Acz30},
        {"Limits", "Zamo80ACLG", &Limits::limitZamo80Aclg},
        {"Limits", "Zamo80DEFR4", &Limits::limitZamo80Defr4},
        {"Limits", "Zamo80DEFR60", &Limits::limitZamo80Defr60},
        {"Limits", "Zamo80NOISE", &Limits::limitZamo80Noise},
        {"Warnings", "Zamo80DCO", &Limits::warningZamo80Dco},
        {"Warnings", "Zamo80ACZ", &Limits::warningZamo80Acz},
        {"Warnings", "Zamo80ACZ30", &Limits::warningZamo80Acz30},
        {"Warnings", "Zamo80ACLG", &Limits::warningZamo80Aclg},
        {"Warnings", "Zamo80DEFR4", &Limits::warningZamo80Defr4},
        {"Warnings", "Zamo80DEFR60", &Limits::warningZamo80Defr60},
        {"Warnings", "Zamo80NOISE", &Limits::warningZamo80Noise},
    }};
    return keys;
}

namespace {

// True when the file holds any of the 26 values: its limits were set, by
// the station or by hand, and replacing them is news for the operator.
// A look at the file alone, without the log lines of reading the keys.
bool holdsLimits(const QString& settingsFile)
{
    for (const LimitKey& limit : limitKeys())
        if (!platform::IniFile::read(settingsFile, limit.section, limit.key).isEmpty())
            return true;
    return false;
}

// The defaults, written back; *problem gets why, for the operator, when
// the file held limits.
Limits restoreDefaults(const QString& settingsFile, const QString& why, QString* problem)
{
    config::writeLog(why + ", restoring the default limits and warnings");
    if (problem && holdsLimits(settingsFile))
        *problem = "The limits and warnings in " + settingsFile + " cannot be used (" + why
                   + ").  All of them are set to their defaults; check them in Tests, Set Limits.";
    const Limits defaults;
    if (!saveLimits(defaults, settingsFile))
        config::writeLog("Unable to save the default limits to " + settingsFile);
    return defaults;
}

} // namespace

Limits readLimits(const QString& settingsFile, QString* problem)
{
    if (problem)
        problem->clear();
    Limits limits;
    bool anyAboveZero = false;
    for (const LimitKey& limit : limitKeys()) {
        const QString text = config::iniRead(limit.section, limit.key, settingsFile);
        const std::optional<double> value = platform::Convert::toDouble(text);
        if (!value)
            return restoreDefaults(
                settingsFile, QString("Limit value [%1] %2 = \"%3\" is not valid").arg(limit.section, limit.key, text),
                problem);
        limits.*limit.field = *value;
        anyAboveZero = anyAboveZero || *value > 0;
    }
    if (!anyAboveZero)
        return restoreDefaults(settingsFile, "No limit or warning is above 0", problem);
    return limits;
}

bool saveLimits(const Limits& limits, const QString& path, QString* error)
{
    // One replacement of the file: a set is never saved in part.
    QList<platform::IniFile::Key> keys;
    for (const LimitKey& limit : limitKeys())
        keys.append({limit.section, limit.key, platform::Convert::fromDoubleExact(limits.*limit.field)});
    return config::iniWriteKeys(keys, path, error);
}

} // namespace config
