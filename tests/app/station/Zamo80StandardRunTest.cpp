// The standard ZAMO80 list on a simulated two-channel ZAMO80, through the
// whole station: the open-circuit pre-check, the run list electrode by
// electrode, the pace steps beside it, and the condensed report group.
#include "support/PdfText.h"
#include "support/StationHarness.h"
#include "ui/reports/TestReportWindow.h"

#include <QFile>
#include <QPushButton>

#include <gmock/gmock.h>

namespace {

// The rows of a query, columns joined by "|".
QStringList rows(platform::DbConnection& db, const QString& sql)
{
    QStringList lines;
    for (platform::DbRecordset r = db.execute(sql); !r.eof(); r.moveNext()) {
        QStringList values;
        for (int i = 0; i < r.fieldCount(); ++i)
            values << r.value(i).toString();
        lines << values.join('|');
    }
    return lines;
}

TEST(Zamo80StandardRun, RunsThePreCheckTheElectrodesAndTheirPaceAndLeavesACondensedGroup)
{
    testsupport::StationHarness station;
    station.setSetting("PACE", "PaceDuration", "2");
    ASSERT_TRUE(station.start());
    station.connectSimulatedUnit(1, 2, true);
    ui::TestWindow& form = station.testWindow();
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000));
    testsupport::StationHarness::startNextRunWithLot("Lot 80");
    form.testListPanel().standardSequenceButton()->click();
    ASSERT_TRUE(form.testRunning()) << station.windows().commBuffer().right(2000).toStdString();
    ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 60 * 60 * 1000, 250));

    const QStringList lines = station.windows().commBuffer().split("\r\n");
    ASSERT_TRUE(lines.contains("* Tests Completed")) << station.windows().commBuffer().right(4000).toStdString();
    EXPECT_EQ(lines.filter("* Open Circuit test on Electrodes A1-P1 started at").size(), 1);
    EXPECT_TRUE(station.prompts().messages().filter("Open Circuit").isEmpty());
    // The pace of A1 and B1 beside the list, a minute apart (two minutes, four at a time).
    EXPECT_EQ(lines.filter("* PACE1 test on Electrodes A1 started at").size(), 1);
    EXPECT_EQ(lines.filter("* PACE1 test on Electrodes B1 started at").size(), 1);
    EXPECT_THAT(lines.filter("PACE completed for "),
                ::testing::UnorderedElementsAre("PACE completed for A1: 2m 0s ", "PACE completed for B1: 2m 0s "));
    EXPECT_EQ(lines.filter("* ACZ30 test on Electrodes B1 started at").size(), 1);
    EXPECT_TRUE(lines.contains("Consolidated Test Report Complete"));
    EXPECT_TRUE(station.logText().contains("Generating Condensed ZAMO80 Report"));

    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    // The run's group and its condensed group, linked both ways.
    EXPECT_EQ(rows(db, "SELECT s.UniqueGroupID, s.Completed, c.UniqueGroupID, c.Zamo80, c.DateExecuted IS NULL "
                       "FROM TestGroups s JOIN TestGroups c ON c.GroupID = s.Zamo80CondensedID "
                       "AND c.Zamo80CondensedID = s.UniqueGroupID WHERE s.DateExecuted IS NOT NULL"),
              QStringList{"1|true|2|true|1"});
    // One condensed test per step of the list (the pre-check first, the average ACLG last), each
    // with a verdict for both electrodes.
    EXPECT_EQ(rows(db,
                   "SELECT t.Zamo80ParentTestID, y.TypeName, u.Itteration, r.A_Result <> '', r.B_Result <> '' "
                   "FROM Tests t JOIN TestTypes y ON y.TypeID = t.TestTypeID JOIN TestUnit u ON u.TestID = t.TestID "
                   "JOIN TestResults r ON r.TestUnitID = u.TestUnitID JOIN TestGroups g ON g.GroupID = t.GroupID "
                   "WHERE g.UniqueGroupID = 2 ORDER BY t.Zamo80ParentTestID, u.Itteration"),
              (QStringList{"1|ACZ|1|1|1", "2|PACE1|1|1|1", "3|ACLG|1|1|1", "3|ACLG|2|1|1", "4|DEFR|1|1|1",
                           "5|NOISE|1|1|1", "6|ACZ|1|1|1", "7|ACZ30|1|1|1", "8|DCO|1|1|1", "9|AVG_ACLG|1|1|1"}));

    // The condensed report shows a verdict of each electrode in each step, and every reading of the condensed
    // group, in the window's text and in the PDF.
    const QStringList readings =
        rows(db, "SELECT m.A_Value, m.B_Value FROM TestMeasurements m JOIN TestUnit u ON u.TestUnitID = m.TestUnitID "
                 "JOIN Tests t ON t.TestID = u.TestID JOIN TestGroups g ON g.GroupID = t.GroupID "
                 "WHERE g.UniqueGroupID = 2");
    ASSERT_FALSE(readings.isEmpty());
    ui::TestReportWindow report(station.stationSettings());
    report.setDatabasePath(station.stationSettings().paths.databaseFile);
    const QString text = station.dataFolder() + "/condensed.txt";
    ASSERT_TRUE(report.exportReport(1, text, "TAB", true, true));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(content.contains("DEFR 1")) << content.toStdString();
    EXPECT_TRUE(content.contains("A1\t")) << content.toStdString();
    EXPECT_TRUE(content.contains("B1\t")) << content.toStdString();
    EXPECT_TRUE(content.contains("Readings: ")) << content.toStdString();
    for (const QString& row : readings) {
        for (const QString& value : row.split('|')) {
            if (!value.isEmpty()) {
                EXPECT_TRUE(content.contains(QString::number(value.toDouble(), 'f', 3))) << value.toStdString();
            }
        }
    }
    const QString pdf = station.dataFolder() + "/condensed.pdf";
    ASSERT_TRUE(report.exportReport(1, pdf, "PDF", true, true));
    const QString printed = testsupport::pdfText(pdf);
    EXPECT_TRUE(printed.contains("Readings")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("DEFR 1")) << printed.toStdString();
}

