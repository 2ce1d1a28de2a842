#pragma once
// The list of the test groups of a results database, 1000 to a page, with
// the reports of the selected group. It comes in two kinds:
// - "Test Reports", the live database's list, one for the station (the
//   "Report Viewer" item shows it): the four report types, sorted by group
//   or by lot, the archive files of a local database, "Archive Now" for a
//   local database in service mode (/rida2 or /vadov), and the automatic
//   archive when it opens on a local database of MaxRecords groups or more.
//   The live database is never archived while a run is active: the
//   automatic archive then waits for the first reload of the list after
//   the run, and "Archive Now" says that tests are active.
// - "Archived Reports", the list of one archive file (any number open, each
//   bound to its file, which is only ever read): refused with a message for
//   a file of another schema revision, or one that cannot be read; sorted
//   by group; Show All only in service mode (/rida or /vadov); its page
//   list counts the archive's own groups. An archive one of whose
//   statements runs past the time limit of a file from outside is refused
//   with a message as well, at its first list or at any reload: nothing
//   more is read from it and its window closes (or is never shown).
// Both list the finished groups of the chosen type, with Show All also the
// open and cancelled ones, and no group is selected after any reload. A
// double-click on a group opens its report, the condensed one for the
// ZAMO80 types and the full one otherwise, and the view button opens the
// other report; the export writes the selected group's report into the file
// chosen, and says so when it cannot. A list or count that cannot be read
// is logged and leaves its grid empty (and one page in the page list).

#include "results/ReportListSource.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {

class ReportListHost;
class TextGrid;

class ReportListWindow : public QWidget {
    Q_OBJECT
public:
    // archivePath: empty for the live database's list, else the archive
    // file whose list the window shows for its whole life.
    explicit ReportListWindow(ReportListHost& host, const QString& archivePath = QString(), QWidget* parent = nullptr);

    bool isArchive() const { return !m_archivePath.isEmpty(); }
    const QString& archivePath() const { return m_archivePath; }

    // What opening the window does. The live list: the archive at
    // MaxRecords groups, the report type of the connected units, sorted by
    // group in ascending order, page 1 without Show All. An archive's list:
    // the revision check, then page 1 of the type set by setReportType.
    // False when the window refuses its file (after the message); it is then
    // not to be shown.
    bool load();
    // Chooses the report type before load; a type the list does not hold
    // chooses "ALL".
    void setReportType(const QString& type);
    const QString& reportType() const { return m_selectedType; }

    // Reloads the page (from 1), the page list and the archive grid. With
    // resetShowAll, Show All is cleared first.
    void loadReportList(int page, bool resetShowAll = false);

    void openSelectedFullReport();
    void openSelectedCondensedReport();
    void exportSelectedReport();
    void archiveNow();
    // Opens the list of the archive file in that row (from 0) of the archive
    // grid, placed 200 twips below and right of this window. It takes the
    // report type of the live list, also when opened from an archive's list
    // (that list's own type when the live list is gone).
    void openArchive(int row);

    // True while the automatic archive waits for the run to end.
    bool archivePending() const { return m_archivePending; }

    QComboBox* reportTypeList() const { return m_reportTypeList; }
    QComboBox* sortByList() const { return m_sortByList; } // hidden in an archive's list
    QRadioButton* ascendingOption() const { return m_ascendingOption; }
    QRadioButton* descendingOption() const { return m_descendingOption; }
    QCheckBox* showAllBox() const { return m_showAllBox; }
    QComboBox* pagesList() const { return m_pagesList; }
    QLabel* pagesLabel() const { return m_pagesLabel; }
    TextGrid* reportGrid() const { return m_reportGrid; }
    QGroupBox* loadingFrame() const { return m_loadingFrame; }
    QComboBox* exportFormatList() const { return m_exportFormatList; }
    QPushButton* exportButton() const { return m_exportButton; }
    QPushButton* viewButton() const { return m_viewButton; }
    QLabel* viewLabel() const { return m_viewLabel; }
    QPushButton* archiveNowButton() const { return m_archiveNowButton; }
    QGroupBox* archivesFrame() const { return m_archivesFrame; }
    TextGrid* archiveGrid() const { return m_archiveGrid; }

private:
    void buildControls();
    void connectControls();
    results::ReportListSource lists() const;
    bool localDatabase() const;
    // The automatic archive of a live local database that holds MaxRecords
    // groups or more, unless a run is active (then it waits). Both false
    // when the station was ended meanwhile: nothing more is done.
    bool archiveWhenFull();
    bool archiveDatabase();
    void fillReportGrid();
    void fillPagesList(int page, bool showAll);
    void fillArchiveGrid();
    // Runs one read of the lists, logging its failure after the text given;
    // a statement on the archive stopped by the time limit refuses the
    // archive. Nothing is read once it is refused.
    template <typename Read>
    void readList(const QString& failure, Read read);
    // The message that the archive cannot be read, and its window closed.
    void refuseArchive();
    void chooseReportType(int index);
    void openReport(bool condensed);
    std::optional<results::ReportListRow> selectedGroup() const;

    ReportListHost& m_host;
    const QString m_archivePath;
    // An archive's list: the live list it was opened from, directly or
    // through other archives' lists.
    QPointer<ReportListWindow> m_liveList;
    QString m_selectedType;
    bool m_listLoading = false;
    bool m_archivePending = false;
    QString m_refusal;                         // why the archive was refused; "" while it is not
    QList<results::ReportListRow> m_groups;    // the rows of the report grid
    QList<results::ArchiveListRow> m_archives; // the rows of the archive grid

    QComboBox* m_reportTypeList = nullptr;
    QComboBox* m_sortByList = nullptr;
    QButtonGroup* m_directionGroup = nullptr;
    QRadioButton* m_ascendingOption = nullptr;
    QRadioButton* m_descendingOption = nullptr;
    QCheckBox* m_showAllBox = nullptr;
    QComboBox* m_pagesList = nullptr;
    QLabel* m_pagesLabel = nullptr;
    QGroupBox* m_reportsFrame = nullptr;
    TextGrid* m_reportGrid = nullptr;
    QGroupBox* m_loadingFrame = nullptr;
    QComboBox* m_exportFormatList = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_viewButton = nullptr;
    QLabel* m_viewLabel = nullptr;
    QPushButton* m_archiveNowButton = nullptr;
    QGroupBox* m_archivesFrame = nullptr;
    TextGrid* m_archiveGrid = nullptr;
};

} // namespace ui
