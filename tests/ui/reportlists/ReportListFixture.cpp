#include "ReportListFixture.h"

#include "platform/CommandLine.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"

#include <QComboBox>
#include <QDir>

void ReportListWindowTest::SetUp()
{
    DatabaseBackendTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    platform::CommandLine::replaceText(QStringLiteral(""));
    prompts = platform::ScriptedPrompts::installNew();
    settings.paths.archiveFolder = home.stationFolder() + QStringLiteral("/Archive/");
    db = openDirect();
    host = std::make_unique<TestReportListHost>(settings);
    host->live = [this] { return database.openedConnection(); };
}

void ReportListWindowTest::TearDown()
{
    host.reset();
    db.reset();
    platform::CommandLine::replaceText(QString());
    DatabaseBackendTest::TearDown();
}

std::unique_ptr<ui::ReportListWindow> ReportListWindowTest::liveWindow()
{
    return std::make_unique<ui::ReportListWindow>(*host);
}

QString ReportListWindowTest::writeArchive(const QString& name, const QList<testsupport::ListedGroup>& groups,
                                           int revision)
{
    QDir().mkpath(settings.paths.archiveFolder);
    const QString path = settings.paths.archiveFolder + name;
    if (results::buildEmptyDatabase(path) != path)
        return {};
    platform::DbConnection file;
    file.openFile(path, false);
    testsupport::addListedGroups(file, groups);
    file.execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                 "('1-90', 1, 90, 'ZAMO_Results-20260201-080000.mdb', '2026-02-01 08:00:00')");
    file.execute(QStringLiteral("UPDATE Version SET DBRevNumber = %1").arg(revision));
    return path;
}

QList<qint32> ReportListWindowTest::gridIds(const ui::ReportListWindow& window)
{
    QList<qint32> ids;
    for (int row = 0; row < window.reportGrid()->rowCount(); ++row)
        ids << window.reportGrid()->text(row, 1).toInt();
    return ids;
}

QStringList ReportListWindowTest::pageEntries(const ui::ReportListWindow& window)
{
    QStringList entries;
    for (int i = 0; i < window.pagesList()->count(); ++i)
        entries << window.pagesList()->itemText(i);
    return entries;
}

void ReportListWindowTest::selectRow(ui::ReportListWindow& window, int row)
{
    window.reportGrid()->setCurrentCell(row, 1);
}

void ReportListWindowTest::choose(QComboBox* list, const QString& text)
{
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}
