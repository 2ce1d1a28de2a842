#pragma once
// The report list windows on each back end, over the station's shared
// connection to a fresh results database: a host that records the reports
// opened and exported, the archive jobs asked for and the windows shown,
// answers for the units and the run as the test sets them, and scripted
// prompts.

#include "platform/ScriptedPrompts.h"
#include "run/ReportActions.h"
#include "support/DatabaseBackendFixture.h"
#include "support/ListedGroups.h"
#include "ui/common/TextGrid.h"
#include "ui/reportlists/DatabaseArchiving.h"
#include "ui/reportlists/ReportListHost.h"
#include "ui/reportlists/ReportListWindow.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

struct OpenedReport {
    qint64 id;
    bool condensed;
    QString databasePath;
    bool zamo80;
    bool operator==(const OpenedReport&) const = default;
};

struct ExportedReport {
    qint64 id;
    QDateTime date;
    QString format;
    QString file;
    QString databasePath;
    bool condensed;
    bool zamo80;
};

class RecordingReports : public run::ReportActions {
public:
    QList<OpenedReport> opened;
    QList<ExportedReport> exported;
    bool exportWrites = true;

    void openTestReport(qint64 id, bool condensed, const QString& path, bool zamo80) override
    {
        opened << OpenedReport{id, condensed, path, zamo80};
    }
    bool exportReport(qint64 id, const QDateTime& date, const QString& format, const QString& file, const QString& path,
                      bool condensed, bool zamo80) override
    {
        exported << ExportedReport{id, date, format, file, path, condensed, zamo80};
        return exportWrites;
    }
    void printTestReport(qint64, const QString&, bool, bool) override { ADD_FAILURE() << "printed"; }
    void printCondensedTestReport(qint64, const QString&) override { ADD_FAILURE() << "printed"; }
};

class RecordingArchiving : public ui::DatabaseArchiving {
public:
    int jobs = 0;
    std::function<void()> job; // the archive's work, when the test wants it done

    void archiveDatabase() override
    {
        ++jobs;
        if (job)
            job();
    }
};

class TestReportListHost : public ui::ReportListHost {
public:
    explicit TestReportListHost(config::StationSettings& settings) : m_settings(settings) {}

    run::ConnectedUnitsMode mode = run::ConnectedUnitsMode::None;
    bool zamo24 = false;
    bool running = false;
    RecordingReports recorded;
    RecordingArchiving archive;
    std::vector<std::unique_ptr<QWidget>> shown;
    std::function<platform::DbConnection*()> live;

    const config::StationSettings& settings() const override { return m_settings; }
    platform::DbConnection* liveDatabase() override { return live(); }
    run::ConnectedUnitsMode unitsMode() const override { return mode; }
    bool singleZamo24() const override { return zamo24; }
    run::ReportActions& reports() override { return recorded; }
    ui::DatabaseArchiving& archiving() override { return archive; }
    bool runActive() const override { return running; }
    void showWindow(QWidget* window) override { shown.emplace_back(window); }

private:
    config::StationSettings& m_settings;
};

class ReportListWindowTest : public DatabaseBackendTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new live list window (not yet loaded).
    std::unique_ptr<ui::ReportListWindow> liveWindow();
    // Writes an archive file into the archive folder, of the revision given,
    // with the groups given and the row of one earlier archive; its path.
    QString writeArchive(const QString& name, const QList<testsupport::ListedGroup>& groups, int revision = 15);

    // The group numbers of the report grid, top to bottom.
    static QList<qint32> gridIds(const ui::ReportListWindow& window);
    static QStringList pageEntries(const ui::ReportListWindow& window);
    // Clicks a row (from 0) as the operator would, selecting it.
    static void selectRow(ui::ReportListWindow& window, int row);
    static void choose(QComboBox* list, const QString& text);

    std::unique_ptr<platform::DbConnection> db;
    std::unique_ptr<TestReportListHost> host;
    platform::ScriptedPrompts* prompts = nullptr;
};
