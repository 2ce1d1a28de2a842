// Two units on two converters, beside the signal generator on a third and an
// unrelated serial device: each unit takes the first converter that is not
// in use, whichever connects first.

#include "RealPathFixture.h"

#include <QLabel>

namespace {

// ttyUSB0 is the unrelated device, ttyUSB2 the signal generator; the units
// sit on ttyUSB1 (two channels) and ttyUSB3 (three channels), so that the
// status shows which converter a unit took.
constexpr int Decoy = 0, FirstUnit = 1, Generator = 2, SecondUnit = 3;

} // namespace

TEST_F(RealPath, TwoUnitsConnectInEitherOrderBesideTheSignalGeneratorAndOneRunJudgesBoth)
{
    station.setSetting("ZAMO-SG", "Enabled", "1");
    oneStepStandardList();
    Unit two, three;
    two.channels = 2;
    three.channels = 3;
    ASSERT_TRUE(units.addDecoy(Decoy));
    ASSERT_TRUE(units.addUnit(FirstUnit, two));
    ASSERT_TRUE(units.addSignalGenerator(Generator));
    ASSERT_TRUE(units.addUnit(SecondUnit, three));
    // A failed open would ask to reconnect; the answer ends the station
    // rather than retrying for ever.
    station.prompts().messageAnswers.push_back(platform::MsgResult::Cancel);
    ASSERT_TRUE(station.start());

    ASSERT_TRUE(station.choose("Connect ZAMO-SG"));
    EXPECT_TRUE(station.waitUntil(
        [&] { return station.testWindow().statusPanel().signalGeneratorLabel()->text() == "Connected"; }, ConnectMs))
        << station.testWindow().statusPanel().signalGeneratorLabel()->text().toStdString();

    // Unit 1, then unit 2.
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(connectFromMenu(2, "ZAMO Connected; A2-C2"));
    ASSERT_TRUE(station.choose("Disconnect Unit 2"));
    ASSERT_TRUE(station.choose("Disconnect Unit 1"));

    // Unit 2 first (its own Connect toggle, as the menu offers unit 2 only
    // beside a unit 1), then unit 1, which passes over the converter that
    // unit 2 holds now.
    station.unitConnectToggle(2)->click();
    ASSERT_TRUE(station.waitUntil([&] { return station.unitStatus(2) == "ZAMO Connected; A2-B2"; }, ConnectMs));
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-C1"));

    ASSERT_TRUE(runStandardSequence());
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 PASS", "B1 PASS", "C1 PASS", "A2 PASS", "B2 PASS"}));
    EXPECT_TRUE(units.received(Decoy).isEmpty());
    EXPECT_TRUE(units.frames(Generator).startsWith("(*)"));
    EXPECT_EQ(station.prompts().messages(), QStringList());
    EXPECT_FALSE(station.logText().contains("USB Port Open failed"));
}
