// The viewer's templates: the choice among the 41 by revision, back end,
// report kind and the diagnostics box; every template filled from a
// database of its own revision (each reads only what its revision has);
// the files written into the viewer's data folder.

#include "ViewerFixture.h"
#include "platform/ReportError.h"
#include "platform/ReportTabText.h"
#include "support/WriteProtection.h"
#include "viewer/ViewerReportSource.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

#include <optional>

using platform::DbBackend;
using ::testing::HasSubstr;
using viewer::ReportKind;
using viewer::ViewerReportTemplates;

namespace {

constexpr viewer::ReportKind Full = viewer::ReportKind::Full;
constexpr viewer::ReportKind Condensed = viewer::ReportKind::Condensed;
constexpr viewer::ReportKind Zamo80 = viewer::ReportKind::Zamo80Condensed;

TEST(ViewerTemplates, TheTemplateFollowsRevisionBackEndKindAndTheDiagnosticsBox)
{
    // For each revision and back end: full with / without the box, condensed
    // with / without, ZAMO80 condensed with / without (0: none).
    const struct {
        int revision;
        bool server;
        int full[2], condensed[2], zamo80[2];
    } rows[] = {
        {4, false, {204, 204}, {204, 204}, {204, 204}},
        {4, true, {204, 204}, {204, 204}, {204, 204}},
        {5, false, {205, 205}, {205, 205}, {205, 205}},
        {6, false, {2061, 2062}, {2061, 2062}, {2061, 2062}},
        {7, true, {2071, 2072}, {2071, 2072}, {2071, 2072}},
        {8, false, {2081, 2082}, {2083, 2083}, {0, 0}},
        {9, false, {2091, 2092}, {2093, 2093}, {2094, 2094}},
        {10, true, {2101, 2102}, {2103, 2103}, {2104, 2104}},
        {11, false, {2111, 2112}, {2113, 2113}, {2114, 2114}},
        {12, true, {2121, 2122}, {2123, 2123}, {2124, 2124}},
        {13, false, {2131, 2132}, {2133, 2133}, {2134, 2134}},
        {14, false, {2131, 2132}, {2133, 2133}, {2134, 2134}},
        {13, true, {2135, 2136}, {2137, 2137}, {2138, 2138}},
        {14, true, {2135, 2136}, {2137, 2137}, {2138, 2138}},
        {15, false, {2151, 2152}, {2153, 2153}, {2154, 2154}},
        {15, true, {2155, 2156}, {2157, 2157}, {2158, 2158}},
        {3, false, {0, 0}, {0, 0}, {0, 0}},
        {16, true, {0, 0}, {0, 0}, {0, 0}},
        {0, false, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const auto& r : rows)
        for (const int box : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "revision " << r.revision << (r.server ? " server" : " file")
                                            << (box == 0 ? " with diagnostics" : " without"));
            const bool diagnostics = box == 0;
            EXPECT_EQ(viewer::ViewerReportTemplates::number(r.revision, r.server, Full, diagnostics).value_or(0),
                      r.full[box]);
            EXPECT_EQ(viewer::ViewerReportTemplates::number(r.revision, r.server, Condensed, diagnostics).value_or(0),
                      r.condensed[box]);
            EXPECT_EQ(viewer::ViewerReportTemplates::number(r.revision, r.server, Zamo80, diagnostics).value_or(0),
                      r.zamo80[box]);
        }

    const QList<int> all = viewer::ViewerReportTemplates::all();
    EXPECT_EQ(all.size(), 41);
    EXPECT_EQ(all.first(), 204);
    EXPECT_EQ(all.last(), 2158);
    for (const int n : all)
        EXPECT_TRUE(QFile::exists(QString(":/RPT/%1").arg(n))) << n;
    // One set of revision-15 templates serves both programs.
    QFile station(":/RPT/201"), viewer(":/RPT/2151");
    ASSERT_TRUE(station.open(QIODevice::ReadOnly));
    ASSERT_TRUE(viewer.open(QIODevice::ReadOnly));
    EXPECT_EQ(viewer.readAll(), station.readAll());
}

// The report of group 1 with each of the revision's templates, filled from
// the revision's database: every template reads only the columns its
// revision has, and shows what that revision keeps.
using EveryTemplate = ViewerCaseTest;

TEST_P(EveryTemplate, FillsFromADatabaseOfItsRevision)
{
    const ViewerCase c = GetParam();
    const OldDatabase old(c.backend, c.revision);
    viewer::ViewerDatabase db;
    old.choose(db);
    viewer::ViewerReportSource source(db);
    for (const viewer::ReportKind kind : {Full, Condensed, Zamo80})
        for (const bool diagnostics : {true, false}) {
            const std::optional<int> number =
                viewer::ViewerReportTemplates::number(c.revision, !old.local(), kind, diagnostics);
            SCOPED_TRACE(testing::Message() << "template " << number.value_or(0));
            viewer::PreparedReport prepared = source.open(1, kind, diagnostics);
            if (!number) {
                EXPECT_TRUE(prepared.noTemplate);
                EXPECT_EQ(prepared.report, nullptr);
                EXPECT_EQ(prepared.failure, "");
                continue;
            }
            ASSERT_NE(prepared.report, nullptr) << prepared.failure.toStdString();
            EXPECT_EQ(prepared.templateError, "");
            const QString text = platform::ReportTabText::text(prepared.report->content());
            EXPECT_THAT(text.toStdString(), HasSubstr("Test Report\n\nTest Group 1\n"));
            EXPECT_THAT(text.toStdString(), HasSubstr("A1\tSA1\t")); // an electrode of the group
            const bool full = kind == Full || c.revision <= 7;
            const bool showsDiagnostics = full && diagnostics && c.revision >= 6;
            EXPECT_EQ(text.contains("Unit Diagnostics\n"), showsDiagnostics);
            EXPECT_EQ(text.contains("\t0.250\t1.500\t"), showsDiagnostics && c.revision >= 8); // a ZAMO80 reading
            EXPECT_EQ(text.contains("Unit 1 Pace Settings"), full && c.revision >= 11);
            // The condensed ZAMO80 report of the current revisions lists each test's readings too.
            EXPECT_EQ(text.contains("Readings: "), full || (kind == Zamo80 && c.revision >= 13));
            // Group 1 ran a DCO and an ACZ test; its condensed ZAMO80 group 2 stands for an SDR and a BIAS test.
            if (kind == Condensed && !full) {
                EXPECT_THAT(text.toStdString(), HasSubstr("\tDCO 1\tACZ 1\n"));
            } else if (kind == Zamo80 && !full) {
                EXPECT_THAT(text.toStdString(), HasSubstr("\tSDR 1\tBIAS 1\n"));
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Viewer, EveryTemplate, ::testing::ValuesIn(everyViewerCase()), viewerCaseName);

TEST(ViewerTemplates, ATemplateOfANewerRevisionCannotReadAnOlderDatabase)
{
    testsupport::TempDataHome home;
    const OldDatabase old(platform::DbBackend::SQLite, 12);
    QString error;
    auto report = platform::Report::open(viewer::ViewerReportTemplates::write(2151, &error));
    ASSERT_EQ(error, "");
    report->setLocation(old.path());
    report->setRecordSelectionFormula("{TestGroups.UniqueGroupID} = 1");
    EXPECT_THROW(report->content(), platform::ReportError);
}

// The templates of a revision-9 file, written into the viewer's data folder.
class ViewerTemplateFiles : public ::testing::Test {
protected:
    QString file(int number) const { return folder + "/" + viewer::ViewerReportTemplates::fileName(number); }
    static QByteArray resource(int number)
    {
        QFile f(QString(":/RPT/%1").arg(number));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void overwrite(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    testsupport::TempDataHome home;
    const QString folder = home.path() + "/ZAMO Report Viewer";
    const OldDatabase old{platform::DbBackend::SQLite, 9};
    viewer::ViewerDatabase db;
    viewer::ViewerReportSource source{db};

    void SetUp() override { old.choose(db); }
};

TEST_F(ViewerTemplateFiles, EachUseWritesItsTemplateAnewIntoTheViewersDataFolder)
{
    ASSERT_NE(source.open(1, Condensed, true).report, nullptr);
    EXPECT_EQ(contents(file(2093)), resource(2093));
    overwrite(file(2093), "<report/>");
    ASSERT_NE(source.open(1, Condensed, true).report, nullptr);
    EXPECT_EQ(contents(file(2093)), resource(2093));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"ElectrodeTestReport_2093.rpt"}));
}

TEST_F(ViewerTemplateFiles, ATemplateThatCannotBeWrittenIsToldAndTheFileStandingThereIsRead)
{
    // A folder in the template's place: neither written nor read.
    ASSERT_TRUE(QDir().mkpath(file(2092)));
    const viewer::PreparedReport none = source.open(1, Full, false);
    EXPECT_EQ(none.report, nullptr);
    EXPECT_THAT(none.templateError.toStdString(),
                HasSubstr("75:Error in BuildFileFromResource.  Error Message: Path/File access error ("));
    EXPECT_NE(none.failure, "");

    // A file that cannot be replaced: the report is made from it as it stands.
    ASSERT_NE(source.open(1, Full, true).report, nullptr);
    QByteArray older = resource(2091);
    older.replace("<heading>Tests</heading>", "<heading>Tests as an older viewer wrote them</heading>");
    overwrite(file(2091), older);
    ZAMO_WRITE_PROTECT(protect, file(2091));
    viewer::PreparedReport prepared = source.open(1, Full, true);
    EXPECT_THAT(prepared.templateError.toStdString(), HasSubstr("Error in BuildFileFromResource"));
    ASSERT_NE(prepared.report, nullptr) << prepared.failure.toStdString();
    EXPECT_TRUE(platform::ReportTabText::text(prepared.report->content()).contains("Tests as an older viewer"));
}

} // namespace
