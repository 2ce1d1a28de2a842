#include "config/IniKeys.h"
#include "config/LimitsFile.h"
#include "config/SettingsReader.h"
#include "support/SettingsFixture.h"

#include <array>
#include <functional>
#include <vector>

namespace {

using config::iniRead;

class SettingsTest : public SettingsFixture {};

TEST_F(SettingsTest, NewFileHoldsTheDefaultKeysInOrder)
{
    config::buildDefaultIni(ini());
    EXPECT_EQ(iniText(), "[Timers]\r\nPolling=150\r\nTests=5000\r\n"
                         "[Zamo80Delays]\r\nReconnectDelay=7000\r\nFindChannelsDelay=3000\r\nDefibCharge=54\r\n"
                         "[Reports]\r\nDisplayEnabled=1\r\n"
                         "[Database]\r\nMaxRecords=100000\r\nUseLocalDatabase=1\r\n"
                         "[KeepAlive]\r\nWakeUp=1\r\n"
                         "[ACLG]\r\nGainVe=401\r\nGainV50=2001\r\nCorrect_Gain=0.92\r\n"
                         "24_100_Correct_Gain=1\r\n24_100_R1=404990\r\n24_100_R2=804\r\n24_100_R3=424300\r\n"
                         "24_100_R4=4990\r\n24_360_Correct_Gain=1\r\n24_360_R1=404990\r\n24_360_R2=402\r\n"
                         "24_360_R3=424300\r\n24_360_R4=2490\r\n24_X_Correct_Gain=1\r\n24_X_R1=406810\r\n"
                         "24_X_R2=475\r\n24_X_R3=402000\r\n24_X_R4=2800\r\n24_X_Energy=200\r\n24_X_Enabled=0\r\n"
                         "[PACE]\r\nPaceDuration=60\r\nSimultaneousTests=4\r\nZAMO24ContinueWithoutRoll=0\r\n"
                         "ZAMO24PaceRollAckDelay=60\r\n");
    EXPECT_TRUE(logText().contains(" - Build default INI file\r\n"));
}

// The file holds the server password: the station makes it for its owner
// alone, by whatever write makes it (the start's defaults, or any key saved
// once the file is gone), and leaves a file that is there with the mode it
// has. Other files it writes get the default mode.
TEST_F(SettingsTest, ANewFileIsTheOwnersAloneAndAnExistingOneKeepsItsMode)
{
    const auto mode = [](const QString& file) { return QFile::permissions(file) & QFile::Permissions(0x7777); };
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    config::buildDefaultIni(ini());
    EXPECT_EQ(mode(ini()), owner);
    EXPECT_TRUE(config::iniWrite("Database", "SQLPassword", "secret", ini()));
    EXPECT_EQ(mode(ini()), owner);

    const std::function<bool()> saves[] = {
        [&] { return config::iniWrite("Database", "SQLPassword", "secret", ini()); },
        [&] {
            return config::iniWriteKeys({{"Timers", "Polling", "200"}, {"Database", "SQLUsername", "u"}}, ini());
        },
        [&] { return config::saveLimits(config::Limits{}, ini()); },
    };
    for (const auto& save : saves) {
        ASSERT_TRUE(QFile::remove(ini()));
        EXPECT_TRUE(save());
        EXPECT_EQ(mode(ini()), owner);
    }

    const QString limitsFile = home.stationFolder() + "/bench.lim";
    EXPECT_TRUE(config::saveLimits(config::Limits{}, limitsFile));
    QFile plain(home.stationFolder() + "/plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_EQ(mode(limitsFile), mode(plain.fileName()));

    putIni("[ACLG]\r\nGainVe=5\r\n");
    const QFile::Permissions shared = owner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(ini(), shared));
    config::buildDefaultIni(ini()); // fills in the missing keys
    EXPECT_EQ(iniRead("PACE", "PaceDuration", ini()), "60");
    EXPECT_EQ(mode(ini()), shared);
}

TEST_F(SettingsTest, FillInPassAddsEmptyKeysButNotTimers)
{
    putIni("[ACLG]\r\nGainVe=5\r\n24_100_R4=\r\n[PACE]\r\nzamo24pacerollackdelay=9\r\n");
    config::buildDefaultIni(ini());
    EXPECT_TRUE(logText().contains(" - Load default application settings\r\n"));
    EXPECT_EQ(iniRead("ACLG", "24_100_R4", ini()), "4990");
    EXPECT_EQ(iniRead("ACLG", "GainVe", ini()), "5"); // kept
    EXPECT_EQ(iniRead("PACE", "Zamo24PaceRollAckDelay", ini()), "9");
    EXPECT_EQ(iniRead("PACE", "Zamo24ContinueWithoutRoll", ini()), "0");
    EXPECT_EQ(iniRead("Zamo80Delays", "DefibCharge", ini()), "54");
    EXPECT_FALSE(iniText().contains("[Timers]"));
    EXPECT_FALSE(iniText().contains("[KeepAlive]"));
    EXPECT_TRUE(iniText().startsWith("[ACLG]\r\nGainVe=5\r\n24_100_R4=4990\r\n"));
    EXPECT_EQ(config::readPollingInterval(ini()), 150);
}

// One settings.ini line, the reader that runs, what it must set, and what the
// key must read afterwards.
struct ReaderCase {
    const char* name;
    QByteArray ini;
    std::function<void()> load;
    std::function<bool()> expected;
    const char* section;
    const char* key;
    QString afterwards;
};

TEST_F(SettingsTest, ReadersApplyTheirRules)
{
    using namespace config;
    const QString file = ini();
    config::StationSettings& s = settings;
    const QString dataFolder = home.stationFolder();
    int interval = 0;
    const ReaderCase cases[] = {
        {"polling raised", "[Timers]\nPolling=100\n", [&] { interval = readPollingInterval(file); },
         [&] { return interval == 150; }, "Timers", "Polling", "150"},
        {"polling unreadable", "[Timers]\nPolling=abc\n", [&] { interval = readPollingInterval(file); },
         [&] { return interval == 150; }, "Timers", "Polling", "abc"},
        {"polling out of range", "[Timers]\nPolling=40000\n", [&] { interval = readPollingInterval(file); },
         [&] { return interval == 150; }, "Timers", "Polling", "40000"},
        {"polling taken", "[Timers]\nPolling=250\n", [&] { interval = readPollingInterval(file); },
         [&] { return interval == 250; }, "Timers", "Polling", "250"},
        {"tests raised", "[Timers]\nTests=10\n", [&] { interval = readTestsTimerInterval(file); },
         [&] { return interval == 5000; }, "Timers", "Tests", "5000"},
        {"local database yes", "[Database]\nUseLocalDatabase=yes\n", [&] { s.database = readDatabaseSettings(file); },
         [&] { return s.database.useLocalDatabase; }, "Database", "UseLocalDatabase", "1"},
        {"sql server", "[Database]\nUseLocalDatabase=0\n", [&] { s.database = readDatabaseSettings(file); },
         [&] { return !s.database.useLocalDatabase; }, "Database", "UseLocalDatabase", "0"},
        {"max records 0", "[Database]\nMaxRecords=0\n", [&] { s.database = readDatabaseSettings(file); },
         [&] { return s.database.maxRecords == 100000; }, "Database", "MaxRecords", "100000"},
        {"max records negative", "[Database]\nMaxRecords=-5\n", [&] { s.database = readDatabaseSettings(file); },
         [&] { return s.database.maxRecords == 100000; }, "Database", "MaxRecords", "100000"},
        {"database name", "", [&] { s.database = readDatabaseSettings(file); },
         [&] { return s.database.serverDatabaseName == "ZAMO_Results"; }, "Database", "SQLServerDatabaseName",
         "ZAMO_Results"},
        {"database folder", "", [&] { s.database = readDatabaseSettings(file); },
         [&] { return s.database.localDatabaseFolder == dataFolder; }, "Database", "LocalDatabaseFolder", dataFolder},
        {"sg delay 0", "[ZAMO-SG]\nDelay=0\nEnabled=1\n",
         [&] { s.signalGenerator = readSignalGeneratorSettings(file); },
         [&] { return s.signalGenerator.delay == 10 && s.signalGenerator.enabled; }, "ZAMO-SG", "Delay", "10"},
        {"sg enabled true", "[ZAMO-SG]\nDelay=20\nEnabled=true\n",
         [&] { s.signalGenerator = readSignalGeneratorSettings(file); },
         [&] { return s.signalGenerator.delay == 20 && !s.signalGenerator.enabled; }, "ZAMO-SG", "Enabled", "0"},
        {"sg delay too large", "[ZAMO-SG]\nDelay=40000\n",
         [&] {
             s.signalGenerator.delay = 33;
             s.signalGenerator = readSignalGeneratorSettings(file, s.signalGenerator);
         },
         [&] { return s.signalGenerator.delay == 33; }, "ZAMO-SG", "Delay", "40000"},
        {"diagnostics delay high", "[Diagnostics]\nDelay=20000\nEnabled=1\n",
         [&] { s.diagnostics = readDiagnosticsSettings(file); },
         [&] { return s.diagnostics.delay == 1000 && s.diagnostics.enabled; }, "Diagnostics", "Delay", "1000"},
        {"diagnostics delay taken", "[Diagnostics]\nDelay=500\n",
         [&] { s.diagnostics = readDiagnosticsSettings(file); },
         [&] { return s.diagnostics.delay == 500 && !s.diagnostics.enabled; }, "Diagnostics", "Enabled", "0"},
        {"diagnostics delay below 16 bits", "[Diagnostics]\nDelay=-40000\n",
         [&] { s.diagnostics = readDiagnosticsSettings(file); }, [&] { return s.diagnostics.delay == 1000; },
         "Diagnostics", "Delay", "1000"},
        {"wake up empty", "", [&] { s.keepAlive = readKeepAliveSettings(file); },
         [&] { return s.keepAlive.wakeUp && !s.keepAlive.moveMouse; }, "KeepAlive", "WakeUp", "1"},
        {"wake up off", "[KeepAlive]\nWakeUp=0\nMoveMouse=1\n", [&] { s.keepAlive = readKeepAliveSettings(file); },
         [&] { return !s.keepAlive.wakeUp && s.keepAlive.moveMouse; }, "KeepAlive", "WakeUp", "0"},
        {"pace", "[PACE]\nPaceDuration=45\nZAMO24ContinueWithoutRoll=True\n", [&] { s.pace = readPaceSettings(file); },
         [&] {
             return s.pace.paceDurationSeconds() == 2700 && s.pace.zamo24ContinueWithoutRoll
                    && s.pace.simultaneousTests == 4;
         },
         "PACE", "PaceDuration", "45"},
        {"pace unreadable", "[PACE]\nPaceDuration=x\nZamo24ContinueWithoutRoll=maybe\n",
         [&] { s.pace = readPaceSettings(file); },
         [&] { return s.pace.paceDuration == 60 && !s.pace.zamo24ContinueWithoutRoll; }, "PACE",
         "Zamo24ContinueWithoutRoll", "maybe"},
        {"unit 80 delays", "[Zamo80Delays]\nReconnectDelay=6000\nFindChannelsDelay=abc\n",
         [&] { s.zamo80Delays = readZamo80Delays(file); },
         [&] {
             return s.zamo80Delays.reconnectDelay == 6000 && s.zamo80Delays.findChannelsDelay == 3000
                    && s.zamo80Delays.defibCharge == 54;
         },
         "Zamo80Delays", "FindChannelsDelay", "abc"},
        {"aclg", "[ACLG]\nCorrect_Gain=0.92\nGainVe=x\n24_X_Enabled=1\n24_X_R4=2800\n",
         [&] { s.aclg = readAclgSettings(file); },
         [&] {
             return s.aclg.correctGain == 0.92 && s.aclg.gainVe == 401 && s.aclg.energyXEnabled
                    && s.aclg.energyX.r4 == 2800;
         },
         "ACLG", "GainVe", "x"},
        {"reports", "[Reports]\nExportPath=/srv/out\nPrintEnabled=1\nDisplayEnabled=yes\n",
         [&] { s.reports = readReportSettings(file); },
         [&] {
             return s.reports.exportPath == "/srv/out" && s.reports.printEnabled && !s.reports.displayEnabled
                    && !s.reports.exportPdfEnabled;
         },
         "Reports", "DisplayEnabled", "yes"},
    };
    for (const ReaderCase& c : cases) {
        putIni(c.ini);
        c.load();
        EXPECT_TRUE(c.expected()) << c.name;
        EXPECT_EQ(iniRead(c.section, c.key, ini()), c.afterwards) << c.name;
    }
    // A damaged value shows in the log.
    EXPECT_TRUE(logText().contains("Settings value [ACLG] GainVe = \"x\" is not valid, 401 is used\r\n"));
    EXPECT_TRUE(logText().contains("Settings value [Timers] Polling = \"abc\" is not valid, 150 is used\r\n"));
}

// Values that convert but make no sense for their key: each is logged as not
// valid and the key's default is used; a sensible neighbour is taken.
TEST_F(SettingsTest, ValuesThatMakeNoSenseAreLoggedAndGiveTheDefault)
{
    struct Case {
        const char* section;
        const char* key;
        const char* text;
        std::function<double(const config::StationSettings&)> used;
        double expected;
        const char* logged; // what the log says is used, or nullptr: taken without a word
    };
    using S = const config::StationSettings&;
    const Case cases[] = {
        {"PACE", "SimultaneousTests", "-3", [](S s) { return s.pace.simultaneousTests; }, 4, "4"},
        {"PACE", "SimultaneousTests", "0", [](S s) { return s.pace.simultaneousTests; }, 0, nullptr},
        {"PACE", "PaceDuration", "-60", [](S s) { return s.pace.paceDuration; }, 60, "60"},
        {"PACE", "Zamo24PaceRollAckDelay", "-1", [](S s) { return s.pace.zamo24PaceRollAckDelay; }, 60, "60"},
        {"Zamo80Delays", "ReconnectDelay", "-7000", [](S s) { return s.zamo80Delays.reconnectDelay; }, 7000, "7000"},
        {"Zamo80Delays", "FindChannelsDelay", "-1", [](S s) { return s.zamo80Delays.findChannelsDelay; }, 3000, "3000"},
        {"Zamo80Delays", "DefibCharge", "-54", [](S s) { return s.zamo80Delays.defibCharge; }, 54, "54"},
        {"ACLG", "Correct_Gain", "1e308", [](S s) { return s.aclg.correctGain; }, 0.92, "0.92"},
        {"ACLG", "Correct_Gain", "0", [](S s) { return s.aclg.correctGain; }, 0.92, "0.92"},
        {"ACLG", "Correct_Gain", "1.05", [](S s) { return s.aclg.correctGain; }, 1.05, nullptr},
        {"ACLG", "GainVe", "-401", [](S s) { return s.aclg.gainVe; }, 401, "401"},
        {"ACLG", "24_360_Correct_Gain", "50", [](S s) { return s.aclg.energy360J.correctGain; }, 1, "1"},
        {"ACLG", "24_100_R2", "0", [](S s) { return s.aclg.energy100J.r2; }, 804, "804"},
        {"ACLG", "24_X_R1", "1E300", [](S s) { return s.aclg.energyX.r1; }, 406810, "406810"},
        {"ACLG", "24_X_Energy", "-200", [](S s) { return s.aclg.energyXJoules; }, 200, "200"},
        {"Database", "UseLocalDatabase", "2", [](S s) { return s.database.useLocalDatabase; }, 1, "1"},
        {"Database", "MaxRecords", "-5", [](S s) { return s.database.maxRecords; }, 100000, "100000"},
        {"Diagnostics", "Delay", "-500", [](S s) { return s.diagnostics.delay; }, 1000, "1000"},
        {"Diagnostics", "Enabled", "yes", [](S s) { return s.diagnostics.enabled; }, 0, "0"},
        {"ZAMO-SG", "Delay", "-5", [](S s) { return s.signalGenerator.delay; }, 10, "10"},
        {"Reports", "ExportPDFEnabled", "2", [](S s) { return s.reports.exportPdfEnabled; }, 0, "0"},
    };
    for (const Case& c : cases) {
        putIni(QByteArray("[") + c.section + "]\n" + c.key + "=" + c.text + "\n");
        config::readSectionsBeforeDatabase(ini(), settings);
        EXPECT_EQ(c.used(settings), c.expected) << c.section << " " << c.key << "=" << c.text;
        const QString line = QString("Settings value [%1] %2 = \"%3\" is not valid").arg(c.section, c.key, c.text);
        EXPECT_EQ(logText().contains((line + (c.logged ? QString(", ") + c.logged + " is used" : "")).toLatin1()),
                  c.logged != nullptr)
            << c.section << " " << c.key << "=" << c.text;
    }
    putIni("[KeepAlive]\nWakeUp=5\n");
    EXPECT_TRUE(config::readKeepAliveSettings(ini()).wakeUp);
    EXPECT_TRUE(logText().contains("Settings value [KeepAlive] WakeUp = \"5\" is not valid, 1 is used"));
}

// A number whose text cannot be read (letters, a letter O for a zero, an
// empty value) is never taken as 0: it is logged as not valid and the key's
// default is used. Keys whose reader writes a default back on a bad value
// still do; the others leave the file as it is. An empty key that its
// reader fills in, or that [Timers] leaves to its reader, gets the default
// without a word: a new file holds none of [Timers], [ZAMO-SG] and
// [Diagnostics].
TEST_F(SettingsTest, NumbersThatDoNotConvertAreLoggedAndGiveTheDefault)
{
    using namespace config;
    const QString file = ini();
    struct Key {
        const char* section;
        QByteArray key;
        double fallback;
        std::function<double()> read; // the section's reader, its value for the key
        bool writesBack;
        bool quietWhenEmpty;
    };
    std::vector<Key> keys = {
        {"Zamo80Delays", "ReconnectDelay", 7000, [&] { return readZamo80Delays(file).reconnectDelay; }, false, false},
        {"Zamo80Delays", "FindChannelsDelay", 3000, [&] { return readZamo80Delays(file).findChannelsDelay; }, false,
         false},
        {"Zamo80Delays", "DefibCharge", 54, [&] { return readZamo80Delays(file).defibCharge; }, false, false},
        {"ACLG", "GainVe", 401, [&] { return readAclgSettings(file).gainVe; }, false, false},
        {"ACLG", "GainV50", 2001, [&] { return readAclgSettings(file).gainV50; }, false, false},
        {"ACLG", "Correct_Gain", 0.92, [&] { return readAclgSettings(file).correctGain; }, false, false},
        {"ACLG", "24_X_Energy", 200, [&] { return readAclgSettings(file).energyXJoules; }, false, false},
        {"PACE", "PaceDuration", 60, [&] { return readPaceSettings(file).paceDuration; }, false, false},
        {"PACE", "SimultaneousTests", 4, [&] { return readPaceSettings(file).simultaneousTests; }, false, false},
        {"PACE", "Zamo24PaceRollAckDelay", 60, [&] { return readPaceSettings(file).zamo24PaceRollAckDelay; }, false,
         false},
        {"Timers", "Polling", 150, [&] { return readPollingInterval(file); }, false, true},
        {"Timers", "Tests", 5000, [&] { return readTestsTimerInterval(file); }, false, true},
        {"ZAMO-SG", "Delay", 10, [&] { return readSignalGeneratorSettings(file).delay; }, true, true},
        {"Diagnostics", "Delay", 1000, [&] { return readDiagnosticsSettings(file).delay; }, true, true},
        {"Database", "MaxRecords", 100000, [&] { return readDatabaseSettings(file).maxRecords; }, true, true},
    };
    // Each ACLG energy's divider: its gain correction and its four resistors.
    const struct {
        const char* energy;
        AclgDivider AclgSettings::*divider;
        std::array<double, 5> fallbacks;
    } dividers[] = {{"100", &AclgSettings::energy100J, {1, 404990, 804, 424300, 4990}},
                    {"360", &AclgSettings::energy360J, {1, 404990, 402, 424300, 2490}},
                    {"X", &AclgSettings::energyX, {1, 406810, 475, 402000, 2800}}};
    const std::pair<const char*, double AclgDivider::*> parts[] = {{"Correct_Gain", &AclgDivider::correctGain},
                                                                   {"R1", &AclgDivider::r1},
                                                                   {"R2", &AclgDivider::r2},
                                                                   {"R3", &AclgDivider::r3},
                                                                   {"R4", &AclgDivider::r4}};
    for (const auto& d : dividers)
        for (std::size_t i = 0; i < std::size(parts); ++i) {
            const auto divider = d.divider;
            const auto part = parts[i].second;
            keys.push_back({"ACLG", QByteArray("24_") + d.energy + "_" + parts[i].first, d.fallbacks[i],
                            [&file, divider, part] { return readAclgSettings(file).*divider.*part; }, false, false});
        }

    for (const Key& k : keys) {
        const QString key = QString::fromLatin1(k.key);
        for (const char* text : {"abc", "1O", ""}) {
            const std::string name = QString("[%1] %2=%3").arg(k.section, key, text).toStdString();
            putIni(QByteArray("[") + k.section + "]\r\n" + k.key + "=" + text + "\r\n");
            EXPECT_EQ(k.read(), k.fallback) << name;
            const QString line = QString("Settings value [%1] %2 = \"%3\" is not valid, %4 is used\r\n")
                                     .arg(k.section, key, text, QString::number(k.fallback));
            EXPECT_EQ(logText().contains(line.toLatin1()), *text || !k.quietWhenEmpty) << name;
            EXPECT_EQ(iniRead(k.section, key, file), k.writesBack ? QString::number(k.fallback) : QString(text))
                << name;
        }
    }
}

TEST_F(SettingsTest, DefibChargeTimeIsSaved)
{
    settings.zamo80Delays.defibCharge = 60;
    EXPECT_TRUE(config::saveDefibCharge(ini(), settings.zamo80Delays));
    EXPECT_EQ(iniRead("Zamo80Delays", "DefibCharge", ini()), "60");
}

} // namespace
