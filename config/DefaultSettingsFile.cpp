// The defaults of settings.ini: the new-file pass and the fill-in pass.
#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/SettingsReader.h"

#include <QFile>

namespace config {

using config::writeLog;

namespace {

struct DefaultKey {
    const char* section;
    const char* key;
    const char* value;
};

// The keys of a new settings.ini, in the order they are written.
constexpr DefaultKey NewFileKeys[] = {
    {"Timers", "Polling", "150"},
    {"Timers", "Tests", "5000"},
    {"Zamo80Delays", "ReconnectDelay", "7000"},
    {"Zamo80Delays", "FindChannelsDelay", "3000"},
    {"Zamo80Delays", "DefibCharge", "54"},
    {"Reports", "DisplayEnabled", "1"},
    {"Database", "MaxRecords", "100000"},
    {"Database", "UseLocalDatabase", "1"},
    {"KeepAlive", "WakeUp", "1"},
    {"ACLG", "GainVe", "401"},
    {"ACLG", "GainV50", "2001"},
    {"ACLG", "Correct_Gain", "0.92"},
    {"PACE", "PaceDuration", "60"},
    {"PACE", "SimultaneousTests", "4"},
    {"PACE", "ZAMO24ContinueWithoutRoll", "0"},
    {"PACE", "ZAMO24PaceRollAckDelay", "60"},
    {"ACLG", "24_100_Correct_Gain", "1"},
    {"ACLG", "24_100_R1", "404990"},
    {"ACLG", "24_100_R2", "804"},
    {"ACLG", "24_100_R3", "424300"},
    {"ACLG", "24_100_R4", "4990"},
    {"ACLG", "24_360_Correct_Gain", "1"},
    {"ACLG", "24_360_R1", "404990"},
    {"ACLG", "24_360_R2", "402"},
    {"ACLG", "24_360_R3", "424300"},
    {"ACLG", "24_360_R4", "2490"},
    {"ACLG", "24_X_Correct_Gain", "1"},
    {"ACLG", "24_X_R1", "406810"},
    {"ACLG", "24_X_R2", "475"},
    {"ACLG", "24_X_R3", "402000"},
    {"ACLG", "24_X_R4", "2800"},
    {"ACLG", "24_X_Energy", "200"},
    {"ACLG", "24_X_Enabled", "0"},
};

struct FillInKey {
    const char* section;
    const char* key;
};

// The keys that an existing settings.ini gets when they read empty, in this
// order. [Timers] and [KeepAlive] WakeUp are left to their readers.
constexpr FillInKey FillInKeys[] = {
    {"Reports", "DisplayEnabled"},
    {"Database", "MaxRecords"},
    {"Database", "UseLocalDatabase"},
    {"Zamo80Delays", "ReconnectDelay"},
    {"Zamo80Delays", "FindChannelsDelay"},
    {"ACLG", "GainVe"},
    {"ACLG", "GainV50"},
    {"ACLG", "Correct_Gain"},
    {"PACE", "PaceDuration"},
    {"PACE", "SimultaneousTests"},
    {"PACE", "Zamo24ContinueWithoutRoll"},
    {"PACE", "Zamo24PaceRollAckDelay"},
    {"Zamo80Delays", "DefibCharge"},
    {"ACLG", "24_100_Correct_Gain"},
    {"ACLG", "24_100_R1"},
    {"ACLG", "24_100_R2"},
    {"ACLG", "24_100_R3"},
    {"ACLG", "24_100_R4"},
    {"ACLG", "24_360_Correct_Gain"},
    {"ACLG", "24_360_R1"},
    {"ACLG", "24_360_R2"},
    {"ACLG", "24_360_R3"},
    {"ACLG", "24_360_R4"},
    {"ACLG", "24_X_Correct_Gain"},
    {"ACLG", "24_X_R1"},
    {"ACLG", "24_X_R2"},
    {"ACLG", "24_X_R3"},
    {"ACLG", "24_X_R4"},
    {"ACLG", "24_X_Energy"},
    {"ACLG", "24_X_Enabled"},
};

// The default of a key, matched without regard to case as the file is.
QString defaultOf(const FillInKey& wanted)
{
    for (const DefaultKey& d : NewFileKeys) {
        if (QString(d.section).compare(wanted.section, Qt::CaseInsensitive) == 0
            && QString(d.key).compare(wanted.key, Qt::CaseInsensitive) == 0)
            return d.value;
    }
    return {};
}

} // namespace

void buildDefaultIni(const QString& file)
{
    if (!QFile::exists(file)) {
        writeLog("Build default INI file");
        // Made whole in one write, its owner's alone (see iniWriteKeys).
        QList<platform::IniFile::Key> keys;
        for (const DefaultKey& d : NewFileKeys)
            keys.append({d.section, d.key, d.value});
        config::iniWriteKeys(keys, file);
        return;
    }

    writeLog("Load default application settings");
    for (const FillInKey& k : FillInKeys) {
        if (config::iniRead(k.section, k.key, file).isEmpty())
            config::iniWrite(k.section, k.key, defaultOf(k), file);
    }
}

} // namespace config
