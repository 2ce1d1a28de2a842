// The section readers of settings.ini and the timer intervals.
#include "config/SettingsReader.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "platform/Convert.h"

namespace config {

using config::writeLog;

namespace {

using platform::Convert;

// One section of one settings file: its keys read and written back through
// iniRead/iniWrite (each access logged); a file that cannot be read reads
// as empty keys, a write that fails is logged and left at that.
class Section {
public:
    Section(const QString& file, const char* name) : m_file(file), m_name(name) {}

    QString read(const char* key) const { return config::iniRead(m_name, key, m_file); }
    void writeBack(const char* key, const QString& value) const { config::iniWrite(m_name, key, value, m_file); }

    // The key converted; a value that is there but does not convert is
    // logged, so that a damaged settings.ini shows in the log.
    template <typename T>
    std::optional<T> readAs(const char* key, std::optional<T> (*convert)(const QString&)) const
    {
        const QString text = read(key);
        const std::optional<T> value = convert(text);
        if (!value && !text.isEmpty())
            writeLog(QString("Settings value [%1] %2 = \"%3\" is not valid").arg(m_name, key, text));
        return value;
    }

    // Values that do not convert give 0 (or off); nothing is written back.
    qint16 int16Or0(const char* key) const { return readAs(key, &platform::Convert::toInt16).value_or(0); }
    double doubleOr0(const char* key) const { return readAs(key, &platform::Convert::toDouble).value_or(0.0); }
    bool onOrOff(const char* key) const { return readAs(key, &platform::Convert::toBool).value_or(false); }
    bool isOne(const char* key) const { return read(key) == QLatin1String("1"); }

    // A flag: "1" is on and "0" off; any other text, empty included, gives
    // the fallback, which is written back.
    bool flagOrWriteBack(const char* key, bool fallback) const
    {
        const QString value = read(key);
        if (value == QLatin1String("1") || value == QLatin1String("0"))
            return value == QLatin1String("1");
        writeBack(key, fallback ? "1" : "0");
        return fallback;
    }

    // An empty value is replaced by the fallback, which is written back.
    QString textOrWriteBack(const char* key, const QString& fallback) const
    {
        const QString value = read(key);
        if (!value.isEmpty())
            return value;
        writeBack(key, fallback);
        return fallback;
    }

private:
    QString m_file;
    const char* m_name;
};

// A [Timers] interval: at least the minimum; a converted value below it is
// raised and written back, one that does not convert gives the minimum.
int intervalAtLeast(const QString& file, const char* key, qint16 minimum)
{
    const Section timers(file, "Timers");
    const std::optional<qint16> value = timers.readAs(key, &platform::Convert::toInt16);
    if (!value)
        return minimum;
    if (*value < minimum) {
        timers.writeBack(key, QString::number(minimum));
        return minimum;
    }
    return *value;
}

} // namespace

SignalGeneratorSettings readSignalGeneratorSettings(const QString& settingsFile, const SignalGeneratorSettings& current)
{
    const Section section(settingsFile, "ZAMO-SG");
    SignalGeneratorSettings settings = current;
    settings.enabled = section.flagOrWriteBack("Enabled", false);

    const std::optional<qint32> delay = section.readAs("Delay", &platform::Convert::toInt32);
    if (!delay || *delay <= 0) {
        settings.delay = 10;
        section.writeBack("Delay", "10");
    } else if (*delay > 32767) {
        writeLog("ZAMO-SG Delay " + QString::number(*delay) + " is too large, keeping "
                 + QString::number(settings.delay));
    } else {
        settings.delay = qint16(*delay);
    }
    return settings;
}

Zamo80Delays readZamo80Delays(const QString& settingsFile)
{
    const Section section(settingsFile, "Zamo80Delays");
    Zamo80Delays delays;
    delays.reconnectDelay = section.int16Or0("ReconnectDelay");
    delays.findChannelsDelay = section.int16Or0("FindChannelsDelay");
    delays.defibCharge = section.int16Or0("DefibCharge");
    return delays;
}

namespace {

AclgDivider readDivider(const Section& section, const QString& energy)
{
    const auto key = [&](const char* name) { return ("24_" + energy + "_" + name).toLatin1(); };
    AclgDivider divider;
    divider.correctGain = section.doubleOr0(key("Correct_Gain").constData());
    divider.r1 = section.doubleOr0(key("R1").constData());
    divider.r2 = section.doubleOr0(key("R2").constData());
    divider.r3 = section.doubleOr0(key("R3").constData());
    divider.r4 = section.doubleOr0(key("R4").constData());
    return divider;
}

} // namespace

AclgSettings readAclgSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "ACLG");
    AclgSettings aclg;
    aclg.gainVe = section.doubleOr0("GainVe");
    aclg.gainV50 = section.doubleOr0("GainV50");
    aclg.correctGain = section.doubleOr0("Correct_Gain");
    aclg.energy100J = readDivider(section, "100");
    aclg.energy360J = readDivider(section, "360");
    aclg.energyX = readDivider(section, "X");
    aclg.energyXJoules = section.doubleOr0("24_X_Energy");
    aclg.energyXEnabled = section.onOrOff("24_X_Enabled");
    return aclg;
}