// The wall clock set an hour forward or back 20 s into the pace (a
// time-sync correction, a clock set by hand): each pace still lasts its two
// minutes and is stored as it ran, and the run completes.
TEST(Zamo80StandardRun, APaceLastsItsOwnTimeWhenTheWallClockIsSet)
{
    for (const qint64 jump : {3600, -3600}) {
        SCOPED_TRACE(jump);
        testsupport::StationHarness station;
        station.setSetting("PACE", "PaceDuration", "2");
        ASSERT_TRUE(station.start());
        station.connectSimulatedUnit(1, 2, true);
        ui::TestWindow& form = station.testWindow();
        ASSERT_TRUE(
            station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000));
        testsupport::StationHarness::startNextRunWithLot("Lot 80");
        form.testListPanel().standardSequenceButton()->click();
        ASSERT_TRUE(station.runUntil(
            [&] { return station.windows().commBuffer().contains("* PACE1 test on Electrodes A1 started at"); },
            10 * 60 * 1000, 250));
        station.advance(20000);
        platform::Clock::setNow(platform::Clock::now().addSecs(jump));
        ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 60 * 60 * 1000, 250));

        const QStringList lines = station.windows().commBuffer().split("\r\n");
        EXPECT_TRUE(lines.contains("* Tests Completed")) << station.windows().commBuffer().right(4000).toStdString();
        EXPECT_THAT(lines.filter("PACE completed for "),
                    ::testing::UnorderedElementsAre("PACE completed for A1: 2m 0s ", "PACE completed for B1: 2m 0s "));
        EXPECT_TRUE(lines.filter("TEST EXCEEDED MAX EXPECTED DURATION").isEmpty());
    }
}

} // namespace
