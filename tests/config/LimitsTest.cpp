#include "config/IniKeys.h"
#include "config/LimitsFile.h"
#include "support/SettingsFixture.h"

#include <limits>

namespace {

using config::iniRead;

const char* const Keys[] = {"DCO",         "ACZ",          "SDRDCO",     "SDRSlope",    "NOISE",
                            "BIAS",        "Zamo80DCO",    "Zamo80ACZ",  "Zamo80ACZ30", "Zamo80ACLG",
                            "Zamo80DEFR4", "Zamo80DEFR60", "Zamo80NOISE"};

class LimitsTest : public SettingsFixture {
protected:
    // settings.ini with every limit and warning set to value.
    void putAll(const char* value)
    {
        QByteArray text;
        for (const char* section : {"Limits", "Warnings"}) {
            text += QByteArray("[") + section + "]\r\n";
            for (const char* key : Keys)
                text += QByteArray(key) + "=" + value + "\r\n";
        }
        putIni(text);
    }
    static QByteArray defaultsText()
    {
        return "[Limits]\r\nDCO=100\r\nACZ=3000\r\nSDRDCO=100\r\nSDRSlope=1\r\nNOISE=150\r\n"
               "BIAS=100\r\nZamo80DCO=100\r\nZamo80ACZ=3000\r\nZamo80ACZ30=5\r\nZamo80ACLG=3\r\n"
               "Zamo80DEFR4=400\r\nZamo80DEFR60=300\r\nZamo80NOISE=100\r\n"
               "[Warnings]\r\nDCO=100\r\nACZ=2000\r\nSDRDCO=100\r\nSDRSlope=1\r\nNOISE=150\r\n"
               "BIAS=100\r\nZamo80DCO=100\r\nZamo80ACZ=2000\r\nZamo80ACZ30=4\r\nZamo80ACLG=2\r\n"
               "Zamo80DEFR4=400\r\nZamo80DEFR60=300\r\nZamo80NOISE=100\r\n";
    }
};

TEST_F(LimitsTest, NewInstallationGetsTheDefaultsWritten)
{
    putIni("[Timers]\r\nPolling=150\r\n");
    settings.limits.limitAcz = 1;
    QString problem = "left from before";
    settings.limits = config::readLimits(ini(), &problem);
    EXPECT_EQ(problem, ""); // nothing to tell: there were no limits
    EXPECT_EQ(settings.limits.limitAcz, 3000);
    EXPECT_EQ(settings.limits.warningZamo80Acz30, 4);
    EXPECT_EQ(iniText(), "[Timers]\r\nPolling=150\r\n" + defaultsText());
}

TEST_F(LimitsTest, FallsBackToDefaultsWhenAValueIsBadOrNoneIsAboveZero)
{
    struct Case {
        const char* name;
        const char* all;
        const char* section;
        const char* key;
        const char* value;
        double expectedLimitDCO;
        const char* told; // why, in what the operator is told; nullptr: nothing
    };
    const Case cases[] = {
        {"one empty", "7", "Warnings", "Zamo80NOISE", "", 100,
         "(Limit value [Warnings] Zamo80NOISE = \"\" is not valid)"},
        {"one unreadable", "7", "Warnings", "Zamo80NOISE", "abc", 100,
         "(Limit value [Warnings] Zamo80NOISE = \"abc\" is not valid)"},
        {"first one empty", "7", "Limits", "DCO", "", 100, "(Limit value [Limits] DCO = \"\" is not valid)"},
        {"all zero", "0", "Limits", "DCO", "0", 100, "(No limit or warning is above 0)"},
        {"one above zero", "0", "Limits", "BIAS", "5", 0, nullptr},
        {"negative values kept", "-2", "Limits", "DCO", "1.5", 1.5, nullptr},
        {"all read", "7", "Limits", "DCO", "7", 7, nullptr},
    };
    for (const Case& c : cases) {
        putAll(c.all);
        config::iniWrite(c.section, c.key, c.value, ini());
        QString problem;
        settings.limits = config::readLimits(ini(), &problem);
        EXPECT_EQ(settings.limits.limitDco, c.expectedLimitDCO) << c.name;
        const bool defaults = c.expectedLimitDCO == 100;
        EXPECT_EQ(iniRead("Warnings", "ACZ", ini()), defaults ? "2000" : c.all) << c.name;
        if (c.told)
            EXPECT_EQ(problem, "The limits and warnings in " + ini() + " cannot be used " + c.told
                                   + ".  All of them are set to their defaults; check them in Tests, Set Limits.")
                << c.name;
        else
            EXPECT_EQ(problem, "") << c.name;
    }
    EXPECT_TRUE(logText().contains("Limit value [Warnings] Zamo80NOISE = \"abc\" is not valid"));
}

TEST_F(LimitsTest, LimFileFromScratchHoldsBothSectionsAndOtherContentStays)
{
    settings.limits = config::Limits();
    const QString lim = home.path() + "/bench.lim";
    ASSERT_TRUE(config::saveLimits(settings.limits, lim));
    EXPECT_EQ(readAll(lim), defaultsText());

    settings.limits.limitZamo80Aclg = 2.75;
    {
        QFile f(lim);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("[Notes]\r\nBy=QA\r\n");
    }
    ASSERT_TRUE(config::saveLimits(settings.limits, lim));
    EXPECT_EQ(iniRead("Limits", "Zamo80ACLG", lim), "2.75");
    EXPECT_EQ(iniRead("Notes", "By", lim), "QA");
}

// Whatever value the station holds is saved as text that reads back as
// that value; values whose general text reads back keep it.
TEST_F(LimitsTest, SavedValuesReadBackAsTheSameValues)
{
    const double largest = std::numeric_limits<double>::max();
    config::Limits limits;
    limits.limitDco = largest;
    limits.warningDco = -largest;
    limits.limitAcz = 0.1 + 0.2;
    limits.limitNoise = std::numeric_limits<double>::denorm_min();
    limits.limitZamo80Aclg = 2.75;
    ASSERT_TRUE(config::saveLimits(limits, ini()));
    EXPECT_EQ(iniRead("Limits", "DCO", ini()), "1.7976931348623157E+308");
    EXPECT_EQ(iniRead("Limits", "Zamo80ACLG", ini()), "2.75");
    EXPECT_EQ(iniRead("Warnings", "ACZ", ini()), "2000");
    QString problem;
    const config::Limits read = config::readLimits(ini(), &problem);
    EXPECT_EQ(problem, "");
    for (const config::LimitKey& key : config::limitKeys())
        EXPECT_EQ(read.*key.field, limits.*key.field) << key.section << " " << key.key;
}

TEST_F(LimitsTest, SaveToAFileThatCannotBeWrittenReportsTheFailure)
{
    EXPECT_FALSE(config::saveLimits(settings.limits, home.path() + "/missing/folder/bench.lim"));
    EXPECT_TRUE(logText().contains("INIWrite failed"));
}

} // namespace
