#include "ui/reportlists/ReportListWindow.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/CommandLine.h"
#include "platform/DbError.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "results/ReportExportName.h"
#include "results/ReportLists.h"
#include "results/ResultsDatabase.h"
#include "results/ResultsSchema.h"
#include "run/ReportActions.h"
#include "ui/common/GridColumns.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/TextGrid.h"
#include "ui/common/Twips.h"
#include "ui/reportlists/DatabaseArchiving.h"
#include "ui/reportlists/ReportListHost.h"
#include "ui/reportlists/ReportListRules.h"
#include "ui/reports/ExportFilters.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int WidthTwips = 12300;
constexpr int HeightTwips = 9600;

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

// Column widths as shares of the grid's width: each share a part of
// (width - 25 twips) / parts.
void shareWidth(TextGrid* g, int parts, const QList<double>& shares)
{
    GridColumns::followWidth(g, [g, parts, shares] {
        const double unit = (Twips::fromPixels(g->width()) - 25) / double(parts);
        for (int c = 0; c < shares.size(); ++c)
            g->setColumnWidth(c, Twips::toPixels(int(qRound(unit * shares[c]))));
    });
}

platform::Prompts& prompts()
{
    return platform::Prompts::instance();
}

} // namespace

ReportListWindow::ReportListWindow(ReportListHost& host, const QString& archivePath, QWidget* parent)
    : QWidget(parent), m_host(host), m_archivePath(archivePath)
{
    setObjectName(isArchive() ? QStringLiteral("ArchivedReportListWindow") : QStringLiteral("ReportListWindow"));
    setWindowTitle(isArchive() ? QStringLiteral("Archived Reports") : QStringLiteral("Test Reports"));
    resize(Twips::toPixels(WidthTwips), Twips::toPixels(HeightTwips));
    buildControls();
    connectControls();
    m_selectedType = m_reportTypeList->currentText();
}

void ReportListWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* choices = new QHBoxLayout();
    layout->addLayout(choices);
    m_reportTypeList = new QComboBox(this);
    m_reportTypeList->setObjectName(QStringLiteral("reportTypeList"));
    m_reportTypeList->addItems({ReportTypeAll, ReportTypeZamo, ReportTypeZamo80});
    if (!isArchive())
        m_reportTypeList->addItem(ReportTypeZamo24);
    choices->addWidget(label(isArchive() ? QStringLiteral("Report Types:") : QStringLiteral("Report Types: "), this));
    choices->addWidget(m_reportTypeList);

    m_sortByList = new QComboBox(this);
    m_sortByList->setObjectName(QStringLiteral("sortByList"));
    m_sortByList->addItems({QStringLiteral("ID"), QStringLiteral("Lot")});
    QLabel* sortLabel = label(isArchive() ? QStringLiteral("Sort:") : QStringLiteral("Sort by:"), this);
    choices->addSpacing(Twips::toPixels(300));
    choices->addWidget(sortLabel);
    choices->addWidget(m_sortByList);
    m_sortByList->setVisible(!isArchive());
    m_ascendingOption = new QRadioButton(QStringLiteral("ASC"), this);
    m_ascendingOption->setObjectName(QStringLiteral("ascendingOption"));
    m_descendingOption = new QRadioButton(QStringLiteral("DSC"), this);
    m_descendingOption->setObjectName(QStringLiteral("descendingOption"));
    m_directionGroup = new QButtonGroup(this);
    m_directionGroup->addButton(m_ascendingOption);
    m_directionGroup->addButton(m_descendingOption);
    m_ascendingOption->setChecked(true);
    choices->addWidget(m_ascendingOption);
    choices->addWidget(m_descendingOption);

    m_showAllBox = new QCheckBox(QStringLiteral("Show All"), this);
    m_showAllBox->setObjectName(QStringLiteral("showAllBox"));
    choices->addSpacing(Twips::toPixels(300));
    choices->addWidget(m_showAllBox);
    choices->addStretch(1);
    m_pagesList = new QComboBox(this);
    m_pagesList->setObjectName(QStringLiteral("pagesList"));
    m_pagesList->setMinimumContentsLength(4);
    m_pagesLabel = label(QStringLiteral("of 1"), this);
    m_pagesLabel->setObjectName(QStringLiteral("pagesLabel"));
    choices->addWidget(m_pagesList);
    choices->addWidget(m_pagesLabel);

    m_reportsFrame =
        new QGroupBox(isArchive() ? QStringLiteral("Archived Test Reports") : QStringLiteral("Test Reports"), this);
    m_reportsFrame->setObjectName(QStringLiteral("reportsFrame"));
    auto* reports = new QVBoxLayout(m_reportsFrame);
    reports->addWidget(label(QStringLiteral("Double Click Report to Display:"), m_reportsFrame));
    m_reportGrid = new TextGrid("reportGrid",
                                {QString(), QStringLiteral("ID"), QStringLiteral("Lot Number"),
                                 QStringLiteral("Start Date"), QStringLiteral("Completion Date")},
                                m_reportsFrame);
    shareWidth(m_reportGrid, 12, {0.5, 1, 3.4, 3.4, 3.4});
    reports->addWidget(m_reportGrid, 1);
    // "Loading..." covers the grid while a page is read: a frame of its own
    // over the grid, outside the layout, so that neither its showing nor its
    // hiding lays out the window or hides the grid.
    m_loadingFrame = new QGroupBox(m_reportGrid);
    m_loadingFrame->setObjectName(QStringLiteral("loadingFrame"));
    auto* loading = new QVBoxLayout(m_loadingFrame);
    QLabel* loadingText = label(QStringLiteral("Loading..."), m_loadingFrame);
    loadingText->setAlignment(Qt::AlignCenter);
    loading->addWidget(loadingText);
    m_loadingFrame->hide();
    layout->addWidget(m_reportsFrame, 3);

    auto* actions = new QHBoxLayout();
    layout->addLayout(actions);
    m_exportFormatList = new QComboBox(this);
    m_exportFormatList->setObjectName(QStringLiteral("exportFormatList"));
    actions->addWidget(label(QStringLiteral("Export Format"), this));
    actions->addWidget(m_exportFormatList);
    m_exportButton = new QPushButton(QStringLiteral("Export Selected Report"), this);
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    actions->addWidget(m_exportButton);
    actions->addStretch(1);
    m_viewLabel = label(viewButtonLabel(ReportTypeAll), this);
    m_viewLabel->setObjectName(QStringLiteral("viewLabel"));
    m_viewButton = new QPushButton(QStringLiteral("View Selected Report"), this);
    m_viewButton->setObjectName(QStringLiteral("viewButton"));
    actions->addWidget(m_viewLabel);
    actions->addWidget(m_viewButton);
    m_archiveNowButton = new QPushButton(QStringLiteral("Archive Now"), this);
    m_archiveNowButton->setObjectName(QStringLiteral("archiveNowButton"));
    m_archiveNowButton->hide();
    actions->addWidget(m_archiveNowButton);

    m_archivesFrame = new QGroupBox(QStringLiteral("Archived Report Databases"), this);
    m_archivesFrame->setObjectName(QStringLiteral("archivesFrame"));
    auto* archives = new QVBoxLayout(m_archivesFrame);
    m_archiveGrid = new TextGrid(
        "archiveGrid",
        {QString(), QStringLiteral("Group IDs"), QStringLiteral("Filename"), QStringLiteral("Archive Date")},
        m_archivesFrame);
    shareWidth(m_archiveGrid, 10, {0.5, 2, 3, 3});
    archives->addWidget(m_archiveGrid);
    layout->addWidget(m_archivesFrame, 1);
}

