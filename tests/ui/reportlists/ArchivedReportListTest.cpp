// The list of an archive file: opened from the archive grid, refused for
// another revision or a revision number no station wrote, read from the file
// alone (never written), paged by the archive's own groups, Show All only in
// service mode, its reports opened and exported from the file, and refused
// when its list is a query that never ends.

#include "ReportListFixture.h"
#include "platform/CommandLine.h"
#include "support/EndlessTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using testsupport::GroupModel;
using testsupport::GroupState;
using testsupport::idRange;

namespace {

using ArchivedReportList = ReportListWindowTest;

QByteArray fingerprint(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

TEST_P(ArchivedReportList, OpensFromTheArchiveGridAndReadsOnlyTheFile)
{
    QList<testsupport::ListedGroup> groups = testsupport::finishedGroups(101, 1600);
    groups << testsupport::ListedGroup{1601, GroupState::Open}
           << testsupport::ListedGroup{1602, GroupState::Finished, GroupModel::Zamo80, QString("L"), 77};
    const QString archive = writeArchive("ZAMO_Results-20260301-080000.mdb", groups);
    ASSERT_FALSE(archive.isEmpty());
    db->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                "('101-1602', 101, 1602, 'ZAMO_Results-20260301-080000.mdb', '2026-03-01 08:00:00')");
    testsupport::addListedGroups(*db, testsupport::finishedGroups(1603, 1605));
    const QByteArray before = fingerprint(archive);

    host->mode = run::ConnectedUnitsMode::Zamo80;
    auto live = liveWindow();
    live->load();
    ASSERT_EQ(live->archiveGrid()->rowCount(), 1);
    emit live->archiveGrid()->cellDoubleClicked(0, 2);
    ASSERT_EQ(host->shown.size(), 1u);
    auto* window = qobject_cast<ui::ReportListWindow*>(host->shown[0].get());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Archived Reports");
    EXPECT_EQ(window->archivePath(), archive);
    EXPECT_EQ(window->reportType(), "ZAMO80") << "the type of the list it was opened from";
    EXPECT_FALSE(window->sortByList()->isVisibleTo(window));
    EXPECT_FALSE(window->showAllBox()->isVisibleTo(window)) << "no service switch";
    EXPECT_FALSE(window->archiveNowButton()->isVisibleTo(window));
    EXPECT_EQ(gridIds(*window), QList<qint32>({1602}));

    choose(window->reportTypeList(), "ALL");
    EXPECT_EQ(pageEntries(*window), QStringList({"1", "2"})) << "the archive's own 1501 finished groups";
    EXPECT_EQ(gridIds(*window), idRange(101, 1100));
    choose(window->pagesList(), "2");
    EXPECT_EQ(gridIds(*window).first(), 602);
    EXPECT_EQ(gridIds(*window).last(), 1602);
    window->descendingOption()->click();
    EXPECT_EQ(gridIds(*window).first(), 1602);

    // Reports come from the file.
    selectRow(*window, 0);
    emit window->reportGrid()->cellDoubleClicked(0, 1);
    window->viewButton()->click();
    EXPECT_THAT(host->recorded.opened,
                ElementsAre(OpenedReport{1602, false, archive, false}, OpenedReport{1602, true, archive, true}));
    prompts->fileAnswers.push_back(home.path() + "/archived.pdf");
    window->exportButton()->click();
    ASSERT_EQ(host->recorded.exported.size(), 1);
    EXPECT_EQ(host->recorded.exported[0].databasePath, archive);
    EXPECT_EQ(host->recorded.exported[0].file, home.path() + "/archived.pdf");

    // The archive's own archive list, and a window from it.
    ASSERT_EQ(window->archiveGrid()->rowCount(), 1);
    EXPECT_EQ(window->archiveGrid()->text(0, 1), "1-90");
    EXPECT_EQ(fingerprint(archive), before);
    EXPECT_EQ(live->reportType(), "ZAMO80");
}

TEST_P(ArchivedReportList, AListOpenedFromAnArchivesListTakesTheTypeOfTheLiveList)
{
    // The archive lists the one made before it, which is an archive file too.
    ASSERT_FALSE(writeArchive("ZAMO_Results-20260201-080000.mdb", {{1}}).isEmpty());
    ASSERT_FALSE(writeArchive("ZAMO_Results-20260301-080000.mdb", {{2}}).isEmpty());
    db->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                "('2-2', 2, 2, 'ZAMO_Results-20260301-080000.mdb', '2026-03-01 08:00:00')");
    host->mode = run::ConnectedUnitsMode::Zamo80;
    auto live = liveWindow();
    live->load();
    live->openArchive(0);
    ASSERT_EQ(host->shown.size(), 1u);
    auto* archive = qobject_cast<ui::ReportListWindow*>(host->shown[0].get());
    choose(archive->reportTypeList(), "ZAMO");

