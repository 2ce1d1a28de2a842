// Fixed-width decimal fields at 1-based positions.
#include "unit/ReplyFields.h"

#include <gmock/gmock.h>

namespace {

using namespace unit::ReplyFields;

TEST(ReplyFields, TextAtOneBasedPositionsShortAtTheEnd)
{
    const QString inner = "GA2130,3593";
    EXPECT_EQ(unit::ReplyFields::text(inner, 3, 4), u"2130");
    EXPECT_EQ(unit::ReplyFields::text(inner, 8, 4), u"3593");
    EXPECT_EQ(unit::ReplyFields::text(inner, 10, 4), u"93");
    EXPECT_EQ(unit::ReplyFields::text(inner, 20, 4), u"");
    EXPECT_EQ(unit::ReplyFields::rest(inner, 8), u"3593");
    EXPECT_EQ(unit::ReplyFields::charAt(inner, 2), u'A');
    EXPECT_EQ(unit::ReplyFields::charAt(inner, 12), QChar(0));
}

TEST(ReplyFields, Conversions)
{
    struct Row {
        const char16_t* text;
        std::optional<std::int16_t> integer;
        std::optional<std::int32_t> wide;
    };
    const Row rows[] = {
        {u"0000", 0, 0},
        {u"2130", 2130, 2130},
        {u"-999", -999, -999},
        {u" 12 ", 12, 12},
        {u"+7", 7, 7},
        {u"2.5", 2, 2},
        {u"3.5", 4, 4},
        {u"-2.51", -3, -3},
        {u"99999", std::nullopt, 99999},
        {u"32767", 32767, 32767},
        {u"-32768", -32768, -32768},
        {u"32768", std::nullopt, 32768},
        {u"", std::nullopt, std::nullopt},
        {u"12a4", std::nullopt, std::nullopt},
        {u"-", std::nullopt, std::nullopt},
        {u".", std::nullopt, std::nullopt},
        {u"1,2", std::nullopt, std::nullopt},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(unit::ReplyFields::toInteger(QStringView(r.text)), r.integer)
            << QString::fromUtf16(r.text).toStdString();
        EXPECT_EQ(unit::ReplyFields::toLong(QStringView(r.text)), r.wide) << QString::fromUtf16(r.text).toStdString();
    }
    EXPECT_EQ(unit::ReplyFields::toLong(u"9999999999"), std::nullopt);
}

TEST(ReplyFields, firmwareText)
{
    EXPECT_EQ(unit::ReplyFields::firmwareText(u"01010"), "010.10");
    EXPECT_EQ(unit::ReplyFields::firmwareText(u"0101"), "010.1");
}

} // namespace
