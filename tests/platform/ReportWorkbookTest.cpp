#include "platform/ReportError.h"
#include "platform/ReportWorkbook.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ReportWorkbook, ACellPastTheLastColumnOfASheetFailsTheWorkbookNamingItAndLeavesTheOldFile)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("report.XLS");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("last week's report");
    }
    platform::ReportBlock table;
    table.kind = platform::ReportBlock::Kind::Table;
    for (int c = 1; c <= 16385; ++c)
        table.header << platform::ReportCell{QString("T%1").arg(c), {}};
    platform::ReportContent content;
    content.blocks << table;

    try {
        platform::ReportWorkbook::write(content, path);
        ADD_FAILURE() << "a column the sheet cannot hold was dropped without a word";
    } catch (const platform::ReportError& e) {
        EXPECT_EQ(e.text(), "Cannot write the workbook " + path
                                + ": row 1, column 16385: Worksheet row or column index out of range.");
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "last week's report");
}

} // namespace
