#include "results/SanitizeText.h"

#include <gtest/gtest.h>

namespace {

struct SanitizeCase {
    const char16_t* text;
    int maxLength;
    const char16_t* expected;
};

class SanitizeTextTable : public ::testing::TestWithParam<SanitizeCase> {};

TEST_P(SanitizeTextTable, GivesPrintableTrimmedCappedText)
{
    const SanitizeCase& c = GetParam();
    EXPECT_EQ(results::sanitizeText(QString::fromUtf16(c.text), c.maxLength), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SanitizeTextTable,
    ::testing::Values(SanitizeCase{u"  Lot 42\t", 0, u"Lot 42"}, SanitizeCase{u"Lot\r\nA", 0, u"Lot  A"},
                      SanitizeCase{u"ABCDEFGHIJ", 8, u"ABCD..."}, SanitizeCase{u"ABCDEFGHIJ", 5, u"ABCDE"},
                      SanitizeCase{u"ABCDEFGHIJ", 10, u"ABCDEFGHIJ"}, SanitizeCase{u"ABCDEFGHIJ", 11, u"ABCDEFGHIJ"},
                      SanitizeCase{u"ABCDEFGHIJ", -1, u"ABCDEFGHIJ"}, SanitizeCase{u"\r\n\t\x01\x7f", 0, u""},
                      SanitizeCase{u"", 8, u""}, SanitizeCase{u"Caf\u00e9 1", 0, u"Caf  1"},
                      SanitizeCase{u"x\U0001F600y", 0, u"x y"},
                      SanitizeCase{u"'; DROP TABLE TestGroups; --", 0, u"'; DROP TABLE TestGroups; --"}));

TEST(sanitizeText, CapsAFiveThousandCharacterLotTo4996AndDots)
{
    const QString lot(6000, QChar(u'L'));
    const QString stored = results::sanitizeText(lot, 5000);
    EXPECT_EQ(stored.size(), 4999);
    EXPECT_EQ(stored, QString(4996, QChar(u'L')) + QStringLiteral("..."));
}

} // namespace