void ReportListWindow::connectControls()
{
    connect(m_reportTypeList, &QComboBox::activated, this, &ReportListWindow::chooseReportType);
    connect(m_sortByList, &QComboBox::activated, this, [this] { loadReportList(1); });
    connect(m_ascendingOption, &QRadioButton::clicked, this, [this] { loadReportList(1); });
    connect(m_descendingOption, &QRadioButton::clicked, this, [this] { loadReportList(1); });
    connect(m_showAllBox, &QCheckBox::clicked, this, [this] { loadReportList(1); });
    connect(m_pagesList, &QComboBox::activated, this, [this](int index) {
        if (!m_listLoading)
            loadReportList(index + 1);
    });
    connect(m_reportGrid, &TextGrid::cellDoubleClicked, this,
            [this] { openReport(doubleClickReport(m_selectedType) == ReportKind::Condensed); });
    connect(m_viewButton, &QPushButton::clicked, this,
            [this] { openReport(viewButtonReport(m_selectedType) == ReportKind::Condensed); });
    connect(m_exportButton, &QPushButton::clicked, this, &ReportListWindow::exportSelectedReport);
    connect(m_archiveNowButton, &QPushButton::clicked, this, &ReportListWindow::archiveNow);
    connect(m_archiveGrid, &TextGrid::cellDoubleClicked, this, [this](int row) { openArchive(row); });
}

results::ReportListSource ReportListWindow::lists() const
{
    return results::ReportListSource([this] { return m_host.liveDatabase(); }, localDatabase());
}

bool ReportListWindow::localDatabase() const
{
    return m_host.settings().database.useLocalDatabase;
}

