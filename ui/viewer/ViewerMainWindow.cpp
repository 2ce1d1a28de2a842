#include "ui/viewer/ViewerMainWindow.h"

#include "config/AppVersion.h"
#include "platform/Prompts.h"
#include "platform/Report.h"
#include "platform/ReportError.h"
#include "results/ReportLists.h"
#include "ui/common/GridColumns.h"
#include "ui/viewer/ServerDialog.h"
#include "ui/viewer/ViewerExport.h"
#include "ui/viewer/ViewerReportWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString kProgram = QStringLiteral("ZAMO Report Viewer");

QTableWidget* makeGrid(const char* name, const QStringList& headers)
{
    auto* grid = new QTableWidget(0, int(headers.size()));
    grid->setObjectName(QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

// Column widths as shares of the grid's width: each share in twelfths (the
// report grid) or tenths (the archive grid) of it.
void shareWidth(QTableWidget* grid, QList<double> shares, double parts)
{
    GridColumns::followWidth(grid, [grid, shares, parts] {
        const double unit = grid->viewport()->width() / parts;
        for (int c = 0; c < shares.size(); ++c)
            grid->setColumnWidth(c, int(shares[c] * unit));
    });
}

void fillRow(QTableWidget* grid, int row, const QStringList& cells)
{
    grid->setItem(row, 0, new QTableWidgetItem);
    for (int c = 0; c < cells.size(); ++c)
        grid->setItem(row, c + 1, new QTableWidgetItem(cells[c]));
}

void emptyGrid(QTableWidget* grid)
{
    grid->clearSelection();
    grid->setRowCount(0);
}

// Sets a combo's items and choice without the reload its change would start.
void setChoices(QComboBox* combo, const QStringList& items, const QString& current)
{
    const QSignalBlocker quiet(combo);
    if (!items.isEmpty()) {
        combo->clear();
        combo->addItems(items);
    }
    combo->setCurrentIndex(std::max(0, combo->findText(current)));
}

} // namespace

ViewerMainWindow::ViewerMainWindow(viewer::ViewerDatabase& database, QWidget* parent)
    : QWidget(parent), m_database(database), m_list(database), m_reports(database)
{
    setObjectName(QStringLiteral("ManageReportsForm"));
    setWindowTitle(kProgram + QStringLiteral(" v") + config::AppVersion::number());
    new QVBoxLayout(this);
    buildLoadFrame();
    buildReportFrame();
    buildArchiveFrame();
    resize(900, 760);
}

ViewerMainWindow::~ViewerMainWindow() = default;

void ViewerMainWindow::buildLoadFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Load Database"));
    frame->setObjectName(QStringLiteral("frameLoadDatabase"));
    auto* browse = new QPushButton(QStringLiteral("File..."));
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    auto* server = new QPushButton(QStringLiteral("SQL..."));
    server->setObjectName(QStringLiteral("cmdSQLServer"));
    m_status = new QLabel(viewer::ViewerReportList::NoDatabaseSelected);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    connect(browse, &QPushButton::clicked, this, &ViewerMainWindow::chooseFile);
    connect(server, &QPushButton::clicked, this, &ViewerMainWindow::showServerDialog);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(browse);
    row->addWidget(server);
    row->addWidget(m_status, 1);
    layout()->addWidget(frame);
}

