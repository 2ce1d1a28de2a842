#include "config/LimitsFile.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/Settings.h"
#include "platform/Convert.h"

#include <array>

namespace modMain {

const std::array<LimitValue, 26>& LimitValues()
{
    using namespace Globals;
    static const std::array<LimitValue, 26> values{{
        {"Limits", "DCO", &LimitDCO, 100},
        {"Limits", "ACZ", &LimitACZ, 3000},
        {"Limits", "SDRDCO", &LimitSDRDCO, 100},
        {"Limits", "SDRSlope", &LimitSDRSlope, 1},
        {"Limits", "NOISE", &LimitNOISE, 150},
        {"Limits", "BIAS", &LimitBIAS, 100},
        {"Warnings", "DCO", &WarningDCO, 100},
        {"Warnings", "ACZ", &WarningACZ, 2000},
        {"Warnings", "SDRDCO", &WarningSDRDCO, 100},
        {"Warnings", "SDRSlope", &WarningSDRSlope, 1},
        {"Warnings", "NOISE", &WarningNOISE, 150},
        {"Warnings", "BIAS", &WarningBIAS, 100},
        {"Limits", "Zamo80DCO", &LimitZamo80DCO, 100},
        {"Limits", "Zamo80ACZ", &LimitZamo80ACZ, 3000},
        {"Limits", "Zamo80ACZ30", &LimitZamo80ACZ30, 5},
        {"Limits", "Zamo80ACLG", &LimitZamo80ACLG, 3},
        {"Limits", "Zamo80DEFR4", &LimitZamo80DEFR4, 400},
        {"Limits", "Zamo80DEFR60", &LimitZamo80DEFR60, 300},
        {"Limits", "Zamo80NOISE", &LimitZamo80NOISE, 100},
        {"Warnings", "Zamo80DCO", &WarningZamo80DCO, 100},
        {"Warnings", "Zamo80ACZ", &WarningZamo80ACZ, 2000},
        {"Warnings", "Zamo80ACZ30", &WarningZamo80ACZ30, 4},
        {"Warnings", "Zamo80ACLG", &WarningZamo80ACLG, 2},
        {"Warnings", "Zamo80DEFR4", &WarningZamo80DEFR4, 400},
        {"Warnings", "Zamo80DEFR60", &WarningZamo80DEFR60, 300},
        {"Warnings", "Zamo80NOISE", &WarningZamo80NOISE, 100},
    }};
    return values;
}

namespace {

void restoreDefaults()
{
    SetDefaultLimits();
    if (!SaveLimits(Globals::SettingsFilePath))
        WriteLog("Unable to save the default limits to " + Globals::SettingsFilePath);
}

} // namespace

void LoadLimits()
{
    bool anyAboveZero = false;
    for (const LimitValue& limit : LimitValues()) {
        const QString text =
            modINIReadWrite::INIRead(limit.section, limit.key, Globals::SettingsFilePath);
        const std::optional<double> value = platform::Convert::toDouble(text);
        if (!value) {
            WriteLog(QString("Limit value [%1] %2 = \"%3\" is not valid, restoring the default "
                             "limits and warnings").arg(limit.section, limit.key, text));
            restoreDefaults();
            return;
        }
        *limit.value = *value;
        anyAboveZero = anyAboveZero || *value > 0;
    }
    if (!anyAboveZero) {
        WriteLog("No limit or warning is above 0, restoring the default limits and warnings");
        restoreDefaults();
    }
}

void SetDefaultLimits()
{
    for (const LimitValue& limit : LimitValues())
        *limit.value = limit.defaultValue;
}

bool SaveLimits(const QString& path, QString* error)
{
    // One replacement of the file: a set is never saved in part.
    QList<platform::IniFile::Key> keys;
    for (const LimitValue& limit : LimitValues())
        keys.append({limit.section, limit.key, platform::Convert::fromDouble(*limit.value)});
    return modINIReadWrite::INIWriteKeys(keys, path, error);
}

} // namespace modMain