bool ReportListWindow::load()
{
    m_ascendingOption->setChecked(true);
    m_sortByList->setCurrentIndex(0);
    if (isArchive()) {
        const qint32 revision = results::ResultsDatabase::fileRevision(m_archivePath);
        if (revision != results::ResultsSchema::CurrentRevision) {
            prompts().message(QStringLiteral("This database revision (version %1) is not supported by this "
                                             "application.  Please use the ZAMO Report Viewer to view the data.")
                                  .arg(revision),
                              config::StationText::appTitle());
            return false;
        }
        setReportType(m_selectedType);
        loadReportList(1, true);
        return m_refusal.isEmpty();
    }
    m_archiveNowButton->setEnabled(localDatabase());
    m_archivesFrame->setEnabled(localDatabase());
    if (!archiveWhenFull())
        return false;
    setReportType(reportTypeForUnits(m_host.unitsMode(), m_host.singleZamo24()));
    loadReportList(1, true);
    return true;
}

void ReportListWindow::setReportType(const QString& type)
{
    const int index = m_reportTypeList->findText(type, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_reportTypeList->setCurrentIndex(qMax(index, 0));
    m_selectedType = m_reportTypeList->currentText();
    m_viewLabel->setText(viewButtonLabel(m_selectedType));
}

void ReportListWindow::chooseReportType(int index)
{
    setReportType(m_reportTypeList->itemText(index));
    loadReportList(1);
}

bool ReportListWindow::archiveWhenFull()
{
    if (!localDatabase())
        return true;
    qint64 groups = 0;
    try {
        groups = lists().countCompletedTestGroups(true);
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("Report list: the groups could not be counted: ") + e.text());
        return true;
    }
    if (groups < m_host.settings().database.maxRecords)
        return true;
    if (m_host.runActive()) {
        if (!m_archivePending)
            config::writeLog(
                QStringLiteral("Database holds %1 groups: archive deferred until the run ends").arg(groups));
        m_archivePending = true;
        return true;
    }
    return archiveDatabase();
}

bool ReportListWindow::archiveDatabase()
{
    m_archivePending = false;
    m_host.archiving().archiveDatabase();
    // The station ended while the archive's window stood: the list is not
    // read again.
    return !platform::ProgramEnd::stopAsked();
}

void ReportListWindow::loadReportList(int page, bool resetShowAll)
{
    m_listLoading = true;
    m_loadingFrame->setGeometry(m_reportGrid->rect());
    m_loadingFrame->raise();
    m_loadingFrame->show();
    if (isVisible())
        m_loadingFrame->repaint();
    if (m_archivePending && !m_host.runActive() && !archiveDatabase()) {
        m_listLoading = false;
        return;
    }

    m_exportFormatList->clear();
    m_exportFormatList->addItems({QStringLiteral("PDF"), QStringLiteral("XLS"), QStringLiteral("TAB")});
    m_exportFormatList->setCurrentIndex(0);

    const bool showAllOffered = !isArchive() || archivedShowAllOffered(platform::CommandLine::text());
    m_showAllBox->setVisible(showAllOffered);
    if (resetShowAll || !showAllOffered)
        m_showAllBox->setChecked(false);
    m_archiveNowButton->setVisible(!isArchive() && archiveNowOffered(platform::CommandLine::text(), localDatabase()));

    results::ReportListQuery query;
    query.page = qMax(page, 1);
    query.pageSize = ReportListPageSize;
    query.showAll = m_showAllBox->isChecked();
    query.type = results::reportTypeFromText(m_selectedType);
    query.sortBy = !isArchive() && m_sortByList->currentText() == QLatin1String("Lot") ? results::ReportSortKey::Lot
                                                                                       : results::ReportSortKey::Id;
    query.ascending = m_ascendingOption->isChecked();
    m_groups.clear();
    readList(QStringLiteral("Report list could not be read: "),
             [&] { m_groups = lists().page(query, m_archivePath).rows; });
    fillReportGrid();
    fillPagesList(query.page, query.showAll);
    fillArchiveGrid();

    m_loadingFrame->hide();
    m_listLoading = false;
    if (!m_refusal.isEmpty())
        refuseArchive();
}

template <typename Read>
void ReportListWindow::readList(const QString& failure, Read read)
{
    if (!m_refusal.isEmpty())
        return;
    try {
        read();
    } catch (const platform::DbError& e) {
        config::writeLog(failure + e.text());
        if (isArchive() && e.overTime())
            m_refusal = e.cause();
    }
}

