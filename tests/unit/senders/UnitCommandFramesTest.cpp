#include "support/AllChannelCommandTable.h"
#include "support/QtPrinters.h"
#include "unit/CommandFrames.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

using namespace unit::UnitCommandFrames;

namespace {

TEST(UnitCommandFrames, NumberFieldsPadOnTheLeftKeepSignAndNeverClip)
{
    struct Case {
        qint64 value;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {42, 4, "0042"},       {0, 4, "0000"}, {-5, 4, "-0005"}, {10000, 4, "10000"}, {123456, 4, "123456"},
        {-32768, 4, "-32768"}, {7, 2, "07"},   {3, 5, "00003"},  {-1, 5, "-00001"},   {2147483647, 5, "2147483647"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(unit::UnitCommandFrames::padded(c.value, c.digits), c.text)
            << c.value << " in " << c.digits << " digits";
    EXPECT_EQ(unit::UnitCommandFrames::paddedList({1, 22, 333, -4}, 4), "0001,0022,0333,-0004");
}

TEST(UnitCommandFrames, SerialNumberIsPaddedOrCutToFiveCharacters)
{
    EXPECT_EQ(unit::UnitCommandFrames::setSerialNumber("42"), "(MS000042)");
    EXPECT_EQ(unit::UnitCommandFrames::setSerialNumber(""), "(MS000000)");
    EXPECT_EQ(unit::UnitCommandFrames::setSerialNumber("12345"), "(MS012345)");
    EXPECT_EQ(unit::UnitCommandFrames::setSerialNumber("ABCDEFG"), "(MS0ABCDE)");
    EXPECT_EQ(unit::UnitCommandFrames::calBoardSetSerialNumber("1234567"), "(mS012345)");
    EXPECT_EQ(unit::UnitCommandFrames::calBoardSetSerialNumber("123"), "(mS000123)");
}

TEST(UnitCommandFrames, ZAMO80WinsWhenBothModelFlagsAreSet)
{
    EXPECT_EQ(unit::unitModelOf(false, false), unit::UnitModel::Base);
    EXPECT_EQ(unit::unitModelOf(true, false), unit::UnitModel::Zamo80);
    EXPECT_EQ(unit::unitModelOf(false, true), unit::UnitModel::Zamo24);
    EXPECT_EQ(unit::unitModelOf(true, true), unit::UnitModel::Zamo80);
}

TEST(UnitCommandFrames, AllChannelCommandOfEveryTestTypeAndModel)
{
    std::vector<testsupport::AllChannelCommandRow> cases(std::begin(testsupport::kAllChannelCommandsByTestType),
                                                         std::end(testsupport::kAllChannelCommandsByTestType));
    cases.insert(cases.end(), {{"CANCEL", "(X)))", "(X)))", "(X)))"},
                               {"acz", "", "", ""},
                               {"ACZ ", "", "", ""},
                               {"", "", "", ""},
                               {"SGROLL", "", "", ""}});
    for (const auto& c : cases) {
        EXPECT_EQ(unit::UnitCommandFrames::allChannelCommand(c.testType, unit::UnitModel::Base), c.base) << c.testType;
        EXPECT_EQ(unit::UnitCommandFrames::allChannelCommand(c.testType, unit::UnitModel::Zamo80), c.zamo80)
            << c.testType;
        EXPECT_EQ(unit::UnitCommandFrames::allChannelCommand(c.testType, unit::UnitModel::Zamo24), c.zamo24)
            << c.testType;
    }
}

TEST(UnitCommandFrames, AllChannelFrameIsTwentyFourCharactersWithChannelZeroFirst)
{
    std::array<bool, 16> on{};
    on[0] = on[2] = true;
    const QString bits = unit::UnitCommandFrames::channelBitString(on);
    EXPECT_EQ(bits, "1010000000000000");
    const QString frame = unit::UnitCommandFrames::allChannelFrame(
        unit::UnitCommandFrames::allChannelCommand("ACZ", unit::UnitModel::Base), bits);
    EXPECT_EQ(frame, "[A(GA))1010000000000000]");
    EXPECT_EQ(frame.size(), 24);
    EXPECT_EQ(unit::UnitCommandFrames::allChannelFrame(unit::UnitCommandFrames::kAllChannelLEDOff, bits),
              "[A(i0))1010000000000000]");
    // The caller's bit string is copied as given.
    EXPECT_EQ(unit::UnitCommandFrames::allChannelFrame("(X)))", "1x"), "[A(X)))1x]");
}

TEST(UnitCommandFrames, CalibrationBoardSelectorsServeOneToThreeOnly)
{
    for (char letter : {'A', 'D', 'N'}) {
        EXPECT_EQ(unit::UnitCommandFrames::calBoardSelector(letter, 0), "");
        EXPECT_EQ(unit::UnitCommandFrames::calBoardSelector(letter, 4), "");
        EXPECT_EQ(unit::UnitCommandFrames::calBoardSelector(letter, -1), "");
        EXPECT_EQ(unit::UnitCommandFrames::calBoardSelector(letter, 1), QString("(g%1%2)").arg(QChar(letter)).arg(1));
        EXPECT_EQ(unit::UnitCommandFrames::calBoardSelector(letter, 3), QString("(g%1%2)").arg(QChar(letter)).arg(3));
    }
}

TEST(UnitCommandFrames, ValueFramesByModel)
{
    EXPECT_EQ(unit::UnitCommandFrames::setCalibrationReference(unit::UnitModel::Base, 1, 22, 333, 0),
              "(MR00001,0022,0333)");
    EXPECT_EQ(unit::UnitCommandFrames::setCalibrationReference(unit::UnitModel::Zamo80, 1, 22, 333, 0),
              "(Mr00001,0022,0333,0000)");
    EXPECT_EQ(unit::UnitCommandFrames::setCalibrationReference(unit::UnitModel::Zamo24, 1, 22, 333, 4444),
              "(Mr00001,0022,0333,4444)");
    EXPECT_EQ(unit::UnitCommandFrames::setDCOReferenceVoltage(unit::UnitModel::Base, 750), "");
    EXPECT_EQ(unit::UnitCommandFrames::setDCOReferenceVoltage(unit::UnitModel::Zamo24, 750), "(Md00750)");
    EXPECT_EQ(unit::UnitCommandFrames::setPacePulse(unit::UnitModel::Base, 1, 2, 3, 4, 5, 6), "");
    EXPECT_EQ(unit::UnitCommandFrames::setPacePulse(unit::UnitModel::Zamo80, 1, 2, 3, 4, 5, 6),
              "(MP00001,0002,0003,0004)");
    EXPECT_EQ(unit::UnitCommandFrames::setPacePulse(unit::UnitModel::Zamo24, 1, 2, 3, 4, 5, -6),
              "(Mp00001,0002,0003,0004,0005,-0006)");
    EXPECT_EQ(unit::UnitCommandFrames::setCalibrationDate(2024, 3, 7), "(MD02024,03,07)");
    EXPECT_EQ(unit::UnitCommandFrames::setCalibrationDate(99, 12, 31), "(MD099,12,31)");
    EXPECT_EQ(unit::UnitCommandFrames::calBoardSetCalibrationReferenceDCO(12, -70000), "(mR200012,-70000)");
    EXPECT_EQ(unit::UnitCommandFrames::calBoardSetPotentialReference(123456, 0), "(mP0123456,00000)");
    EXPECT_EQ(unit::UnitCommandFrames::calBoardSetCalibrationReferenceResistors1(1000, 2), "(mR01000,0002)");
    EXPECT_EQ(unit::UnitCommandFrames::calBoardSetCalibrationReferenceResistors2(10000, 5), "(mR410000,0005)");
    EXPECT_EQ(unit::UnitCommandFrames::channelLED(true), "(i1)");
    EXPECT_EQ(unit::UnitCommandFrames::channelLED(false), "(i0)");
}

} // namespace