void ViewerMainWindow::buildReportFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Test Reports"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* column = new QVBoxLayout(frame);

    auto* choices = new QHBoxLayout;
    m_reportTypesLabel = new QLabel(QStringLiteral("View Report Types"));
    m_reportTypes = new QComboBox;
    m_reportTypes->setObjectName(QStringLiteral("cmbReportTypes"));
    m_reportTypes->addItems(
        {QStringLiteral("ALL"), QStringLiteral("ZAMO"), QStringLiteral("ZAMO80"), QStringLiteral("ZAMO2-4")});
    m_sortBy = new QComboBox;
    m_sortBy->setObjectName(QStringLiteral("cmbSortBy"));
    m_sortBy->addItems({QStringLiteral("ID"), QStringLiteral("Lot")});
    m_ascending = new QRadioButton(QStringLiteral("ASC"));
    m_ascending->setObjectName(QStringLiteral("SortAscOption"));
    m_ascending->setChecked(true);
    m_descending = new QRadioButton(QStringLiteral("DSC"));
    m_descending->setObjectName(QStringLiteral("SortDscOption"));
    m_showAll = new QCheckBox(QStringLiteral("Show All"));
    m_showAll->setObjectName(QStringLiteral("ShowAllReportsCheckBox"));
    m_pages = new QComboBox;
    m_pages->setObjectName(QStringLiteral("PagesComboBox"));
    m_pagesLabel = new QLabel(QStringLiteral("of "));
    m_pagesLabel->setObjectName(QStringLiteral("PagesLabel"));
    choices->addWidget(m_reportTypesLabel);
    choices->addWidget(m_reportTypes);
    choices->addWidget(new QLabel(QStringLiteral("Sort by:")));
    choices->addWidget(m_sortBy);
    choices->addWidget(m_ascending);
    choices->addWidget(m_descending);
    choices->addWidget(m_showAll);
    choices->addStretch();
    choices->addWidget(m_pages);
    choices->addWidget(m_pagesLabel);
    column->addLayout(choices);

    column->addWidget(new QLabel(QStringLiteral("Double Click Report to Display:")));
    m_grid = makeGrid("ReportsFlexGrid", {QString(), QStringLiteral("ID"), QStringLiteral("Lot Number"),
                                          QStringLiteral("Start Date"), QStringLiteral("Completion Date")});
    shareWidth(m_grid, {0.5, 1, 3.4, 3.4, 3.4}, 12);
    m_loadingFrame = new QLabel(QStringLiteral("Loading..."));
    m_loadingFrame->setObjectName(QStringLiteral("ReportListLoadingFrame"));
    m_loadingFrame->setAlignment(Qt::AlignCenter);
    m_loadingFrame->hide();
    column->addWidget(m_grid, 1);
    column->addWidget(m_loadingFrame, 1);

    auto* actions = new QHBoxLayout;
    m_condensedLabel = new QLabel(QStringLiteral("View Selected Condensed Report"));
    m_viewCondensed = new QPushButton(QStringLiteral("View Selected Report"));
    m_viewCondensed->setObjectName(QStringLiteral("cmdViewCondensedReport"));
    m_diagnostics = new QCheckBox(QStringLiteral("Include Unit Diagnostics on Report if Available"));
    m_diagnostics->setObjectName(QStringLiteral("chkDiagnostics"));
    m_exportFormat = new QComboBox;
    m_exportFormat->setObjectName(QStringLiteral("ExportFormatComboBox"));
    m_exportFormat->addItems(ViewerExport::formats());
    auto* exportButton = new QPushButton(QStringLiteral("Export Selected Report"));
    exportButton->setObjectName(QStringLiteral("ExportSelectedReportButton"));
    actions->addWidget(m_condensedLabel);
    actions->addWidget(m_viewCondensed);
    actions->addWidget(m_diagnostics);
    actions->addStretch();
    actions->addWidget(new QLabel(QStringLiteral("Export Format")));
    actions->addWidget(m_exportFormat);
    actions->addWidget(exportButton);
    column->addLayout(actions);
    static_cast<QVBoxLayout*>(layout())->addWidget(frame, 1);

    connect(m_reportTypes, &QComboBox::currentIndexChanged, this, [this] {
        if (m_loaded && !m_loading)
            reload(1);
    });
    connect(m_sortBy, &QComboBox::currentIndexChanged, this, [this] { reload(1); });
    connect(m_pages, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_loading && index >= 0)
            reload(index + 1);
    });
    connect(m_showAll, &QCheckBox::toggled, this, [this] { reload(1); });
    connect(m_ascending, &QRadioButton::clicked, this, [this] { reload(1); });
    connect(m_descending, &QRadioButton::clicked, this, [this] { reload(1); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { viewSelectedReport(); });
    connect(m_viewCondensed, &QPushButton::clicked, this, &ViewerMainWindow::viewSelectedCondensedReport);
    connect(exportButton, &QPushButton::clicked, this, &ViewerMainWindow::exportSelectedReport);
}