    const struct {
        const char* live;
        const char* opened;
    } cases[] = {{"ZAMO80", "ZAMO80"}, {"ALL", "ALL"}, {"ZAMO2-4", "ALL"}};
    for (const auto& c : cases) {
        choose(live->reportTypeList(), c.live);
        const std::size_t before = host->shown.size();
        archive->openArchive(0);
        ASSERT_EQ(host->shown.size(), before + 1) << c.live;
        auto* opened = qobject_cast<ui::ReportListWindow*>(host->shown.back().get());
        EXPECT_EQ(opened->archivePath(), settings.paths.archiveFolder + "ZAMO_Results-20260201-080000.mdb");
        EXPECT_EQ(opened->reportType(), c.opened) << "live list " << c.live;
    }
    EXPECT_EQ(archive->reportType(), "ZAMO");

    // Without the live list the archive's list passes on its own type.
    live.reset();
    archive->openArchive(0);
    EXPECT_EQ(qobject_cast<ui::ReportListWindow*>(host->shown.back().get())->reportType(), "ZAMO");
}

TEST_P(ArchivedReportList, ShowAllInServiceModeOnly)
{
    const QString archive =
        writeArchive("ZAMO_Results-20260301-080000.mdb", {{1}, {2, GroupState::Open}, {3, GroupState::Cancelled}});
    const struct {
        const char* commandLine;
        bool offered;
    } cases[] = {{"/rida1", true}, {"/RIDA", true}, {"/vadov", true}, {"", false}, {"/rid", false}};
    for (const auto& c : cases) {
        platform::CommandLine::replaceText(c.commandLine);
        ui::ReportListWindow window(*host, archive);
        ASSERT_TRUE(window.load());
        EXPECT_EQ(window.showAllBox()->isVisibleTo(&window), c.offered) << c.commandLine;
        EXPECT_EQ(gridIds(window), QList<qint32>({1}));
        if (c.offered) {
            window.showAllBox()->click();
            EXPECT_EQ(gridIds(window), QList<qint32>({1, 2, 3})) << c.commandLine;
        }
    }
}

TEST_P(ArchivedReportList, AFileOfAnotherRevisionOrNoneIsRefused)
{
    const QString rev14 = writeArchive("ZAMO_Results-20260301-080000.mdb", {{1}}, 14);
    const QString missing = settings.paths.archiveFolder + "ZAMO_Results-20250101-080000.mdb";
    // 2^32 + 15: no station wrote it, and it is not revision 15.
    const QString beyond = writeArchive("ZAMO_Results-20260401-080000.mdb", {{1}});
    platform::DbConnection file;
    file.openFile(beyond, false);
    file.execute("UPDATE Version SET DBRevNumber = 4294967311");
    file.close();
    const struct {
        QString path;
        int revision;
    } cases[] = {{rev14, 14}, {missing, 0}, {beyond, 0}};
    for (const auto& c : cases) {
        ui::ReportListWindow window(*host, c.path);
        EXPECT_FALSE(window.load());
        EXPECT_EQ(prompts->messages().last(),
                  QString("This database revision (version %1) is not supported by this application.  Please use "
                          "the ZAMO Report Viewer to view the data.")
                      .arg(c.revision));
        EXPECT_EQ(prompts->shown.last().title, "KIVO_ZAMO");
    }
    EXPECT_FALSE(QFile::exists(missing));

    // From the archive grid: the message, and no window.
    db->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                "('1-1', 1, 1, 'ZAMO_Results-20260301-080000.mdb', '2026-03-01 08:00:00')");
    auto live = liveWindow();
    live->load();
    live->openArchive(0);
    EXPECT_TRUE(host->shown.empty());
    EXPECT_EQ(prompts->messages().size(), 4);
}

// An archive whose groups are a query that never ends: the statement is
// stopped at the time limit of a file from outside, the archive refused with
// a message and no window, and nothing more read from it; the live list
// goes on as it was.
TEST_P(ArchivedReportList, AnArchiveWhoseListNeverEndsIsRefusedAtTheTimeLimit)
{
    const QString archive = writeArchive("ZAMO_Results-20260301-080000.mdb", {{1}, {2}});
    {
        platform::DbConnection file;
        file.openFile(archive, false);
        testsupport::makeTableEndless(file, "TestGroups");
    }
    db->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                "('1-2', 1, 2, 'ZAMO_Results-20260301-080000.mdb', '2026-03-01 08:00:00')");
    testsupport::addListedGroups(*db, testsupport::finishedGroups(3, 4));
    auto live = liveWindow();
    live->load();

    QElapsedTimer took;
    took.start();
    live->openArchive(0);
    EXPECT_LT(took.elapsed(), 2 * platform::DbConnection::OutsideFileTimeLimitMilliseconds)
        << "one statement stopped, and no more read";
    EXPECT_TRUE(host->shown.empty());
    EXPECT_EQ(prompts->messages(), QStringList({"The archive " + archive
                                                + " cannot be read: the query ran longer than 5 s and was stopped."}));
    EXPECT_EQ(prompts->shown.last().title, "KIVO_ZAMO");

    live->loadReportList(1);
    EXPECT_EQ(gridIds(*live), QList<qint32>({3, 4}));
    EXPECT_EQ(live->archiveGrid()->rowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Local, ArchivedReportList, ::testing::Values(platform::DbBackend::SQLite), backendName);

} // namespace
