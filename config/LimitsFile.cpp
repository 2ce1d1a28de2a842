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

Limits restoreDefaults(const QString& settingsFile)
{
    const Limits defaults;
    if (!saveLimits(defaults, settingsFile))
        config::writeLog("Unable to save the default limits to " + settingsFile);
    return defaults;
}

} // namespace

Limits readLimits(const QString& settingsFile)
{
    Limits limits;
    bool anyAboveZero = false;
    for (const LimitKey& limit : limitKeys()) {
        const QString text = config::iniRead(limit.section, limit.key, settingsFile);
        const std::optional<double> value = platform::Convert::toDouble(text);
        if (!value) {
            config::writeLog(QString("Limit value [%1] %2 = \"%3\" is not valid, restoring the default "
                                     "limits and warnings")
                                 .arg(limit.section, limit.key, text));
            return restoreDefaults(settingsFile);
        }
        limits.*limit.field = *value;
        anyAboveZero = anyAboveZero || *value > 0;
    }
    if (!anyAboveZero) {
        config::writeLog("No limit or warning is above 0, restoring the default limits and warnings");
        return restoreDefaults(settingsFile);
    }
    return limits;
}

bool saveLimits(const Limits& limits, const QString& path, QString* error)
{
    // One replacement of the file: a set is never saved in part.
    QList<platform::IniFile::Key> keys;
    for (const LimitKey& limit : limitKeys())
        keys.append({limit.section, limit.key, platform::Convert::fromDouble(limits.*limit.field)});
    return config::iniWriteKeys(keys, path, error);
}

} // namespace config