void ReportListWindow::refuseArchive()
{
    m_groups.clear();
    m_archives.clear();
    prompts().message(QStringLiteral("The archive %1 cannot be read: %2.").arg(m_archivePath, m_refusal),
                      config::StationText::appTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    if (isVisible())
        MdiChild::outerWidget(this)->close();
}

void ReportListWindow::fillReportGrid()
{
    // The grid keeps the rows it shows (shared, not copied).
    m_reportGrid->setRows(int(m_groups.size()), [groups = m_groups](int row, int column) {
        const results::ReportListRow& group = groups[row];
        switch (column) {
        case 1: return QString::number(group.uniqueGroupId);
        case 2: return group.lot;
        case 3: return results::listDateText(group.dateExecuted);
        case 4: return results::listDateText(group.dateCompleted);
        default: return QString();
        }
    });
}

void ReportListWindow::fillPagesList(int page, bool showAll)
{
    qint64 groups = 0;
    readList(QStringLiteral("Report list: the groups could not be counted: "),
             [&] { groups = lists().countCompletedTestGroups(showAll, m_archivePath); });
    const int pages = reportListPageCount(groups);
    if (m_pagesList->count() != pages) { // the entries are the page numbers alone
        QStringList entries;
        entries.reserve(pages);
        for (int p = 1; p <= pages; ++p)
            entries << QString::number(p);
        m_pagesList->clear();
        m_pagesList->addItems(entries); // in one insertion
    }
    m_pagesList->setCurrentIndex(qMin(page, pages) - 1);
    m_pagesLabel->setText(QStringLiteral("of %1").arg(pages));
}

void ReportListWindow::fillArchiveGrid()
{
    m_archives.clear();
    if (isArchive() || localDatabase())
        readList(QStringLiteral("Archive list could not be read: "),
                 [&] { m_archives = lists().archives(m_archivePath).rows; });
    m_archiveGrid->setRows(int(m_archives.size()), [archives = m_archives](int row, int column) {
        const results::ArchiveListRow& archive = archives[row];
        switch (column) {
        case 1: return archive.range;
        case 2: return archive.fileName;
        case 3: return results::listDateText(archive.archiveDate);
        default: return QString();
        }
    });
}

std::optional<results::ReportListRow> ReportListWindow::selectedGroup() const
{
    const int row = m_reportGrid->currentRow();
    if (row < 0 || row >= m_groups.size())
        return std::nullopt;
    return m_groups[row];
}

void ReportListWindow::openSelectedFullReport()
{
    openReport(false);
}

void ReportListWindow::openSelectedCondensedReport()
{
    openReport(true);
}

void ReportListWindow::openReport(bool condensed)
{
    const std::optional<results::ReportListRow> group = selectedGroup();
    if (!group)
        return;
    const bool zamo80 = condensed && lists().condensedReportId(group->uniqueGroupId, m_archivePath) >= 1;
    m_host.reports().openTestReport(group->uniqueGroupId, condensed, m_archivePath, zamo80);
}

void ReportListWindow::exportSelectedReport()
{
    const std::optional<results::ReportListRow> group = selectedGroup();
    if (!group) {
        prompts().message(QStringLiteral("No report to export!"), QStringLiteral("Error"), platform::MsgButtons::Ok,
                          platform::MsgIcon::Warning);
        return;
    }
    const QString format = m_exportFormatList->currentText();
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Export Report");
    request.filter = exportDialogFilter(format);
    request.defaultSuffix = results::ReportExportName::extension(format).mid(1);
    const QString file = prompts().saveFile(request);
    if (file.isEmpty())
        return;
    const bool zamo80 = exportsZamo80Condensed(m_selectedType);
    if (!m_host.reports().exportReport(group->uniqueGroupId, group->dateExecuted.toDateTime(), format, file,
                                       m_archivePath, zamo80, zamo80))
        prompts().message(QStringLiteral("The report could not be exported to ")
                              + results::ReportExportName::withExtension(file, format) + QStringLiteral("."),
                          QStringLiteral("Error"), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

void ReportListWindow::archiveNow()
{
    if (prompts().message(QStringLiteral("Are you sure you want to Archive the current Database?"),
                          QStringLiteral("Archive Now?"), platform::MsgButtons::YesNo, platform::MsgIcon::Question)
        != platform::MsgResult::Yes)
        return;
    if (m_host.runActive()) {
        prompts().message(QStringLiteral("Tests already active!  You must stop the active tests first."),
                          config::StationText::appTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    if (archiveDatabase())
        loadReportList(1);
}

void ReportListWindow::openArchive(int row)
{
    if (row < 0 || row >= m_archives.size())
        return;
    // The archive's name alone: the file lies in the live database's archive folder.
    const QString file = QFileInfo(m_archives[row].fileName).fileName();
    if (file.isEmpty())
        return;
    const QString folder = m_host.settings().paths.archiveFolder;
    auto* window = new ReportListWindow(m_host, QDir(folder).filePath(file));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->m_liveList = isArchive() ? m_liveList : QPointer<ReportListWindow>(this);
    window->setReportType(window->m_liveList ? window->m_liveList->reportType() : m_selectedType);
    if (!window->load()) {
        delete window;
        return;
    }
    const QRect here = MdiChild::geometryTwips(this);
    m_host.showWindow(window);
    MdiChild::moveTwips(window, here.left() + 200, here.top() + 200);
}

} // namespace ui
