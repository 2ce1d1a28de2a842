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

    // The key converted; *valueText (when given) gets the value as read.
    template <typename T>
    std::optional<T> readAs(const char* key, std::optional<T> (*convert)(const QString&),
                            QString* valueText = nullptr) const
    {
        const QString text = read(key);
        if (valueText)
            *valueText = text;
        return convert(text);
    }

    // A value that is there but does not convert or makes no sense for its
    // key is logged with what is used in its place.
    void notValid(const char* key, const QString& text, const QString& used) const
    {
        writeLog(QString("Settings value [%1] %2 = \"%3\" is not valid, %4 is used").arg(m_name, key, text, used));
    }

    // A number that goes into a computation, a wait or a count: the key
    // converted and within its bounds. A value that does not convert (an
    // empty one included: the station fills these keys in at start, so an
    // empty one was not written) or that lies outside the bounds (a
    // negative wait, an absurd factor) is logged and gives the key's
    // default; never 0 in place of a number that was not there. Nothing is
    // written back.
    template <typename T>
    T inBoundsOrDefault(const char* key, std::optional<T> (*convert)(const QString&), T lowest, T highest,
                        T fallback) const
    {
        QString text;
        const std::optional<T> value = readAs(key, convert, &text);
        if (value && *value >= lowest && *value <= highest)
            return *value;
        notValid(key, text, QString::number(fallback));
        return fallback;
    }
    // A wait, a time or a count: not negative.
    qint16 notNegativeOrDefault(const char* key, qint16 fallback) const
    {
        return inBoundsOrDefault<qint16>(key, &platform::Convert::toInt16, 0, 32767, fallback);
    }
    double doubleOrDefault(const char* key, double lowest, double highest, double fallback) const
    {
        return inBoundsOrDefault<double>(key, &platform::Convert::toDouble, lowest, highest, fallback);
    }
    // On or off; a value that is there but does not convert is off, and
    // logged.
    bool onOrOff(const char* key) const
    {
        QString text;
        const std::optional<bool> value = readAs(key, &platform::Convert::toBool, &text);
        if (!value && !text.isEmpty())
            notValid(key, text, QStringLiteral("0"));
        return value.value_or(false);
    }

    // A flag that is on when "1"; any other text is off, and text other
    // than "0" is logged.
    bool isOne(const char* key) const
    {
        const QString value = read(key);
        if (!value.isEmpty() && value != QLatin1String("1") && value != QLatin1String("0"))
            notValid(key, value, QStringLiteral("0"));
        return value == QLatin1String("1");
    }

    // A flag: "1" is on and "0" off; any other text, empty included, gives
    // the fallback, which is written back (and logged when not empty).
    bool flagOrWriteBack(const char* key, bool fallback) const
    {
        const QString value = read(key);
        if (value == QLatin1String("1") || value == QLatin1String("0"))
            return value == QLatin1String("1");
        if (!value.isEmpty())
            notValid(key, value, fallback ? QStringLiteral("1") : QStringLiteral("0"));
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
// raised and written back, one that does not convert gives the minimum
// (logged, unless the key is missing: [Timers] is not filled in at start).
int intervalAtLeast(const QString& file, const char* key, qint16 minimum)
{
    const Section timers(file, "Timers");
    QString text;
    const std::optional<qint16> value = timers.readAs(key, &platform::Convert::toInt16, &text);
    if (!value) {
        if (!text.isEmpty())
            timers.notValid(key, text, QString::number(minimum));
        return minimum;
    }
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

    QString text;
    const std::optional<qint32> delay = section.readAs("Delay", &platform::Convert::toInt32, &text);
    if (!delay || *delay <= 0) {
        if (!text.isEmpty())
            section.notValid("Delay", text, QStringLiteral("10"));
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
    const Zamo80Delays defaults;
    Zamo80Delays delays;
    delays.reconnectDelay = section.notNegativeOrDefault("ReconnectDelay", defaults.reconnectDelay);
    delays.findChannelsDelay = section.notNegativeOrDefault("FindChannelsDelay", defaults.findChannelsDelay);
    delays.defibCharge = section.notNegativeOrDefault("DefibCharge", defaults.defibCharge);
    return delays;
}

namespace {

// What the ACLG arithmetic can take: a gain correction near 1, amplifier
// gains, divider resistors in ohms and a defibrillator energy in joules.
// Far outside these the readings would come out as nonsense, or as too
// large to store.
constexpr double CorrectGainLowest = 0.1, CorrectGainHighest = 10;
constexpr double GainLowest = 1, GainHighest = 1e6;
constexpr double ResistorLowest = 1, ResistorHighest = 1e9;
constexpr double EnergyLowest = 1, EnergyHighest = 1000;

AclgDivider readDivider(const Section& section, const QString& energy, const AclgDivider& defaults)
{
    const auto key = [&](const char* name) { return ("24_" + energy + "_" + name).toLatin1(); };
    const auto resistor = [&](const char* name, double fallback) {
        return section.doubleOrDefault(key(name).constData(), ResistorLowest, ResistorHighest, fallback);
    };
    AclgDivider divider;
    divider.correctGain = section.doubleOrDefault(key("Correct_Gain").constData(), CorrectGainLowest,
                                                  CorrectGainHighest, defaults.correctGain);
    divider.r1 = resistor("R1", defaults.r1);
    divider.r2 = resistor("R2", defaults.r2);
    divider.r3 = resistor("R3", defaults.r3);
    divider.r4 = resistor("R4", defaults.r4);
    return divider;
}

} // namespace

AclgSettings readAclgSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "ACLG");
    const AclgSettings defaults;
    AclgSettings aclg;
    aclg.gainVe = section.doubleOrDefault("GainVe", GainLowest, GainHighest, defaults.gainVe);
    aclg.gainV50 = section.doubleOrDefault("GainV50", GainLowest, GainHighest, defaults.gainV50);
    aclg.correctGain =
        section.doubleOrDefault("Correct_Gain", CorrectGainLowest, CorrectGainHighest, defaults.correctGain);
    aclg.energy100J = readDivider(section, "100", defaults.energy100J);
    aclg.energy360J = readDivider(section, "360", defaults.energy360J);
    aclg.energyX = readDivider(section, "X", defaults.energyX);
    aclg.energyXJoules = section.doubleOrDefault("24_X_Energy", EnergyLowest, EnergyHighest, defaults.energyXJoules);
    aclg.energyXEnabled = section.onOrOff("24_X_Enabled");
    return aclg;
}

