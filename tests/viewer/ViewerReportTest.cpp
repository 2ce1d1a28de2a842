// The viewer's reports of old-revision databases, shown and exported: the
// full report of a revision-5 file (a group chosen by its GroupID) and the
// condensed report of a revision-9 file (by its UniqueGroupID, above the
// 16-bit range), compared as text; the export's file names and message; a
// revision without templates; an export that fails.

#include "ViewerFixture.h"
#include "platform/ReportTabText.h"
#include "viewer/ViewerReportSource.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

using platform::DbBackend;
using ::testing::HasSubstr;
using testsupport::OldRevisionSeed;
using viewer::ReportKind;
using viewer::ViewerReportSource;

namespace {

// Before revision 12 a reading column defaulted to 0: the electrodes that a
// test did not read show 0.
const char* const kRevision5FullReport = "Test Report\n"
                                         "\n"
                                         "Test Group 2\n"
                                         "Lot Number\tLOT-2\n"
                                         "Started\t2015-06-01 08:30:15\n"
                                         "Completed\t2015-06-01 09:45:00\n"
                                         "Run\tCompleted\n"
                                         "Unit Model\tZAMO\n"
                                         "Limits\tDCO<2\n"
                                         "Notes\tnotes 2\n"
                                         "\n"
                                         "Electrodes\n"
                                         "\n"
                                         "Unit 1\n"
                                         "Electrode\tSerial Number\tFirmware\tCalibration Date\tLot Number\n"
                                         "A1\tSA2\t\t2015-01-10 00:00:00\t\n"
                                         "P1\t\t\t\tL-P2\n"
                                         "\n"
                                         "Tests\n"
                                         "\n"
                                         "ACZ, Unit 1, Iteration 1, started 2015-06-01 08:30:15\n"
                                         "Readings: Impedance (Ohms)\n"
                                         "Electrode\t60\t90\tVerdict\n"
                                         "A1\t1.500\t2.000\tPassed\n"
                                         "B1\t0.000\t0.000\t\n"
                                         "C1\t0.000\t0.000\t\n"
                                         "D1\t0.000\t0.000\t\n"
                                         "E1\t0.000\t0.000\t\n"
                                         "F1\t0.000\t0.000\t\n"
                                         "G1\t0.000\t0.000\t\n"
                                         "H1\t0.000\t0.000\t\n"
                                         "I1\t0.000\t0.000\t\n"
                                         "J1\t0.000\t0.000\t\n"
                                         "K1\t0.000\t0.000\t\n"
                                         "L1\t0.000\t0.000\t\n"
                                         "M1\t0.000\t0.000\t\n"
                                         "N1\t0.000\t0.000\t\n"
                                         "O1\t0.000\t0.000\t\n"
                                         "P1\t-4.500\t-6.000\tMarginal Pass\n";

const char* const kRevision9CondensedReport = "Test Report\n"
                                              "\n"
                                              "Test Group 40000\n"
                                              "Lot Number\tLOT-3\n"
                                              "Started\t2015-06-01 08:30:15\n"
                                              "Completed\t2015-06-01 09:45:00\n"
                                              "Run\tCompleted\n"
                                              "Unit Model\tZAMO\n"
                                              "Software Version\t\n"
                                              "Notes\tnotes 3\n"
                                              "\n"
                                              "Unit 1\n"
                                              "Electrode\tSerial Number\tLot Number\tNOISE 1\tDCO 1\n"
                                              "A1\tSA3\t\tPassed\tPassed\n"
                                              "P1\t\tL-P3\tMarginal Pass\tMarginal Pass\n";

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class ViewerReport : public ::testing::Test {
protected:
    // The database chosen in the viewer.
    void choose(const OldDatabase& old) { old.choose(db); }
    QString text(qint32 group, viewer::ReportKind kind, bool diagnostics = true)
    {
        viewer::PreparedReport prepared = source.open(group, kind, diagnostics);
        if (!prepared.report) {
            ADD_FAILURE() << "no report: " << prepared.failure.toStdString();
            return {};
        }
        return platform::ReportTabText::text(prepared.report->content());
    }

    testsupport::TempDataHome home;
    QTemporaryDir exports;
    viewer::ViewerDatabase db;
    viewer::ViewerReportSource source{db};
};

TEST_F(ViewerReport, TheFullReportOfARevision5FileShowsTheGroupChosenByItsGroupId)
{
    const OldDatabase old(platform::DbBackend::SQLite, 5, OldRevisionSeed{2, 1, 2});
    choose(old);
    EXPECT_EQ(text(2, viewer::ReportKind::Full), QString::fromUtf8(kRevision5FullReport));
    // Condensed asked for: a revision before 8 has only the full report.
    EXPECT_EQ(text(2, viewer::ReportKind::Condensed), QString::fromUtf8(kRevision5FullReport));

    const viewer::ReportExport exported = source.exportFullReport(2, "TAB", exports.filePath("group2.txt"), true);
    ASSERT_TRUE(exported.done) << exported.failure.toStdString();
    EXPECT_EQ(exported.path, exports.filePath("group2.txt.TAB"));
    EXPECT_EQ(readText(exported.path), QString::fromUtf8(kRevision5FullReport));
}

TEST_F(ViewerReport, TheCondensedReportOfARevision9FileShowsTheGroupChosenByItsUniqueGroupId)
{
    const OldDatabase old(platform::DbBackend::SQLite, 9);
    old.connect()->execute("UPDATE TestGroups SET UniqueGroupID = 40000 WHERE GroupID = 3");
    choose(old);
    EXPECT_EQ(text(40000, viewer::ReportKind::Condensed), QString::fromUtf8(kRevision9CondensedReport));
    EXPECT_THAT(text(40000, viewer::ReportKind::Full).toStdString(), HasSubstr("Test Group 40000\n"));
    // GroupID 3 names no group once its UniqueGroupID is another number.
    EXPECT_EQ(source.open(3, viewer::ReportKind::Full, true).report, nullptr);
}

TEST_F(ViewerReport, AnExportGetsItsFormatsExtensionWhereItsNameLacksItAndSaysWhereItWent)
{
    const OldDatabase old(platform::DbBackend::SQLite, 15);
    old.connect()->execute("UPDATE TestGroups SET UniqueGroupID = 40000 WHERE GroupID = 1");
    choose(old);
    const struct {
        const char* format;
        const char* name;
        const char* written;
    } cases[] = {
        {"PDF", "report", "report.PDF"},     {"PDF", "report.pdf", "report.pdf"},
        {"PDF", "report.Pdf", "report.Pdf"}, {"XLS", "report", "report.XLS"},
        {"XLS", "report.xls", "report.xls"}, {"XLS", "report.xlsx", "report.xlsx.XLS"},
        {"TAB", "report.tab", "report.tab"}, {"TAB", "report.txt", "report.txt.TAB"},
        {"TAB", "report.", "report..TAB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " to " << c.name);
        EXPECT_EQ(viewer::ViewerReportSource::exportPath(c.name, c.format), c.written);
        const viewer::ReportExport exported = source.exportFullReport(40000, c.format, exports.filePath(c.name), true);
        ASSERT_TRUE(exported.done) << exported.failure.toStdString();
        EXPECT_EQ(exported.path, exports.filePath(c.written));
        EXPECT_EQ(exported.message, "Report exported to " + exports.filePath(c.written));
        EXPECT_TRUE(QFile::exists(exported.path));
    }
    EXPECT_THAT(readText(exports.filePath("report.tab")).toStdString(), HasSubstr("Test Group 40000\n"));
    EXPECT_EQ(viewer::ViewerReportSource::ExportTitle, "Report Export");

    // No name, or a format of no export: nothing happens.
    const int files = QDir(exports.path()).entryList(QDir::Files).size();
    for (const auto& [format, name] : {std::pair{"TAB", QString()}, std::pair{"CSV", exports.filePath("report")},
                                       std::pair{"tab", exports.filePath("report")}}) {
        const viewer::ReportExport nothing = source.exportFullReport(40000, format, name, true);
        EXPECT_FALSE(nothing.done);
        EXPECT_EQ(nothing.message, "");
        EXPECT_EQ(nothing.failure, "");
    }
    EXPECT_EQ(QDir(exports.path()).entryList(QDir::Files).size(), files);
}

TEST_F(ViewerReport, AFailedExportSaysWhyAndGivesNoSuccessMessage)
{
    const OldDatabase old(platform::DbBackend::SQLite, 12);
    choose(old);
    const QString path = exports.filePath("no such folder/report");
    const viewer::ReportExport failed = source.exportFullReport(1, "PDF", path, false);
    EXPECT_FALSE(failed.done);
    EXPECT_EQ(failed.message, "");
    EXPECT_NE(failed.failure, "");
    EXPECT_FALSE(QFile::exists(path + ".PDF"));

    const viewer::ReportExport noGroup = source.exportFullReport(99, "PDF", exports.filePath("none"), false);
    EXPECT_FALSE(noGroup.done);
    EXPECT_THAT(noGroup.failure.toStdString(), HasSubstr("No records"));
}

TEST_F(ViewerReport, ARevisionWithoutTemplatesShowsAndExportsNothingWithoutAMessage)
{
    const OldDatabase old(platform::DbBackend::SQLite, 15);
    old.connect()->execute("UPDATE Version SET DBRevNumber = 16 WHERE ID = 1");
    choose(old);
    const viewer::PreparedReport prepared = source.open(1, viewer::ReportKind::Full, true);
    EXPECT_TRUE(prepared.noTemplate);
    EXPECT_EQ(prepared.report, nullptr);
    EXPECT_EQ(prepared.failure, "");
    const viewer::ReportExport exported = source.exportFullReport(1, "PDF", exports.filePath("report"), true);
    EXPECT_FALSE(exported.done);
    EXPECT_EQ(exported.failure, "");
    EXPECT_FALSE(QFile::exists(exports.filePath("report.PDF")));
    EXPECT_FALSE(QFile::exists(home.path() + "/ZAMO Report Viewer/ElectrodeTestReport_2151.rpt"));

    // Revision 8 has no condensed ZAMO80 report.
    const OldDatabase rev8(platform::DbBackend::SQLite, 8);
    choose(rev8);
    EXPECT_TRUE(source.open(1, viewer::ReportKind::Zamo80Condensed, true).noTemplate);
}

} // namespace