PaceSettings readPaceSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "PACE");
    PaceSettings pace;
    pace.paceDuration = section.int16Or0("PaceDuration");
    pace.simultaneousTests = section.int16Or0("SimultaneousTests");
    pace.zamo24ContinueWithoutRoll = section.onOrOff("Zamo24ContinueWithoutRoll");
    pace.zamo24PaceRollAckDelay = section.int16Or0("Zamo24PaceRollAckDelay");
    return pace;
}

ReportSettings readReportSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "Reports");
    ReportSettings reports;
    reports.exportPdfEnabled = section.isOne("ExportPDFEnabled");
    reports.exportExcelEnabled = section.isOne("ExportExcelEnabled");
    reports.exportTabEnabled = section.isOne("ExportTabEnabled");
    reports.exportPath = section.read("ExportPath");
    reports.printEnabled = section.isOne("PrintEnabled");
    reports.printCondensedEnabled = section.isOne("PrintCondensedEnabled");
    reports.displayEnabled = section.isOne("DisplayEnabled");
    return reports;
}

DiagnosticsSettings readDiagnosticsSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "Diagnostics");
    DiagnosticsSettings diagnostics;
    diagnostics.enabled = section.flagOrWriteBack("Enabled", false);

    // A whole number not above 10000 that also fits the 16-bit setting.
    const QString delay = section.read("Delay");
    const std::optional<qint16> value = platform::Convert::toInt16(delay);
    if (platform::Convert::isNumberNotAbove(delay, 10000) && value) {
        diagnostics.delay = *value;
    } else {
        diagnostics.delay = 1000;
        section.writeBack("Delay", "1000");
    }
    return diagnostics;
}

DatabaseSettings readDatabaseSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "Database");
    DatabaseSettings database;
    database.useLocalDatabase = section.flagOrWriteBack("UseLocalDatabase", true);

    database.localDatabaseFolder = section.textOrWriteBack("LocalDatabaseFolder", config::getAppDataFolder());
    database.serverHost = section.textOrWriteBack("SQLServerHost", "");
    database.serverInstance = section.textOrWriteBack("SQLServerInstance", "");
    database.serverDatabaseName = section.textOrWriteBack("SQLServerDatabaseName", "ZAMO_Results");
    database.username = section.textOrWriteBack("SQLUsername", "");
    database.password = section.textOrWriteBack("SQLPassword", "");

    const std::optional<qint32> maxRecords = section.readAs("MaxRecords", &platform::Convert::toInt32);
    if (!maxRecords || *maxRecords == 0) {
        database.maxRecords = 100000;
        section.writeBack("MaxRecords", "100000");
    } else {
        database.maxRecords = *maxRecords;
    }
    return database;
}

void readSectionsBeforeDatabase(const QString& settingsFile, StationSettings& settings)
{
    settings.signalGenerator = readSignalGeneratorSettings(settingsFile, settings.signalGenerator);
    settings.zamo80Delays = readZamo80Delays(settingsFile);
    settings.aclg = readAclgSettings(settingsFile);
    settings.pace = readPaceSettings(settingsFile);
    settings.reports = readReportSettings(settingsFile);
    settings.diagnostics = readDiagnosticsSettings(settingsFile);
    settings.database = readDatabaseSettings(settingsFile);
}

KeepAliveSettings readKeepAliveSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "KeepAlive");
    KeepAliveSettings keepAlive;
    keepAlive.moveMouse = section.isOne("MoveMouse");
    keepAlive.wakeUp = section.flagOrWriteBack("WakeUp", true);
    return keepAlive;
}

int readPollingInterval(const QString& settingsFile)
{
    return intervalAtLeast(settingsFile, "Polling", 150);
}

int readTestsTimerInterval(const QString& settingsFile)
{
    return intervalAtLeast(settingsFile, "Tests", 5000);
}

bool saveDefibCharge(const QString& settingsFile, const Zamo80Delays& delays)
{
    return config::iniWrite("Zamo80Delays", "DefibCharge", QString::number(delays.defibCharge), settingsFile);
}

} // namespace config