PaceSettings readPaceSettings(const QString& settingsFile)
{
    const Section section(settingsFile, "PACE");
    const PaceSettings defaults;
    PaceSettings pace;
    pace.paceDuration = section.notNegativeOrDefault("PaceDuration", defaults.paceDuration);
    pace.simultaneousTests = section.notNegativeOrDefault("SimultaneousTests", defaults.simultaneousTests);
    pace.zamo24ContinueWithoutRoll = section.onOrOff("Zamo24ContinueWithoutRoll");
    pace.zamo24PaceRollAckDelay =
        section.notNegativeOrDefault("Zamo24PaceRollAckDelay", defaults.zamo24PaceRollAckDelay);
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

    // A wait of 0 to 10000 ms.
    const QString delay = section.read("Delay");
    const std::optional<qint16> value = platform::Convert::toInt16(delay);
    if (platform::Convert::isNumberNotAbove(delay, 10000) && value && *value >= 0) {
        diagnostics.delay = *value;
    } else {
        if (!delay.isEmpty())
            section.notValid("Delay", delay, QStringLiteral("1000"));
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

    // A count of groups: 0 or fewer would archive the live database at
    // every opening of the report list.
    QString text;
    const std::optional<qint32> maxRecords = section.readAs("MaxRecords", &platform::Convert::toInt32, &text);
    if (!maxRecords || *maxRecords <= 0) {
        if (!text.isEmpty() && (!maxRecords || *maxRecords < 0))
            section.notValid("MaxRecords", text, QStringLiteral("100000"));
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
