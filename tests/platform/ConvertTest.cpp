#include "platform/Convert.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

using platform::Convert;

namespace {

TEST(ConvertTest, WholeNumbersRoundHalvesToEvenAndCheckRange)
{
    struct Case {
        const char* text;
        std::optional<qint16> i16;
        std::optional<qint32> i32;
    };
    const Case cases[] = {
        {"150", 150, 150},
        {" 150 ", 150, 150},
        {"2.5", 2, 2},
        {"3.5", 4, 4},
        {"-2.5", -2, -2},
        {"1E3", 1000, 1000},
        {"+7", 7, 7},
        {"32767", 32767, 32767},
        {"32767.5", std::nullopt, 32768},
        {"-32768", -32768, -32768},
        {"-32769", std::nullopt, -32769},
        {"40000", std::nullopt, 40000},
        {"2147483647", std::nullopt, 2147483647},
        {"2147483648", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"1,000", std::nullopt, std::nullopt},
        {"12abc", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"--1", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::Convert::toInt16(c.text), c.i16) << c.text;
        EXPECT_EQ(platform::Convert::toInt32(c.text), c.i32) << c.text;
    }
}

TEST(ConvertTest, DecimalPointIsAPointWhateverTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(platform::Convert::toDouble("0.92"), 0.92);
    EXPECT_EQ(platform::Convert::toDouble(".5"), 0.5);
    EXPECT_EQ(platform::Convert::toDouble("0,92"), std::nullopt);
    EXPECT_EQ(platform::Convert::fromDouble(0.92), "0.92");
    QLocale::setDefault(previous);
}

TEST(ConvertTest, OnOffTakesNumbersAndTheWordsTrueAndFalse)
{
    struct Case {
        const char* text;
        std::optional<bool> value;
    };
    const Case cases[] = {{"0", false},   {"1", true},      {"-1", true},          {"2.5", true},
                          {"True", true}, {"false", false}, {"yes", std::nullopt}, {"", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::Convert::toBool(c.text), c.value) << c.text;
}

TEST(ConvertTest, GeneralDecimalText)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{100, "100"},
                          {3000, "3000"},
                          {0.5, "0.5"},
                          {1, "1"},
                          {-2.25, "-2.25"},
                          {0.1 + 0.2, "0.3"},
                          {123456789012345, "123456789012345"},
                          {0.00001, "1E-05"},
                          {-0.0, "0"}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::Convert::fromDouble(c.value), QString(c.text)) << c.text;
}

// Text that is stored and read back later (limits) must give the value
// again; where the general text already does, it is kept as it is.
TEST(ConvertTest, ExactTextReadsBackAsTheSameValue)
{
    struct Case {
        double value;
        const char* text;
    };
    const double largest = std::numeric_limits<double>::max();
    const Case cases[] = {{100, "100"},
                          {0.5, "0.5"},
                          {2.75, "2.75"},
                          {0.00001, "1E-05"},
                          {-0.0, "0"},
                          {largest, "1.7976931348623157E+308"},
                          {-largest, "-1.7976931348623157E+308"},
                          {0.1 + 0.2, "0.30000000000000004"},
                          {1234567890123456789.0, "1.2345678901234568E+18"},
                          {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}};
    for (const Case& c : cases) {
        const QString text = platform::Convert::fromDoubleExact(c.value);
        EXPECT_EQ(text, QString(c.text)) << c.text;
        EXPECT_EQ(platform::Convert::toDouble(text), c.value) << c.text;
    }
}

TEST(ConvertTest, IsNumberNotAbove)
{
    struct Case {
        const char* text;
        qint32 maximum;
        bool expected;
    };
    const Case cases[] = {{"600", 600, true},    {"-3", 600, true},          {"601", 600, false},
                          {"", 600, false},      {"abc", 600, false},        {"600.5", 600, true},
                          {"601.5", 600, false}, {"99999999999", 600, false}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::Convert::isNumberNotAbove(c.text, c.maximum), c.expected) << c.text;
}

} // namespace
