// Report templates: what is refused when the file is read, and what the
// selection formula accepts.

#include "platform/ReportError.h"
#include "platform/ReportSelection.h"
#include "platform/ReportTemplate.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::ReportError;
using platform::ReportSelection;
using platform::ReportTemplate;

namespace {

TEST(ReportTemplate, FilesThatAreNoTemplateAreRefused)
{
    QTemporaryDir dir;
    const char* broken[] = {
        "",
        "not xml at all",
        "<other/>",
        "<report source=\"tape\"/>",
        "<report><chart/></report>",
        "<report><band/></report>",
        "<report><table letters=\"A-P\"/></report>",
        "<report><table letters=\"P-A\"><column>{@}</column></table></report>",
        "<report><table letters=\"A-P\" query=\"SELECT 1\"><column>{@}</column></table></report>",
        "<report><map name=\"m\"><item/></map></report>",
        "<report><heading>unclosed",
    };
    for (const char* text : broken) {
        QFile f(dir.filePath("t.rpt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        EXPECT_THROW(platform::ReportTemplate::read(f.fileName()), platform::ReportError) << text;
    }
    EXPECT_THROW(platform::ReportTemplate::read(dir.filePath("missing.rpt")), platform::ReportError);
}

TEST(ReportSelection, TakesAFieldAndAWholeNumber)
{
    const platform::ReportSelection s = platform::ReportSelection::parse("{TestGroups.UniqueGroupID} = 40001");
    EXPECT_EQ(s.field, "TestGroups.UniqueGroupID");
    EXPECT_EQ(s.value.toLongLong(), 40001);
    EXPECT_EQ(platform::ReportSelection::parse(" { TestGroups.GroupID }=-7 ").value.toLongLong(), -7);
    for (const char* refused :
         {"", "{TestGroups.UniqueGroupID} = ", "{UniqueGroupID} = 1", "{TestGroups.UniqueGroupID} = 1 OR 1=1",
          "{TestGroups.UniqueGroupID} = 'x'", "{TestGroups.UniqueGroupID} = 99999999999999999999"})
        EXPECT_THROW(platform::ReportSelection::parse(refused), platform::ReportError) << refused;
}

} // namespace