void ViewerMainWindow::buildArchiveFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Archived Report Databases"));
    frame->setObjectName(QStringLiteral("Frame2"));
    m_archives = makeGrid("ArchivedDatabasesFlexGrid", {QString(), QStringLiteral("Group IDs"),
                                                        QStringLiteral("Filename"), QStringLiteral("Archive Date")});
    m_archives->setMaximumHeight(140);
    shareWidth(m_archives, {0.5, 2, 3, 3}, 10);
    auto* column = new QVBoxLayout(frame);
    column->addWidget(m_archives);
    layout()->addWidget(frame);
}

QString ViewerMainWindow::status() const
{
    return m_status->text();
}

viewer::ReportListRequest ViewerMainWindow::request(int page) const
{
    viewer::ReportListRequest r;
    r.page = page;
    r.showAll = m_showAll->isChecked();
    r.ascending = m_ascending->isChecked();
    r.sortByLot = m_sortBy->currentText() == QLatin1String("Lot");
    r.reportType = m_reportTypes->currentText();
    return r;
}

void ViewerMainWindow::chooseFile()
{
    platform::FileDialogRequest dialog;
    dialog.title = QStringLiteral("Open File");
    dialog.filter = QStringLiteral("Database Files (*.mdb);;All Files (*)");
    const QString path = platform::Prompts::instance().openFile(dialog);
    if (path.isEmpty()) {
        m_status->setText(viewer::ViewerReportList::NoDatabaseSelected);
        return;
    }
    const viewer::DatabaseChoice choice = m_list.chooseFile(path, request(1));
    showList(choice.list);
    m_status->setText(choice.status);
    if (!choice.list.features.listed)
        tellUnreadable(choice.list.failure);
}

