// The section readers of settings.ini and the timer intervals.
#include "config/SettingsReader.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/Settings.h"
#include "platform/Convert.h"

namespace modMain {

namespace {

using platform::Convert;

QString read(const char* section, const char* key)
{
    return modINIReadWrite::INIRead(section, key, Globals::SettingsFilePath);
}

void writeBack(const char* section, const char* key, const QString& value)
{
    modINIReadWrite::INIWrite(section, key, value, Globals::SettingsFilePath);
}

// The key converted; a value that is there but does not convert is logged,
// so that a damaged settings.ini shows in the log.
template <typename T>
std::optional<T> readAs(const char* section, const char* key,
                        std::optional<T> (*convert)(const QString&))
{
    const QString text = read(section, key);
    const std::optional<T> value = convert(text);
    if (!value && !text.isEmpty())
        WriteLog(QString("Settings value [%1] %2 = \"%3\" is not valid").arg(section, key, text));
    return value;
}

// Values that do not convert give 0 (or off); nothing is written back.
qint16 int16Or0(const char* section, const char* key)
{
    return readAs(section, key, &Convert::toInt16).value_or(0);
}

double doubleOr0(const char* section, const char* key)
{
    return readAs(section, key, &Convert::toDouble).value_or(0.0);
}

bool onOrOff(const char* section, const char* key)
{
    return readAs(section, key, &Convert::toBool).value_or(false);
}

bool isOne(const char* section, const char* key)
{
    return read(section, key) == QLatin1String("1");
}

// A flag: "1" is on and "0" off; any other text, empty included, gives the
// fallback, which is written back.
bool flagOrWriteBack(const char* section, const char* key, bool fallback)
{
    const QString value = read(section, key);
    if (value == QLatin1String("1") || value == QLatin1String("0"))
        return value == QLatin1String("1");
    writeBack(section, key, fallback ? "1" : "0");
    return fallback;
}

// An empty value is replaced by the fallback, which is written back.
QString textOrWriteBack(const char* section, const char* key, const QString& fallback)
{
    const QString value = read(section, key);
    if (!value.isEmpty())
        return value;
    writeBack(section, key, fallback);
    return fallback;
}

// A [Timers] interval: at least the minimum; a converted value below it is
// raised and written back, one that does not convert gives the minimum.
int intervalAtLeast(const char* key, qint16 minimum)
{
    const std::optional<qint16> value = readAs("Timers", key, &Convert::toInt16);
    if (!value)
        return minimum;
    if (*value < minimum) {
        writeBack("Timers", key, QString::number(minimum));
        return minimum;
    }
    return *value;
}

} // namespace

void LoadSignalGeneratorSettings()
{
    Globals::SGEnabled = flagOrWriteBack("ZAMO-SG", "Enabled", false);

    const std::optional<qint32> delay = readAs("ZAMO-SG", "Delay", &Convert::toInt32);
    if (!delay || *delay <= 0) {
        Globals::SGDelay = 10;
        writeBack("ZAMO-SG", "Delay", "10");
    } else if (*delay > 32767) {
        WriteLog("ZAMO-SG Delay " + QString::number(*delay) + " is too large, keeping "
                 + QString::number(Globals::SGDelay));
    } else {
        Globals::SGDelay = qint16(*delay);
    }
}

void LoadUnit80Delays()
{
    Globals::ReconnectDelay = int16Or0("Zamo80Delays", "ReconnectDelay");
    Globals::FindChannelsDelay = int16Or0("Zamo80Delays", "FindChannelsDelay");
    Globals::DefibCharge = int16Or0("Zamo80Delays", "DefibCharge");
}

void LoadAclgGains()
{
    Globals::GainVe = doubleOr0("ACLG", "GainVe");
    Globals::GainV50 = doubleOr0("ACLG", "GainV50");
    Globals::CorrectGain = doubleOr0("ACLG", "Correct_Gain");
}

void LoadAclg24Calibration()
{
    Globals::Aclg24_100_CorrectGain = doubleOr0("ACLG", "24_100_Correct_Gain");
    Globals::Aclg24_100_R1 = doubleOr0("ACLG", "24_100_R1");
    Globals::Aclg24_100_R2 = doubleOr0("ACLG", "24_100_R2");
    Globals::Aclg24_100_R3 = doubleOr0("ACLG", "24_100_R3");
    Globals::Aclg24_100_R4 = doubleOr0("ACLG", "24_100_R4");
    Globals::Aclg24_360_CorrectGain = doubleOr0("ACLG", "24_360_Correct_Gain");
    Globals::Aclg24_360_R1 = doubleOr0("ACLG", "24_360_R1");
    Globals::Aclg24_360_R2 = doubleOr0("ACLG", "24_360_R2");
    Globals::Aclg24_360_R3 = doubleOr0("ACLG", "24_360_R3");
    Globals::Aclg24_360_R4 = doubleOr0("ACLG", "24_360_R4");
    Globals::Aclg24_X_CorrectGain = doubleOr0("ACLG", "24_X_Correct_Gain");
    Globals::Aclg24_X_R1 = doubleOr0("ACLG", "24_X_R1");
    Globals::Aclg24_X_R2 = doubleOr0("ACLG", "24_X_R2");
    Globals::Aclg24_X_R3 = doubleOr0("ACLG", "24_X_R3");
    Globals::Aclg24_X_R4 = doubleOr0("ACLG", "24_X_R4");
    Globals::Aclg24_X_Energy = doubleOr0("ACLG", "24_X_Energy");
    Globals::Aclg24_X_Enabled = onOrOff("ACLG", "24_X_Enabled");
}

void LoadPaceSettings()
{
    Globals::PaceDuration = int16Or0("PACE", "PaceDuration");
    Globals::PaceDurationSeconds = qint32(Globals::PaceDuration) * 60;
    Globals::SimultaneousTests = int16Or0("PACE", "SimultaneousTests");
    Globals::Zamo24ContinueWithoutRoll = onOrOff("PACE", "Zamo24ContinueWithoutRoll");
    Globals::Zamo24PaceRollAckDelay = int16Or0("PACE", "Zamo24PaceRollAckDelay");
}

void LoadReportSettings()
{
    Globals::ExportPDFEnabled = isOne("Reports", "ExportPDFEnabled");
    Globals::ExportExcelEnabled = isOne("Reports", "ExportExcelEnabled");
    Globals::ExportTabEnabled = isOne("Reports", "ExportTabEnabled");
    Globals::ExportPath = read("Reports", "ExportPath");
    Globals::PrintEnabled = isOne("Reports", "PrintEnabled");
    Globals::PrintCondensedEnabled = isOne("Reports", "PrintCondensedEnabled");
    Globals::DisplayEnabled = isOne("Reports", "DisplayEnabled");
}

void LoadDiagnosticsSettings()
{
    Globals::DiagnosticsEnabled = flagOrWriteBack("Diagnostics", "Enabled", false);

    // A whole number not above 10000 that also fits the 16-bit setting.
    const QString delay = read("Diagnostics", "Delay");
    const std::optional<qint16> value = Convert::toInt16(delay);
    if (Convert::isNumberNotAbove(delay, 10000) && value) {
        Globals::DiagnosticsDelay = *value;
    } else {
        Globals::DiagnosticsDelay = 1000;
        writeBack("Diagnostics", "Delay", "1000");
    }
}

void LoadDatabaseSettings()
{
    Globals::UseLocalDatabase = flagOrWriteBack("Database", "UseLocalDatabase", true);

    Globals::LocalDatabaseFolder =
        textOrWriteBack("Database", "LocalDatabaseFolder", GetAppDataFolder());
    Globals::SQLServerHost = textOrWriteBack("Database", "SQLServerHost", "");
    Globals::SQLServerInstance = textOrWriteBack("Database", "SQLServerInstance", "");
    Globals::SQLServerDatabaseName =
        textOrWriteBack("Database", "SQLServerDatabaseName", "ZAMO_Results");
    Globals::SQLUsername = textOrWriteBack("Database", "SQLUsername", "");
    Globals::SQLPassword = textOrWriteBack("Database", "SQLPassword", "");

    const std::optional<qint32> maxRecords = readAs("Database", "MaxRecords", &Convert::toInt32);
    if (!maxRecords || *maxRecords == 0) {
        Globals::MaxRecords = 100000;
        writeBack("Database", "MaxRecords", "100000");
    } else {
        Globals::MaxRecords = *maxRecords;
    }
}

void LoadKeepAliveSettings()
{
    Globals::MoveMouse = isOne("KeepAlive", "MoveMouse");
    Globals::WakeUp = flagOrWriteBack("KeepAlive", "WakeUp", true);
}

int GetPollingInterval()
{
    return intervalAtLeast("Polling", 150);
}

int GetTestsTimerInterval()
{
    return intervalAtLeast("Tests", 5000);
}

bool SaveDefibChargeTime(const QString& text)
{
    return modINIReadWrite::INIWrite("Zamo80Delays", "DefibCharge", text,
                                     Globals::SettingsFilePath);
}

} // namespace modMain
