// Report texts with placeholders: the number format's decimals, and a count
// of decimals that no double could fill, or that is no count at all (below
// 0, not a whole number), refused when the text is read.

#include "platform/ReportError.h"
#include "platform/ReportExpression.h"

#include <gtest/gtest.h>

namespace {

QString filled(const QString& text, const QVariant& value)
{
    platform::ReportRow row{{QStringLiteral("v"), value}};
    platform::ReportScope scope;
    platform::ReportScopeRow inRow(scope, row);
    return platform::ReportExpression(text).evaluate(scope, {}).text;
}

TEST(ReportExpression, NumberFormatShowsTheDecimalsAskedFor)
{
    EXPECT_EQ(filled("{v|number}", 1.23456), "1.23");
    EXPECT_EQ(filled("{v|number:0}", 1.5), "2");
    EXPECT_EQ(filled("{v|number:3} Ohm", 1.23456), "1.235 Ohm");
    EXPECT_EQ(filled("{v|number:20}", 0.5), "0.50000000000000000000");
}

TEST(ReportExpression, DecimalsOutsideZeroToTheBoundAreRefusedWhenRead)
{
    for (const char* text :
         {"{v|number:21}", "{v|number:100000000}", "{v|number:2147483647}", "x {v|number:999}", "{v|number:-7}",
          "{v|number:-1}", "{v|number:-2147483648}", "{v|number:99999999999}", "{v|number:2.5}", "{v|number:two}"})
        EXPECT_THROW(platform::ReportExpression{QString::fromLatin1(text)}, platform::ReportError) << text;
}

} // namespace
