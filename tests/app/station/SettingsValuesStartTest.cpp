// What start-up makes of settings.ini as it finds it on disk: an ACLG
// factor whose text does not convert, limits saved by the station and read
// back at its next start, and stored limits that cannot be read.
#include "config/LimitsFile.h"
#include "platform/Convert.h"
#include "support/QtPrinters.h"
#include "support/StationHarness.h"

#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>

#include <limits>

namespace {

const QDateTime Monday(QDate(2026, 3, 2), QTime(9, 0, 0));

// A ZAMO80 run of one ACLG step on B1 of a simulated unit, on a station
// whose settings.ini holds [ACLG] Correct_Gain as given before its start.
struct AclgRun {
    QStringList verdicts;
    QStringList measurements; // "Measurement recorded for B1 ..." lines
    QString log;
    QString correctGainAfterwards;
};

AclgRun runAclgWithCorrectGain(const QString& correctGain)
{
    testsupport::StationHarness station(Monday);
    station.setSetting("ACLG", "Correct_Gain", correctGain);
    AclgRun run;
    EXPECT_TRUE(station.start());
    station.connectSimulatedUnit(1, 2, true);
    ui::TestWindow& form = station.testWindow();
    EXPECT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
    station.useTestList("B1", {"ACLG,B1,1"});
    EXPECT_TRUE(station.runTestList("LOT-ACLG", 10 * 60 * 1000));
    run.verdicts = station.storedVerdicts();
    run.measurements = station.windows().commBuffer().split("\r\n").filter("Measurement recorded for B1");
    run.log = station.logText();
    run.correctGainAfterwards = station.setting("ACLG", "Correct_Gain");
    return run;
}

// The simulated ZAMO80 replies to ACLG with 23.491 ohms at the default gain
// correction, above the 3 ohm limit: a typo in the factor must not make it 0
// and PASS.
TEST(SettingsValuesStartTest, AnAclgFactorThatDoesNotConvertJudgesAsTheDefaultDoes)
{
    const AclgRun right = runAclgWithCorrectGain("0.92");
    const AclgRun typo = runAclgWithCorrectGain("abc");
    EXPECT_THAT(right.verdicts, ::testing::Contains(QString("B1 FAIL")));
    EXPECT_THAT(right.measurements,
                ::testing::Contains(QString("Measurement recorded for B1 at 61s interval: 23.491")));
    EXPECT_EQ(typo.verdicts, right.verdicts);
    EXPECT_EQ(typo.measurements, right.measurements);
    EXPECT_TRUE(typo.log.contains("Settings value [ACLG] Correct_Gain = \"abc\" is not valid, 0.92 is used"));
    EXPECT_EQ(typo.correctGainAfterwards, "abc"); // the reader writes nothing back
}

// What "Set Limits" saves, the largest number included and one that needs
// all 17 digits, is what the next start reads: no value is lost and the
// others are not reset.
TEST(SettingsValuesStartTest, LimitsSavedInSetLimitsAreReadBackAtTheNextStart)
{
    const double largest = std::numeric_limits<double>::max();
    const double seventeenDigits = 0.1 + 0.2;
    std::shared_ptr<testsupport::TempDataHome> home;
    const QString lim =
        QDir::tempPath() + "/settings-values-" + QString::number(QCoreApplication::applicationPid()) + ".lim";
    {
        testsupport::StationHarness station(Monday);
        ASSERT_TRUE(station.start());
        EXPECT_TRUE(station.prompts().messages().filter("limits").isEmpty());
        station.prompts().fileAnswers.push_back(lim);
        station.whenModal([](QWidget* form) {
            form->findChild<QLineEdit*>("DCOffsetLimitTextBox")->setText("1.7976931348623157e308");
            form->findChild<QLineEdit*>("Zamo80ACLGWarningTextBox")->setText("0.30000000000000004");
            form->findChild<QPushButton*>("SaveAsButton")->click();
        });
        ASSERT_TRUE(station.choose("Set Limits"));
        home = station.home();
    }
    testsupport::StationHarness again(home, Monday.addSecs(3600));
    ASSERT_TRUE(again.start());
    EXPECT_TRUE(again.prompts().messages().isEmpty()) << again.prompts().messages().join("\n").toStdString();
    const config::Limits& limits = again.stationSettings().limits;
    EXPECT_EQ(limits.limitDco, largest);
    EXPECT_EQ(limits.warningZamo80Aclg, seventeenDigits);
    EXPECT_EQ(limits.limitZamo80Aclg, 3);
    EXPECT_EQ(limits.warningAcz, 2000);
    EXPECT_EQ(again.setting("Limits", "DCO"), "1.7976931348623157E+308");
    EXPECT_EQ(again.setting("Limits", "ACZ"), "3000");
    // The .lim file holds the same values.
    EXPECT_EQ(platform::Convert::toDouble(config::iniRead("Limits", "DCO", lim)), largest);
    EXPECT_EQ(platform::Convert::toDouble(config::iniRead("Warnings", "Zamo80ACLG", lim)), seventeenDigits);
    QFile::remove(lim);
}

// Limits that an earlier version saved in a form it could not read back:
// the whole set returns to the defaults, as always, and the operator is
// told which value could not be read.
TEST(SettingsValuesStartTest, StoredLimitsThatCannotBeReadAreReplacedAndTheOperatorIsTold)
{
    testsupport::StationHarness station(Monday);
    for (const config::LimitKey& key : config::limitKeys())
        station.setSetting(key.section, key.key, "7");
    station.setSetting("Limits", "DCO", "1.79769313486232E+308");
    ASSERT_TRUE(station.start());

    const QString file = station.dataFolder() + "/settings.ini";
    EXPECT_THAT(station.prompts().messages(),
                ::testing::Contains("The limits and warnings in " + file
                                    + " cannot be used (Limit value [Limits] DCO = \"1.79769313486232E+308\" is not "
                                      "valid).  All of them are set to their defaults; check them in Tests, Set "
                                      "Limits."));
    EXPECT_TRUE(station.logText().contains("Limit value [Limits] DCO = \"1.79769313486232E+308\" is not valid, "
                                           "restoring the default limits and warnings"));
    const config::Limits defaults;
    for (const config::LimitKey& key : config::limitKeys()) {
        EXPECT_EQ(station.stationSettings().limits.*key.field, defaults.*key.field) << key.section << key.key;
        EXPECT_EQ(station.setting(key.section, key.key), platform::Convert::fromDouble(defaults.*key.field))
            << key.section << key.key;
    }
}

} // namespace