void ViewerMainWindow::tellUnreadable(const QString& why)
{
    platform::Prompts::instance().message(
        QStringLiteral("Unable to read ") + m_database.filePath() + QStringLiteral(" as a results database")
            + (why.isEmpty() ? QString() : QStringLiteral(": ") + why) + QLatin1Char('.'),
        kProgram, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

void ViewerMainWindow::showServerDialog()
{
    if (!m_serverDialog)
        m_serverDialog = new ServerDialog([this](const viewer::ServerLogOn& logOn,
                                                 QString* dialogStatus) { return connectServer(logOn, dialogStatus); },
                                          this);
    m_serverDialog->load(m_database.serverLogOn());
    m_serverDialog->show();
    m_serverDialog->raise();
}

bool ViewerMainWindow::connectServer(const viewer::ServerLogOn& logOn, QString* dialogStatus)
{
    const viewer::ServerChoice choice = m_list.connectServer(logOn, request(1));
    if (choice.connected)
        showList(choice.list);
    m_status->setText(choice.status);
    *dialogStatus = choice.dialogStatus;
    return choice.connected;
}

void ViewerMainWindow::reload(int page)
{
    if (m_loading)
        return;
    m_loading = true;
    m_grid->hide();
    m_loadingFrame->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const viewer::ReportListView view = m_list.load(request(page));
    showList(view);
    if (view.refused) {
        m_status->setText(viewer::ViewerReportList::NoDatabaseSelected);
        tellUnreadable(view.failure);
    }
}

void ViewerMainWindow::showList(const viewer::ReportListView& view)
{
    m_loading = true;
    emptyGrid(m_grid);
    emptyGrid(m_archives);
    const viewer::RevisionFeatures& f = view.features;
    if (f.listed) {
        m_grid->setRowCount(int(view.page.rows.size()));
        for (int r = 0; r < view.page.rows.size(); ++r) {
            const results::ReportListRow& row = view.page.rows[r];
            fillRow(m_grid, r,
                    {QString::number(row.uniqueGroupId), row.lot, results::listDateText(row.dateExecuted),
                     results::listDateText(row.dateCompleted)});
        }
        m_archives->setRowCount(int(view.archives.rows.size()));
        for (int r = 0; r < view.archives.rows.size(); ++r) {
            const results::ArchiveListRow& row = view.archives.rows[r];
            fillRow(m_archives, r, {row.range, row.fileName, results::listDateText(row.archiveDate)});
        }
        QStringList pages;
        for (int p = 1; p <= view.pageCount; ++p)
            pages << QString::number(p);
        {
            const QSignalBlocker quiet(m_pages);
            m_pages->clear();
            m_pages->addItems(pages);
            m_pages->setCurrentIndex(view.pageIndex);
        }
        m_pagesLabel->setText(QStringLiteral("of ") + QString::number(view.pageCount));
        setChoices(m_reportTypes, view.reportTypes, view.reportType);
        for (QWidget* w : {static_cast<QWidget*>(m_reportTypes), static_cast<QWidget*>(m_reportTypesLabel),
                           static_cast<QWidget*>(m_viewCondensed), static_cast<QWidget*>(m_condensedLabel)})
            w->setEnabled(view.reportTypeEnabled);
        m_sortBy->setEnabled(view.sortEnabled);
        m_loaded = true;
    }
    m_grid->setCurrentCell(-1, -1);
    m_loadingFrame->hide();
    m_grid->show();
    m_loading = false;
}

qint64 ViewerMainWindow::selectedGroupId() const
{
    const QList<QTableWidgetItem*> chosen = m_grid->selectedItems();
    if (chosen.isEmpty())
        return 0;
    const QTableWidgetItem* id = m_grid->item(chosen.first()->row(), 1);
    return id ? id->text().toLongLong() : 0;
}

void ViewerMainWindow::viewSelectedReport()
{
    if (const qint64 id = selectedGroupId())
        showReport(id, viewer::ReportKind::Full);
}

void ViewerMainWindow::viewSelectedCondensedReport()
{
    if (const qint64 id = selectedGroupId())
        showReport(id, m_list.condensedKind(id));
}

void ViewerMainWindow::showReport(qint64 groupId, viewer::ReportKind kind)
{
    viewer::PreparedReport prepared = m_reports.open(groupId, kind, m_diagnostics->isChecked());
    platform::Prompts& prompts = platform::Prompts::instance();
    if (!prepared.templateError.isEmpty())
        prompts.message(prepared.templateError, kProgram, platform::MsgButtons::Ok, platform::MsgIcon::Critical);
    if (prepared.noTemplate)
        return;
    QString failure = prepared.failure;
    if (prepared.report) {
        try {
            auto* window = new ViewerReportWindow(std::move(prepared.report), groupId, this);
            window->show();
            return;
        } catch (const platform::ReportError& e) {
            failure = e.text();
        }
    }
    prompts.message(QStringLiteral("Unable to show the report of group %1: %2").arg(groupId).arg(failure),
                    viewer::ViewerReportSource::Title, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

void ViewerMainWindow::exportSelectedReport()
{
    const qint64 id = selectedGroupId();
    if (!id) {
        platform::Prompts::instance().message(QStringLiteral("No report to export!"), QStringLiteral("Error"),
                                              platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    const QString format = m_exportFormat->currentText();
    const QString path = ViewerExport::askPath(format);
    if (path.isEmpty())
        return;
    ViewerExport::tell(m_reports.exportFullReport(id, format, path, m_diagnostics->isChecked()));
}

QList<ViewerReportWindow*> ViewerMainWindow::reportWindows() const
{
    return findChildren<ViewerReportWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

void ViewerMainWindow::closeEvent(QCloseEvent* event)
{
    for (ViewerReportWindow* window : reportWindows())
        window->close();
    if (m_serverDialog)
        m_serverDialog->close();
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace ui
